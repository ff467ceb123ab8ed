// The design table: the main window and the five child windows as the
// original design lays them out, control by control and timer by timer. Each
// row names its part by the role the code gives it (the widget's object name,
// the timer's in the core) and by its name in the original design; this file
// is the only place that holds the original names, so that anyone holding the
// original design finds the code in one lookup.
#include "ui/toolkit/designs.h"

#include "core/auction.h"
#include "core/console.h"
#include "core/market.h"
#include "core/offer.h"
#include "core/wonboxes.h"
#include "ui/toolkit/controls.h"

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

// clang-format off: one row per control reads as a table.
const MainWindowDesign &mainWindow()
{
    static const MainWindowDesign d{"mainWindow", "MDIForm1", "Marvesto", 0x000000, 10410, 7365};
    return d;
}

const Window &consoleWindow()
{
    static const Window w{
        "consoleWindow",
        "Form1",
        "Manager",
        kNavy,
        7335,
        4155,
        {
            {Kind::TextBox,
             "capitalLineEdit",
             "Money",
             "50000",
             5880,
             3840,
             735,
             285,
             {},
             {},
             {},
             5,
             true},
            {Kind::Button,
             "runButton",
             "Command1",
             ">>",
             6840,
             0,
             495,
             255,
             {},
             {},
             {},
             4,
             false,
             false,
             true},
            {Kind::PictureBox,
             "pictureBox",
             "Picture100",
             "",
             120,
             120,
             255,
             255,
             {},
             {},
             {},
             3,
             true},
            {Kind::LogBox, "logView", "Text1", "", 120, 120, 7095, 3495, kYellow, kNavy, kSmall, 1,
             false, false, false, true},
            {Kind::TextBox, "commandLineEdit", "Text2", "", 360, 3720, 2295, 285, kYellow, kNavy,
             kSmall, 0},
            {Kind::Label,
             "sellLabel",
             "Label2",
             "F1-Vendi",
             2760,
             3720,
             1200,
             225,
             kYellow,
             {},
             kSmallUnderlined,
             6,
             false,
             true},
            {Kind::Label,
             "promptLabel",
             "Label1",
             ">",
             120,
             3720,
             180,
             375,
             kLightYellow,
             {},
             kLarge,
             2},
        },
        {{"watchTimer", "Timer1", Console::kWatchPeriodMs, true}},
    };
    return w;
}

const Window &marketWindow()
{
    static const Window w{
        "marketWindow",
        "Form2",
        "Boxes in vendita",
        {},
        9255,
        4020,
        {
            {Kind::ListBox, "boxesList", "List1", "", 0, 0, 9255, 4020, kNavy, 0xFFFFC0, kLarge, 0},
        },
        {{"tickTimer", "Timer1", Market::kTickMs, true}},
    };
    return w;
}

const Window &auctionRoom()
{
    static const Window w{
        "auctionRoom",
        "Form3",
        "Inizio Asta...",
        kSilver,
        9495,
        4095,
        {
            {Kind::Button,
             "bidButton",
             "Command1",
             "&Go!",
             8640,
             3600,
             735,
             375,
             {},
             {},
             kSmall,
             2,
             false,
             false,
             true},
            {Kind::TextBox, "priceLineEdit", "Text2", "", 240, 3600, 855, 285, {}, {}, {}, 1, true},
            {Kind::LogBox, "logView", "Text1", "", 120, 120, 9255, 3855, kMaroon, kSilver, kLarge,
             0},
        },
        {{"closingTimer", "Timer3", Auction::kClosingPauseMs, false},
         {"countdownTimer", "Timer2", Auction::kCountdownStepMs, false},
         {"rivalsTimer", "Timer1", Auction::kRivalsAnswerMs, false}},
    };
    return w;
}

const Window &wonBoxesWindow()
{
    static const Window w{
        "wonBoxesWindow",
        "Form4",
        "Aste Vinte",
        {},
        5775,
        4020,
        {
            {Kind::Button,
             "openButton",
             "Command1",
             ">>",
             5280,
             120,
             375,
             255,
             {},
             {},
             {},
             2,
             false,
             false,
             true},
            {Kind::TextBox,
             "priceLineEdit",
             "Text1",
             "",
             3720,
             3000,
             1935,
             375,
             {},
             {},
             {},
             1,
             true},
            {Kind::ListBox, "boxesList", "List1", "", 0, 0, 5775, 4020, kNavy, 0xC0FFC0, kLarge, 0,
             false, true},
        },
        {{"offerTimer", "Offerte", WonBoxes::kOfferCheckMs, false}},
    };
    return w;
}

