#pragma once

#include <QObject>

#include <vector>

namespace marvesto {

class Clock;
class Timer;

// A part of the game that the player sees in a window of its own. It opens
// and closes with that window: each opening starts its state afresh and its
// timers as they start, and closing stops them. What a part keeps across
// openings (the market's tax counter, say) lives in plain members that
// reset() leaves alone.
class GamePart : public QObject {
    Q_OBJECT
public:
    explicit GamePart(Clock &clock, QObject *parent = nullptr);

    bool isOpen() const { return m_open; }
    // Nothing when open already.
    void open();
    // Nothing when closed: a part closing is closed already for whatever its
    // closing sets off.
    void close();
    void stopTimers();

signals:
    void opened();
    void closed();

protected:
    Clock &clock() const { return m_clock; }
    // A timer that restarts at each opening; its object name is its role.
    Timer &addTimer(const char *role, int intervalMs, bool onAtOpening);
    // The state as a fresh window shows it.
    virtual void reset() = 0;
    // Runs once the opening has been announced.
    virtual void afterOpening() {}

    // Sets a member of the state; true when its value changed, so that the
    // caller announces it.
    template <typename T>
    static bool change(T &member, const T &value)
    {
        if (member == value)
            return false;
        member = value;
        return true;
    }

private:
    Clock &m_clock;
    std::vector<Timer *> m_timers;
    bool m_open = false;
};

} // namespace marvesto
