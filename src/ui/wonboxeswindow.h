#pragma once

#include "ui/toolkit/childwindow.h"

namespace marvesto {

class WonBoxes;

// The won boxes' window: the list, its open button (out of view: Enter and a
// double click open the chosen box) and the hidden price field.
class WonBoxesWindow : public ChildWindow {
    Q_OBJECT
public:
    WonBoxesWindow(WonBoxes &wonBoxes, QMdiArea &area, QObject *parent = nullptr);

    // The controls while the window is loaded, else null.
    ListBox *boxesList() const { return m_boxesList; }
    QLineEdit *priceLineEdit() const { return m_priceLineEdit; }
    QPushButton *openButton() const { return m_openButton; }

    // Opens the chosen box; then the player goes back to the command line.
    void openSelectedBox();
    // Chooses the first box and takes the focus.
    void chooseFirstBox();

signals:
    void commandLineWanted();

protected:
    void wireControls() override;
    void onLoad() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WonBoxes &m_wonBoxes;
    ListBox *m_boxesList = nullptr;
    QLineEdit *m_priceLineEdit = nullptr;
    QPushButton *m_openButton = nullptr;
};

} // namespace marvesto
