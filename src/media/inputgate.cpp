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

// ---- StampGate -------------------------------------------------------------------------------------------

void StampGate::blockEnded(std::int64_t now) {
    if (offset() == None)
        return;
    m_cutoff = now - offset();
    m_armed = true;
}

bool StampGate::admit(std::uint32_t stamp, std::int64_t now) {
    // Timestamps are compared modulo 2^32, around where the estimate says this one should be: a wrap of
    // the window system's clock is just one more millisecond.
    std::int64_t unwrapped = stamp;
    if (offset() != None) {
        const std::int64_t expected = now - offset();
        unwrapped = expected + std::int32_t(stamp - std::uint32_t(expected));
    }

    // The smallest delay of the last one or two windows. A window without input keeps what came before.
    if (now - m_windowStart >= SampleWindowMs) {
        if (m_currentMinimum != None)
            m_previousMinimum = m_currentMinimum;
        m_currentMinimum = None;
        m_windowStart = now;
    }
    m_currentMinimum = std::min(m_currentMinimum, now - unwrapped);

    if (!m_armed)
        return true;
    if (unwrapped > m_cutoff) {
        // Events arrive in the order they were given: once one is newer, the backlog is gone.
        m_armed = false;
        return true;
    }
    return false;
}

// ---- InputGate -------------------------------------------------------------------------------------------

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
    m_gate = StampGate();
}

void InputGate::blockEnded() {
    if (m_enabled)
        m_gate.blockEnded(m_clock.elapsed());
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    if (!m_enabled || !isUserInput(event->type()))
        return QObject::eventFilter(watched, event);
    // The window system's timestamps are 32 bits wide on X; Qt widens them without unwrapping.
    const auto stamp = std::uint32_t(static_cast<QInputEvent*>(event)->timestamp());
    if (m_gate.admit(stamp, m_clock.elapsed()))
        return false;
    // An accepted shortcut override keeps the key from firing an access key on its way to being dropped.
    event->accept();
    return true;
}
