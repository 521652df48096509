#include "feedback/facewindow.h"

#include "media/global.h"

#include <QCursor>

namespace feedback {

FaceWindow::FaceWindow(const Animation& animation)
    : Form(animation.design)
    , m_animation(animation) {}

void FaceWindow::build() {
    // The face itself points wherever the child points.
    const QPixmap cursor = forms::builtInPicture(m_animation.cursor).natural();
    const QSize size = forms::Picture::layoutSize(cursor); // the hot spot is in layout pixels too
    window()->setCursor(QCursor(cursor, size.width() / 2, size.height() / 2));
    m_face = new forms::Image(client(), m_animation.face);
    m_face->setStretch(true);
    m_face->setAccessibleName(m_animation.faceName);
    m_face->setPicture(forms::builtInPicture(m_animation.builtInFace));
    Timer1 = new forms::Timer(client(), TickIntervalMs, true);
    connect(m_face, &forms::Image::clicked, this, [this] { faceClick(); });
    connect(Timer1, &forms::Timer::timer, this, &FaceWindow::Timer1_Timer);
}

void FaceWindow::Form_Load() {
    Ticks = 1;
}

void FaceWindow::Timer1_Timer() {
    if (Ticks < 1 || Ticks > qint16(m_animation.steps.size())) {
        unload();
        return;
    }
    const FaceStep& step = m_animation.steps[std::size_t(Ticks - 1)];
    const auto playSound = [&step] {
        if (step.sound != nullptr)
            Global::PlayWave(MediaFile(QLatin1String(step.sound)), false);
    };
    if (m_animation.soundFirst)
        playSound();
    if (step.picture != nullptr)
        m_face->setPicture(forms::LoadPicture(MediaFile(QLatin1String(step.picture))));
    if (!m_animation.soundFirst)
        playSound();
    ++Ticks;
}

} // namespace feedback
