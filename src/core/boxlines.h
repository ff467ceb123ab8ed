#pragma once

#include <QString>

namespace marvesto {

// The texts of a box for sale and of a won box, and reading a price back from them.

// "Box numero:N - Nome Asta:L - Prezzo:P €"
QString marketLine(int number, QChar letter, int price);

// The first 14 characters of the auction log (the market line's "Box numero:N" and
// what follows it), then " Prezzo:", the final price and " €".
QString wonBoxLine(const QString &auctionLog, const QString &priceText);

// The last seven characters with every " €" and ":" removed and the blanks around
// trimmed: exact for the four- and five-digit prices the market asks.
QString priceOfLastSeven(const QString &line);

// The price of a won box: the digits between the last ":" and the final " €", so
// that prices of six digits and more read right too; otherwise as priceOfLastSeven.
QString priceOfWonBox(const QString &line);

} // namespace marvesto
