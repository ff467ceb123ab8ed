#pragma once

#include "core/gamepart.h"

#include <QString>

namespace marvesto {

class Console;
class CuePlayer;
class WonBoxes;

// A buyer's offer for one won box. Each offer is a new object, gone once
// its dialog closes.
class Offer : public GamePart {
    Q_OBJECT
public:
    // The buyer waits this long before giving up.
    static constexpr int kPatienceMs = 10000;

    Offer(Clock &clock, CuePlayer &cues, Console &console, WonBoxes &wonBoxes,
          QObject *parent = nullptr);

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
    // Sells the box offered, if it is still there, and closes the offer.
    void accept();
    void refuse() { close(); }

signals:
    void textChanged();
    void textFollowed();
    void priceChanged();
    void positionChanged();
    // After the sale and the closing.
    void accepted();

protected:
    void reset() override;

private:
    int findOfferedRow() const;
    void setText(const QString &text);
    void setPrice(const QString &text);
    void setPosition(const QString &text);

    CuePlayer &m_cues;
    Console &m_console;
    WonBoxes &m_wonBoxes;
    Timer &m_patienceTimer;
    QString m_text;
    QString m_price;
    QString m_position;
    QString m_offeredLine;
};

} // namespace marvesto
