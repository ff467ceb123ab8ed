#include "fixture.h"

#include "app/qtservices.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTest>

namespace marvesto::test {

QImage FilePictures::loadPicture(const QString &path) const
{
    return QtFiles().loadPicture(path);
}

GameFixture::GameFixture() : frame(std::make_unique<MainWindow>())
{
    desk = std::make_unique<Desk>(*game, *frame, pictures);
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
