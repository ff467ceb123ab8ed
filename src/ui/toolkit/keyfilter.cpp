#include "ui/toolkit/keyfilter.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace marvesto {

KeyFilter::KeyFilter(KeyHandler onKey, EscapeHandler onEscape, QObject *parent)
    : QObject(parent), m_onKey(std::move(onKey)), m_onEscape(std::move(onEscape))
{
}

void KeyFilter::watch(QWidget *body, QPushButton *defaultButton, std::vector<QPushButton *> buttons)
{
    m_body = body;
    m_defaultButton = defaultButton;
    m_buttons = std::move(buttons);
    body->installEventFilter(this);
    for (QWidget *child : body->findChildren<QWidget *>())
        child->installEventFilter(this);
}

void KeyFilter::forget()
{
    m_body = nullptr;
    m_defaultButton = nullptr;
    m_buttons.clear();
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_body)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn)
        emit focusEntered();
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed here, so that the key press below comes to this filter.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::AltModifier && accessKeyButton(key->key())) {
            event->accept();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (m_onKey(key))
        return true;
    if (key->key() == Qt::Key_Escape && m_onEscape())
        return true;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_defaultButton
        && m_defaultButton->isEnabled() && m_body->isEnabled()) {
        m_defaultButton->click();
        return true;
    }
    if (key->modifiers() == Qt::AltModifier) {
        if (QPushButton *button = accessKeyButton(key->key())) {
            if (button->isEnabled())
                button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QPushButton *KeyFilter::accessKeyButton(int key) const
{
    for (QPushButton *button : m_buttons) {
        const QString text = button->text();
        const qsizetype amp = text.indexOf(u'&');
        if (amp >= 0 && amp + 1 < text.size() && text[amp + 1].toUpper().unicode() == key)
            return button;
    }
    return nullptr;
}

} // namespace marvesto
