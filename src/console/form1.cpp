#include "console/form1.h"

#include "auction/form3.h"
#include "console/caret.h"
#include "lifecycle/boxline.h"
#include "lifecycle/game.h"
#include "market/form2.h"
#include "sales/form4.h"
#include "shell/amounts.h"
#include "shell/controls.h"
#include "shell/mainframe.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>

namespace marvesto {

Form1::Form1(Game &game)
    : Form(design::form1(), game.frame().area(), game.services().clock, &game),
      m_game(game),
      m_timer1(addTimer("Timer1"))
{
    connect(&m_timer1, &Timer::tick, &game, &Game::watchTick);
}

void Form1::wireControls()
{
    giveBlockCaret(Text1());
    giveBlockCaret(Text2());
    connect(Text1(), &QPlainTextEdit::textChanged, this, &giveBlockCaretToFocusedField);
    connect(Text2(), &QLineEdit::textChanged, this, &giveBlockCaretToFocusedField);
    connect(Command1(), &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Label2(), &ClickLabel::clicked, this, &Form1::Label2_Click);
    connect(Money(), &QLineEdit::textChanged, this, &Form1::describeCapital);
    describeCapital();
}

void Form1::describeCapital()
{
    // A screen reader can tell the capital at any time, not only after a tax or sale.
    subWindow()->setAccessibleDescription(QStringLiteral("Capitale: ") + Money()->text()
                                          + QStringLiteral(" \u20AC"));
}

void Form1::onLoad()
{
    Form2 &market = m_game.form2();
    setTop(market.top() + 5000);
    setLeft(market.width() / 2.5);
    Command1()->move(Command1()->x(), design::toPixels(-20000));
}

bool Form1::onKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_F1)
        return false;
    Label2_Click();
    return true;
}

bool Form1::onEscape()
{
    Text2()->clear();
    return true;
}

void Form1::clearCommandLine()
{
    Text2()->clear();
    Text2()->setFocus();
}

void Form1::Label2_Click()
{
    Text2()->setText(QStringLiteral("sell"));
    Command1_Click();
}

void Form1::Command1_Click()
{
    m_game.form4().Offerte().setEnabled(true);
    QLineEdit *input = Text2();
    const QString command = input->text();

    if (command.toLower() == QStringLiteral("sell")) {
        QListWidget *won = m_game.form4().List1();
        if (won->count() > 0) {
            selectRow(won, 0);
            won->setFocus();
        }
        input->clear();
        return;
    }

    if (const auto number = readAmount(command)) {
        QListWidget *market = m_game.form2().List1();
        if (*number > market->count() - 1) {
            input->clear();
            return;
        }
        // A position that names no line leaves the command as typed.
        const auto position = toInt16(*number);
        if (!position || *position < 0 || rowText(market, *position).isEmpty())
            return;
        openAuction(*position);
        input->clear();
        return;
    }

    input->clear();
}

void Form1::openAuction(int position)
{
    QListWidget *market = m_game.form2().List1();
    const QString line = rowText(market, position);
    Form3 &auction = m_game.form3();
    auction.show();
    auction.Text1()->setText(line + QStringLiteral("\r\n"));
    auction.Text1()->moveCaretToEnd();
    auction.Text2()->setText(priceOfLastSeven(line));
    removeRow(market, position);
}

} // namespace marvesto
