// Drops the clicks and keys a child gave while a sound blocked the program, instead of replaying them
// one after another once it ends. Events carry the window system's timestamps: milliseconds on another
// clock, which on X are 32 bits wide and wrap every ~49.7 days of uptime. The gate maps them to its own
// clock by the smallest delay between a timestamp and its delivery seen lately, so it follows a wrap and
// a display clock that runs at a slightly different rate.
#pragma once

#include <cstdint>
#include <limits>
#include <QElapsedTimer>
#include <QObject>

// The rule itself, on explicit times: `now` is the gate's own clock in ms.
class StampGate {
public:
    // A blocking sound has just ended: input stamped before this moment is dropped.
    void blockEnded(std::int64_t now);
    // Whether an event with this window-system timestamp, delivered now, is taken.
    bool admit(std::uint32_t stamp, std::int64_t now);

private:
    static constexpr std::int64_t None = std::numeric_limits<std::int64_t>::max();
    // The delay estimate forgets samples older than two of these, so it follows a drifting clock.
    static constexpr std::int64_t SampleWindowMs = 10000;

    std::int64_t offset() const { return std::min(m_previousMinimum, m_currentMinimum); }

    bool m_armed = false;
    std::int64_t m_cutoff = 0; // the last unwrapped timestamp to drop while armed
    std::int64_t m_windowStart = 0;
    std::int64_t m_currentMinimum = None; // of now minus the unwrapped timestamp, in this window
    std::int64_t m_previousMinimum = None;
};

class InputGate : public QObject {
    Q_OBJECT
public:
    static InputGate& instance();

    // Installs the gate on the application. Platforms without real input (offscreen tests deliver their
    // events synchronously, never during a block) leave it disabled.
    static void install();

    // A blocking sound has just ended: input given before this moment is dropped.
    void blockEnded();

    void setEnabled(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputGate();

    QElapsedTimer m_clock;
    bool m_enabled = false;
    StampGate m_gate;
};
