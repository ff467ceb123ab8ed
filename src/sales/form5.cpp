#include "sales/form5.h"

#include "console/form1.h"
#include "lifecycle/game.h"
#include "market/form2.h"
#include "sales/form4.h"
#include "shell/amounts.h"
#include "shell/controls.h"
#include "shell/mainframe.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>

namespace marvesto {

Form5::Form5(Game &game)
    : Form(design::form5(), game.frame().area(), game.services().clock, &game),
      m_game(game),
      m_timer1(addTimer("Timer1"))
{
    connect(&m_timer1, &Timer::tick, this, &Form5::Timer1_Timer);
}

void Form5::wireControls()
{
    connect(Command2(), &QPushButton::clicked, this, &Form5::Command2_Click);
    connect(Label2(), &ClickLabel::clicked, this, &Form5::Label2_Click);
}

void Form5::onLoad()
{
    const MainFrame &frame = m_game.frame();
    setTop(static_cast<float>(frame.frameGeometry().height() * design::kTwipsPerPixel) / 5.0f);
    setLeft(static_cast<float>(frame.frameGeometry().width() * design::kTwipsPerPixel) / 5.0f);
    m_game.form1().lock(this);
    m_game.form2().lock(this);
    m_game.form4().lock(this);
}

void Form5::onUnload()
{
    m_game.form1().unlock(this);
    m_game.form2().unlock(this);
    m_game.form4().unlock(this);
}

bool Form5::onEscape()
{
    unload();
    return true;
}

int Form5::findOfferedRow()
{
    QListWidget *list = m_game.form4().List1();
    const auto stored = toInt16(Asta()->text());
    if (stored && rowText(list, *stored) == m_offeredLine && *stored >= 0)
        return *stored;
    for (int row = 0; row < list->count(); ++row) {
        if (rowText(list, row) == m_offeredLine)
            return row;
    }
    return -1;
}

void Form5::Command2_Click()
{
    // The sale is for the very box offered; a box that has gone is not sold.
    const int row = findOfferedRow();
    if (row >= 0) {
        removeRow(m_game.form4().List1(), row);
        const double amount = std::nearbyint(readAmount(Prezzo()->text()).value_or(0));
        LogView &console = m_game.console();
        console.appendText(QStringLiteral("\r\n"));
        console.appendText(QStringLiteral("Hai guadagnato ") + writeAmount(amount)
                           + QStringLiteral(" \u20AC\r\n"));
        if (const auto capital = readAmount(m_game.capital()))
            m_game.setCapital(writeAmount(*capital + amount));
        console.moveCaretToEnd();
        m_game.playCue(QStringLiteral("6"));
    }
    unload();
    // Once the dialog has let go of the console.
    Form1 &form1 = m_game.form1();
    if (form1.isEnabled())
        form1.Text2()->setFocus();
}

} // namespace marvesto
