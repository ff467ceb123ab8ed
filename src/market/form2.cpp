#include "market/form2.h"

#include "console/form1.h"
#include "lifecycle/boxline.h"
#include "lifecycle/game.h"
#include "shell/amounts.h"
#include "shell/controls.h"
#include "shell/mainframe.h"

#include <QLineEdit>
#include <QListWidget>

#include <cmath>

namespace marvesto {

Form2::Form2(Game &game)
    : Form(design::form2(), game.frame().area(), game.services().clock, &game),
      m_game(game),
      m_timer1(addTimer("Timer1"))
{
    connect(&m_timer1, &Timer::tick, this, &Form2::Timer1_Timer);
}

void Form2::onLoad()
{
    setTop(100);
    setLeft(1);
    Timer1().setEnabled(true);
}

bool Form2::onEscape()
{
    m_game.form1().clearCommandLine();
    return true;
}

void Form2::Timer1_Timer()
{
    Random &random = m_game.services().random;
    random.reseed();
    m_taxCounter = static_cast<qint16>(m_taxCounter + 1);
    if (m_taxCounter > 10) {
        const int tax = static_cast<int>(std::floor(random.next() * 500.0)) + 1;
        if (const auto capital = readAmount(m_game.capital()))
            m_game.setCapital(writeAmount(*capital - tax));
        LogView &console = m_game.console();
        console.appendText(QStringLiteral("Tax:") + QString::number(tax) + QStringLiteral("\r\n"));
        console.appendText(QStringLiteral("Il tuo Capitale:") + m_game.capital()
                           + QStringLiteral(" \u20AC\r\n"));
        console.moveCaretToEnd();
        m_taxCounter = 0;
    }

    QListWidget *list = List1();
    if (list->count() > 50)
        list->clear();
    const QChar letter(static_cast<char16_t>(std::floor(random.next() * 25.0) + 65));
    const int price = static_cast<int>(std::floor(random.next() * 9999.0)) + 1000;
    list->addItem(marketLine(list->count(), letter, price));
    selectRow(list, list->count() - 1);
}

} // namespace marvesto
