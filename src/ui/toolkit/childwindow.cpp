#include "ui/toolkit/childwindow.h"

#include "ui/toolkit/keyfilter.h"
#include "ui/toolkit/widgetfactory.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <cstring>

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
    : QObject(parent),
      m_design(design),
      m_area(area),
      m_keys(new KeyFilter([this](QKeyEvent *key) { return onKeyDown(key); },
                           [this] { return onEscape(); }, this)),
      m_caption(design::translated(design, design.caption))
{
    // The window whose control has the focus is the active one, title bar included.
    connect(m_keys, &KeyFilter::focusEntered, this, [this] {
        if (m_sub && m_area.activeSubWindow() != m_sub)
            m_area.setActiveSubWindow(m_sub);
    });
}

ChildWindow::~ChildWindow()
{
    delete m_sub; // deletes the body with it
}

const design::Control *ChildWindow::designRow(const char *role) const
{
    for (const design::Control &c : m_design.controls) {
        if (std::strcmp(c.role, role) == 0)
            return &c;
    }
    qFatal("%s has no control %s", m_design.role, role);
}

void ChildWindow::load()
{
    if (m_body)
        return;
    m_caption = design::translated(m_design, m_design.caption);
    m_body = design::build(m_design, &m_controls);
    QPushButton *defaultButton = nullptr;
    std::vector<QPushButton *> buttons;
    for (const auto &[c, w] : m_controls) {
        for (const Binding &binding : m_bindings) {
            if (binding.row == c)
                binding.assign(w);
        }
        if (c->kind == design::Kind::Button)
            buttons.push_back(qobject_cast<QPushButton *>(w));
        if (c->defaultButton)
            defaultButton = qobject_cast<QPushButton *>(w);
    }
    for (const std::function<void()> &show : m_mirrors)
        show();
    m_keys->watch(m_body, defaultButton, std::move(buttons));

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
    const std::pair<const design::Control *, QWidget *> *first = nullptr;
    for (const auto &control : m_controls) {
        const auto &[c, w] = control;
        if (w->focusPolicy() != Qt::NoFocus && !c->hidden && w->isEnabled()
            && (!first || c->tab < first->first->tab))
            first = &control;
    }
    if (first)
        first->second->setFocus(Qt::OtherFocusReason);
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
    m_controls.clear();
    for (const Binding &binding : m_bindings)
        binding.assign(nullptr);
    m_keys->forget();
    m_sub = nullptr;
    if (sub) {
        sub->hide();
        m_area.removeSubWindow(sub);
        sub->deleteLater(); // never inside its own event
    }
    emit unloaded();
}

bool ChildWindow::onEscape()
{
    emit escapePressed();
    return true;
}

void ChildWindow::putOutOfView(QPushButton *button)
{
    button->move(button->x(), design::toPixels(kOutOfViewTop));
    button->setFocusPolicy(Qt::NoFocus);
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

} // namespace marvesto
