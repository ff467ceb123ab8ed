#include "shell/mainframe.h"

#include "shell/designs.h"

#include <QEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>

namespace marvesto {

namespace {

// The area paints the picture itself, straight from the image, so that no
// second full-size copy of it is made: the picture at its own size from the
// top-left corner, black where it does not reach.
class BackdropArea : public QMdiArea {
public:
    using QMdiArea::QMdiArea;

    void setPicture(const QImage &picture)
    {
        m_picture = picture;
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_picture.isNull()) {
            QMdiArea::paintEvent(event);
            return;
        }
        QPainter painter(viewport());
        for (const QRect &exposed : event->region()) {
            const QRect covered = exposed & m_picture.rect();
            if (!covered.isEmpty())
                painter.drawImage(covered.topLeft(), m_picture, covered);
            for (const QRect &uncovered : QRegion(exposed).subtracted(covered))
                painter.fillRect(uncovered, Qt::black);
        }
    }

private:
    QImage m_picture;
};

} // namespace

MainFrame::MainFrame(QWidget *parent) : QMainWindow(parent), m_area(new BackdropArea(this))
{
    const design::MainWindowDesign &d = design::mdiForm1();
    setWindowTitle(QString::fromUtf8(d.caption));
    m_area->setBackground(QColor(d.back));
    m_area->viewport()->installEventFilter(this);
    setCentralWidget(m_area);
    resize(design::toPixels(d.innerWidth), design::toPixels(d.innerHeight) + menuBar()->sizeHint().height());

    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File"));
    m_newGame = file->addAction(QStringLiteral("Nuova Partita"));
    m_newGame->setObjectName(QStringLiteral("NuovaPartita"));
    m_exit = file->addAction(QStringLiteral("Esci"));
    m_exit->setObjectName(QStringLiteral("Esci"));
    connect(m_newGame, &QAction::triggered, this, &MainFrame::newGameClicked);
    connect(m_exit, &QAction::triggered, this, &MainFrame::exitClicked);
}

QSize MainFrame::innerSize() const
{
    return m_area->viewport()->size();
}

void MainFrame::setBackgroundPicture(const QImage &picture)
{
    // Shared with the caller's image, not copied.
    m_picture = picture;
    m_area->setBackground(QColor(design::mdiForm1().back));
    static_cast<BackdropArea *>(m_area)->setPicture(picture);
}

bool MainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        emit resized();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace marvesto
