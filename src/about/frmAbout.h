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

    QPointer<QWidget> picIcon;              // the program's icon in a sunken box
    QPointer<forms::CommandButton> cmdOK;   // closes the box; also Enter and Escape
    QPointer<forms::Label> Label1;          // the credit line
    QPointer<forms::Label> lblDescription;  // the note to parents
    QPointer<forms::Label> lblTitle;        // the program's title
    QPointer<forms::Label> lblVersion;      // "Version" and the program's version
    forms::ControlArray<forms::Line> Line1; // the white rule above OK

protected:
    void build() override;
};
