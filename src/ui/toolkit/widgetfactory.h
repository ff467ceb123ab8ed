#pragma once

#include "ui/toolkit/designs.h"

#include <QFont>

#include <utility>
#include <vector>

class QWidget;

namespace marvesto::design {

// The fonts the designs name: "Lucida Console" bold, the system's monospace font
// standing in where it is missing.
QFont designFont(const Font &font);

// A text of a window's design in the player's language: the window's role is
// its context.
QString translated(const Window &window, const char *text);

// A window's controls as built, each beside its row, in design order.
using BuiltControls = std::vector<std::pair<const Control *, QWidget *>>;

// Builds a window's controls from its design into a fresh inner-area widget: the
// controls are its children, named by their roles, in focus order. `built`
// receives each control beside its row.
QWidget *build(const Window &window, BuiltControls *built = nullptr);

} // namespace marvesto::design
