#include "shell/mainframe.h"

#include "shell/designs.h"

#include <QEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>

namespace marvesto {

MainFrame::MainFrame(QWidget *parent) : QMainWindow(parent), m_area(new QMdiArea(this))
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
    m_picture = picture;
    if (picture.isNull()) {
        m_area->setBackground(QColor(design::mdiForm1().back));
        return;
    }
    // The area tiles its brush, so the brush is a black canvas of the area's size
    // with the picture at its top-left corner.
    QPixmap canvas(m_area->viewport()->size().expandedTo(QSize(1, 1)));
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.drawImage(0, 0, picture);
    }
    m_area->setBackground(canvas);
}

bool MainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        emit resized();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace marvesto
