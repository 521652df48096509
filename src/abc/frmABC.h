// frmABC: the letter explorer. It owns the 26 letter tiles, the one-letter input box, the letter's picture,
// its word and the big letter pairs in the corners, and remembers the last picture across openings.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

#include <QPointer>
#include <QString>

class frmABC final : public Form {
    Q_OBJECT
public:
    frmABC();

    void Form_Load() override;
    void lblabc_Click(int Index);
    void Text1_Change();
    void Image1_Click();
    void Label1_Click(int Index);
    void Image2_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void ShowBigLetters();

    ControlArray<Label> lblabc;
    QPointer<TextBox> Text1;
    QPointer<Image> Image2;
    QPointer<Image> Image1;
    QPointer<Label> Label2;
    ControlArray<Label> Label1;
    QPointer<Timer> Timer1;
    QPointer<Timer> Timer2;

    // Members of the window object, not of its controls: they outlive a close and a reopening.
    QString CurrentPicture;
    bool PictureClickArmed = false;

protected:
    void build() override;
};
