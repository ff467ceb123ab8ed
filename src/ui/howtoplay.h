#pragma once

#include <QDialog>

class QTextBrowser;

namespace marvesto {

// "Come si gioca": the rules of a game in a few short paragraphs, for players
// who start the game from the desktop and read no README. Not modal: the game
// goes on while it is open, and the player can pause first.
class HowToPlay : public QDialog {
    Q_OBJECT
public:
    explicit HowToPlay(QWidget *parent = nullptr);

    // The text, read-only, with a name for screen readers.
    QTextBrowser *textView() const { return m_textView; }

private:
    QTextBrowser *m_textView;
};

} // namespace marvesto
