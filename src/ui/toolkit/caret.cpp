#include "ui/toolkit/caret.h"

#include "core/clock.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>

namespace marvesto {

namespace {

// A line edit's caret width comes from its style.
class BlockCaretStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_TextCursorWidth)
            return kCaretWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The caret is as tall as a line: take the largest pixel size of the field's font
// whose line is at most the caret's height.
void fitFontToCaret(QWidget *field)
{
    QFont font = field->font();
    int pixels = QFontInfo(font).pixelSize();
    font.setPixelSize(pixels);
    while (pixels > 6 && QFontMetrics(font).height() > kCaretHeight)
        font.setPixelSize(--pixels);
    while (QFontMetrics(font).height() < kCaretHeight) {
        QFont bigger = font;
        bigger.setPixelSize(pixels + 1);
        if (QFontMetrics(bigger).height() > kCaretHeight)
            break;
        font = bigger;
        ++pixels;
    }
    field->setFont(font);
}

void widenCaret(QLineEdit *field)
{
    if (dynamic_cast<BlockCaretStyle *>(field->style()))
        return;
    auto *style = new BlockCaretStyle;
    style->setParent(field); // setStyle does not take ownership
    field->setStyle(style);
}

} // namespace

void giveBlockCaret(QLineEdit *field)
{
    fitFontToCaret(field);
    widenCaret(field);
}

void giveBlockCaret(QPlainTextEdit *field)
{
    fitFontToCaret(field);
    field->setCursorWidth(kCaretWidth);
}

void giveBlockCaretToFocusedField()
{
    QWidget *focused = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focused))
        widenCaret(line);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(focused))
        text->setCursorWidth(kCaretWidth);
}

CaretRest::CaretRest(Clock &clock, QObject *parent)
    : QObject(parent),
      m_clock(clock),
      m_slot(clock.createSlot([this] { look(); })),
      m_flashTime(QApplication::cursorFlashTime()),
      m_lastKeyMs(clock.nowMs())
{
    m_slot->startAfter(kRestAfterMs, kRestAfterMs);
    m_looking = true;
    qApp->installEventFilter(this);
}

CaretRest::~CaretRest()
{
    qApp->removeEventFilter(this);
    if (m_resting)
        QApplication::setCursorFlashTime(m_flashTime);
}

bool CaretRest::eventFilter(QObject *watched, QEvent *event)
{
    // A key reaches several objects on its way (the window, then the focus
    // widget and its parents); noting its time is all each one costs.
    if (event->type() == QEvent::KeyPress) {
        m_lastKeyMs = m_clock.nowMs();
        if (m_resting) {
            m_resting = false;
            QApplication::setCursorFlashTime(m_flashTime);
        }
        if (!m_looking) {
            m_slot->startAfter(kRestAfterMs, kRestAfterMs);
            m_looking = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// Rests the caret once the last key is kRestAfterMs old, else looks again then.
void CaretRest::look()
{
    const qint64 quiet = m_clock.nowMs() - m_lastKeyMs;
    if (quiet < kRestAfterMs) {
        m_slot->startAfter(static_cast<int>(kRestAfterMs - quiet), kRestAfterMs);
        return;
    }
    m_slot->stop();
    m_looking = false;
    m_resting = true;
    m_flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
}

} // namespace marvesto
