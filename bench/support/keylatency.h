#pragma once

// Key-to-screen latency on the real X platform. xdotool sends a key through the
// X server's XTEST extension, exactly as a keyboard would arrive; the server
// stamps the key event with its time in milliseconds (Xvfb reads it from
// CLOCK_MONOTONIC, the clock steady_clock reads here). The measurement ends
// when the event loop has finished the repaint, flush to the X server included,
// in which a chosen widget was painted after the key had arrived.

#include "stats.h"

#include <QApplication>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace bench {

class KeyLatencyApp : public QApplication {
public:
    KeyLatencyApp(int &argc, char **argv);

    // Sends one key with xdotool (key names as xdotool spells them) to the
    // window that has the X keyboard focus, waits until a widget for which
    // `painted` says yes has been painted after the key and the repaint has
    // ended, and returns the time since the key event, in ms; -1 on timeout.
    double measureKey(const QString &xdotoolKey, int qtKey, std::function<bool(QWidget *)> painted,
                      double timeoutMs = 3000);

    // Time from each measured key event to its delivery to the program (ms).
    const std::vector<double> &deliveryMs() const { return m_delivery; }
    int clockMismatches() const { return m_mismatches; }

    bool notify(QObject *receiver, QEvent *event) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watch {
        bool armed = false;
        int qtKey = 0;
        std::function<bool(QWidget *)> painted;
        bool keySeen = false;
        quint32 keyServerMs = 0;
        bool targetPainted = false;
        double doneMs = -1;
    };
    double sinceServerTime(double localMs, quint32 serverMs) const;

    Watch m_watch;
    std::vector<double> m_delivery;
    int m_mismatches = 0;
};

// Gives a top-level widget the X keyboard focus and waits until Qt sees it active.
bool focusTopLevel(QWidget *window);

// True when `widget` is `root` or lies inside it.
bool within(const QWidget *root, const QWidget *widget);

} // namespace bench
