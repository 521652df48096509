#include "app/frmMain.h"

#include "abc/frmABC.h"
#include "about/frmAbout.h"
#include "app/frmWords.h"
#include "app/mainmenulayout.h"
#include "forms/fonts.h"
#include "forms/units.h"
#include "hangman/frmHangman.h"
#include "shell/frmExit.h"
#include "shell/frmSplash.h"
#include "wordpot/frmWordpot.h"

#include <QMenuBar>

using namespace forms;
using namespace mainmenu::layout;

namespace {
const FormDesign Design{
    .caption = QStringLiteral("Welcome to Wordpot"),
    .clientTwips = ClientTwips,
    .border = BorderStyle::FixedSingle,
    .backColor = Qt::white,
};
CommandButton* pictureButton(QWidget* parent, QRect geometry) {
    auto* button = new CommandButton(parent, geometry);
    button->setGraphical(true);
    button->setBackColor(Qt::white);
    button->setFont(font(FontFace::MsSansSerif, 18, true));
    return button;
}
} // namespace

frmMain::frmMain()
    : Form(Design) {}

void frmMain::build() {
    // The buttons show their names only in pictures; a screen reader needs them in words.
    cmdABC = pictureButton(client(), ABCButton);
    cmdABC->setAccessibleName(QStringLiteral("ABC's"));
    cmdWordpot = pictureButton(client(), WordpotButton);
    cmdWordpot->setAccessibleName(QStringLiteral("Wordpot"));
    cmdWordpot->setPicture(builtInPicture(QStringLiteral(":/pictures/cmdwordpot.png")));
    cmdHangman = pictureButton(client(), HangmanButton);
    cmdHangman->setAccessibleName(QStringLiteral("Hangman"));
    cmdHangman->setPicture(builtInPicture(QStringLiteral(":/pictures/cmdhangman.gif")));
    cmdHangman->setFont(font(FontFace::MsSansSerif, 8.25));
    Image1 = new Image(client(), StopSign);
    Image1->setPicture(builtInPicture(QStringLiteral(":/pictures/stop.gif")));
    Image1->setAccessibleName(QStringLiteral("Stop"));
    cmdABC->setFocus();

    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);
    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    // A parent's menu of its own, so that the child's File and Help stay as they always were.
    mnuWordsMenu = bar->addMenu(QStringLiteral("&Words"));
    mnuWords = mnuWordsMenu->addAction(QStringLiteral("&Choose words..."));
    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About Wordpot"));

    connect(cmdABC, &CommandButton::clicked, this, &frmMain::cmdABC_Click);
    connect(cmdWordpot, &CommandButton::clicked, this, &frmMain::cmdWordpot_Click);
    connect(cmdHangman, &CommandButton::clicked, this, &frmMain::cmdHangman_Click);
    connect(Image1, &Image::clicked, this, &frmMain::Image1_Click);
    connect(mnuWords, &QAction::triggered, this, &frmMain::mnuWords_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

void frmMain::Form_Load() {
    cmdABC->setPicture(LoadResPicture(102));
    Forms::get<frmSplash>().showModal();
}

void frmMain::cmdABC_Click() {
    openActivity<frmABC>();
}

void frmMain::cmdWordpot_Click() {
    openActivity<frmWordpot>();
}

void frmMain::cmdHangman_Click() {
    openActivity<frmHangman>();
}

void frmMain::Image1_Click() {
    Forms::get<frmExit>().showModal();
}

void frmMain::mnuExit_Click() {
    Forms::get<frmExit>().showModal();
}

void frmMain::mnuWords_Click() {
    Forms::get<frmWords>().showModal();
}

void frmMain::mnuAbout_Click() {
    Forms::get<frmAbout>().showModal();
}
