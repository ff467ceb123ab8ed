#pragma once

#include <QRgb>

#include <optional>
#include <vector>

namespace marvesto::design {

// Places and sizes are in twips; 15 twips make one logical pixel.
constexpr double kTwipsPerPixel = 15.0;
int toPixels(double twips);

enum class Kind { TextBox, LogBox, ListBox, Label, Button, PictureBox };

struct Font {
    double points = 0; // 0: the desktop's default dialog font
    bool underline = false;
};

// A place in twips within the window's inner area.
struct Place {
    int left, top, width, height;
};

// Every row names the part twice: by the role the code gives it (the widget's
// object name) and by its name in the original design, for readers who hold it.
// A control a player uses also has what a screen reader says of it, in
// Italian: its name holds the visible caption, so that a player who speaks to
// the desktop can say what the screen shows; symbols such as ">>" get a name
// that says what they do. The description explains the control. Captions,
// spoken names and descriptions are the Italian source texts of their
// translations, whose context is the window's role (design::translated()).
struct Control {
    Kind kind;
    const char *role;
    const char *original;
    const char *caption = "";
    Place place;
    int tab;
    std::optional<QRgb> fore = {};
    std::optional<QRgb> back = {}; // for labels: transparent when unset
    Font font = {};
    bool hidden = false;
    bool handPointer = false;
    bool defaultButton = false;
    bool verticalScrollBar = false;
    const char *spokenName = nullptr; // null: Qt's own name
    const char *description = "";
};

// The game's timers live in its core, where their intervals are; each row says
// which window a timer belonged to.
struct TimerDesign {
    const char *role;
    const char *original;
};

struct Window {
    const char *role;
    const char *original;
    const char *caption;
    std::optional<QRgb> back;
    int innerWidth, innerHeight;
    std::vector<Control> controls;
    std::vector<TimerDesign> timers;
};

// The main window's design.
struct MainWindowDesign {
    const char *role;
    const char *original;
    const char *caption;
    QRgb back;
    int innerWidth, innerHeight;
};

const MainWindowDesign &mainWindow();
const Window &consoleWindow();
const Window &marketWindow();
const Window &auctionRoom();
const Window &wonBoxesWindow();
const Window &offerDialog();
// The five child windows' designs, in the order above.
const std::vector<const Window *> &childWindows();

} // namespace marvesto::design
