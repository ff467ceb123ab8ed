// The design table: the main window and the five child windows as the
// original design lays them out, control by control and timer by timer. Each
// row names its part by the role the code gives it (the widget's object name,
// the timer's in the core) and by its name in the original design; this file
// is the only place that holds the original names, so that anyone holding the
// original design finds the code in one lookup.
#include "ui/toolkit/designs.h"

#include <cmath>

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

// One row per control, each on a line or two, reads as a table.
// clang-format off
const MainWindowDesign &mainWindow()
{
    static const MainWindowDesign d{"mainWindow", "MDIForm1", "Marvesto", 0x000000, 10410, 7365};
    return d;
}

const Window &consoleWindow()
{
    static const Window w{"consoleWindow", "Form1", QT_TRANSLATE_NOOP("consoleWindow", "Manager"), kNavy, 7335, 4155, {
        {.kind = Kind::TextBox, .role = "capitalLineEdit", .original = "Money", .caption = "50000",
         .place = {5880, 3840, 735, 285}, .tab = 5, .hidden = true},
        {.kind = Kind::Button, .role = "runButton", .original = "Command1", .caption = ">>",
         .place = {6840, 0, 495, 255}, .tab = 4, .defaultButton = true,
         .spokenName = QT_TRANSLATE_NOOP("consoleWindow", "Esegui il comando")},
        {.kind = Kind::PictureBox, .role = "pictureBox", .original = "Picture100",
         .place = {120, 120, 255, 255}, .tab = 3, .hidden = true},
        {.kind = Kind::LogBox, .role = "logView", .original = "Text1",
         .place = {120, 120, 7095, 3495}, .tab = 1, .fore = kYellow, .back = kNavy, .font = kSmall,
         .verticalScrollBar = true,
         .spokenName = QT_TRANSLATE_NOOP("consoleWindow", "Registro del manager"),
         .description = QT_TRANSLATE_NOOP("consoleWindow", "I messaggi del gioco: tasse, costi, vendite")},
        {.kind = Kind::TextBox, .role = "commandLineEdit", .original = "Text2",
         .place = {360, 3720, 2295, 285}, .tab = 0, .fore = kYellow, .back = kNavy, .font = kSmall,
         .spokenName = QT_TRANSLATE_NOOP("consoleWindow", "Riga di comando"),
         .description = QT_TRANSLATE_NOOP("consoleWindow", "Il numero di un box in vendita e Invio apre l'asta; sell e Invio sceglie il primo box vinto")},
        {.kind = Kind::Label, .role = "sellLabel", .original = "Label2", .caption = QT_TRANSLATE_NOOP("consoleWindow", "F1-Vendi"),
         .place = {2760, 3720, 1200, 225}, .tab = 6, .fore = kYellow, .font = kSmallUnderlined,
         .handPointer = true,
         .spokenName = QT_TRANSLATE_NOOP("consoleWindow", "F1-Vendi"), .description = QT_TRANSLATE_NOOP("consoleWindow", "Sceglie il primo box vinto")},
        {.kind = Kind::Label, .role = "promptLabel", .original = "Label1", .caption = ">",
         .place = {120, 3720, 180, 375}, .tab = 2, .fore = kLightYellow, .font = kLarge},
    }, {{"watchTimer", "Timer1"}}};
    return w;
}

const Window &marketWindow()
{
    static const Window w{"marketWindow", "Form2", QT_TRANSLATE_NOOP("marketWindow", "Boxes in vendita"), {}, 9255, 4020, {
        {.kind = Kind::ListBox, .role = "boxesList", .original = "List1",
         .place = {0, 0, 9255, 4020}, .tab = 0, .fore = kNavy, .back = 0xFFFFC0, .font = kLarge,
         .spokenName = QT_TRANSLATE_NOOP("marketWindow", "Box in vendita"),
         .description = QT_TRANSLATE_NOOP("marketWindow", "Un box nuovo ogni secondo; la prima riga \u00E8 la 0")},
    }, {{"tickTimer", "Timer1"}}};
    return w;
}

