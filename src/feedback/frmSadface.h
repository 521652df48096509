// frmSadface: the answer to a wrong word. A frowning face that plays its sound twice and closes itself on
// its fourth tick, or at a click on the face.
#pragma once

#include "feedback/facewindow.h"
#include "forms/units.h"

class frmSadface final : public feedback::FaceWindow {
    Q_OBJECT
public:
    frmSadface()
        : FaceWindow({.design = {.caption = QStringLiteral("Form1"),
                                 .clientTwips = {4620, 4335},
                                 .border = BorderStyle::Sizable,
                                 .backColor = Qt::white,
                                 .minMaxButtons = true},
                      .face = forms::rectTw(0, 240, 4575, 4095),
                      .builtInFace = QStringLiteral(":/pictures/sadface.ico"),
                      .faceName = QStringLiteral("Sad face"),
                      .cursor = QStringLiteral(":/cursors/sad.ico"),
                      .steps = feedback::SadSteps,
                      .soundFirst = false}) {}

    void ImgSadface_Click() { unload(); }

    QPointer<forms::Image>& ImgSadface = m_face; // the face; a click closes the window

protected:
    void faceClick() override { ImgSadface_Click(); }
};
