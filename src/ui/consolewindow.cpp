#include "ui/consolewindow.h"

#include "core/console.h"
#include "ui/toolkit/caret.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace marvesto {

ConsoleWindow::ConsoleWindow(Console &console, QMdiArea &area, QObject *parent)
    : ChildWindow(design::consoleWindow(), area, parent), m_console(console)
{
    setObjectName(QStringLiteral("consoleWindow"));
    bind(m_capitalLineEdit, "capitalLineEdit");
    bind(m_logView, "logView");
    bind(m_commandLineEdit, "commandLineEdit");
    bind(m_runButton, "runButton");
    bind(m_sellLabel, "sellLabel");
    mirror(&console, &Console::titleChanged, [this] { setCaption(m_console.title()); });
    mirror(&console, &Console::capitalChanged,
           [this] { capitalLineEdit()->setText(m_console.capital()); });
    showLog(m_logView, console);
    // Not echoed back while the player types.
    mirror(&console, &Console::commandChanged, [this] {
        if (commandLineEdit()->text() != m_console.command())
            commandLineEdit()->setText(m_console.command());
    });
}

void ConsoleWindow::wireControls()
{
    LogView *log = logView();
    QLineEdit *command = commandLineEdit();
    giveBlockCaret(log);
    giveBlockCaret(command);
    connect(log, &QPlainTextEdit::textChanged, this, &giveBlockCaretToFocusedField);
    connect(command, &QLineEdit::textChanged, this, &giveBlockCaretToFocusedField);
    connect(command, &QLineEdit::textChanged, &m_console, &Console::setCommand);
    connect(runButton(), &QPushButton::clicked, &m_console, &Console::runCommand);
    connect(sellLabel(), &ClickLabel::clicked, &m_console, &Console::sell);
    connect(capitalLineEdit(), &QLineEdit::textChanged, this, &ConsoleWindow::describeCapital);
    connect(log, &QPlainTextEdit::cursorPositionChanged, this, &ConsoleWindow::logViewMoved);
    connect(log, &QPlainTextEdit::selectionChanged, this, &ConsoleWindow::logViewMoved);
    connect(log->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ConsoleWindow::logViewMoved);
    describeCapital();
}

void ConsoleWindow::describeCapital()
{
    // A screen reader can tell the capital at any time, not only after a tax or sale.
    subWindow()->setAccessibleDescription(tr("Capitale: ") + m_console.capital()
                                          + QStringLiteral(" \u20AC"));
}

void ConsoleWindow::onLoad()
{
    // Only Enter presses the run button.
    putOutOfView(runButton());
}

bool ConsoleWindow::onKeyDown(QKeyEvent *event)
{
    if (event->key() != Qt::Key_F1)
        return false;
    m_console.sell();
    return true;
}

bool ConsoleWindow::onEscape()
{
    m_console.setCommand(QString());
    return true;
}

void ConsoleWindow::focusCommandLine()
{
    if (isLoaded())
        commandLineEdit()->setFocus();
}

void ConsoleWindow::clearCommandLine()
{
    m_console.setCommand(QString());
    focusCommandLine();
}

} // namespace marvesto
