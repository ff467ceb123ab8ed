#include "core/console.h"

#include "core/amounts.h"
#include "core/clock.h"

namespace marvesto {

namespace {
const QString kEuroLine = QStringLiteral(" \u20AC\r\n");
}

Console::Console(Clock &clock, QObject *parent)
    : LogPart(clock, parent), m_watchTimer(addTimer("watchTimer", kWatchPeriodMs, true))
{
}

void Console::reset()
{
    setTitle(tr("Manager"));
    setCapital(Amount(kCapitalAtOpening));
    setLog(QString());
    setCommand(QString());
}

void Console::setPlayer(const QString &name)
{
    setTitle(tr("Manager") + QStringLiteral(":") + name);
}

void Console::setTitle(const QString &title)
{
    if (change(m_title, title))
        emit titleChanged();
}

void Console::setCapital(const Amount &capital)
{
    if (change(m_capital, capital))
        emit capitalChanged();
}

void Console::addToCapital(double amount)
{
    setCapital(m_capital.plus(amount));
}

QString Console::capitalLine() const
{
    return tr("Il tuo Capitale:") + m_capital.text() + QStringLiteral(" \u20AC\r\n");
}

void Console::takeTax(int tax)
{
    addToCapital(-tax);
    appendLog(tr("Tax:") + QString::number(tax) + QStringLiteral("\r\n"));
    appendLog(capitalLine());
    followLog();
}

void Console::payForBox(double cost)
{
    appendLog(tr("Costo complessivo del Box: ") + writeAmount(cost) + kEuroLine);
    addToCapital(cost);
    appendLog(QStringLiteral("\r\n") + tr("Il tuo capitale attuale: ") + m_capital.text()
              + kEuroLine);
}

void Console::cashInBox(double paid, double value)
{
    setLog(QStringLiteral("\r\n") + tr("Hai Pagato:") + writeAmount(paid)
           + QStringLiteral(" \u20AC\r\n\r\n"));
    appendLog(tr("Valore degli oggetti nel Box:") + writeAmount(value)
              + QStringLiteral(" \u20AC\r\n\r\n"));
    appendLog(tr("Il tuo guadagno è stato di:") + writeAmount(value - paid)
              + QStringLiteral(" \u20AC\r\n\r\n"));
    // The whole value is credited: the price was charged when the auction was won.
    addToCapital(value);
    appendLog(capitalLine());
    followLog();
}

void Console::creditSale(double amount)
{
    appendLog(QStringLiteral("\r\n"));
    appendLog(tr("Hai guadagnato ") + writeAmount(amount) + kEuroLine);
    addToCapital(amount);
    followLog();
}

void Console::setCommand(const QString &text)
{
    if (change(m_command, text))
        emit commandChanged();
}

void Console::sell()
{
    // The command is "sell" in every language.
    setCommand(QStringLiteral("sell"));
    runCommand();
}

void Console::runCommand()
{
    // Any command gives the buyers a chance to make an offer.
    emit commandRun();

    if (m_command.toLower() == QStringLiteral("sell")) {
        if (m_wonBoxes > 0)
            emit firstWonBoxChosen();
        setCommand(QString());
        return;
    }

    if (const auto number = readAmount(m_command)) {
        if (*number > m_boxesForSale - 1) {
            setCommand(QString());
            return;
        }
        // A position that names no line leaves the command as typed.
        const auto position = toInt16(*number);
        if (!position || *position < 0 || *position >= m_boxesForSale)
            return;
        emit boxChosen(*position);
        setCommand(QString());
        return;
    }

    setCommand(QString());
}

} // namespace marvesto
