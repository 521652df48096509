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

    QPointer<Timer> Timer1; // closes the splash after five seconds
    QPointer<Image> Image1; // the splash picture
    QPointer<Label> Label1; // the title in black: the shadow
    QPointer<Label> Label2; // the title in red, over its shadow
    QPointer<Label> Label3; // "Created By:"
    QPointer<Label> Label4; // the authors
    QPointer<Label> Label5; // "Create Date:"
    QPointer<Label> Label6; // the month and year
    QPointer<Label> Label7; // "Version:"
    QPointer<Label> Label8; // the version

protected:
    void build() override;
    bool previewKey(QKeyEvent* event) override;
};
