#pragma once

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace marvesto {

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

} // namespace marvesto