const Window &auctionRoom()
{
    static const Window w{"auctionRoom", "Form3", QT_TRANSLATE_NOOP("auctionRoom", "Inizio Asta..."), kSilver, 9495, 4095, {
        {.kind = Kind::Button, .role = "bidButton", .original = "Command1", .caption = QT_TRANSLATE_NOOP("auctionRoom", "&Go!"),
         .place = {8640, 3600, 735, 375}, .tab = 2, .font = kSmall, .defaultButton = true,
         .spokenName = QT_TRANSLATE_NOOP("auctionRoom", "Go!"), .description = QT_TRANSLATE_NOOP("auctionRoom", "Rilancia di 100 euro")},
        {.kind = Kind::TextBox, .role = "priceLineEdit", .original = "Text2",
         .place = {240, 3600, 855, 285}, .tab = 1, .hidden = true},
        {.kind = Kind::LogBox, .role = "logView", .original = "Text1",
         .place = {120, 120, 9255, 3855}, .tab = 0, .fore = kMaroon, .back = kSilver, .font = kLarge,
         .spokenName = QT_TRANSLATE_NOOP("auctionRoom", "Registro dell'asta"),
         .description = QT_TRANSLATE_NOOP("auctionRoom", "Invio rilancia di 100 euro durante il conto alla rovescia")},
    }, {{"closingTimer", "Timer3"}, {"countdownTimer", "Timer2"}, {"rivalsTimer", "Timer1"}}};
    return w;
}

const Window &wonBoxesWindow()
{
    static const Window w{"wonBoxesWindow", "Form4", QT_TRANSLATE_NOOP("wonBoxesWindow", "Aste Vinte"), {}, 5775, 4020, {
        {.kind = Kind::Button, .role = "openButton", .original = "Command1", .caption = ">>",
         .place = {5280, 120, 375, 255}, .tab = 2, .defaultButton = true,
         .spokenName = QT_TRANSLATE_NOOP("wonBoxesWindow", "Apri il box")},
        {.kind = Kind::TextBox, .role = "priceLineEdit", .original = "Text1",
         .place = {3720, 3000, 1935, 375}, .tab = 1, .hidden = true},
        {.kind = Kind::ListBox, .role = "boxesList", .original = "List1",
         .place = {0, 0, 5775, 4020}, .tab = 0, .fore = kNavy, .back = 0xC0FFC0, .font = kLarge,
         .handPointer = true,
         .spokenName = QT_TRANSLATE_NOOP("wonBoxesWindow", "Aste vinte"), .description = QT_TRANSLATE_NOOP("wonBoxesWindow", "Invio apre il box scelto e ne stima il valore")},
    }, {{"offerTimer", "Offerte"}}};
    return w;
}

const Window &offerDialog()
{
    static const Window w{"offerDialog", "Form5", QT_TRANSLATE_NOOP("offerDialog", "Un'offerta da non poter rifiutare..."), kSilver,
                          6630, 3015, {
        {.kind = Kind::TextBox, .role = "positionLineEdit", .original = "Asta",
         .place = {2520, 2520, 615, 285}, .tab = 3, .hidden = true},
        {.kind = Kind::TextBox, .role = "priceLineEdit", .original = "Prezzo",
         .place = {720, 2520, 1695, 285}, .tab = 2, .hidden = true},
        {.kind = Kind::Button, .role = "acceptButton", .original = "Command2", .caption = QT_TRANSLATE_NOOP("offerDialog", "&Ok"),
         .place = {5760, 2520, 735, 375}, .tab = 1, .font = kSmall, .handPointer = true,
         .defaultButton = true,
         .spokenName = QT_TRANSLATE_NOOP("offerDialog", "Ok"), .description = QT_TRANSLATE_NOOP("offerDialog", "Accetta l'offerta")},
        {.kind = Kind::LogBox, .role = "offerView", .original = "Text1",
         .place = {120, 120, 6375, 2295}, .tab = 0, .fore = kMaroon, .back = kSilver, .font = kLarge,
         .spokenName = QT_TRANSLATE_NOOP("offerDialog", "Offerta"), .description = QT_TRANSLATE_NOOP("offerDialog", "Invio accetta, Esc rifiuta")},
        {.kind = Kind::Label, .role = "refuseLabel", .original = "Label2",
         .caption = QT_TRANSLATE_NOOP("offerDialog", "ESC - Per rifiutare"),
         .place = {2760, 2640, 2850, 315}, .tab = 4, .fore = kBlue, .font = kSmallUnderlined,
         .handPointer = true,
         .spokenName = QT_TRANSLATE_NOOP("offerDialog", "ESC - Per rifiutare"), .description = QT_TRANSLATE_NOOP("offerDialog", "Rifiuta l'offerta")},
    }, {{"patienceTimer", "Timer1"}}};
    return w;
}
// clang-format on

const std::vector<const Window *> &childWindows()
{
    static const std::vector<const Window *> all{&consoleWindow(), &marketWindow(), &auctionRoom(),
                                                 &wonBoxesWindow(), &offerDialog()};
    return all;
}

} // namespace marvesto::design
