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
    // The controls while the window is loaded, else null.
    LogView *offerView() const { return m_offerView; }
    QLineEdit *priceLineEdit() const { return m_priceLineEdit; }
    QLineEdit *positionLineEdit() const { return m_positionLineEdit; }
    QPushButton *acceptButton() const { return m_acceptButton; }
    ClickLabel *refuseLabel() const { return m_refuseLabel; }

protected:
    void wireControls() override;
    bool onEscape() override;

private:
    Offer &m_offer;
    LogView *m_offerView = nullptr;
    QLineEdit *m_priceLineEdit = nullptr;
    QLineEdit *m_positionLineEdit = nullptr;
    QPushButton *m_acceptButton = nullptr;
    ClickLabel *m_refuseLabel = nullptr;
};

} // namespace marvesto
