#include "core/auction.h"

#include "core/amounts.h"
#include "core/boxlines.h"
#include "core/clock.h"
#include "core/cues.h"
#include "core/services.h"

#include <cmath>

namespace marvesto {

namespace {
const QString kEuroLine = QStringLiteral(" \u20AC\r\n");
}

Auction::Auction(Clock &clock, Random &random, CuePlayer &cues, QObject *parent)
    : LogPart(clock, parent),
      m_random(random),
      m_cues(cues),
      m_closingTimer(addTimer("closingTimer", kClosingPauseMs, false)),
      m_countdownTimer(addTimer("countdownTimer", kCountdownStepMs, false)),
      m_rivalsTimer(addTimer("rivalsTimer", kRivalsAnswerMs, false))
{
    connect(&m_rivalsTimer, &Timer::tick, this, &Auction::rivalsAnswer);
    connect(&m_countdownTimer, &Timer::tick, this, &Auction::countdownStep);
    connect(&m_closingTimer, &Timer::tick, this, &Auction::closeRoom);
}

void Auction::reset()
{
    setLog(QString());
    setPrice(Amount());
    setCanBid(true);
}

void Auction::start(const Box &box)
{
    open();
    m_box = box;
    setLog(marketLine(box) + QStringLiteral("\r\n"));
    followLog();
    setPrice(Amount(box.price));
}

void Auction::setPrice(const Amount &price)
{
    if (change(m_price, price))
        emit priceChanged();
}

void Auction::setCanBid(bool can)
{
    if (change(m_canBid, can))
        emit canBidChanged();
}

void Auction::raisePrice(double amount)
{
    setPrice(m_price.plus(amount));
}

void Auction::bid()
{
    m_cues.play(Cue::Bid);
    m_countdownTimer.setEnabled(false);
    raisePrice(kBidStep);
    appendLog(tr("Offri .... ") + m_price.text() + kEuroLine);
    setCanBid(false);
    m_rivalsTimer.setEnabled(true);
    followLog();
}

void Auction::rivalsAnswer()
{
    m_rivalsTimer.setEnabled(false);
    m_random.reseed();
    const int draw = m_random.drawUpTo(kRivalsDrawHighest);
    if (draw >= kRivalsGiveUpFrom) {
        win();
        return;
    }
    const int raise = m_random.drawUpTo(kHighestRaise);
    raisePrice(raise);
    m_cues.play(Cue::Raise);
    appendLog(tr("Rilanciano di .... ") + m_price.text() + kEuroLine);
    followLog();
    m_countdown = 0;
    m_countdownTimer.setEnabled(true);
}

void Auction::win()
{
    m_rivalsTimer.setEnabled(false);
    m_countdownTimer.setEnabled(false);
    appendLog(tr("Asta chiusa. Il box è tuo!") + QStringLiteral("\r\n"));
    m_cues.play(Cue::AuctionOver);

    // The whole final price is charged, however large.
    const double price = std::nearbyint(m_price.number().value_or(0));
    emit charged(0 - price);

    followLog();
    m_closingTimer.setEnabled(true);
    Box box = m_box;
    box.price = static_cast<int>(price);
    emit won(box);
}

void Auction::countdownStep()
{
    setCanBid(true);
    m_countdown = static_cast<qint16>(m_countdown + 1);
    m_cues.play(Cue::Raise);
    appendLog(m_price.text() + tr(" €... e ") + QString::number(m_countdown)
              + QStringLiteral("!\r\n"));
    followLog();
    if (m_countdown >= kCountdownToLose) {
        setCanBid(false);
        appendLog(tr("Asta chiusa. Hai perso questo box!") + QStringLiteral("\r\n"));
        m_cues.play(Cue::AuctionOver);
        followLog();
        m_countdownTimer.setEnabled(false);
        m_closingTimer.setEnabled(true);
    }
}

void Auction::closeRoom()
{
    m_closingTimer.setEnabled(false);
    m_cues.play(Cue::RoomCloses);
    close();
}

} // namespace marvesto
