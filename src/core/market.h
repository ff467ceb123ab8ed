#pragma once

#include "core/boxlistpart.h"

namespace marvesto {

class Random;

// The market: a new box for sale every second, and a tax every eleventh.
class Market : public BoxListPart {
    Q_OBJECT
public:
    static constexpr int kTickMs = 1000;
    // The tax is taken when the counter passes 10: every eleventh tick.
    static constexpr int kTaxEveryTicks = 11;
    static constexpr int kHighestTax = 500;
    // Past this many lines the market starts over empty.
    static constexpr int kMostLines = 50;
    // Names are "A".."Y", prices 1000..10998.
    static constexpr int kNameLetters = 25;
    static constexpr int kLowestPrice = 1000;
    static constexpr int kPriceSpread = 9999;

    Market(Clock &clock, Random &random, QObject *parent = nullptr);

    // Ticks since the last tax; kept when the market reopens.
    qint16 taxCounter() const { return m_taxCounter; }
    Timer &tickTimer() { return m_tickTimer; }

    // One second of the market.
    void tick();

signals:
    // A new box is on offer at this position: the market shows it chosen.
    void boxOffered(int position);
    // The tax drawn this tick, to be taken from the capital.
    void taxTaken(int tax);

protected:
    void reset() override;
    // "Box numero:N - Nome Asta:L - Prezzo:P €"
    QString lineOf(const Box &box) const override;

private:
    void countTowardsTax();
    void takeTax();
    void offerNewBox();

    Random &m_random;
    Timer &m_tickTimer;
    qint16 m_taxCounter = 0;
};

} // namespace marvesto
