#include "ui/toolkit/childwindow.h"

#include "core/boxlistpart.h"
#include "ui/toolkit/widgetfactory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace marvesto {

namespace {

// Where a button out of view lies, in twips.
constexpr double kOutOfViewTop = -20000;

// Qt reads "[*]" in a title as the place of a modified mark and drops it;
// doubled, it shows as typed.
QString literalTitle(QString caption)
{
    return caption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

} // namespace

ChildWindow::ChildWindow(const design::Window &design, QMdiArea &area, QObject *parent)
    : QObject(parent), m_design(design), m_area(area), m_caption(QString::fromUtf8(design.caption))
{
}

ChildWindow::~ChildWindow()
{
    if (m_sub) {
        m_sub->removeEventFilter(this);
        delete m_sub; // deletes the body with it
    }
}

void ChildWindow::load()
{
    if (m_body)
        return;
    m_caption = QString::fromUtf8(m_design.caption);
    m_body = design::build(m_design);
    for (const std::function<void()> &show : m_mirrors)
        show();
    for (const design::Control &c : m_design.controls) {
        if (c.defaultButton)
            m_defaultButton = m_body->findChild<QPushButton *>(QString::fromUtf8(c.role));
    }
    watchKeys(m_body);

    m_sub =
        new QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_sub->setAttribute(Qt::WA_DeleteOnClose, false);
    m_sub->setOption(QMdiSubWindow::RubberBandMove, false);
    m_sub->setWidget(m_body);
    m_sub->setWindowTitle(literalTitle(m_caption));
    m_sub->setWindowIcon(QIcon(QPixmap(1, 1)));
    m_area.addSubWindow(m_sub);
    m_sub->adjustSize();
    m_sub->setFixedSize(m_sub->size());
    m_sub->move(0, 0);
    applyLocks();

    wireControls();
    onLoad();
    if (m_loadHook)
        m_loadHook();
    emit loaded();
    // Child windows show themselves once loaded, with the focus on their first control.
    if (m_body) {
        m_sub->show();
        focusMainControl();
    }
}

void ChildWindow::focusMainControl()
{
    if (!m_body || !isEnabled())
        return;
    const design::Control *first = nullptr;
    for (const design::Control &c : m_design.controls) {
        auto *w = m_body->findChild<QWidget *>(QString::fromUtf8(c.role));
        if (w && w->focusPolicy() != Qt::NoFocus && !c.hidden && w->isEnabled()
            && (!first || c.tab < first->tab))
            first = &c;
    }
    if (first)
        m_body->findChild<QWidget *>(QString::fromUtf8(first->role))
            ->setFocus(Qt::OtherFocusReason);
}

bool ChildWindow::hasFocus() const
{
    const QWidget *focused = QApplication::focusWidget();
    return m_body && focused && m_body->isAncestorOf(focused);
}

void ChildWindow::unload()
{
    if (!m_body)
        return;
    QMdiSubWindow *sub = m_sub;
    m_body = nullptr;
    m_defaultButton = nullptr;
    m_sub = nullptr;
    if (sub) {
        sub->hide();
        m_area.removeSubWindow(sub);
        sub->deleteLater(); // never inside its own event
    }
    emit unloaded();
}

void ChildWindow::showLines(const char *listRole, const BoxListPart &part)
{
    const auto list = [this, listRole] { return control<QListWidget>(listRole); };
    m_mirrors.push_back([list, &part] { list()->addItems(part.lines()); });
    connect(&part, &BoxListPart::lineAdded, this, [this, list, &part](int position) {
        if (isLoaded())
            list()->insertItem(position, part.line(position));
    });
    connect(&part, &BoxListPart::lineRemoved, this, [this, list](int position) {
        if (isLoaded())
            removeRow(list(), position);
    });
    whileLoaded(&part, &BoxListPart::linesCleared, [list] { list()->clear(); });
}

void ChildWindow::putOutOfView(QPushButton *button)
{
    button->move(button->x(), design::toPixels(kOutOfViewTop));
    button->setFocusPolicy(Qt::NoFocus);
}

QWidget *ChildWindow::controlWidget(const char *role) const
{
    return m_body ? m_body->findChild<QWidget *>(QString::fromUtf8(role)) : nullptr;
}

void ChildWindow::lock(const QObject *holder)
{
    m_locks.insert(holder);
    applyLocks();
}

void ChildWindow::unlock(const QObject *holder)
{
    m_locks.erase(holder);
    applyLocks();
}

void ChildWindow::applyLocks()
{
    if (m_body)
        m_body->setEnabled(m_locks.empty());
}

void ChildWindow::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_sub)
        m_sub->setWindowTitle(literalTitle(caption));
}

QString ChildWindow::caption() const
{
    return m_caption;
}

double ChildWindow::top() const
{
    return m_sub ? m_sub->y() * design::kTwipsPerPixel : 0;
}

double ChildWindow::left() const
{
    return m_sub ? m_sub->x() * design::kTwipsPerPixel : 0;
}

double ChildWindow::width() const
{
    return m_sub ? m_sub->width() * design::kTwipsPerPixel : 0;
}

double ChildWindow::height() const
{
    return m_sub ? m_sub->height() * design::kTwipsPerPixel : 0;
}

void ChildWindow::setTop(double twips)
{
    if (m_sub)
        m_sub->move(m_sub->x(), design::toPixels(twips));
}

void ChildWindow::setLeft(double twips)
{
    if (m_sub)
        m_sub->move(design::toPixels(twips), m_sub->y());
}

void ChildWindow::watchKeys(QWidget *widget)
{
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool ChildWindow::onKeyDown(QKeyEvent *)
{
    return false;
}

bool ChildWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && m_sub && m_area.activeSubWindow() != m_sub) {
        // The window whose control has the focus is the active one, title bar included.
        m_area.setActiveSubWindow(m_sub);
    }
    if (event->type() == QEvent::ShortcutOverride && m_body) {
        // Access keys are pressed here, at once, rather than by Qt's delayed button animation.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::AltModifier && accessKeyButton(key->key())) {
            event->accept();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress || !m_body)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (onKeyDown(key))
        return true;
    if (key->key() == Qt::Key_Escape && onEscape())
        return true;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_defaultButton
        && m_defaultButton->isEnabled() && m_body->isEnabled()) {
        // Enter presses the default button even where it lies out of view.
        m_defaultButton->click();
        return true;
    }
    if (key->modifiers() == Qt::AltModifier && pressAccessKey(key->key()))
        return true;
    return QObject::eventFilter(watched, event);
}

QPushButton *ChildWindow::accessKeyButton(int key) const
{
    // Alt and the letter after "&" in a button's caption press the button.
    for (QPushButton *button : m_body->findChildren<QPushButton *>()) {
        const QString text = button->text();
        const qsizetype amp = text.indexOf(u'&');
        if (amp >= 0 && amp + 1 < text.size() && text[amp + 1].toUpper().unicode() == key)
            return button;
    }
    return nullptr;
}

bool ChildWindow::pressAccessKey(int key)
{
    QPushButton *button = accessKeyButton(key);
    if (!button)
        return false;
    if (button->isEnabled())
        button->click();
    return true;
}

} // namespace marvesto
