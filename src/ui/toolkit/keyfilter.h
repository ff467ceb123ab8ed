#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace marvesto {

// The keys a child window sees before its focused control, watched on every
// control of the window: the window's own key handler first, then Esc, then
// Enter, which presses the default button even where it lies out of view, and
// Alt with the letter after "&" in a button's caption, which presses that
// button at once rather than through Qt's delayed button animation.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    // Return true to swallow the key.
    using KeyHandler = std::function<bool(QKeyEvent *)>;
    using EscapeHandler = std::function<bool()>;

    KeyFilter(KeyHandler onKey, EscapeHandler onEscape, QObject *parent = nullptr);

    // Watches the body and every widget in it; forget() lets them go.
    void watch(QWidget *body, QPushButton *defaultButton, std::vector<QPushButton *> buttons);
    void forget();

signals:
    // A widget of the body took the keyboard focus.
    void focusEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *accessKeyButton(int key) const;

    KeyHandler m_onKey;
    EscapeHandler m_onEscape;
    QWidget *m_body = nullptr;
    QPushButton *m_defaultButton = nullptr;
    std::vector<QPushButton *> m_buttons;
};

} // namespace marvesto
