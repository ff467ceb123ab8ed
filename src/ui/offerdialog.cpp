#include "ui/offerdialog.h"

#include "core/offer.h"
#include "ui/toolkit/widgetfactory.h"

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
    // The offer's text also goes into the view's description, so that a screen
    // reader tells the offer when the dialog takes the focus: its spoken
    // notice can be dropped by a screen reader busy with the focus change.
    const QString keys =
        design::translated(design::offerDialog(), designRow("offerView")->description);
    mirror(&offer, &Offer::textChanged, [this, keys] {
        m_offerView->setText(m_offer.text());
        m_offerView->setAccessibleDescription(m_offer.text().simplified() + QLatin1Char(' ')
                                              + keys);
    });
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
