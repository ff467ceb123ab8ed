#include "keylatency.h"

#include "wait.h"
#include "xhelpers.h"

#include <QKeyEvent>
#include <QProcess>
#include <QWidget>

namespace bench {

KeyLatencyApp::KeyLatencyApp(int &argc, char **argv) : QApplication(argc, argv)
{
    installEventFilter(this);
}

double KeyLatencyApp::sinceServerTime(double localMs, quint32 serverMs) const
{
    // The server's time is the monotonic clock in whole milliseconds, modulo 2^32.
    const auto whole = static_cast<quint64>(localMs);
    const quint32 low = static_cast<quint32>(whole);
    return static_cast<double>(static_cast<quint32>(low - serverMs))
        + (localMs - static_cast<double>(whole));
}

bool KeyLatencyApp::eventFilter(QObject *watched, QEvent *event)
{
    if (m_watch.armed) {
        if (event->type() == QEvent::KeyPress && !m_watch.keySeen) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == m_watch.qtKey) {
                m_watch.keySeen = true;
                m_watch.keyServerMs = static_cast<quint32>(key->timestamp());
                const double delivery = sinceServerTime(nowMs(), m_watch.keyServerMs);
                if (delivery > 2000)
                    ++m_mismatches; // not the same clock: the figures would be meaningless
                m_delivery.push_back(delivery);
            }
        } else if (event->type() == QEvent::Paint && m_watch.keySeen && watched->isWidgetType()
                   && m_watch.painted(static_cast<QWidget *>(watched))) {
            m_watch.targetPainted = true;
        }
    }
    return QApplication::eventFilter(watched, event);
}

bool KeyLatencyApp::notify(QObject *receiver, QEvent *event)
{
    const bool repaint = event->type() == QEvent::UpdateRequest;
    const bool result = QApplication::notify(receiver, event);
    // The repaint of a top-level window paints its dirty widgets and flushes them to the server.
    if (repaint && m_watch.armed && m_watch.targetPainted && m_watch.doneMs < 0)
        m_watch.doneMs = nowMs();
    return result;
}

double KeyLatencyApp::measureKey(const QString &xdotoolKey, int qtKey,
                                 std::function<bool(QWidget *)> painted, double timeoutMs)
{
    m_watch = Watch{};
    m_watch.qtKey = qtKey;
    m_watch.painted = std::move(painted);
    m_watch.armed = true;
    if (!QProcess::startDetached(QStringLiteral("xdotool"), {QStringLiteral("key"), xdotoolKey})) {
        qWarning("cannot run xdotool");
        m_watch.armed = false;
        return -1;
    }
    const bool done = waitUntil([this] { return m_watch.doneMs >= 0; }, timeoutMs);
    m_watch.armed = false;
    if (!done)
        return -1;
    return sinceServerTime(m_watch.doneMs, m_watch.keyServerMs);
}

bool focusTopLevel(QWidget *window)
{
    window->raise();
    x11::focusWindow(window->winId());
    return waitUntil([window] { return window->isActiveWindow(); }, 3000);
}

bool within(const QWidget *root, const QWidget *widget)
{
    return root && widget && (root == widget || root->isAncestorOf(widget));
}

} // namespace bench
