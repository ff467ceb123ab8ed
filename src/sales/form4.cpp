#include "sales/form4.h"

#include "console/form1.h"
#include "lifecycle/boxline.h"
#include "lifecycle/game.h"
#include "market/form2.h"
#include "sales/form5.h"
#include "shell/amounts.h"
#include "shell/controls.h"
#include "shell/mainframe.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>

namespace marvesto {

Form4::Form4(Game &game)
    : Form(design::form4(), game.frame().area(), game.services().clock, &game),
      m_game(game),
      m_offerte(addTimer("Offerte"))
{
    connect(&m_offerte, &Timer::tick, this, &Form4::Offerte_Timer);
}

void Form4::wireControls()
{
    connect(Command1(), &QPushButton::clicked, this, &Form4::Command1_Click);
    List1()->viewport()->installEventFilter(this);
}

bool Form4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && isLoaded()
        && watched == List1()->viewport()) {
        // Let the list select the line under the pointer first.
        const bool handled = Form::eventFilter(watched, event);
        List1_DblClick();
        return handled;
    }
    return Form::eventFilter(watched, event);
}

void Form4::onLoad()
{
    Command1()->move(Command1()->x(), design::toPixels(-20000));
    Form2 &market = m_game.form2();
    setTop(market.top());
    setLeft(static_cast<float>(market.width()) + 100.0f);
}

void Form4::focusCommandLine()
{
    m_game.form1().Text2()->setFocus();
}

bool Form4::onEscape()
{
    m_game.form1().clearCommandLine();
    return true;
}

void Form4::List1_DblClick()
{
    QListWidget *list = List1();
    const int row = selectedRow(list);
    // With no line selected there is nothing to open.
    if (list->count() == 0 || row < 0) {
        focusCommandLine();
        return;
    }
    Random &random = m_game.services().random;
    random.reseed();

    Text1()->setText(priceOfWonBox(rowText(list, row)));
    const QString priceText = Text1()->text();
    const double paid = readAmount(priceText).value_or(0);
    const double base = paid + 9999;
    const double draw = std::floor(base * random.next()) + 1;
    const double value = std::floor(draw * random.next()) + 1;

    LogView &console = m_game.console();
    console.setText(QStringLiteral("\r\nHai Pagato:") + priceText + QStringLiteral(" \u20AC\r\n\r\n"));
    console.appendText(QStringLiteral("Valore degli oggetti nel Box:") + writeAmount(value)
                       + QStringLiteral(" \u20AC\r\n\r\n"));
    const double gain = value - paid;
    console.appendText(QStringLiteral("Il tuo guadagno \u00E8 stato di:") + writeAmount(gain)
                       + QStringLiteral(" \u20AC\r\n\r\n"));
    // The whole value is credited: the price was charged when the auction was won.
    QString newCapital = m_game.capital();
    if (const auto capital = readAmount(newCapital))
        newCapital = writeAmount(*capital + value);
    console.appendText(QStringLiteral("Il tuo Capitale:") + newCapital + QStringLiteral(" \u20AC\r\n"));
    m_game.setCapital(newCapital);
    removeRow(list, row);
    console.moveCaretToEnd();
    focusCommandLine();
    m_game.playCue(QStringLiteral("6"));
}

void Form4::Offerte_Timer()
{
    Offerte().setEnabled(false);
    Random &random = m_game.services().random;
    random.reseed();
    QListWidget *list = List1();
    const int count = list->count();
    if (count == 0)
        return;
    const int chance = static_cast<int>(std::floor(random.next() * 30.0)) + 1;
    const int position = static_cast<int>(std::floor(random.next() * count));
    const int extra = static_cast<int>(std::floor(random.next() * 50.0)) + 1;
    if (chance >= 5)
        return;
    // One offer at a time, so that no two dialogs bid for the same box.
    if (!m_game.openOffers().empty())
        return;

    const QString line = rowText(list, position);
    Text1()->setText(priceOfWonBox(line));
    const QString priceText = Text1()->text();

    Form5 &offer = m_game.createOffer();
    offer.show();
    LogView *message = offer.Text1();
    message->setText(line + QStringLiteral("\r\n"));
    message->appendText(QStringLiteral("Ti offro ... ") + priceText + QStringLiteral(" + ")
                        + QString::number(extra) + QStringLiteral("\r\n"));
    message->appendText(QStringLiteral("Vuoi vendere?\r\n"));
    message->moveCaretToEnd();
    offer.Timer1().setEnabled(true);
    if (const auto price = readAmount(priceText))
        offer.Prezzo()->setText(writeAmount(*price + extra));
    offer.Asta()->setText(QString::number(position));
    offer.setOfferedLine(line);
}

} // namespace marvesto
