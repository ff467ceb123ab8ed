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

    ListBox *boxesList() const { return control<ListBox>("boxesList"); }
    QLineEdit *priceLineEdit() const { return control<QLineEdit>("priceLineEdit"); }
    QPushButton *openButton() const { return control<QPushButton>("openButton"); }

    // Opens the chosen box; then the player goes back to the command line.
    void openSelectedBox();
    // Chooses the first box and takes the focus.
    void chooseFirstBox();

signals:
    void escapePressed();
    void commandLineWanted();

protected:
    void wireControls() override;
    void onLoad() override;
    bool onEscape() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WonBoxes &m_wonBoxes;
};

} // namespace marvesto
