#pragma once

#include "core/amounts.h"
#include "core/box.h"
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
    // The price offered and the won box's position, as the dialog shows them.
    QString price() const { return m_price.text(); }
    QString position() const { return m_position < 0 ? QString() : QString::number(m_position); }
    // The won box the offer is for, so that a sale finds its own box.
    const Box &box() const { return m_box; }
    Timer &patienceTimer() { return m_patienceTimer; }

    // Opens the offer of the box's price plus `extra` for the won box at this position.
    void make(const Box &box, int position, int extra);
    // Agrees the sale (the box is sold if it is still there) and closes the offer.
    void accept();
    void refuse() { close(); }

signals:
    void textChanged();
    void textFollowed();
    void priceChanged();
    void positionChanged();
    // The player accepted: this box, last seen at this position, is sold for
    // this amount.
    void saleAgreed(const Box &box, int position, double amount);
    // After the sale and the closing.
    void accepted();

protected:
    void reset() override;

private:
    void setText(const QString &text);
    void setPrice(const Amount &price);
    void setPosition(int position);

    Timer &m_patienceTimer;
    QString m_text;
    Amount m_price;
    // -1 until the offer is made.
    int m_position = -1;
    Box m_box;
};

} // namespace marvesto
