#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace marvesto {

// A scroll bar that repaints only what a change of its range or value makes
// look different: around the slider's old and new ends, or nothing when the
// slider stays where it was drawn. Qt's own bar repaints all of itself at each change;
// for a log or a list that grows every second, that is a full-height fill in
// the raster engine, which it hands to its thread pool.
class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // What a range or value change can alter in the drawing.
    struct Look {
        QRect slider;
        bool empty = false; // no range: no slider
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look &) const = default;
    };
    // How far a slider's end reaches into it: its rounded corner and border.
    static constexpr int kSliderEndPixels = 4;
    // Lines of the bar drawn at once: below what the raster engine shares out.
    static constexpr int kStripLines = 48;

    Look look() const;
    QRegion changedPart(const QRect &was, const QRect &now) const;
    void repaintChanges();

    Look m_drawn; // as the last repaint asked for shows it
    bool m_pending = false;
};

// A read-only multi-line text box whose text is kept exactly as written, line
// breaks as CR LF included; the view shows each CR LF as one line break.
// Its scroll bars are ScrollBars.
class LogView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogView(QWidget *parent = nullptr);

    // The text as the document holds it, each line break read back as CR LF.
    QString text() const;
    void setText(const QString &text);
    // Adds text at the end, leaving caret and view where they are.
    void appendText(const QString &text);
    // Caret to the end of the text, with the view scrolled to the last line.
    void moveCaretToEnd();
    bool isCaretAtEnd() const;
    bool isScrolledToEnd() const;
};

// A list box. Its current line follows the game (the market selects each new
// box), but only a list that has the keyboard focus tells assistive technology
// that the focus moved; Qt's list view says so whether it has the focus or not.
// Its scroll bars are ScrollBars.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    // A screen reader reads the current line on arrival, not only the list's name.
    void focusInEvent(QFocusEvent *event) override;
};

// A label that reports clicks.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// List box operations with the old toolkit's meaning of "selected": removing the
// selected line leaves no line selected.
int selectedRow(const QListWidget *list);
void selectRow(QListWidget *list, int row);
void removeRow(QListWidget *list, int row);

} // namespace marvesto
