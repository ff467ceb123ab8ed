#include "ui/toolkit/mainwindow.h"

#include "ui/toolkit/backdrop.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/designs.h"

#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>

namespace marvesto {

namespace {

// The area paints the stretched picture itself, straight from the source, so
// that no full-size copy of it is kept: from the top-left corner, black where
// it does not reach. It is stretched to the screen's device pixels, so that it
// stays sharp at any scale factor.
class BackdropArea : public QMdiArea {
public:
    using QMdiArea::QMdiArea;

    void setBackdrop(const QImage &picture, QSize shownSize)
    {
        m_picture = picture;
        m_shownSize = shownSize;
        m_onDevice = Stretch();
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_picture.isNull() || m_shownSize.isEmpty()) {
            QMdiArea::paintEvent(event);
            return;
        }
        QPainter painter(viewport());
        const QRect shown(QPoint(0, 0), m_shownSize);
        for (const QRect &exposed : event->region()) {
            for (const QRect &uncovered : QRegion(exposed).subtracted(shown))
                painter.fillRect(uncovered, Qt::black);
        }
        const qreal ratio = viewport()->devicePixelRatioF();
        // Made at the first paint after a change, for the screen's scale then.
        const QSize deviceSize = (QSizeF(m_shownSize) * ratio).toSize();
        if (m_onDevice.size() != deviceSize)
            m_onDevice = Stretch(m_picture, deviceSize);
        painter.scale(1 / ratio, 1 / ratio); // one unit a device pixel
        for (const QRect &exposed : event->region())
            m_onDevice.paint(painter,
                             QRectF(QPointF(exposed.topLeft()) * ratio,
                                    QSizeF(exposed.size()) * ratio)
                                 .toAlignedRect());
    }

private:
    QImage m_picture;
    QSize m_shownSize;
    Stretch m_onDevice; // the picture stretched to the shown size in device pixels
};

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_area(new BackdropArea(this))
{
    const design::MainWindowDesign &d = design::mainWindow();
    setWindowTitle(QString::fromUtf8(d.caption));
    m_area->setBackground(QColor(d.back));
    m_area->viewport()->installEventFilter(this);
    setCentralWidget(m_area);
    resize(design::toPixels(d.innerWidth),
           design::toPixels(d.innerHeight) + menuBar()->sizeHint().height());

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    m_newGame = file->addAction(tr("Nuova Partita"));
    m_newGame->setObjectName(QStringLiteral("newGameAction"));
    m_newGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    file->addSeparator();
    m_pause = file->addAction(tr("Pausa"));
    m_pause->setObjectName(QStringLiteral("pauseAction"));
    m_pause->setCheckable(true);
    // P only where it types nothing: a text field takes it as a letter.
    m_pause->setShortcuts({QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_Pause)});
    QMenu *speed = file->addMenu(tr("Velocità"));
    speed->setObjectName(QStringLiteral("speedMenu"));
    m_speeds = new QActionGroup(this);
    const std::pair<const char *, int> speeds[] = {
        {QT_TRANSLATE_NOOP("marvesto::MainWindow", "Normale"), 1},
        {QT_TRANSLATE_NOOP("marvesto::MainWindow", "Lenta"), 2},
        {QT_TRANSLATE_NOOP("marvesto::MainWindow", "Molto lenta"), 3}};
    for (const auto &[name, factor] : speeds) {
        QAction *choice = speed->addAction(tr(name));
        choice->setCheckable(true);
        choice->setData(factor);
        choice->setChecked(factor == 1);
        m_speeds->addAction(choice);
    }
    file->addSeparator();
    m_capital = file->addAction(tr("Capitale e box vinti"));
    m_capital->setObjectName(QStringLiteral("capitalAction"));
    m_capital->setShortcut(QKeySequence(Qt::Key_F2));
    m_sound = file->addAction(tr("Suoni"));
    m_sound->setObjectName(QStringLiteral("soundAction"));
    m_sound->setCheckable(true);
    m_sound->setChecked(true);
    file->addSeparator();
    m_exit = file->addAction(tr("Esci"));
    m_exit->setObjectName(QStringLiteral("exitAction"));
    m_exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_newGame, &QAction::triggered, this, &MainWindow::newGameClicked);
    connect(m_exit, &QAction::triggered, this, &MainWindow::exitClicked);
    connect(m_capital, &QAction::triggered, this, &MainWindow::capitalWanted);

    m_help = menuBar()->addMenu(QStringLiteral("?"));
    m_help->setObjectName(QStringLiteral("helpMenu"));
    QAction *records = m_help->addAction(tr("Record"));
    records->setObjectName(QStringLiteral("recordsAction"));
    records->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(records, &QAction::triggered, this, &MainWindow::recordsClicked);
    m_howToPlay = m_help->addAction(tr("Come si gioca"));
    m_howToPlay->setObjectName(QStringLiteral("howToPlayAction"));
    // F1 is the game's "sell": Ctrl+H, as in "help", types nothing anywhere.
    m_howToPlay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(m_howToPlay, &QAction::triggered, this, &MainWindow::howToPlayClicked);
    QAction *about = m_help->addAction(tr("Informazioni su Marvesto"));
    connect(about, &QAction::triggered, this, &MainWindow::aboutClicked);

    m_pausedCaption = new QLabel(tr("Pausa", "shown over the paused game"), m_area->viewport());
    m_pausedCaption->setObjectName(QStringLiteral("pausedCaption"));
    m_pausedCaption->setAlignment(Qt::AlignCenter);
    m_pausedCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pausedCaption->setStyleSheet(
        QStringLiteral("color: white; background: rgba(0, 0, 0, 160); font-size: 48pt; "
                       "font-weight: bold; padding: 12px 48px;"));
    m_pausedCaption->hide();

    // Windows that reach past the area can be scrolled into view on a small screen.
    // The area looks at its range whenever a window in it changes: its bars
    // repaint only what looks different.
    m_area->setHorizontalScrollBar(new ScrollBar(Qt::Horizontal, m_area));
    m_area->setVerticalScrollBar(new ScrollBar(Qt::Vertical, m_area));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize MainWindow::innerSize() const
{
    return m_area->viewport()->size();
}

void MainWindow::setBackgroundPicture(const QImage &picture, QSize shownSize)
{
    // Shared with the caller's image, not copied.
    m_picture = picture;
    m_shownSize = shownSize.isEmpty() ? picture.size() : shownSize;
    m_area->setBackground(QColor(design::mainWindow().back));
    static_cast<BackdropArea *>(m_area)->setBackdrop(m_picture, m_shownSize);
}

QImage MainWindow::backgroundPicture() const
{
    if (m_shownSize == m_picture.size())
        return m_picture;
    return Stretch(m_picture, m_shownSize).toImage();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize) {
        placePausedCaption();
        emit resized();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        emit minimized();
}

void MainWindow::showPaused(bool paused)
{
    const QString title = QString::fromUtf8(design::mainWindow().caption);
    setWindowTitle(paused ? title + tr(" (in pausa)") : title);
    m_pause->setChecked(paused);
    m_pausedCaption->setVisible(paused);
    if (paused) {
        placePausedCaption();
        m_pausedCaption->raise();
    }
}

void MainWindow::placePausedCaption()
{
    m_pausedCaption->adjustSize();
    QRect shown = m_pausedCaption->rect();
    shown.moveCenter(m_area->viewport()->rect().center());
    m_pausedCaption->setGeometry(shown);
}

} // namespace marvesto
