// frmSplash: the greeting shown while the main menu loads. It owns the title, picture and credits, starts
// the welcome sound, and closes on its first timer tick or at the first key that produces a character.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class frmSplash final : public Form {
    Q_OBJECT
public:
    frmSplash();

    void Form_Load() override;
    void Form_KeyPress(const QString& text);
    void Timer1_Timer();

    QPointer<forms::Timer> Timer1; // closes the splash after five seconds
    QPointer<forms::Image> Image1; // the splash picture
    QPointer<forms::Label> Label1; // the title in black: the shadow
    QPointer<forms::Label> Label2; // the title in red, over its shadow
    QPointer<forms::Label> Label3; // "Created By:"
    QPointer<forms::Label> Label4; // the authors
    QPointer<forms::Label> Label5; // "Create Date:"
    QPointer<forms::Label> Label6; // the month and year
    QPointer<forms::Label> Label7; // "Version:"
    QPointer<forms::Label> Label8; // the version

protected:
    void build() override;
    bool previewKey(QKeyEvent* event) override;
};
