#pragma once

#include "core/clock.h"
#include "core/services.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <random>

namespace marvesto::test {

// Time that moves only when a test says so. advance() fires every due tick in
// time order, one at a time, and looks again at which timers run after each.
class VirtualClock : public Clock {
public:
    std::unique_ptr<ClockSlot> createSlot(std::function<void()> onTick) override;
    int minimumPeriodMs() const override { return m_minimumPeriod; }
    qint64 nowMs() const override { return m_now; }
    // A fixed moment, moving on with the virtual time.
    QDateTime wallTime() const override { return kWallStart.addMSecs(m_now); }
    static inline const QDateTime kWallStart{QDate(2026, 3, 14), QTime(9, 30), Qt::UTC};
    void setMinimumPeriod(int ms) { m_minimumPeriod = ms; }

    void advance(qint64 ms);
    qint64 now() const { return m_now; }
    // Time until the next tick of any running timer, or -1 when none runs.
    qint64 nextDueIn() const;

private:
    friend class VirtualSlot;
    struct Entry {
        std::function<void()> onTick;
        qint64 due = 0;
        qint64 period = 0;
        quint64 order = 0;
        bool running = false;
    };
    std::map<int, Entry> m_entries;
    qint64 m_now = 0;
    quint64 m_starts = 0;
    int m_nextId = 0;
    int m_minimumPeriod = 1;
};

// Answers input and message boxes from a script; each answer may run a step
// while its box is open (timers tick during modal boxes).
class ScriptedDialogs : public Dialogs {
public:
    struct Input {
        QString prompt, title, defaultAnswer;
    };
    struct Message {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    // An empty answer is what Cancel gives.
    void answerInput(const QString &answer, std::function<void()> whileOpen = {});
    void answerMessage(Answer answer, std::function<void()> whileOpen = {});
    // Answers for boxes past the end of the script.
    std::function<QString(const Input &)> inputFallback;
    std::function<Answer(const Message &)> messageFallback;

    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                      const QString &title) override;
    void about(const QString &title, const QString &text) override
    {
        abouts.push_back({title, text});
    }
    std::vector<std::pair<QString, QString>> abouts;

    std::vector<Input> inputs;
    std::vector<Message> messages;
    int unscripted = 0;
    int openBoxes = 0;

private:
    std::deque<std::pair<QString, std::function<void()>>> m_inputs;
    std::deque<std::pair<Answer, std::function<void()>>> m_messages;
};

// Draws from a script first, then from a seeded generator.
class ScriptedRandom : public Random {
public:
    explicit ScriptedRandom(quint32 seed = 1) : m_engine(seed) {}
    void script(std::initializer_list<float> draws);
    void reseed() override { ++reseeds; }
    float next() override;
    std::size_t scriptedLeft() const { return m_script.size(); }

    int reseeds = 0;
    int draws = 0;

private:
    std::deque<float> m_script;
    std::mt19937 m_engine;
};

// The largest single-precision draw below 1.
constexpr float kAlmostOne = 0.99999994f;

class RecordingSound : public SoundOutput {
public:
    void play(const QString &path) override;
    QStringList paths;
    // The cue names played, in order ("5", "1", ...).
    QStringList cues() const;
};

class FolderFiles : public Files {
public:
    explicit FolderFiles(QString folder) : m_folder(std::move(folder)) {}
    QString programFolder() const override { return m_folder; }
    bool canRead(const QString &path) const override;

private:
    QString m_folder;
};

class RecordingSession : public Session {
public:
    void endNow() override { ++endings; }
    int endings = 0;
};

} // namespace marvesto::test
