#include "core/offer.h"

#include "core/amounts.h"

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
    setPrice(QString());
    setPosition(QString());
}

void Offer::setText(const QString &text)
{
    if (change(m_text, text))
        emit textChanged();
}

void Offer::setPrice(const QString &text)
{
    if (change(m_price, text))
        emit priceChanged();
}

void Offer::setPosition(const QString &text)
{
    if (change(m_position, text))
        emit positionChanged();
}

void Offer::make(const QString &line, int position, const QString &priceText, int extra)
{
    open();
    setText(line + QStringLiteral("\r\n") + tr("Ti offro ... ") + priceText + QStringLiteral(" + ")
            + QString::number(extra) + QStringLiteral("\r\n") + tr("Vuoi vendere?")
            + QStringLiteral("\r\n"));
    emit textFollowed();
    m_patienceTimer.setEnabled(true);
    if (const auto price = readAmount(priceText))
        setPrice(writeAmount(*price + extra));
    setPosition(QString::number(position));
    m_offeredLine = line;
    m_row = position;
}

void Offer::accept()
{
    emit saleAgreed(m_offeredLine, m_row, std::nearbyint(readAmount(m_price).value_or(0)));
    close();
    emit accepted();
}

} // namespace marvesto
