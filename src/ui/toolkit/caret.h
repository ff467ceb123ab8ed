#pragma once

#include <QObject>

#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace marvesto {

class Clock;
class ClockSlot;

// The console's wide block caret: 8 pixels wide and as tall as a line, which the
// fields' font makes 16 pixels. It is drawn inverting what lies under it, so the
// text stays readable, and blinks at the desktop's rate.
constexpr int kCaretWidth = 8;
constexpr int kCaretHeight = 16;

// The console's fields: the caret, with the font sized to it.
void giveBlockCaret(QLineEdit *field);
void giveBlockCaret(QPlainTextEdit *field);

// Whenever the console's fields change, the text field that has the keyboard
// focus gets the wide caret, whichever window it is in. A field of another
// window keeps its font, so its caret is as tall as its own line.
void giveBlockCaretToFocusedField();

// The caret rests, as GNOME's text fields do: after kRestAfterMs without a key
// it stops blinking and stays shown, and the next key sets it blinking again.
// Qt's fields blink at the application's cursor flash time and follow its
// changes, so resting sets that time to 0 (a steady caret, same size and place)
// and a key gives the desktop's back. No timer runs while the caret rests.
class CaretRest : public QObject {
    Q_OBJECT
public:
    static constexpr int kRestAfterMs = 10000;

    explicit CaretRest(Clock &clock, QObject *parent = nullptr);
    ~CaretRest() override;

    bool isResting() const { return m_resting; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void look();

    Clock &m_clock;
    std::unique_ptr<ClockSlot> m_slot;
    int m_flashTime; // the desktop's, given back at a key
    qint64 m_lastKeyMs;
    bool m_looking = false; // the slot is due to look again
    bool m_resting = false;
};

} // namespace marvesto
