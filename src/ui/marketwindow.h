#pragma once

#include "ui/toolkit/childwindow.h"

namespace marvesto {

class Market;

// The market's window: the boxes for sale, the newest one chosen.
class MarketWindow : public ChildWindow {
    Q_OBJECT
public:
    MarketWindow(Market &market, QMdiArea &area, QObject *parent = nullptr);

    ListBox *boxesList() const { return control<ListBox>("boxesList"); }

signals:
    void escapePressed();

protected:
    bool onEscape() override;
};

} // namespace marvesto
