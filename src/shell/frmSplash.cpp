#include "shell/frmSplash.h"

#include "forms/fonts.h"
#include "forms/units.h"
#include "media/global.h"
#include "shell/shellmedia.h"

#include <QKeyEvent>

using namespace forms;

namespace {
const FormDesign Design{
    .caption = QString(),
    .clientTwips = {8730, 4365},
    .border = BorderStyle::Splash,
    .showInTaskbar = false,
};
constexpr int CloseAfterMs = 5000;
const QString Title = QStringLiteral("Welcome to Wordpot");
const QString Author = QStringLiteral("the Wordpot developers");
const QString CreateDate = QStringLiteral("December 2026");
const QString VersionText = QStringLiteral("1.00");

// Twips of the four frame lines, 120 twips inside the window's edges.
constexpr int FrameLeft = 120;
constexpr int FrameTop = 120;
constexpr int FrameRight = 8640;
constexpr int FrameBottom = 4320;

Label* titleLabel(QWidget* parent, QRect geometry, const QColor& color) {
    auto* label = new Label(parent, geometry, font(FontFace::ArialBlack, 24, true), Qt::AlignHCenter, Title);
    label->setForeColor(color);
    label->setTransparent(true);
    return label;
}

Label* captionLabel(QWidget* parent, QRect geometry, const QString& caption) {
    auto* label =
        new Label(parent, geometry, font(FontFace::MsSansSerif, 8.25, true), Qt::AlignHCenter, caption);
    label->setBorder(true);
    return label;
}

Label* plainLabel(QWidget* parent, QRect geometry, const QString& caption) {
    auto* label = new Label(parent, geometry);
    label->setCaption(caption);
    return label;
}
} // namespace

frmSplash::frmSplash()
    : Form(Design) {}

void frmSplash::build() {
    // Back to front: the black title is the shadow under the red one, the picture is on top of all.
    QWidget* area = client();
    Label1 = titleLabel(area, rectTw(360, 240, 8175, 735), Qt::black);
    new Line(area, pointTw(FrameLeft, FrameTop), pointTw(FrameRight, FrameTop));
    new Line(area, pointTw(FrameLeft, FrameTop), pointTw(FrameLeft, FrameBottom));
    new Line(area, pointTw(FrameLeft, FrameBottom), pointTw(FrameRight, FrameBottom));
    new Line(area, pointTw(FrameRight, FrameTop), pointTw(FrameRight, FrameBottom));
    Label2 = titleLabel(area, rectTw(600, 285, 7815, 735), bgr(0x000000FF));
    Label3 = captionLabel(area, rectTw(4800, 2760, 1215, 255), QStringLiteral("Created By:"));
    Label4 = plainLabel(area, rectTw(6120, 2760, 2415, 255), Author);
    Label5 = captionLabel(area, rectTw(4800, 3240, 1215, 255), QStringLiteral("Create Date:"));
    Label6 = plainLabel(area, rectTw(6120, 3240, 2415, 255), CreateDate);
    Label7 = captionLabel(area, rectTw(4800, 3720, 1215, 255), QStringLiteral("Version:"));
    Label8 = plainLabel(area, rectTw(6120, 3720, 2415, 255), VersionText);
    Image1 = new Image(area, rectTw(1080, 1320, 3000, 2880));
    Timer1 = new Timer(window(), CloseAfterMs, true);
    connect(Timer1, &Timer::timer, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Form_Load() {
    Image1->setPicture(LoadPicture(shell::SplashPicture));
    Global::PlayWave(shell::WelcomeSound, false);
}

void frmSplash::Timer1_Timer() {
    unload();
}

void frmSplash::Form_KeyPress(const QString&) {
    unload();
}

bool frmSplash::previewKey(QKeyEvent* event) {
    // Only keys that produce a character close the splash; Shift, arrows and function keys do not.
    if (event->text().isEmpty())
        return false;
    Form_KeyPress(event->text());
    return true;
}
