#pragma once

#include <QImage>
#include <QMainWindow>

class QAction;
class QMdiArea;

namespace marvesto {

// The main window: a frame with the File menu around the area that holds the
// child windows. The area shows the background picture behind them, black where
// no picture covers it. It knows no game rule; the game connects to its signals.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget *parent = nullptr);

    QMdiArea &area() { return *m_area; }
    // The picture painted in the inner area, at its own size from the top-left corner.
    void setBackgroundPicture(const QImage &picture);
    QImage backgroundPicture() const { return m_picture; }
    QSize innerSize() const;

    QAction *newGameAction() const { return m_newGame; }
    QAction *exitAction() const { return m_exit; }

signals:
    void newGameClicked();
    void exitClicked();
    // The inner area changed its size.
    void resized();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMdiArea *m_area;
    QAction *m_newGame;
    QAction *m_exit;
    QImage m_picture;
};

} // namespace marvesto
