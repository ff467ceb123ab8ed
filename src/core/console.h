#pragma once

#include "core/gamepart.h"

#include <QString>

namespace marvesto {

class Auction;
class Market;
class WonBoxes;

// The manager console: the capital, the log of what happened, the command
// line and its interpreter, and the timer of the bankruptcy watch.
class Console : public GamePart {
    Q_OBJECT
public:
    // A fresh console's capital: whatever the player asked for at the start,
    // reopening the console shows this.
    static inline const QString kCapitalAtOpening = QStringLiteral("50000");
    static inline const QString kTitle = QStringLiteral("Manager");
    // The watch looks as often as the clock allows.
    static constexpr int kWatchPeriodMs = 1;

    Console(Clock &clock, Market &market, WonBoxes &wonBoxes, Auction &auction,
            QObject *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);

    // The capital as text: the rules read it as an amount and write it back.
    QString capital() const { return m_capital; }
    void setCapital(const QString &text);
    // A capital that reads as no number stays as it is.
    void addToCapital(double amount);
    // "Il tuo Capitale:<capital> €", a line of the log.
    QString capitalLine() const;

    // The log, line breaks as CR LF.
    QString log() const { return m_log; }
    void setLog(const QString &text);
    void appendLog(const QString &text);
    // Asks the log's view to show its end, caret included.
    void followLog() { emit logFollowed(); }

    QString command() const { return m_command; }
    void setCommand(const QString &text);
    // Runs the command line: "sell" chooses the first won box, a market line's
    // number opens its auction; anything else is cleared.
    void runCommand();
    // F1 and the "F1-Vendi" label.
    void sell();

    Timer &watchTimer() { return m_watchTimer; }

signals:
    void titleChanged();
    void capitalChanged();
    void logChanged();
    // What changed: text added at the end, or the whole new log.
    void logAppended(const QString &text);
    void logReplaced(const QString &text);
    void logFollowed();
    void commandChanged();
    // "sell" chose the first won box: the player goes on there.
    void firstWonBoxChosen();

protected:
    void reset() override;

private:
    void openAuction(int position);

    Market &m_market;
    WonBoxes &m_wonBoxes;
    Auction &m_auction;
    Timer &m_watchTimer;
    QString m_title = kTitle;
    QString m_capital = kCapitalAtOpening;
    QString m_log;
    QString m_command;
};

} // namespace marvesto
