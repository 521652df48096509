#include "media/inputgate.h"

#include <QGuiApplication>
#include <QInputEvent>

namespace {
bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}
} // namespace

InputGate::InputGate() {
    m_clock.start();
}

InputGate& InputGate::instance() {
    static InputGate gate;
    return gate;
}

void InputGate::install() {
    static bool installed = false;
    if (installed || QCoreApplication::instance() == nullptr)
        return;
    installed = true;
    InputGate& gate = instance();
    const QString platform = QGuiApplication::platformName();
    gate.setEnabled(platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"));
    QCoreApplication::instance()->installEventFilter(&gate);
}

void InputGate::setEnabled(bool enabled) {
    m_enabled = enabled;
    m_armed = false;
}

void InputGate::blockEnded() {
    if (!m_enabled || m_smallestOffset == std::numeric_limits<qint64>::max())
        return;
    m_cutoff = now() - m_smallestOffset;
    m_armed = true;
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    if (!m_enabled || !isUserInput(event->type()))
        return QObject::eventFilter(watched, event);
    const qint64 stamp = qint64(static_cast<QInputEvent*>(event)->timestamp());
    m_smallestOffset = std::min(m_smallestOffset, now() - stamp);
    if (!m_armed)
        return false;
    if (stamp > m_cutoff) {
        // Events arrive in the order they were given: once one is newer, the backlog is gone.
        m_armed = false;
        return false;
    }
    // An accepted shortcut override keeps the key from firing an access key on its way to being dropped.
    event->accept();
    return true;
}
