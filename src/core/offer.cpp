#include "core/offer.h"

#include "core/boxlines.h"
#include "core/clock.h"

#include <cmath>

namespace marvesto {

Offer::Offer(Clock &clock, QObject *parent)
    : GamePart(clock, parent), m_patienceTimer(addTimer("patienceTimer", kPatienceMs, false))
{
    connect(&m_patienceTimer, &Timer::tick, this, &Offer::refuse);
}

void Offer::reset()
{
    setText(QString());
    setPrice(Amount());
    setPosition(-1);
}

void Offer::setText(const QString &text)
{
    if (change(m_text, text))
        emit textChanged();
}

void Offer::setPrice(const Amount &price)
{
    if (change(m_price, price))
        emit priceChanged();
}

void Offer::setPosition(int position)
{
    if (change(m_position, position))
        emit positionChanged();
}

void Offer::make(const Box &box, int position, int extra)
{
    open();
    setText(wonBoxLine(box) + QStringLiteral("\r\n") + tr("Ti offro ... ") + writeAmount(box.price)
            + QStringLiteral(" + ") + QString::number(extra) + QStringLiteral("\r\n")
            + tr("Vuoi vendere?") + QStringLiteral("\r\n"));
    emit textFollowed();
    m_patienceTimer.setEnabled(true);
    setPrice(Amount(box.price + extra));
    setPosition(position);
    m_box = box;
}

void Offer::accept()
{
    emit saleAgreed(m_box, m_position, std::nearbyint(m_price.number().value_or(0)));
    close();
    emit accepted();
}

} // namespace marvesto
