#include "shell/designs.h"

#include "shell/controls.h"

#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace marvesto::design {

int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

namespace {

constexpr QRgb kYellow = 0xFFFF00;
constexpr QRgb kNavy = 0x000080;
constexpr QRgb kLightYellow = 0xFFFF80;
constexpr QRgb kSilver = 0xE0E0E0;
constexpr QRgb kMaroon = 0x800000;
constexpr QRgb kBlue = 0x0000C0;

constexpr Font kSmall{11.25};
constexpr Font kSmallUnderlined{11.25, true};
constexpr Font kLarge{14.25};

} // namespace

const TimerDesign &Window::timer(const char *timerName) const
{
    const auto it = std::find_if(timers.begin(), timers.end(), [&](const TimerDesign &t) {
        return std::strcmp(t.name, timerName) == 0;
    });
    Q_ASSERT(it != timers.end());
    return *it;
}

const MainWindowDesign &mdiForm1()
{
    static const MainWindowDesign d{"Marvesto", 0x000000, 10410, 7365};
    return d;
}

const Window &form1()
{
    static const Window w{
        "Form1", "Manager", kNavy, 7335, 4155,
        {
            {Kind::TextBox, "Money", "50000", 5880, 3840, 735, 285, {}, {}, {}, 5, true},
            {Kind::Button, "Command1", ">>", 6840, 0, 495, 255, {}, {}, {}, 4, false, false, true},
            {Kind::PictureBox, "Picture100", "", 120, 120, 255, 255, {}, {}, {}, 3, true},
            {Kind::LogBox, "Text1", "", 120, 120, 7095, 3495, kYellow, kNavy, kSmall, 1,
             false, false, false, true},
            {Kind::TextBox, "Text2", "", 360, 3720, 2295, 285, kYellow, kNavy, kSmall, 0},
            {Kind::Label, "Label2", "F1-Vendi", 2760, 3720, 1200, 225, kYellow, {},
             kSmallUnderlined, 6, false, true},
            {Kind::Label, "Label1", ">", 120, 3720, 180, 375, kLightYellow, {}, kLarge, 2},
        },
        {{"Timer1", 1, true}},
    };
    return w;
}

const Window &form2()
{
    static const Window w{
        "Form2", "Boxes in vendita", {}, 9255, 4020,
        {
            {Kind::ListBox, "List1", "", 0, 0, 9255, 4020, kNavy, 0xFFFFC0, kLarge, 0},
        },
        {{"Timer1", 1000, true}},
    };
    return w;
}

const Window &form3()
{
    static const Window w{
        "Form3", "Inizio Asta...", kSilver, 9495, 4095,
        {
            {Kind::Button, "Command1", "&Go!", 8640, 3600, 735, 375, {}, {}, kSmall, 2, false,
             false, true},
            {Kind::TextBox, "Text2", "", 240, 3600, 855, 285, {}, {}, {}, 1, true},
            {Kind::LogBox, "Text1", "", 120, 120, 9255, 3855, kMaroon, kSilver, kLarge, 0},
        },
        {{"Timer3", 3000, false}, {"Timer2", 350, false}, {"Timer1", 1000, false}},
    };
    return w;
}

const Window &form4()
{
    static const Window w{
        "Form4", "Aste Vinte", {}, 5775, 4020,
        {
            {Kind::Button, "Command1", ">>", 5280, 120, 375, 255, {}, {}, {}, 2, false, false,
             true},
            {Kind::TextBox, "Text1", "", 3720, 3000, 1935, 375, {}, {}, {}, 1, true},
            {Kind::ListBox, "List1", "", 0, 0, 5775, 4020, kNavy, 0xC0FFC0, kLarge, 0, false,
             true},
        },
        {{"Offerte", 1, false}},
    };
    return w;
}

