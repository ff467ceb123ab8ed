#include "auction/form3.h"

#include "console/form1.h"
#include "lifecycle/boxline.h"
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

namespace {
const QString kEuroLine = QStringLiteral(" \u20AC\r\n");
}

Form3::Form3(Game &game)
    : Form(design::form3(), game.frame().area(), game.services().clock, &game),
      m_game(game),
      m_timer3(addTimer("Timer3")),
      m_timer2(addTimer("Timer2")),
      m_timer1(addTimer("Timer1"))
{
    connect(&m_timer1, &Timer::tick, this, &Form3::Timer1_Timer);
    connect(&m_timer2, &Timer::tick, this, &Form3::Timer2_Timer);
    connect(&m_timer3, &Timer::tick, this, &Form3::Timer3_Timer);
}

void Form3::wireControls()
{
    connect(Command1(), &QPushButton::clicked, this, &Form3::Command1_Click);
}

void Form3::onLoad()
{
    setTop(1000);
    setLeft(1000);
    m_game.form2().lock(this);
    m_game.form1().lock(this);
    Command1()->move(Command1()->x(), design::toPixels(-20000));
    Command1_Click();
}

void Form3::onUnload()
{
    m_game.form2().unlock(this);
    m_game.form1().unlock(this);
    // Pressed from the program: the console handles its (normally empty) command line.
    m_game.form1().Command1_Click();
    m_game.form1().Text2()->setFocus();
}

bool Form3::onEscape()
{
    m_game.form1().clearCommandLine();
    return true;
}

void Form3::addToPrice(double amount)
{
    // A price that does not read as a number stays as it is.
    if (const auto price = readAmount(Text2()->text()))
        Text2()->setText(writeAmount(*price + amount));
}

void Form3::Command1_Click()
{
    m_game.playCue(QStringLiteral("5"));
    Timer2().setEnabled(false);
    addToPrice(100);
    Text1()->appendText(QStringLiteral("Offri .... ") + Text2()->text() + kEuroLine);
    Command1()->setEnabled(false);
    Timer1().setEnabled(true);
    Text1()->moveCaretToEnd();
}

void Form3::Timer1_Timer()
{
    Timer1().setEnabled(false);
    Random &random = m_game.services().random;
    random.reseed();
    const int decision = static_cast<int>(std::floor(random.next() * 20.0)) + 1;
    if (decision >= 17) {
        win();
        return;
    }
    const int raise = static_cast<int>(std::floor(random.next() * 300.0)) + 1;
    addToPrice(raise);
    m_game.playCue(QStringLiteral("1"));
    Text1()->appendText(QStringLiteral("Rilanciano di .... ") + Text2()->text() + kEuroLine);
    Text1()->moveCaretToEnd();
    m_countdown = 0;
    Timer2().setEnabled(true);
}

void Form3::win()
{
    Timer1().setEnabled(false);
    Timer2().setEnabled(false);
    Text1()->appendText(QStringLiteral("Asta chiusa. Il box \u00E8 tuo!\r\n"));
    m_game.playCue(QStringLiteral("2"));

    // The whole final price is charged, however large.
    double cost = 0;
    if (const auto price = readAmount(Text2()->text()))
        cost = 0 - std::nearbyint(*price);
    LogView &console = m_game.console();
    console.appendText(QStringLiteral("Costo complessivo del Box: ") + writeAmount(cost) + kEuroLine);
    if (const auto capital = readAmount(m_game.capital()))
        m_game.setCapital(writeAmount(*capital + cost));
    console.appendText(QStringLiteral("\r\nIl tuo capitale attuale: ") + m_game.capital() + kEuroLine);

    Text1()->moveCaretToEnd();
    Timer3().setEnabled(true);
    m_game.form4().List1()->addItem(wonBoxLine(Text1()->text(), Text2()->text()));
}

void Form3::Timer2_Timer()
{
    Command1()->setEnabled(true);
    m_countdown = static_cast<qint16>(m_countdown + 1);
    m_game.playCue(QStringLiteral("1"));
    Text1()->appendText(Text2()->text() + QStringLiteral(" \u20AC... e ") + QString::number(m_countdown)
                        + QStringLiteral("!\r\n"));
    Text1()->moveCaretToEnd();
    if (m_countdown >= 3) {
        Command1()->setEnabled(false);
        Text1()->appendText(QStringLiteral("Asta chiusa. Hai perso questo box!\r\n"));
        m_game.playCue(QStringLiteral("2"));
        Text1()->moveCaretToEnd();
        Timer2().setEnabled(false);
        Timer3().setEnabled(true);
    }
}

void Form3::Timer3_Timer()
{
    Timer3().setEnabled(false);
    m_game.playCue(QStringLiteral("3"));
    unload();
}

} // namespace marvesto
