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

struct Control {
    Kind kind;
    const char *name;
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

struct TimerDesign {
    const char *name;
    int interval;
    bool enabled;
};

struct Window {
    const char *name;
    const char *caption;
    std::optional<QRgb> back;
    int innerWidth, innerHeight;
    std::vector<Control> controls;
    std::vector<TimerDesign> timers;

    const TimerDesign &timer(const char *timerName) const;
};

// The main window's design.
struct MainWindowDesign {
    const char *caption;
    QRgb back;
    int innerWidth, innerHeight;
};

const MainWindowDesign &mdiForm1();
const Window &form1();
const Window &form2();
const Window &form3();
const Window &form4();
const Window &form5();

// The fonts the designs name: "Lucida Console" bold, the system's monospace font
// standing in where it is missing.
QFont designFont(const Font &font);

// Builds a window's controls from its design into a fresh inner-area widget: the
// controls are its children, named as in the design, in focus order.
QWidget *build(const Window &window);

} // namespace marvesto::design
