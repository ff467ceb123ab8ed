#include "fixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTest>

namespace marvesto::test {

GameFixture::GameFixture()
    : files(std::make_unique<FolderFiles>(folder.path())),
      frame(std::make_unique<MainFrame>())
{
    game = std::make_unique<Game>(Services{clock, dialogs, random, sound, *files, session}, *frame);
    frame->resize(1024, 768);
    frame->show();
    QApplication::setActiveWindow(frame.get());
}

GameFixture::~GameFixture()
{
    game.reset();
    frame.reset();
    settle();
}

void GameFixture::start(const QString &name, const QString &capital)
{
    dialogs.answerInput(name);
    dialogs.answerInput(capital);
    game->MDIForm_Load();
    settle();
}

void GameFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void GameFixture::advance(qint64 ms)
{
    clock.advance(ms);
    settle();
}

void GameFixture::type(const QString &text)
{
    QTest::keyClicks(form1().Text2(), text);
}

void GameFixture::pressEnter(QWidget *target)
{
    QTest::keyClick(target ? target : form1().Text2(), Qt::Key_Return);
    settle();
}

void GameFixture::command(const QString &text)
{
    form1().Text2()->clear();
    type(text);
    pressEnter();
}

void GameFixture::fillMarket(int lines)
{
    QListWidget *list = form2().List1();
    for (int i = 0; i < lines; ++i) {
        const int n = list->count();
        list->addItem(QStringLiteral("Box numero:%1 - Nome Asta:%2 - Prezzo:%3 \u20AC")
                          .arg(n)
                          .arg(QChar(u'A' + n % 25))
                          .arg(1000 + 1111 * n));
    }
}

void GameFixture::addWonBox(const QString &line)
{
    form4().List1()->addItem(line);
}

Form5 *GameFixture::offer()
{
    const auto open = game->openOffers();
    return open.empty() ? nullptr : open.front();
}

QStringList GameFixture::lines(QListWidget *list) const
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
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
