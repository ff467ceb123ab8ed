#pragma once

#include "corefixture.h"

#include "ui/auctionroom.h"
#include "ui/consolewindow.h"
#include "ui/desk.h"
#include "ui/marketwindow.h"
#include "ui/offerdialog.h"
#include "ui/toolkit/mainwindow.h"
#include "ui/toolkit/pictures.h"
#include "ui/wonboxeswindow.h"

#include <memory>

namespace marvesto::test {

// Pictures read as the program reads them.
class FilePictures : public Pictures {
public:
    QImage loadPicture(const QString &path) const override;
};

// A whole game with its windows on the offscreen platform.
class GameFixture : public CoreFixture {
public:
    GameFixture();
    ~GameFixture() override;

    // Runs the start-up sequence, backdrop included, with these prompt answers.
    void start(const QString &name = QStringLiteral("Tester"),
               const QString &capital = QStringLiteral("50000")) override;

    // Typing at the console's command line, as a player does.
    void type(const QString &text);
    void pressEnter(QWidget *target = nullptr);
    void command(const QString &text); // type, then Enter

    MarketWindow &marketWindow() { return desk->marketWindow(); }
    ConsoleWindow &consoleWindow() { return desk->consoleWindow(); }
    AuctionRoom &auctionRoom() { return desk->auctionRoom(); }
    WonBoxesWindow &wonBoxesWindow() { return desk->wonBoxesWindow(); }
    // The open offer's dialog, if any.
    OfferDialog *offerDialog();

    QStringList lines(QListWidget *list) const;

    FilePictures pictures;
    std::unique_ptr<MainWindow> frame;
    std::unique_ptr<Desk> desk;
};

// A program folder with a picture and the cue files in it.
void writeBackdrop(const QString &folder, QSize size, QColor colour = Qt::darkCyan);

} // namespace marvesto::test
