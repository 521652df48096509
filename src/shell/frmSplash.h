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

    QPointer<Timer> Timer1;
    QPointer<Image> Image1;
    QPointer<Label> Label1;
    QPointer<Label> Label2;
    QPointer<Label> Label3;
    QPointer<Label> Label4;
    QPointer<Label> Label5;
    QPointer<Label> Label6;
    QPointer<Label> Label7;
    QPointer<Label> Label8;

protected:
    void build() override;
    bool previewKey(QKeyEvent* event) override;
};
