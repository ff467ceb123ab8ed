#include "ui/wonboxeswindow.h"

#include "core/wonboxes.h"

#include <QEvent>

namespace marvesto {

WonBoxesWindow::WonBoxesWindow(WonBoxes &wonBoxes, QMdiArea &area, QObject *parent)
    : ChildWindow(design::wonBoxesWindow(), area, parent), m_wonBoxes(wonBoxes)
{
    setObjectName(QStringLiteral("wonBoxesWindow"));
    bind(m_boxesList, "boxesList");
    bind(m_priceLineEdit, "priceLineEdit");
    bind(m_openButton, "openButton");
    showLines(m_boxesList, wonBoxes);
    mirror(&wonBoxes, &WonBoxes::priceTextChanged,
           [this] { priceLineEdit()->setText(m_wonBoxes.priceText()); });
}

void WonBoxesWindow::wireControls()
{
    connect(openButton(), &QPushButton::clicked, this, &WonBoxesWindow::openSelectedBox);
    boxesList()->viewport()->installEventFilter(this);
}

bool WonBoxesWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && isLoaded()
        && watched == boxesList()->viewport()) {
        // Let the list choose the line under the pointer first.
        const bool handled = ChildWindow::eventFilter(watched, event);
        openSelectedBox();
        return handled;
    }
    return ChildWindow::eventFilter(watched, event);
}

void WonBoxesWindow::onLoad()
{
    // Only Enter presses the open button.
    putOutOfView(openButton());
}

void WonBoxesWindow::openSelectedBox()
{
    if (isLoaded())
        m_wonBoxes.openBox(selectedRow(boxesList()));
    emit commandLineWanted();
}

void WonBoxesWindow::chooseFirstBox()
{
    if (!isLoaded() || boxesList()->count() == 0)
        return;
    selectRow(boxesList(), 0);
    boxesList()->setFocus();
}

} // namespace marvesto
