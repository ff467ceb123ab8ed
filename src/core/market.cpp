#include "core/market.h"

#include "core/boxlines.h"
#include "core/clock.h"
#include "core/services.h"

namespace marvesto {

Market::Market(Clock &clock, Random &random, QObject *parent)
    : BoxListPart(clock, parent),
      m_random(random),
      m_tickTimer(addTimer("tickTimer", kTickMs, true))
{
    connect(&m_tickTimer, &Timer::tick, this, &Market::tick);
}

void Market::reset()
{
    clearLines();
}

QString Market::lineOf(const Box &box) const
{
    return marketLine(box);
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
    emit taxTaken(m_random.drawUpTo(kHighestTax));
}

void Market::offerNewBox()
{
    if (count() > kMostLines)
        clearLines();
    const QChar letter(static_cast<char16_t>(u'A' + m_random.drawUpTo(kNameLetters) - 1));
    const int price = m_random.drawUpTo(kPriceSpread) - 1 + kLowestPrice;
    addBox({.number = count(), .letter = letter, .price = price});
    emit boxOffered(count() - 1);
}

} // namespace marvesto
