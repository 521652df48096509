// Drops the clicks and keys a child gave while a sound blocked the program, instead of replaying them
// one after another once it ends. Events carry the window system's timestamps; the gate maps them to its
// own clock by the smallest delay it has seen between an event's timestamp and its delivery.
#pragma once

#include <limits>
#include <QElapsedTimer>
#include <QObject>

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

    // The gate's own clock, in ms; tests use it to stamp events.
    qint64 now() const { return m_clock.elapsed(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputGate();

    QElapsedTimer m_clock;
    bool m_enabled = false;
    bool m_armed = false;
    qint64 m_cutoff = 0;                                          // last timestamp to drop while armed
    qint64 m_smallestOffset = std::numeric_limits<qint64>::max(); // local time minus event timestamp
};
