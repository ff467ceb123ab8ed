#include "ui/toolkit/caret.h"

#include <QApplication>
#include <QFontMetrics>
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

} // namespace marvesto
