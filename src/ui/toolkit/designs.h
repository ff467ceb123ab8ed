#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace marvesto::design {

// Places and sizes are in twips; 15 twips make one logical pixel.
constexpr double kTwipsPerPixel = 15.0;
int toPixels(double twips);

enum class Kind { TextBox, LogBox, ListBox, Label, Button, PictureBox };

struct Font {
    double points = 0; // 0: the desktop's default dialog font
    bool underline = false;
};

// Every row names the part twice: by the role the code gives it (the widget's
// object name) and by its name in the original design, for readers who hold it.
struct Control {
    Kind kind;
    const char *role;
    const char *original;
    const char *text;
    int left, top, width, height;
    std::optional<QRgb> fore;
    std::optional<QRgb> back; // for labels: transparent when unset
    Font font;
    int tab;
    bool hidden = false;
    bool handPointer = false;
    bool defaultButton = false;
    bool verticalScrollBar = false;
};

// The game's timers live in its core; their rows say which window they belonged to.
struct TimerDesign {
    const char *role;
    const char *original;
    int interval;
    bool enabled;
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

// The fonts the designs name: "Lucida Console" bold, the system's monospace font
// standing in where it is missing.
QFont designFont(const Font &font);

// Builds a window's controls from its design into a fresh inner-area widget: the
// controls are its children, named by their roles, in focus order.
QWidget *build(const Window &window);

} // namespace marvesto::design
