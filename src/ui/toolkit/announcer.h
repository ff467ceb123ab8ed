#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <vector>

class QWidget;

namespace marvesto {

// Tells a screen reader what happens in the game, politely and without moving
// the focus: what is said during one turn of the event loop (a tax and the
// new capital, say) is gathered into one message, line by line.
class Announcer : public QObject {
    Q_OBJECT
public:
    // Messages come from `window`, the game's main window.
    explicit Announcer(QWidget &window, QObject *parent = nullptr);
    ~Announcer() override;

    // Lines end in CR LF, as the game writes them; blank lines are dropped.
    // A source's text is said after what it said before in the same turn...
    void say(const QString &text, const QObject *source = nullptr);
    // ...unless it replaces it: a log rewritten at once is heard as it ends up.
    void sayInstead(const QString &text, const QObject *source);

signals:
    // A message, as it was handed to the screen reader.
    void announced(const QString &message);

private:
    void flush();

    struct Line {
        const QObject *source;
        QString text;
    };
    std::vector<Line> m_pending;
    class Notice;
    std::array<Notice *, 4> m_notices{};
    std::size_t m_next = 0;
};

} // namespace marvesto
