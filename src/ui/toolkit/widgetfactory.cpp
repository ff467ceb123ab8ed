// Turns the design table's rows into widgets: kinds, places, colours, fonts,
// spoken names and focus order.
#include "ui/toolkit/widgetfactory.h"

#include "ui/toolkit/controls.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace marvesto::design {

QFont designFont(const Font &font)
{
    QFont f(QStringLiteral("Lucida Console"));
    f.setStyleHint(QFont::Monospace);
    f.setFamilies({QStringLiteral("Lucida Console"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("monospace")});
    f.setBold(true);
    f.setPointSizeF(font.points);
    f.setUnderline(font.underline);
    return f;
}

namespace {

void setColours(QWidget *widget, const Control &c)
{
    QPalette pal = widget->palette();
    if (c.fore) {
        pal.setColor(QPalette::Text, QColor(*c.fore));
        pal.setColor(QPalette::WindowText, QColor(*c.fore));
    }
    if (c.back) {
        pal.setColor(QPalette::Base, QColor(*c.back));
        pal.setColor(QPalette::Window, QColor(*c.back));
    }
    widget->setPalette(pal);
}

QWidget *createControl(const Control &c, const QString &caption, QWidget *parent)
{
    switch (c.kind) {
    case Kind::TextBox: {
        auto *edit = new QLineEdit(caption, parent);
        edit->setFrame(false);
        return edit;
    }
    case Kind::LogBox: {
        auto *log = new LogView(parent);
        log->setText(caption);
        log->setFrameShape(QFrame::NoFrame);
        log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        log->setVerticalScrollBarPolicy(c.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAlwaysOff);
        return log;
    }
    case Kind::ListBox: {
        auto *list = new ListBox(parent);
        list->setFrameShape(QFrame::NoFrame);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return list;
    }
    case Kind::Label: {
        auto *label = new ClickLabel(caption, parent);
        label->setAutoFillBackground(c.back.has_value());
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case Kind::Button: return new QPushButton(caption, parent);
    case Kind::PictureBox: {
        auto *box = new QWidget(parent);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    }
    return nullptr;
}

} // namespace

QString translated(const Window &window, const char *text)
{
    return QCoreApplication::translate(window.role, text);
}

QWidget *build(const Window &window, BuiltControls *built)
{
    auto *body = new QWidget;
    body->setObjectName(QString::fromUtf8(window.role));
    body->setFixedSize(toPixels(window.innerWidth), toPixels(window.innerHeight));
    if (window.back) {
        QPalette pal = body->palette();
        pal.setColor(QPalette::Window, QColor(*window.back));
        body->setPalette(pal);
        body->setAutoFillBackground(true);
    }

    // Created in design order, so that later controls lie above earlier ones.
    BuiltControls controls;
    for (const Control &c : window.controls) {
        QWidget *w = createControl(c, translated(window, c.caption), body);
        w->setObjectName(QString::fromUtf8(c.role));
        const Place &p = c.place;
        w->setGeometry(toPixels(p.left), toPixels(p.top), toPixels(p.width), toPixels(p.height));
        if (c.font.points > 0)
            w->setFont(designFont(c.font));
        setColours(w, c);
        if (c.handPointer)
            w->setCursor(Qt::PointingHandCursor);
        if (c.spokenName) {
            w->setAccessibleName(translated(window, c.spokenName));
            w->setAccessibleDescription(translated(window, c.description));
        }
        if (c.hidden) {
            w->setFocusPolicy(Qt::NoFocus);
            w->hide();
        }
        controls.emplace_back(&c, w);
    }

    BuiltControls order = controls;
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first->tab < b.first->tab; });
    QWidget *previous = nullptr;
    for (const auto &[c, w] : order) {
        if (c->hidden || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    if (built)
        *built = std::move(controls);
    return body;
}

} // namespace marvesto::design
