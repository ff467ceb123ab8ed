#pragma once

#include <QImage>
#include <QString>

namespace marvesto {

// Reading the backdrop's photograph.
class Pictures {
public:
    virtual ~Pictures() = default;
    // A null image when the file holds no readable picture.
    virtual QImage loadPicture(const QString &path) const = 0;
};

} // namespace marvesto
