#include "ui/toolkit/controls.h"

#include <QAccessible>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace marvesto {

namespace {

QString forDisplay(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

template <typename View>
void giveScrollBars(View *view)
{
    view->setVerticalScrollBar(new ScrollBar(Qt::Vertical, view));
    view->setHorizontalScrollBar(new ScrollBar(Qt::Horizontal, view));
}

} // namespace

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent), m_drawn(look())
{
}

ScrollBar::Look ScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look now;
    now.empty = minimum() == maximum();
    now.atMinimum = value() == minimum();
    now.atMaximum = value() == maximum();
    if (!now.empty)
        now.slider = style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                             QStyle::SC_ScrollBarSlider, this);
    return now;
}

void ScrollBar::sliderChange(SliderChange change)
{
    // A bar that shows itself only while it moves has its own way of repainting.
    if (style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this)) {
        QScrollBar::sliderChange(change);
        return;
    }
    // A view often changes range and value several times while it handles one
    // change of its contents: compare once they are settled. Posted at the
    // normal priority, this runs before the window's repaint, which Qt posts
    // at a low one.
    if (!m_pending) {
        m_pending = true;
        QMetaObject::invokeMethod(this, &ScrollBar::repaintChanges, Qt::QueuedConnection);
    }
}

// The groove looks the same all along the bar, and the slider all along its
// length but for its ends: when the slider moves or changes length, what looks
// different lies around its old and new ends.
QRegion ScrollBar::changedPart(const QRect &was, const QRect &now) const
{
    if (was == now)
        return {};
    const bool vertical = orientation() == Qt::Vertical;
    const auto start = [vertical](const QRect &r) { return vertical ? r.top() : r.left(); };
    const auto end = [vertical](const QRect &r) { return vertical ? r.bottom() : r.right(); };
    const auto band = [this, vertical](int from, int to) {
        from -= kSliderEndPixels;
        to += kSliderEndPixels;
        return vertical ? QRect(0, from, width(), to - from + 1)
                        : QRect(from, 0, to - from + 1, height());
    };
    // The slider's thickness never changes along a bar, only its span. An end
    // that stayed looks the same. Mostly one end moves: a single rectangle is
    // then repainted, which the raster engine clips before it fills, where a
    // region of two would have it fill whole lines and clip each.
    QRegion changed;
    if (start(was) != start(now))
        changed += band(std::min(start(was), start(now)), std::max(start(was), start(now)));
    if (end(was) != end(now))
        changed += band(std::min(end(was), end(now)), std::max(end(was), end(now)));
    return changed & rect();
}

void ScrollBar::repaintChanges()
{
    m_pending = false;
    const Look now = look();
    if (now == m_drawn)
        return;
    // An end reached or left may grey an arrow: all of the bar then.
    if (now.empty != m_drawn.empty || now.atMinimum != m_drawn.atMinimum
        || now.atMaximum != m_drawn.atMaximum || m_drawn.slider.isEmpty()) {
        update();
    } else {
        update(changedPart(m_drawn.slider, now.slider));
    }
    m_drawn = now;
}

// Fusion draws the groove's fill and outline along the whole bar whatever part
// is repainted, and the raster engine hands a drawing of 96 lines or more of
// its target to its thread pool. A bar at rest is drawn through strips of
// fewer lines, each into an image of its own size, so no other thread wakes.
// Hovered or pressed, it is drawn as Qt draws it.
void ScrollBar::paintEvent(QPaintEvent *event)
{
    if (orientation() != Qt::Vertical || underMouse() || isSliderDown()
        || repeatAction() != SliderNoAction) {
        QScrollBar::paintEvent(event);
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    option.activeSubControls = QStyle::SC_None;
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    for (const QRect &part : event->region()) {
        for (int top = part.top(); top <= part.bottom(); top += kStripLines) {
            const QRect strip(part.left(), top, part.width(),
                              std::min(kStripLines, part.bottom() + 1 - top));
            QImage image((QSizeF(strip.size()) * ratio).toSize(),
                         QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter onStrip(&image);
            onStrip.translate(-strip.topLeft());
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &onStrip, this);
            onStrip.end();
            painter.drawImage(strip.topLeft(), image);
        }
    }
}

void ScrollBar::resizeEvent(QResizeEvent *event)
{
    QScrollBar::resizeEvent(event); // repaints the whole bar
    m_drawn = look();
}

void ScrollBar::changeEvent(QEvent *event)
{
    QScrollBar::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::EnabledChange)
        m_drawn = look();
}

LogView::LogView(QWidget *parent) : QPlainTextEdit(parent)
{
    giveScrollBars(this);
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

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    giveScrollBars(this);
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
