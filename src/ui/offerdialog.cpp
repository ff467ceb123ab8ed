#include "ui/offerdialog.h"

#include "core/offer.h"

namespace marvesto {

OfferDialog::OfferDialog(Offer &offer, QMdiArea &area, QObject *parent)
    : ChildWindow(design::offerDialog(), area, parent), m_offer(offer)
{
    setObjectName(QStringLiteral("offerDialog"));
    connect(&offer, &Offer::textChanged, this, [this] {
        if (isLoaded())
            offerView()->showText(m_offer.text());
    });
    connect(&offer, &Offer::textFollowed, this, [this] {
        if (isLoaded())
            offerView()->moveCaretToEnd();
    });
    connect(&offer, &Offer::priceChanged, this, [this] {
        if (isLoaded())
            priceLineEdit()->setText(m_offer.price());
    });
    connect(&offer, &Offer::positionChanged, this, [this] {
        if (isLoaded())
            positionLineEdit()->setText(m_offer.position());
    });
}

void OfferDialog::wireControls()
{
    offerView()->setText(m_offer.text());
    priceLineEdit()->setText(m_offer.price());
    positionLineEdit()->setText(m_offer.position());
    connect(acceptButton(), &QPushButton::clicked, &m_offer, &Offer::accept);
    connect(refuseLabel(), &ClickLabel::clicked, &m_offer, &Offer::refuse);
}

bool OfferDialog::onEscape()
{
    m_offer.refuse();
    return true;
}

} // namespace marvesto
