#include "ui/toolkit/announcer.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace marvesto {

// A message for a screen reader, never drawn: an accessible notification of
// the main window whose name is the message. Showing it is what Orca speaks,
// after whatever it is saying; text inserted into a log that has not the
// focus is not spoken. Qt's accessibility cache owns it once registered.
class Announcer::Notice : public QAccessibleInterface {
public:
    explicit Notice(QWidget &window) : m_window(&window)
    {
        QAccessible::registerAccessibleInterface(this);
    }

    void show(const QString &message)
    {
        m_message = message;
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

    bool isValid() const override { return !m_window.isNull(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_window.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_message : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> m_window;
    QString m_message;
};

Announcer::Announcer(QWidget &window, QObject *parent) : QObject(parent)
{
    for (Notice *&notice : m_notices)
        notice = new Notice(window);
}

Announcer::~Announcer()
{
    for (Notice *notice : m_notices)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(notice));
}

void Announcer::say(const QString &text, const QObject *source)
{
    const bool wasEmpty = m_pending.empty();
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            m_pending.push_back({source, trimmed});
    }
    if (wasEmpty && !m_pending.empty())
        QTimer::singleShot(0, this, &Announcer::flush);
}

void Announcer::sayInstead(const QString &text, const QObject *source)
{
    std::erase_if(m_pending, [source](const Line &line) { return line.source == source; });
    say(text, source);
}

void Announcer::flush()
{
    if (m_pending.empty())
        return;
    QStringList lines;
    for (const Line &line : m_pending)
        lines.append(line.text);
    m_pending.clear();
    const QString message = lines.join(u'\n');
    // Orca drops a notice's earlier showing still waiting in its queue, so
    // messages that follow one another closely go round several notices.
    m_notices[m_next]->show(message);
    m_next = (m_next + 1) % m_notices.size();
    emit announced(message);
}

} // namespace marvesto
