#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace marvesto {

// A read-only multi-line text box whose text is kept exactly as written, line
// breaks as CR LF included; the view shows each CR LF as one line break.
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
class ListBox : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

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
