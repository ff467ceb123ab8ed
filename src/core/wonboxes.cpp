#include "core/wonboxes.h"

#include "core/amounts.h"
#include "core/boxlines.h"
#include "core/console.h"
#include "core/cues.h"
#include "core/offer.h"
#include "core/services.h"

#include <cmath>

namespace marvesto {

namespace {
const QString kEuro = QStringLiteral(" \u20AC");
}

WonBoxes::WonBoxes(Clock &clock, Random &random, CuePlayer &cues, Console &console, QObject *parent)
    : BoxListPart(clock, parent),
      m_random(random),
      m_cues(cues),
      m_console(console),
      m_offerTimer(addTimer("offerTimer", kOfferCheckMs, false))
{
    connect(&m_offerTimer, &Timer::tick, this, &WonBoxes::lookForBuyer);
}

void WonBoxes::reset()
{
    clearLines();
    setPriceText(QString());
}

void WonBoxes::setPriceText(const QString &text)
{
    if (change(m_priceText, text))
        emit priceTextChanged();
}

bool WonBoxes::openBox(int position)
{
    if (position < 0 || position >= count())
        return false;
    m_random.reseed();

    setPriceText(priceOfWonBox(line(position)));
    const QString priceText = m_priceText;
    const double paid = readAmount(priceText).value_or(0);
    const double base = paid + kAppraisalMargin;
    const double draw = std::floor(base * m_random.next()) + 1;
    const double value = std::floor(draw * m_random.next()) + 1;

    m_console.setLog(QStringLiteral("\r\nHai Pagato:") + priceText + kEuro
                     + QStringLiteral("\r\n\r\n"));
    m_console.appendLog(QStringLiteral("Valore degli oggetti nel Box:") + writeAmount(value) + kEuro
                        + QStringLiteral("\r\n\r\n"));
    const double gain = value - paid;
    m_console.appendLog(QStringLiteral("Il tuo guadagno \u00E8 stato di:") + writeAmount(gain)
                        + kEuro + QStringLiteral("\r\n\r\n"));
    // The whole value is credited: the price was charged when the auction was won.
    m_console.addToCapital(value);
    m_console.appendLog(m_console.capitalLine());
    removeLine(position);
    m_console.followLog();
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
    if (!openOffers().empty())
        return;

    const QString offered = line(position);
    setPriceText(priceOfWonBox(offered));

    // A child of the won boxes until it closes.
    auto *offer = new Offer(clock(), m_cues, m_console, *this, this);
    connect(offer, &GamePart::closed, offer, &QObject::deleteLater);
    emit offerMade(offer);
    offer->make(offered, position, m_priceText, extra);
}

std::vector<Offer *> WonBoxes::openOffers() const
{
    std::vector<Offer *> open;
    for (Offer *offer : findChildren<Offer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (offer->isOpen())
            open.push_back(offer);
    }
    return open;
}

void WonBoxes::closeOffers()
{
    for (Offer *offer : openOffers())
        offer->close();
}

} // namespace marvesto
