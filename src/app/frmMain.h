// frmMain: the main menu, the hub every activity, the exit confirmation and the about box open from.
// It owns the start-up sequence: the splash runs modally while it loads, before it is first shown.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/screen.h"

#include <QAction>
#include <QMenu>

class frmMain final : public Form {
    Q_OBJECT
public:
    frmMain();

    // Hourglass, then the activity modally; the activity's own load handler brings the arrow back.
    template <class Activity> static void openActivity() {
        Screen::setMousePointer(Screen::MousePointer::Hourglass);
        Forms::get<Activity>().showModal();
    }

    void Form_Load() override;
    void cmdABC_Click();
    void cmdWordpot_Click();
    void cmdHangman_Click();
    void Image1_Click();
    void mnuExit_Click();
    void mnuWords_Click();
    void mnuAbout_Click();

    QPointer<forms::CommandButton> cmdABC;     // opens the letter explorer
    QPointer<forms::CommandButton> cmdWordpot; // opens the spelling game
    QPointer<forms::CommandButton> cmdHangman; // opens Hangman
    QPointer<forms::Image> Image1;             // the stop sign: asks whether to leave
    QPointer<QMenu> mnuFile;
    QPointer<QMenu> mnuWordsMenu;
    QPointer<QMenu> mnuHelp;
    QPointer<QAction> mnuWords; // a parent chooses the words the games play with
    QPointer<QAction> mnuExit;  // asks whether to leave
    QPointer<QAction> mnuAbout; // the about box

protected:
    void build() override;
};
