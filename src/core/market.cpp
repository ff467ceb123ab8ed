#include "core/market.h"

#include "core/amounts.h"
#include "core/boxlines.h"
#include "core/console.h"
#include "core/services.h"

#include <cmath>

namespace marvesto {

Market::Market(Clock &clock, Random &random, Console &console, QObject *parent)
    : GamePart(clock, parent),
      m_random(random),
      m_console(console),
      m_tickTimer(addTimer("tickTimer", kTickMs, true))
{
    connect(&m_tickTimer, &Timer::tick, this, &Market::tick);
}

void Market::reset()
{
    clearLines();
}

QString Market::line(int position) const
{
    return position >= 0 && position < count() ? m_lines.at(position) : QString();
}

void Market::addLine(const QString &line)
{
    m_lines.append(line);
    emit lineAdded(count() - 1);
}

void Market::removeLine(int position)
{
    if (position < 0 || position >= count())
        return;
    m_lines.removeAt(position);
    emit lineRemoved(position);
}

void Market::clearLines()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    emit linesCleared();
}

void Market::tick()
{
    m_random.reseed();
    countTowardsTax();
    offerNewBox();
}

void Market::countTowardsTax()
{
    m_taxCounter = static_cast<qint16>(m_taxCounter + 1);
    if (m_taxCounter >= kTaxEveryTicks) {
        takeTax();
        m_taxCounter = 0;
    }
}

void Market::takeTax()
{
    const int tax = static_cast<int>(std::floor(m_random.next() * double(kHighestTax))) + 1;
    m_console.addToCapital(-tax);
    m_console.appendLog(QStringLiteral("Tax:") + QString::number(tax) + QStringLiteral("\r\n"));
    m_console.appendLog(QStringLiteral("Il tuo Capitale:") + m_console.capital()
                        + QStringLiteral(" \u20AC\r\n"));
    m_console.followLog();
}

void Market::offerNewBox()
{
    if (count() > kMostLines)
        clearLines();
    const QChar letter(
        static_cast<char16_t>(std::floor(m_random.next() * double(kNameLetters)) + 65));
    const int price =
        static_cast<int>(std::floor(m_random.next() * double(kPriceSpread))) + kLowestPrice;
    addLine(marketLine(count(), letter, price));
    emit boxOffered(count() - 1);
}

} // namespace marvesto
