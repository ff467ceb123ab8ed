#pragma once

#include "ui/toolkit/childwindow.h"

namespace marvesto {

class Market;

// The market's window: the boxes for sale, the newest one chosen.
class MarketWindow : public ChildWindow {
    Q_OBJECT
public:
    MarketWindow(Market &market, QMdiArea &area, QObject *parent = nullptr);

    // The list while the window is loaded, else null.
    ListBox *boxesList() const { return m_boxesList; }

private:
    ListBox *m_boxesList = nullptr;
};

} // namespace marvesto
