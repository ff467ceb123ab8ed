#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

namespace marvesto {

// A picture stretched to a size, each axis on its own, every pixel copied from
// the source pixel under its centre: no blending, and no stretched copy is
// kept. Painting makes only the rows a paint event exposes, a strip at a time,
// so memory does not grow with the size of the area.
class Stretch {
public:
    Stretch() = default;
    Stretch(const QImage &source, QSize size);

    bool isNull() const { return m_source.isNull() || m_size.isEmpty(); }
    QSize size() const { return m_size; }
    const QImage &source() const { return m_source; }

    // Paints the part of the stretched picture inside target (in its own
    // coordinates) at the same place on the painter, in strips of the format
    // the painter draws into.
    void paint(QPainter &painter, const QRect &target) const;
    static QImage::Format formatToPaintOn(const QPainter &painter);
    // The whole stretched picture, for callers that need it as an image.
    QImage toImage() const;

private:
    void fillRows(QImage &strip, const QRect &part) const;

    QImage m_source; // 32 or 24 bits a pixel, shared with the caller's image
    QSize m_size;
    std::vector<int> m_columns; // the source column of each target column
};

} // namespace marvesto
