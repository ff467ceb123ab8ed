#include "core/console.h"

#include "core/amounts.h"
#include "core/auction.h"
#include "core/boxlines.h"
#include "core/market.h"
#include "core/wonboxes.h"

namespace marvesto {

Console::Console(Clock &clock, Market &market, WonBoxes &wonBoxes, Auction &auction,
                 QObject *parent)
    : GamePart(clock, parent),
      m_market(market),
      m_wonBoxes(wonBoxes),
      m_auction(auction),
      m_watchTimer(addTimer("watchTimer", kWatchPeriodMs, true))
{
}

void Console::reset()
{
    setTitle(kTitle);
    setCapital(kCapitalAtOpening);
    setLog(QString());
    setCommand(QString());
}

void Console::setTitle(const QString &title)
{
    if (change(m_title, title))
        emit titleChanged();
}

void Console::setCapital(const QString &text)
{
    if (change(m_capital, text))
        emit capitalChanged();
}

void Console::addToCapital(double amount)
{
    if (const auto capital = readAmount(m_capital))
        setCapital(writeAmount(*capital + amount));
}

QString Console::capitalLine() const
{
    return QStringLiteral("Il tuo Capitale:") + m_capital + QStringLiteral(" \u20AC\r\n");
}

void Console::setLog(const QString &text)
{
    if (!change(m_log, text))
        return;
    emit logChanged();
    emit logReplaced(text);
}

void Console::appendLog(const QString &text)
{
    // Grows in place: no copy of the whole log to compare with.
    if (text.isEmpty())
        return;
    m_log += text;
    emit logChanged();
    emit logAppended(text);
}

void Console::setCommand(const QString &text)
{
    if (change(m_command, text))
        emit commandChanged();
}

void Console::sell()
{
    setCommand(QStringLiteral("sell"));
    runCommand();
}

void Console::runCommand()
{
    // Any command gives the buyers a chance to make an offer.
    m_wonBoxes.armOfferCheck();

    if (m_command.toLower() == QStringLiteral("sell")) {
        if (m_wonBoxes.count() > 0)
            emit firstWonBoxChosen();
        setCommand(QString());
        return;
    }

    if (const auto number = readAmount(m_command)) {
        if (*number > m_market.count() - 1) {
            setCommand(QString());
            return;
        }
        // A position that names no line leaves the command as typed.
        const auto position = toInt16(*number);
        if (!position || *position < 0 || m_market.line(*position).isEmpty())
            return;
        openAuction(*position);
        setCommand(QString());
        return;
    }

    setCommand(QString());
}

void Console::openAuction(int position)
{
    const QString line = m_market.line(position);
    m_auction.open();
    m_auction.setLog(line + QStringLiteral("\r\n"));
    m_auction.followLog();
    m_auction.setPrice(priceOfLastSeven(line));
    m_market.removeLine(position);
}

} // namespace marvesto
