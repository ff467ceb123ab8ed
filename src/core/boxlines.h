#pragma once

#include "core/box.h"

#include <QString>

namespace marvesto {

// The texts of a box for sale and of a won box: each written here alone.

// "Box numero:N - Nome Asta:L - Prezzo:P €"
QString marketLine(const Box &box);

// The first 14 characters of the box's market line, as the auction room's log
// starts with it ("Box numero:N -", a blank for the dash when N has two digits),
// then " Prezzo:", the final price and " €".
QString wonBoxLine(const Box &box);

} // namespace marvesto
