// frmHappyFace: the answer to a correct word. A laughing face that plays its sound three times and
// closes itself on its sixth tick, or at a click on the face.
#pragma once

#include "feedback/facewindow.h"
#include "forms/units.h"

class frmHappyFace final : public feedback::FaceWindow {
    Q_OBJECT
public:
    frmHappyFace()
        : FaceWindow({.design = {.caption = QStringLiteral("Wordpot"),
                                 .clientTwips = {4650, 4365},
                                 .border = BorderStyle::FixedSingle,
                                 .backColor = Qt::white},
                      .face = forms::rectTw(120, 240, 4440, 3960),
                      .builtInFace = QStringLiteral(":/pictures/happyface.ico"),
                      .faceName = QStringLiteral("Happy face"),
                      .cursor = QStringLiteral(":/cursors/happy.ico"),
                      .steps = feedback::HappySteps,
                      .soundFirst = true}) {}

    void ImgHappyFace_Click() { unload(); }

    QPointer<forms::Image>& ImgHappyFace = m_face; // the face; a click closes the window

protected:
    void faceClick() override { ImgHappyFace_Click(); }
};
