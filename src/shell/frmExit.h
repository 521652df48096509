// frmExit: asks the child whether to leave. Yes says goodbye to its end and unloads every window, which
// ends the run; No and the close box go back to the main menu without a sound.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class frmExit final : public Form {
    Q_OBJECT
public:
    frmExit();

    void Form_Load() override;
    void cmdYes_Click();
    void cmdNo_Click();

    QPointer<forms::CommandButton> cmdYes; // says goodbye and ends the run
    QPointer<forms::CommandButton> cmdNo;  // back to the main menu
    QPointer<forms::Image> Image1;         // the stop sign with a question mark

protected:
    void build() override;
};
