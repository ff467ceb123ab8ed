#include "core/wonboxes.h"

#include "core/boxlines.h"
#include "core/clock.h"
#include "core/cues.h"
#include "core/services.h"

#include <algorithm>
#include <cmath>

namespace marvesto {

WonBoxes::WonBoxes(Clock &clock, Random &random, CuePlayer &cues, QObject *parent)
    : BoxListPart(clock, parent),
      m_random(random),
      m_cues(cues),
      m_offerTimer(addTimer("offerTimer", kOfferCheckMs, false))
{
    connect(&m_offerTimer, &Timer::tick, this, &WonBoxes::lookForBuyer);
}

void WonBoxes::reset()
{
    clearLines();
    setPrice(Amount());
}

QString WonBoxes::lineOf(const Box &box) const
{
    return wonBoxLine(box);
}

void WonBoxes::setPrice(const Amount &price)
{
    if (change(m_price, price))
        emit priceTextChanged();
}

bool WonBoxes::openBox(int position)
{
    if (position < 0 || position >= count())
        return false;
    m_random.reseed();

    const double paid = box(position).price;
    setPrice(Amount(paid));
    const double base = paid + kAppraisalMargin;
    const double draw = std::floor(base * m_random.next()) + 1;
    const double value = std::floor(draw * m_random.next()) + 1;

    emit boxOpened(paid, value);
    removeLine(position);
    m_cues.play(Cue::CashIn);
    return true;
}

void WonBoxes::armOfferCheck()
{
    open();
    m_offerTimer.setEnabled(true);
}

void WonBoxes::lookForBuyer()
{
    m_offerTimer.setEnabled(false);
    m_random.reseed();
    if (count() == 0)
        return;
    const int chance = m_random.drawUpTo(kOfferDrawHighest);
    // Scaled in single precision, as the buyer has always picked the box.
    const int position = static_cast<int>(std::floor(m_random.next() * count()));
    const int extra = m_random.drawUpTo(kHighestExtra);
    if (chance >= kOfferBelow)
        return;
    // One offer at a time, so that no two dialogs bid for the same box.
    if (!m_openOffers.empty())
        return;

    const Box offered = box(position);
    setPrice(Amount(offered.price));
    emit buyerCame(offered, position, extra);
}

void WonBoxes::offerOpened(Offer *offer)
{
    m_openOffers.push_back(offer);
}

void WonBoxes::offerClosed(Offer *offer)
{
    std::erase(m_openOffers, offer);
}

int WonBoxes::rowOf(const Box &wanted, int position) const
{
    const auto same = [&wanted](const Box &box) {
        return box.number == wanted.number && box.price == wanted.price;
    };
    if (position >= 0 && position < count() && same(box(position)))
        return position;
    const QList<Box> all = boxes();
    const auto found = std::find_if(all.cbegin(), all.cend(), same);
    return found == all.cend() ? -1 : static_cast<int>(found - all.cbegin());
}

} // namespace marvesto
