#include "core/offer.h"

#include "core/amounts.h"
#include "core/console.h"
#include "core/cues.h"
#include "core/wonboxes.h"

#include <cmath>

namespace marvesto {

Offer::Offer(Clock &clock, CuePlayer &cues, Console &console, WonBoxes &wonBoxes, QObject *parent)
    : GamePart(clock, parent),
      m_cues(cues),
      m_console(console),
      m_wonBoxes(wonBoxes),
      m_patienceTimer(addTimer("patienceTimer", kPatienceMs, false))
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
    setText(line + QStringLiteral("\r\n") + QStringLiteral("Ti offro ... ") + priceText
            + QStringLiteral(" + ") + QString::number(extra) + QStringLiteral("\r\n")
            + QStringLiteral("Vuoi vendere?\r\n"));
    emit textFollowed();
    m_patienceTimer.setEnabled(true);
    if (const auto price = readAmount(priceText))
        setPrice(writeAmount(*price + extra));
    setPosition(QString::number(position));
    m_offeredLine = line;
}

int Offer::findOfferedRow() const
{
    const auto stored = toInt16(m_position);
    if (stored && *stored >= 0 && m_wonBoxes.line(*stored) == m_offeredLine)
        return *stored;
    for (int row = 0; row < m_wonBoxes.count(); ++row) {
        if (m_wonBoxes.line(row) == m_offeredLine)
            return row;
    }
    return -1;
}

void Offer::accept()
{
    // The sale is for the very box offered; a box that has gone is not sold.
    const int row = findOfferedRow();
    if (row >= 0) {
        m_wonBoxes.removeLine(row);
        const double amount = std::nearbyint(readAmount(m_price).value_or(0));
        m_console.appendLog(QStringLiteral("\r\n"));
        m_console.appendLog(QStringLiteral("Hai guadagnato ") + writeAmount(amount)
                            + QStringLiteral(" \u20AC\r\n"));
        m_console.addToCapital(amount);
        m_console.followLog();
        m_cues.play(Cue::CashIn);
    }
    close();
    emit accepted();
}

} // namespace marvesto
