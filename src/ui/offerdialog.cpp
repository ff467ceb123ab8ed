#include "ui/offerdialog.h"

#include "core/offer.h"

namespace marvesto {

OfferDialog::OfferDialog(Offer &offer, QMdiArea &area, QObject *parent)
    : ChildWindow(design::offerDialog(), area, parent), m_offer(offer)
{
    setObjectName(QStringLiteral("offerDialog"));
    bind(m_offerView, "offerView");
    bind(m_priceLineEdit, "priceLineEdit");
    bind(m_positionLineEdit, "positionLineEdit");
    bind(m_acceptButton, "acceptButton");
    bind(m_refuseLabel, "refuseLabel");
    mirror(&offer, &Offer::textChanged, [this] { m_offerView->setText(m_offer.text()); });
    whileLoaded(&offer, &Offer::textFollowed, [this] { offerView()->moveCaretToEnd(); });
    mirror(&offer, &Offer::priceChanged, [this] { priceLineEdit()->setText(m_offer.price()); });
    mirror(&offer, &Offer::positionChanged,
           [this] { positionLineEdit()->setText(m_offer.position()); });
}

void OfferDialog::wireControls()
{
    connect(acceptButton(), &QPushButton::clicked, &m_offer, &Offer::accept);
    connect(refuseLabel(), &ClickLabel::clicked, &m_offer, &Offer::refuse);
}

bool OfferDialog::onEscape()
{
    m_offer.refuse();
    return true;
}

} // namespace marvesto
