#pragma once

#include <QImage>
#include <QMainWindow>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMdiArea;

namespace marvesto {

// The main window: a frame with the File menu around the area that holds the
// child windows. The area shows the background picture behind them, black where
// no picture covers it. It knows no game rule; the game connects to its signals.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    QMdiArea &area() { return *m_area; }
    // The picture painted in the inner area from the top-left corner, stretched
    // to shownSize (its own size when that is empty), black where it does not reach.
    void setBackgroundPicture(const QImage &picture, QSize shownSize = {});
    // The picture as it is shown; made on demand when it is stretched.
    QImage backgroundPicture() const;
    // The picture as it was set, before any stretching.
    QImage backgroundSource() const { return m_picture; }
    QSize innerSize() const;

    QAction *newGameAction() const { return m_newGame; }
    QAction *exitAction() const { return m_exit; }
    // The "?" menu.
    QMenu *helpMenu() const { return m_help; }
    // Checked while the game's cues are heard.
    QAction *soundAction() const { return m_sound; }
    // Has the capital and the won boxes told to a screen reader.
    QAction *capitalAction() const { return m_capital; }
    // Checked while the game is paused (P, Pause).
    QAction *pauseAction() const { return m_pause; }
    // "?" > "Come si gioca" (Ctrl+H): opens the rules.
    QAction *howToPlayAction() const { return m_howToPlay; }
    // "Normale", "Lenta", "Molto lenta": each action's data is its slowing factor.
    QActionGroup *speedActions() const { return m_speeds; }
    // A paused game says so over the area and in the title.
    void showPaused(bool paused);

signals:
    void newGameClicked();
    void exitClicked();
    void aboutClicked();
    void recordsClicked();
    void howToPlayClicked();
    void capitalWanted();
    void minimized();
    // The inner area changed its size.
    void resized();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placePausedCaption();

    QMdiArea *m_area;
    QAction *m_newGame;
    QAction *m_sound;
    QAction *m_capital;
    QAction *m_pause;
    QAction *m_howToPlay;
    QActionGroup *m_speeds;
    QLabel *m_pausedCaption;
    QAction *m_exit;
    QMenu *m_help;
    QImage m_picture;
    QSize m_shownSize;
};

} // namespace marvesto
