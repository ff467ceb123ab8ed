#pragma once

#include <QChar>

namespace marvesto {

// A storage box as the parts hand it on: the number it was put up for sale
// under, the letter of its auction and its price. The market's box asks its
// price; a won box holds the final price of its auction.
struct Box {
    int number = 0;
    QChar letter;
    int price = 0;

    bool operator==(const Box &) const = default;
};

} // namespace marvesto
