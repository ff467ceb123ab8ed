#pragma once

#include "core/gamepart.h"

#include <QString>

namespace marvesto {

// A buyer's offer for one won box. Each offer is a new object, gone once
// its dialog closes.
class Offer : public GamePart {
    Q_OBJECT
public:
    // The buyer waits this long before giving up.
    static constexpr int kPatienceMs = 10000;

    explicit Offer(Clock &clock, QObject *parent = nullptr);

    // What the buyer says, line breaks as CR LF.
    QString text() const { return m_text; }
    // The price offered and the won box's position, as text.
    QString price() const { return m_price; }
    QString position() const { return m_position; }
    // The won-box line the offer is for, so that a sale finds its own box.
    QString offeredLine() const { return m_offeredLine; }
    Timer &patienceTimer() { return m_patienceTimer; }

    // Opens the offer for the line at this position.
    void make(const QString &line, int position, const QString &priceText, int extra);
    // Agrees the sale (the box is sold if it is still there) and closes the offer.
    void accept();
    void refuse() { close(); }

signals:
    void textChanged();
    void textFollowed();
    void priceChanged();
    void positionChanged();
    // The player accepted: the box on this line, last seen at this position,
    // is sold for this amount.
    void saleAgreed(const QString &offeredLine, int position, double amount);
    // After the sale and the closing.
    void accepted();

protected:
    void reset() override;

private:
    void setText(const QString &text);
    void setPrice(const QString &text);
    void setPosition(const QString &text);

    Timer &m_patienceTimer;
    QString m_text;
    QString m_price;
    QString m_position;
    QString m_offeredLine;
    int m_row = -1;
};

} // namespace marvesto
