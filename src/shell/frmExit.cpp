#include "shell/frmExit.h"

#include "forms/fonts.h"
#include "forms/screen.h"
#include "forms/units.h"
#include "media/global.h"
#include "shell/shellmedia.h"

using namespace forms;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Exit?"),
    .clientTwips = {5835, 5145},
    .border = BorderStyle::FixedSingle,
    .backColor = Qt::white,
};
constexpr int ButtonFacesBitmap = 101;
constexpr int QuestionStopBitmap = 103;

CommandButton* bigButton(QWidget* parent, QRect geometry, const QString& caption) {
    auto* button = new CommandButton(parent, geometry, caption);
    button->setGraphical(true);
    button->setFont(font(FontFace::Arial, 48, true));
    return button;
}
} // namespace

frmExit::frmExit()
    : Form(Design) {}

void frmExit::build() {
    cmdYes = bigButton(client(), rectTw(240, 3360, 2295, 1335), QStringLiteral("&Yes"));
    cmdNo = bigButton(client(), rectTw(3120, 3360, 2295, 1335), QStringLiteral("&No"));
    Image1 = new Image(client(), rectTw(1440, 120, 3000, 3000));
    cmdYes->setFocus();
    connect(cmdYes, &CommandButton::clicked, this, &frmExit::cmdYes_Click);
    connect(cmdNo, &CommandButton::clicked, this, &frmExit::cmdNo_Click);
}

void frmExit::Form_Load() {
    Screen::setMousePointer(Screen::MousePointer::Default);
    Image1->setPicture(LoadResPicture(QuestionStopBitmap));
    cmdYes->setPicture(LoadResPicture(ButtonFacesBitmap));
    cmdNo->setPicture(LoadResPicture(ButtonFacesBitmap));
    Global::PlayWave(shell::QuitSound, false);
}

void frmExit::cmdYes_Click() {
    Global::PlayWave(shell::ByeSound, true);
    unload();
    // Then the main menu, and a happy face still loaded after it; the run ends with the last of them.
    Forms::unloadAll();
}

void frmExit::cmdNo_Click() {
    unload();
}