const Window &offerDialog()
{
    static const Window w{
        "offerDialog",
        "Form5",
        "Un'offerta da non poter rifiutare...",
        kSilver,
        6630,
        3015,
        {
            {Kind::TextBox,
             "positionLineEdit",
             "Asta",
             "",
             2520,
             2520,
             615,
             285,
             {},
             {},
             {},
             3,
             true},
            {Kind::TextBox,
             "priceLineEdit",
             "Prezzo",
             "",
             720,
             2520,
             1695,
             285,
             {},
             {},
             {},
             2,
             true},
            {Kind::Button,
             "acceptButton",
             "Command2",
             "&Ok",
             5760,
             2520,
             735,
             375,
             {},
             {},
             kSmall,
             1,
             false,
             true,
             true},
            {Kind::LogBox, "offerView", "Text1", "", 120, 120, 6375, 2295, kMaroon, kSilver, kLarge,
             0},
            {Kind::Label,
             "refuseLabel",
             "Label2",
             "ESC - Per rifiutare",
             2760,
             2640,
             2850,
             315,
             kBlue,
             {},
             kSmallUnderlined,
             4,
             false,
             true},
        },
        {{"patienceTimer", "Timer1", Offer::kPatienceMs, false}},
    };
    return w;
}

// clang-format on

const std::vector<const Window *> &childWindows()
{
    static const std::vector<const Window *> all{&consoleWindow(), &marketWindow(), &auctionRoom(),
                                                 &wonBoxesWindow(), &offerDialog()};
    return all;
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

// What a screen reader says of the controls a player uses, in Italian. A name
// holds the control's visible text, so that a player who speaks to the desktop
// can say what the screen shows; the description explains it. Symbols such as
// ">>" get a name that says what they do.
struct Spoken {
    const char *window, *control, *name, *description;
};
constexpr Spoken kSpoken[] = {
    {"consoleWindow", "logView", "Registro del manager",
     "I messaggi del gioco: tasse, costi, vendite"},
    {"consoleWindow", "commandLineEdit", "Riga di comando",
     "Il numero di un box in vendita e Invio apre l'asta; sell e Invio sceglie il primo box vinto"},
    {"consoleWindow", "runButton", "Esegui il comando", ""},
    {"consoleWindow", "sellLabel", "F1-Vendi", "Sceglie il primo box vinto"},
    {"marketWindow", "boxesList", "Box in vendita",
     "Un box nuovo ogni secondo; la prima riga \u00E8 la 0"},
    {"auctionRoom", "logView", "Registro dell'asta",
     "Invio rilancia di 100 euro durante il conto alla rovescia"},
    {"auctionRoom", "bidButton", "Go!", "Rilancia di 100 euro"},
    {"wonBoxesWindow", "boxesList", "Aste vinte", "Invio apre il box scelto e ne stima il valore"},
    {"wonBoxesWindow", "openButton", "Apri il box", ""},
    {"offerDialog", "offerView", "Offerta", "Invio accetta, Esc rifiuta"},
    {"offerDialog", "acceptButton", "Ok", "Accetta l'offerta"},
    {"offerDialog", "refuseLabel", "ESC - Per rifiutare", "Rifiuta l'offerta"},
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
    case Kind::Button: return new QPushButton(text, parent);
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
    body->setObjectName(QString::fromUtf8(window.role));
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
        w->setObjectName(QString::fromUtf8(c.role));
        w->setGeometry(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height));
        if (c.font.points > 0)
            w->setFont(designFont(c.font));
        setColours(w, c);
        if (c.handPointer)
            w->setCursor(Qt::PointingHandCursor);
        setSpoken(w, window.role, c.role);
        if (c.hidden) {
            w->setFocusPolicy(Qt::NoFocus);
            w->hide();
        }
    }

    QWidget *previous = nullptr;
    for (const Control *c : order) {
        auto *w = body->findChild<QWidget *>(QString::fromUtf8(c->role));
        if (c->hidden || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    return body;
}

} // namespace marvesto::design
