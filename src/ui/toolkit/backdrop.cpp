#include "ui/toolkit/backdrop.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

namespace marvesto {

namespace {

// Rows painted at once: small enough that a strip stays well below the size of
// the area, large enough that drawing it costs little per row.
constexpr int kStripRows = 64;

// The source index under the centre of target index i, when n source pixels
// are stretched over m: floor((i + 0.5) * n / m), in whole numbers.
int sourceIndex(qint64 i, qint64 n, qint64 m)
{
    return static_cast<int>(std::min((2 * i + 1) * n / (2 * m), n - 1));
}

} // namespace

Stretch::Stretch(const QImage &source, QSize size) : m_size(size)
{
    if (source.isNull() || size.isEmpty())
        return;
    // Read as it is at 32 or 24 bits; any other picture is made 24-bit.
    m_source = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_RGB888
        ? source
        : source.convertToFormat(QImage::Format_RGB888);
    m_columns.resize(size.width());
    for (int x = 0; x < size.width(); ++x)
        m_columns[x] = sourceIndex(x, m_source.width(), size.width());
}

void Stretch::fillRows(QImage &strip, const QRect &part) const
{
    const bool packed = m_source.format() == QImage::Format_RGB888;
    for (int row = 0; row < part.height(); ++row) {
        const int y = part.top() + row;
        const uchar *line =
            m_source.constScanLine(sourceIndex(y, m_source.height(), m_size.height()));
        auto *to = reinterpret_cast<QRgb *>(strip.scanLine(row));
        if (packed) {
            for (int x = part.left(); x <= part.right(); ++x) {
                const uchar *pixel = line + 3 * m_columns[x];
                *to++ = qRgb(pixel[0], pixel[1], pixel[2]);
            }
        } else {
            const auto *from = reinterpret_cast<const QRgb *>(line);
            for (int x = part.left(); x <= part.right(); ++x)
                *to++ = from[m_columns[x]];
        }
    }
}

QImage::Format Stretch::formatToPaintOn(const QPainter &painter)
{
    // A widget's painter draws into its window's backing store; on the raster
    // engine that is an image, in the format the platform chose (on X11 an
    // opaque window's is ARGB32_Premultiplied).
    const QPaintEngine *engine = painter.paintEngine();
    const QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (device && device->devType() == QInternal::Image)
        return static_cast<const QImage *>(device)->format();
    return QImage::Format_RGB32;
}

void Stretch::paint(QPainter &painter, const QRect &target) const
{
    const QRect visible = target & QRect(QPoint(0, 0), m_size);
    if (isNull() || visible.isEmpty())
        return;
    // The strip is made in the format it is painted on, so that drawing it is
    // a plain copy. Opaque pixels are laid out alike in all three 32-bit RGB
    // formats; any other target gets each strip converted once, here.
    const QImage::Format target32 = formatToPaintOn(painter);
    const bool direct = target32 == QImage::Format_RGB32 || target32 == QImage::Format_ARGB32
        || target32 == QImage::Format_ARGB32_Premultiplied;
    const int rows = std::min(kStripRows, visible.height());
    QImage strip(visible.width(), rows, direct ? target32 : QImage::Format_RGB32);
    for (int top = visible.top(); top <= visible.bottom(); top += rows) {
        const QRect part(visible.left(), top, visible.width(),
                         std::min(rows, visible.bottom() + 1 - top));
        fillRows(strip, part);
        if (direct) {
            painter.drawImage(part.topLeft(), strip, QRect(0, 0, part.width(), part.height()));
        } else {
            const QImage converted =
                strip.copy(0, 0, part.width(), part.height()).convertToFormat(target32);
            painter.drawImage(part.topLeft(), converted);
        }
    }
}

QImage Stretch::toImage() const
{
    if (isNull())
        return {};
    QImage whole(m_size, QImage::Format_RGB32);
    fillRows(whole, QRect(QPoint(0, 0), m_size));
    return whole;
}

} // namespace marvesto
