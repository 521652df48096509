#include "feedback/frmSadface.h"

#include "feedback/facecursor.h"
#include "feedback/faces.h"
#include "forms/units.h"
#include "media/global.h"

using namespace forms;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Form1"),
    .clientTwips = {4620, 4335},
    .border = BorderStyle::Sizable,
    .backColor = Qt::white,
    .minMaxButtons = true,
};
constexpr QRect FaceRect = rectTw(0, 240, 4575, 4095);
} // namespace

frmSadface::frmSadface()
    : Form(Design) {}

void frmSadface::build() {
    window()->setCursor(feedback::faceCursor(QStringLiteral(":/cursors/sad.ico")));
    ImgSadface = new Image(client(), FaceRect);
    ImgSadface->setStretch(true);
    ImgSadface->setPicture(builtInPicture(QStringLiteral(":/pictures/sadface.ico")));
    Timer1 = new Timer(client(), feedback::TickIntervalMs, true);

    connect(ImgSadface, &Image::clicked, this, &frmSadface::ImgSadface_Click);
    connect(Timer1, &Timer::timer, this, &frmSadface::Timer1_Timer);
}

void frmSadface::Form_Load() {
    Ticks = 1;
}

void frmSadface::Timer1_Timer() {
    if (Ticks >= feedback::SadClosingTick) {
        unload();
        return;
    }
    // Unlike the happy face, the face changes before the sound starts.
    const feedback::FaceStep step = feedback::stepAt(feedback::SadSteps, Ticks);
    if (step.picture != nullptr)
        ImgSadface->setPicture(LoadPicture(Global::AppPath() + QLatin1String(step.picture)));
    if (step.sound != nullptr)
        Global::PlayWave(Global::AppPath() + QLatin1String(step.sound), false);
    ++Ticks;
}

void frmSadface::ImgSadface_Click() {
    unload();
}
