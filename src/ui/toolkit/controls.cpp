#include "ui/toolkit/controls.h"

#include <QAccessible>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

namespace marvesto {

namespace {

QString forDisplay(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

LogView::LogView(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
}

QString LogView::text() const
{
    // Each CR LF became a block of its own; the raw text separates blocks by
    // a paragraph separator.
    return document()->toRawText().replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
}

void LogView::setText(const QString &text)
{
    setPlainText(forDisplay(text));
}

void LogView::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(forDisplay(text));
}

void LogView::moveCaretToEnd()
{
    // A caret already at the end has moved along with text inserted there, but
    // the view has not: scroll whether or not the caret moves. The end of the
    // scroll range shows the last line, where the caret is.
    if (!isCaretAtEnd()) {
        QTextCursor c = textCursor();
        c.movePosition(QTextCursor::End);
        setTextCursor(c);
    }
    if (!isScrolledToEnd())
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

bool LogView::isScrolledToEnd() const
{
    const QScrollBar *bar = verticalScrollBar();
    return bar->value() == bar->maximum();
}

bool LogView::isCaretAtEnd() const
{
    const QTextCursor c = textCursor();
    return !c.hasSelection() && c.atEnd();
}

void ListBox::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous); // no focus event
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    if (!QAccessible::isActive())
        return;
    // Orca takes a focus on the line only once it has taken the list's own,
    // which Qt reports after this handler.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus() || currentRow() < 0)
            return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentRow());
        QAccessible::updateAccessibility(&focus);
    });
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

int selectedRow(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

void selectRow(QListWidget *list, int row)
{
    list->setCurrentRow(row);
    if (QListWidgetItem *item = list->item(row))
        list->scrollToItem(item);
}

void removeRow(QListWidget *list, int row)
{
    const bool wasSelected = row == selectedRow(list);
    delete list->takeItem(row);
    if (wasSelected) {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
}

} // namespace marvesto