const Window &form5()
{
    static const Window w{
        "Form5", "Un'offerta da non poter rifiutare...", kSilver, 6630, 3015,
        {
            {Kind::TextBox, "Asta", "", 2520, 2520, 615, 285, {}, {}, {}, 3, true},
            {Kind::TextBox, "Prezzo", "", 720, 2520, 1695, 285, {}, {}, {}, 2, true},
            {Kind::Button, "Command2", "&Ok", 5760, 2520, 735, 375, {}, {}, kSmall, 1, false,
             true, true},
            {Kind::LogBox, "Text1", "", 120, 120, 6375, 2295, kMaroon, kSilver, kLarge, 0},
            {Kind::Label, "Label2", "ESC - Per rifiutare", 2760, 2640, 2850, 315, kBlue, {},
             kSmallUnderlined, 4, false, true},
        },
        {{"Timer1", 10000, false}},
    };
    return w;
}

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

// What a screen reader says of the controls a player uses, in Italian; their
// captions stay as the designs have them.
struct Spoken {
    const char *window, *control, *name, *description;
};
constexpr Spoken kSpoken[] = {
    {"Form1", "Text1", "Registro del manager", "I messaggi del gioco: tasse, costi, vendite"},
    {"Form1", "Text2", "Riga di comando",
     "Il numero di un box in vendita e Invio apre l'asta; sell e Invio sceglie il primo box vinto"},
    {"Form1", "Command1", "Esegui il comando", ""},
    {"Form1", "Label2", "F1-Vendi", "Sceglie il primo box vinto"},
    {"Form2", "List1", "Box in vendita", "Un box nuovo ogni secondo; la prima riga \u00E8 la 0"},
    {"Form3", "Text1", "Registro dell'asta", "Invio rilancia di 100 euro durante il conto alla rovescia"},
    {"Form3", "Command1", "Rilancia", "Rilancia di 100 euro"},
    {"Form4", "List1", "Aste vinte", "Invio apre il box scelto e ne stima il valore"},
    {"Form4", "Command1", "Apri il box", ""},
    {"Form5", "Text1", "Offerta", "Invio accetta, Esc rifiuta"},
    {"Form5", "Command2", "Accetta l'offerta", ""},
    {"Form5", "Label2", "Rifiuta l'offerta", ""},
};

void setSpoken(QWidget *widget, const char *window, const char *control)
{
    for (const Spoken &s : kSpoken) {
        if (std::strcmp(s.window, window) == 0 && std::strcmp(s.control, control) == 0) {
            widget->setAccessibleName(QString::fromUtf8(s.name));
            widget->setAccessibleDescription(QString::fromUtf8(s.description));
            return;
        }
    }
}

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

QWidget *createControl(const Control &c, QWidget *parent)
{
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
    case Kind::TextBox: {
        auto *edit = new QLineEdit(text, parent);
        edit->setFrame(false);
        return edit;
    }
    case Kind::LogBox: {
        auto *log = new LogView(parent);
        log->setText(text);
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
        auto *label = new ClickLabel(text, parent);
        label->setAutoFillBackground(c.back.has_value());
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case Kind::Button:
        return new QPushButton(text, parent);
    case Kind::PictureBox: {
        auto *box = new QWidget(parent);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    }
    return nullptr;
}

} // namespace

QWidget *build(const Window &window)
{
    auto *body = new QWidget;
    body->setObjectName(QString::fromUtf8(window.name));
    body->setFixedSize(toPixels(window.innerWidth), toPixels(window.innerHeight));
    if (window.back) {
        QPalette pal = body->palette();
        pal.setColor(QPalette::Window, QColor(*window.back));
        body->setPalette(pal);
        body->setAutoFillBackground(true);
    }

    std::vector<const Control *> order;
    for (const Control &c : window.controls)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control *a, const Control *b) { return a->tab < b->tab; });

    // Created in design order, so that later controls lie above earlier ones.
    for (const Control &c : window.controls) {
        QWidget *w = createControl(c, body);
        w->setObjectName(QString::fromUtf8(c.name));
        w->setGeometry(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
        if (c.font.points > 0)
            w->setFont(designFont(c.font));
        setColours(w, c);
        if (c.handPointer)
            w->setCursor(Qt::PointingHandCursor);
        setSpoken(w, window.name, c.name);
        if (c.hidden) {
            w->setFocusPolicy(Qt::NoFocus);
            w->hide();
        }
    }

    QWidget *previous = nullptr;
    for (const Control *c : order) {
        auto *w = body->findChild<QWidget *>(QString::fromUtf8(c->name));
        if (c->hidden || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    return body;
}

} // namespace marvesto::design
