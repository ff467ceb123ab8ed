#pragma once

#include "ui/toolkit/childwindow.h"

namespace marvesto {

class Console;

// The console's window: the log, the command line with its run button (out of
// view: Enter presses it) and the "F1-Vendi" label. The hidden capital field
// holds the capital, which the window's description tells a screen reader.
class ConsoleWindow : public ChildWindow {
    Q_OBJECT
public:
    ConsoleWindow(Console &console, QMdiArea &area, QObject *parent = nullptr);

    // The controls while the window is loaded, else null.
    QLineEdit *capitalLineEdit() const { return m_capitalLineEdit; }
    LogView *logView() const { return m_logView; }
    QLineEdit *commandLineEdit() const { return m_commandLineEdit; }
    QPushButton *runButton() const { return m_runButton; }
    ClickLabel *sellLabel() const { return m_sellLabel; }

    // The command line gets the focus (nothing while the window is locked).
    void focusCommandLine();
    // Esc in the other game windows: empties the command line and focuses it.
    void clearCommandLine();

signals:
    // The player moved the log's caret, selection or view.
    void logViewMoved();

protected:
    void wireControls() override;
    void onLoad() override;
    bool onKeyDown(QKeyEvent *event) override;
    bool onEscape() override;

private:
    void describeCapital();

    Console &m_console;
    QLineEdit *m_capitalLineEdit = nullptr;
    LogView *m_logView = nullptr;
    QLineEdit *m_commandLineEdit = nullptr;
    QPushButton *m_runButton = nullptr;
    ClickLabel *m_sellLabel = nullptr;
};

} // namespace marvesto
