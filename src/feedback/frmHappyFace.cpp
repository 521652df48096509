#include "feedback/frmHappyFace.h"

#include "feedback/facecursor.h"
#include "feedback/faces.h"
#include "forms/units.h"
#include "media/global.h"

using namespace forms;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Wordpot"),
    .clientTwips = {4650, 4365},
    .border = BorderStyle::FixedSingle,
    .backColor = Qt::white,
};
constexpr QRect FaceRect = rectTw(120, 240, 4440, 3960);
} // namespace

frmHappyFace::frmHappyFace()
    : Form(Design) {}

void frmHappyFace::build() {
    window()->setCursor(feedback::faceCursor(QStringLiteral(":/cursors/happy.ico")));
    ImgHappyFace = new Image(client(), FaceRect);
    ImgHappyFace->setStretch(true);
    ImgHappyFace->setPicture(builtInPicture(QStringLiteral(":/pictures/happyface.ico")));
    Timer1 = new Timer(client(), feedback::TickIntervalMs, true);

    connect(ImgHappyFace, &Image::clicked, this, &frmHappyFace::ImgHappyFace_Click);
    connect(Timer1, &Timer::timer, this, &frmHappyFace::Timer1_Timer);
}

void frmHappyFace::Form_Load() {
    Ticks = 1;
}

void frmHappyFace::Timer1_Timer() {
    if (Ticks >= feedback::HappyClosingTick) {
        unload();
        return;
    }
    // The sound starts before the face changes.
    const feedback::FaceStep step = feedback::stepAt(feedback::HappySteps, Ticks);
    if (step.sound != nullptr)
        Global::PlayWave(Global::AppPath() + QLatin1String(step.sound), false);
    if (step.picture != nullptr)
        ImgHappyFace->setPicture(LoadPicture(Global::AppPath() + QLatin1String(step.picture)));
    ++Ticks;
}

void frmHappyFace::ImgHappyFace_Click() {
    unload();
}
