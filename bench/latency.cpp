// Handler latency in the game: the real Game on the xcb platform, keys typed by
// xdotool through the X server. Three figures, each from the key event to the
// end of the repaint that shows the result:
//   echo    "2" typed at the console's command line, the field repainted;
//   auction Enter after "2", the auction room "Inizio Asta..." painted;
//   report  Enter on a won box in "Aste Vinte", the console's report painted.
// Between samples the bench closes the auction room itself (before its first
// timer), keeps three market lines and one won box ready, and closes offers.
//
//   bench_latency SAMPLES

#include "benchgame.h"
#include "keylatency.h"

#include "ui/auctionroom.h"
#include "ui/consolewindow.h"
#include "ui/toolkit/controls.h"
#include "ui/wonboxeswindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>

using namespace marvesto;

namespace {

void keepMarketLines(Market &market, int lines)
{
    while (market.count() < lines) {
        const int n = market.count();
        market.addBox({.number = n, .letter = u'B', .price = 2000 + n});
    }
}

} // namespace

int main(int argc, char *argv[])
{
    bench::KeyLatencyApp app(argc, argv);
    const int samples = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;

    bench::RunningGame running;
    running.start();
    Game &game = *running.game;
    Desk &desk = *running.desk;
    bench::spin(1500); // the first market lines, the backdrop painted
    if (!bench::focusTopLevel(&running.frame)) {
        qWarning("the main window did not get the keyboard focus");
        return 1;
    }

    std::vector<double> echo, auction, report;
    int failures = 0;
    QLineEdit *command = desk.consoleWindow().commandLineEdit();

    for (int i = 0; i < samples; ++i) {
        game.closeOffers();
        keepMarketLines(game.market(), 3);
        command = desk.consoleWindow().commandLineEdit();
        command->clear();
        command->setFocus();
        bench::waitUntil([command] { return command->hasFocus(); }, 1000);

        const double e = app.measureKey(QStringLiteral("2"), Qt::Key_2,
                                        [command](QWidget *w) { return w == command; });
        if (e < 0 || command->text() != QStringLiteral("2")) {
            ++failures;
            continue;
        }
        echo.push_back(e);
        bench::spin(15);

        AuctionRoom &room = desk.auctionRoom();
        const double a =
            app.measureKey(QStringLiteral("Return"), Qt::Key_Return, [&room](QWidget *w) {
                return room.isLoaded() && bench::within(room.subWindow(), w);
            });
        if (a < 0 || !room.isLoaded())
            ++failures;
        else
            auction.push_back(a);
        bench::spin(25);
        game.auction()
            .close(); // before its first timer: the next sample starts from the console again
        bench::spin(40);
    }

    for (int i = 0; i < samples; ++i) {
        game.closeOffers();
        QListWidget *won = desk.wonBoxesWindow().boxesList();
        if (won->count() == 0)
            game.wonBoxes().addBox({.number = 7, .letter = u'B', .price = 1500});
        selectRow(won, 0);
        won->setFocus();
        bench::waitUntil([won] { return won->hasFocus(); }, 1000);
        LogView *console = desk.consoleWindow().logView();
        const int before = won->count();
        const double r =
            app.measureKey(QStringLiteral("Return"), Qt::Key_Return,
                           [console](QWidget *w) { return bench::within(console, w); });
        if (r < 0 || won->count() != before - 1)
            ++failures;
        else
            report.push_back(r);
        bench::spin(40);
    }

    bench::emitSummary(QStringLiteral("echo"), echo);
    bench::emitSummary(QStringLiteral("auction"), auction);
    bench::emitSummary(QStringLiteral("report"), report);
    bench::emitSummary(QStringLiteral("delivery"), app.deliveryMs());
    bench::emitValue("failures", failures, 0);
    bench::emitValue("clock_mismatches", app.clockMismatches(), 0);
    return 0;
}
