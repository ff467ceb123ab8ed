#pragma once

#include "ui/toolkit/childwindow.h"

namespace marvesto {

class Offer;

// A buyer's offer: what the buyer says, the accept button (Enter, Alt+O) and
// the "ESC - Per rifiutare" label; the hidden fields hold the price offered
// and the box's position.
class OfferDialog : public ChildWindow {
    Q_OBJECT
public:
    OfferDialog(Offer &offer, QMdiArea &area, QObject *parent = nullptr);

    Offer &offer() const { return m_offer; }
    LogView *offerView() const { return control<LogView>("offerView"); }
    QLineEdit *priceLineEdit() const { return control<QLineEdit>("priceLineEdit"); }
    QLineEdit *positionLineEdit() const { return control<QLineEdit>("positionLineEdit"); }
    QPushButton *acceptButton() const { return control<QPushButton>("acceptButton"); }
    ClickLabel *refuseLabel() const { return control<ClickLabel>("refuseLabel"); }

protected:
    void wireControls() override;
    bool onEscape() override;

private:
    Offer &m_offer;
};

} // namespace marvesto
