#include "doubles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace marvesto::test {

class VirtualSlot final : public ClockSlot {
public:
    VirtualSlot(VirtualClock &clock, int id) : m_clock(clock), m_id(id) {}
    ~VirtualSlot() override { m_clock.m_entries.erase(m_id); }
    void start(int periodMs) override { startAfter(periodMs, periodMs); }
    void startAfter(int firstMs, int periodMs) override
    {
        VirtualClock::Entry &e = m_clock.m_entries[m_id];
        e.running = true;
        e.period = periodMs;
        e.due = m_clock.m_now + firstMs;
        e.order = ++m_clock.m_starts;
    }
    void stop() override { m_clock.m_entries[m_id].running = false; }

private:
    VirtualClock &m_clock;
    int m_id;
};

std::unique_ptr<ClockSlot> VirtualClock::createSlot(std::function<void()> onTick)
{
    const int id = m_nextId++;
    m_entries[id].onTick = std::move(onTick);
    return std::make_unique<VirtualSlot>(*this, id);
}

qint64 VirtualClock::nextDueIn() const
{
    qint64 best = -1;
    for (const auto &[id, e] : m_entries) {
        if (e.running && (best < 0 || e.due - m_now < best))
            best = e.due - m_now;
    }
    return best;
}

void VirtualClock::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    for (;;) {
        auto next = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            const Entry &e = it->second;
            if (!e.running || e.due > target)
                continue;
            if (next == m_entries.end() || e.due < next->second.due
                || (e.due == next->second.due && e.order < next->second.order))
                next = it;
        }
        if (next == m_entries.end())
            break;
        Entry &e = next->second;
        m_now = std::max(m_now, e.due);
        e.due += e.period;
        const auto onTick = e.onTick; // the slot may go during its own tick
        onTick();
    }
    m_now = std::max(m_now, target);
}

void ScriptedDialogs::answerInput(const QString &answer, std::function<void()> whileOpen)
{
    m_inputs.emplace_back(answer, std::move(whileOpen));
}

void ScriptedDialogs::answerMessage(Answer answer, std::function<void()> whileOpen)
{
    m_messages.emplace_back(answer, std::move(whileOpen));
}

QString ScriptedDialogs::inputBox(const QString &prompt, const QString &title,
                                  const QString &defaultAnswer)
{
    inputs.push_back({prompt, title, defaultAnswer});
    if (m_inputs.empty()) {
        ++unscripted;
        return inputFallback ? inputFallback(inputs.back()) : QString();
    }
    auto [answer, whileOpen] = m_inputs.front();
    m_inputs.pop_front();
    ++openBoxes;
    if (whileOpen)
        whileOpen();
    --openBoxes;
    return answer;
}

Dialogs::Answer ScriptedDialogs::messageBox(const QString &text, Buttons buttons, Icon icon,
                                            const QString &title)
{
    messages.push_back({text, buttons, icon, title});
    if (m_messages.empty()) {
        ++unscripted;
        if (messageFallback)
            return messageFallback(messages.back());
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    auto [answer, whileOpen] = m_messages.front();
    m_messages.pop_front();
    ++openBoxes;
    if (whileOpen)
        whileOpen();
    --openBoxes;
    return answer;
}

void ScriptedRandom::script(std::initializer_list<float> draws)
{
    m_script.insert(m_script.end(), draws.begin(), draws.end());
}

float ScriptedRandom::next()
{
    ++draws;
    if (!m_script.empty()) {
        const float r = m_script.front();
        m_script.pop_front();
        return r;
    }
    return unitFloat(m_engine());
}

void RecordingSound::play(const QString &path)
{
    paths << path;
}

QStringList RecordingSound::cues() const
{
    QStringList names;
    for (const QString &p : paths)
        names << QFileInfo(p).completeBaseName();
    return names;
}

bool FolderFiles::canRead(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

} // namespace marvesto::test
