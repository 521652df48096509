// frmHappyFace: the answer to a correct word. It owns the tick count and the timer that swaps its face
// and plays its sound once a second, and it closes itself on its sixth tick or at a click on the face.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class frmHappyFace final : public Form {
    Q_OBJECT
public:
    frmHappyFace();

    void Form_Load() override;
    void Timer1_Timer();
    void ImgHappyFace_Click();

    // The number of the next timer tick.
    qint16 Ticks = 0;

    QPointer<Timer> Timer1;
    QPointer<Image> ImgHappyFace;

protected:
    void build() override;
};
