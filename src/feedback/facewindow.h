// FaceWindow: the one implementation of the two feedback windows. It owns the face, the tick count and
// the timer: once a second it plays the next step of its animation table, it closes itself on the tick
// after the last step, and a click on the face closes it at once. frmHappyFace and frmSadface give it
// their design, faces and table.
#pragma once

#include "feedback/faces.h"
#include "forms/controls.h"
#include "forms/form.h"

#include <span>

namespace feedback {

class FaceWindow : public Form {
    Q_OBJECT
public:
    void Form_Load() override;
    void Timer1_Timer();

    qint16 Ticks = 0;              // the number of the next timer tick
    QPointer<forms::Timer> Timer1; // once a second, the next step of the animation

protected:
    struct Animation {
        FormDesign design;
        QRect face;          // where the face is stretched to, in pixels
        QString builtInFace; // the face shown until the first tick
        QString faceName;    // what a screen reader calls the face
        QString cursor;      // an icon whose face points from its middle
        std::span<const FaceStep> steps;
        bool soundFirst; // whether a tick starts its sound before it changes the face
    };
    explicit FaceWindow(const Animation& animation);
    void build() override;
    // The window's own click handler of its face.
    virtual void faceClick() = 0;

    QPointer<forms::Image> m_face;

private:
    Animation m_animation;
};

} // namespace feedback
