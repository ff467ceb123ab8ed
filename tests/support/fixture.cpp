#include "fixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTest>

namespace marvesto::test {

CoreFixture::CoreFixture()
    : files(std::make_unique<FolderFiles>(folder.path())),
      game(std::make_unique<Game>(Services{clock, dialogs, random, sound, *files, session}))
{
}

CoreFixture::~CoreFixture()
{
    game.reset();
    settle();
}

void CoreFixture::start(const QString &name, const QString &capital)
{
    dialogs.answerInput(name);
    dialogs.answerInput(capital);
    game->start();
    settle();
}

void CoreFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CoreFixture::advance(qint64 ms)
{
    clock.advance(ms);
    settle();
}

void CoreFixture::run(const QString &command)
{
    console().setCommand(command);
    console().runCommand();
    settle();
}

void CoreFixture::fillMarket(int lines)
{
    for (int i = 0; i < lines; ++i) {
        const int n = market().count();
        market().addLine(QStringLiteral("Box numero:%1 - Nome Asta:%2 - Prezzo:%3 \u20AC")
                             .arg(n)
                             .arg(QChar(u'A' + n % 25))
                             .arg(1000 + 1111 * n));
    }
}

void CoreFixture::addWonBox(const QString &line)
{
    wonBoxes().addLine(line);
}

Offer *CoreFixture::offer()
{
    const auto open = wonBoxes().openOffers();
    return open.empty() ? nullptr : open.front();
}

GameFixture::GameFixture() : frame(std::make_unique<MainWindow>())
{
    desk = std::make_unique<Desk>(*game, *frame, *files);
    frame->resize(1024, 768);
    frame->show();
    QApplication::setActiveWindow(frame.get());
}

GameFixture::~GameFixture()
{
    desk.reset();
    game.reset();
    frame.reset();
    settle();
}

void GameFixture::start(const QString &name, const QString &capital)
{
    dialogs.answerInput(name);
    dialogs.answerInput(capital);
    desk->start();
    settle();
}

void GameFixture::type(const QString &text)
{
    QTest::keyClicks(consoleWindow().commandLineEdit(), text);
}

void GameFixture::pressEnter(QWidget *target)
{
    QTest::keyClick(target ? target : consoleWindow().commandLineEdit(), Qt::Key_Return);
    settle();
}

void GameFixture::command(const QString &text)
{
    consoleWindow().commandLineEdit()->clear();
    type(text);
    pressEnter();
}

OfferDialog *GameFixture::offerDialog()
{
    const auto open = desk->offerDialogs();
    return open.empty() ? nullptr : open.front();
}

QStringList GameFixture::lines(QListWidget *list) const
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

void withThreeLines(CoreFixture &f)
{
    f.start();
    f.market().tickTimer().setEnabled(false);
    f.fillMarket(3);
}

void withWonBoxes(CoreFixture &f, const QStringList &boxes, const QString &capital)
{
    f.start(QStringLiteral("Anna"), capital);
    f.market().tickTimer().setEnabled(false);
    for (const QString &box : boxes)
        f.addWonBox(box);
}

QString wonBox(int number, int price)
{
    return QStringLiteral("Box numero:%1 - Prezzo:%2 \u20AC").arg(number).arg(price);
}

void scriptOffer(CoreFixture &f, int position, int count, int extra, int chance)
{
    f.random.script({(chance - 0.5f) / 30, (position + 0.5f) / count, (extra - 0.5f) / 50});
}

void writeBackdrop(const QString &folder, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    // A gradient band so that stretching can be told apart from filling.
    for (int x = 0; x < size.width(); ++x)
        image.setPixelColor(x, 0, QColor::fromHsv((x * 7) % 360, 200, 200));
    image.save(QDir(folder).filePath(QStringLiteral("DeskTop.jpg")), "JPG", 95);
}

} // namespace marvesto::test
