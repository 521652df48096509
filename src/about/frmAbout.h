// frmAbout: the about box. It shows the program's icon, title and version, taken from the program's
// own identity at load, with a credit line and a note to parents; OK, Enter and Escape close it.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class frmAbout final : public Form {
    Q_OBJECT
public:
    frmAbout();

    void Form_Load() override;
    void cmdOK_Click();

    QPointer<QWidget> picIcon;
    QPointer<CommandButton> cmdOK;
    QPointer<Label> Label1;
    QPointer<Label> lblDescription;
    QPointer<Label> lblTitle;
    QPointer<Label> lblVersion;
    ControlArray<Line> Line1;

protected:
    void build() override;
};
