#pragma once

#include "core/amounts.h"
#include "core/logpart.h"

#include <QString>

namespace marvesto {

// The manager console: the capital, the log of what happened, the command
// line and its interpreter, and the timer of the bankruptcy watch.
class Console : public LogPart {
    Q_OBJECT
public:
    // A fresh console's capital: whatever the player asked for at the start,
    // reopening the console shows this.
    static constexpr double kCapitalAtOpening = 50000;
    // The watch looks as often as the clock allows.
    static constexpr int kWatchPeriodMs = 1;

    explicit Console(Clock &clock, QObject *parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    // "Manager:<name>", once the player has said who plays.
    void setPlayer(const QString &name);

    // The capital as the console shows it.
    QString capital() const { return m_capital.text(); }
    // The capital as the rules read it: a number, or a text that reads as none.
    const Amount &account() const { return m_capital; }
    void setCapital(const Amount &capital);
    // A capital that reads as no number stays as it is.
    void addToCapital(double amount);
    // "Il tuo Capitale:<capital> €", a line of the log.
    QString capitalLine() const;

    // The lines each change of the capital writes, with the change itself.
    void takeTax(int tax);
    // A won auction's cost, negative.
    void payForBox(double cost);
    // An opened box: what was paid for it and what its contents are worth.
    // The log starts afresh.
    void cashInBox(double paid, double value);
    void creditSale(double amount);

    // How many boxes the market and the won boxes list, as the commands need.
    void setBoxesForSale(int count) { m_boxesForSale = count; }
    void setWonBoxes(int count) { m_wonBoxes = count; }

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
    void commandChanged();
    // "sell" chose the first won box: the player goes on there.
    void firstWonBoxChosen();
    // A command was run, whatever it was.
    void commandRun();
    // The command named the market line at this position: its auction opens.
    void boxChosen(int position);

protected:
    void reset() override;

private:
    Timer &m_watchTimer;
    QString m_title;
    Amount m_capital{kCapitalAtOpening};
    QString m_command;
    int m_boxesForSale = 0;
    int m_wonBoxes = 0;
};

} // namespace marvesto
