#include "corefixture.h"

#include <QCoreApplication>
#include <QRegularExpression>

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
        market().addBox({.number = n, .letter = QChar(u'A' + n % 25), .price = 1000 + 1111 * n});
    }
}

void CoreFixture::addWonBox(const QString &line)
{
    wonBoxes().addBox(boxOf(line));
}

Offer *CoreFixture::offer()
{
    const auto open = wonBoxes().openOffers();
    return open.empty() ? nullptr : open.front();
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

Box boxOf(const QString &line)
{
    static const QRegularExpression shape(
        QStringLiteral("^Box numero:(\\d+)(?: - Nome Asta:(.))?.*:(\\d+) \u20AC$"));
    const auto match = shape.match(line);
    if (!match.hasMatch())
        qFatal("not a box's line: %s", qPrintable(line));
    const QString letter = match.captured(2);
    return {.number = match.captured(1).toInt(),
            .letter = letter.isEmpty() ? QChar(u'A') : letter.at(0),
            .price = match.captured(3).toInt()};
}

void scriptOffer(CoreFixture &f, int position, int count, int extra, int chance)
{
    f.random.script({(chance - 0.5f) / 30, (position + 0.5f) / count, (extra - 0.5f) / 50});
}

} // namespace marvesto::test
