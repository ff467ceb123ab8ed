#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QPainter>
#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

namespace {

// Each pixel of the stretch is the source pixel under its centre.
QImage stretched(const QImage &source, QSize size)
{
    const QImage from = source.convertToFormat(QImage::Format_RGB32);
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const int sy = int((y + 0.5) * from.height() / size.height());
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, from.pixel(int((x + 0.5) * from.width() / size.width()), sy));
    }
    return image;
}

// What the area paints behind the windows for the parts of region, black
// elsewhere, in device pixels.
QImage painted(GameFixture &f, const QRegion &region)
{
    QWidget *viewport = f.frame->area().viewport();
    const qreal ratio = viewport->devicePixelRatioF();
    QImage image((QSizeF(viewport->size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    // render() puts the region's bounding box at the offset given.
    viewport->render(&image, region.boundingRect().topLeft(), region,
                     QWidget::DrawWindowBackground);
    return image;
}

} // namespace

class TestBackdrop : public QObject {
    Q_OBJECT

private slots:
    void repeatedResizingStretchesFromTheOriginalEachTime()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(320, 200));
        const QImage source(QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg")));
        f.start();
        QCOMPARE(f.frame->backgroundPicture().size(), f.frame->innerSize());
        for (QSize size : {QSize(1200, 900), QSize(300, 200), QSize(1400, 1000), QSize(700, 500)})
            f.frame->resize(size);
        QCOMPARE(f.frame->backgroundPicture().size(), f.frame->innerSize());
        QCOMPARE(f.frame->backgroundPicture(), stretched(source, f.frame->innerSize()));
    }

    // The area paints the stretch itself, a part at a time, with no stretched copy.
    void theAreaPaintsTheStretchForAnyPartExposed()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(1283, 611));
        const QImage source(QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg")));
        f.start();
        f.frame->resize(1111, 777);
        // Sharp at any scale factor: stretched to the device's pixels.
        const qreal ratio = f.frame->area().viewport()->devicePixelRatioF();
        QImage expected = stretched(source, (QSizeF(f.frame->innerSize()) * ratio).toSize());
        expected.setDevicePixelRatio(ratio);
        QCOMPARE(painted(f, f.frame->area().viewport()->rect()), expected);
        QRegion parts = QRegion(3, 7, 301, 203) + QRegion(500, 65, 90, 400);
        QImage part = expected;
        part.fill(Qt::black);
        for (const QRect &r : parts)
            QPainter(&part).drawImage(r.topLeft(), expected,
                                      QRectF(QPointF(r.topLeft()) * ratio,
                                             QSizeF(r.size()) * ratio));
        QCOMPARE(painted(f, parts), part);
    }

    void otherProportionsFillTheAreaWithoutBands()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(100, 400), Qt::red);
        f.start();
        f.frame->resize(1000, 500);
        const QImage shown = f.frame->backgroundPicture();
        QCOMPARE(shown.size(), f.frame->innerSize());
        for (QPoint corner :
             {QPoint(shown.width() - 1, shown.height() - 1), QPoint(0, shown.height() - 1)})
            QVERIFY(qRed(shown.pixel(corner)) > 200);
    }

    void aFileRemovedWhileRunningLeavesTheLastPicture()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(320, 200));
        f.start();
        const QImage before = f.frame->backgroundPicture();
        QVERIFY(QFile::remove(QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg"))));
        f.frame->resize(f.frame->size() + QSize(200, 100));
        QCOMPARE(f.frame->backgroundPicture(), before);
    }

    void theSourceIsThePhotographEvenWhenAResizeComesFirst()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(320, 200));
        const QImage source(QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg")));
        f.frame->resize(900, 700); // before the start-up has loaded the picture
        f.start();
        f.frame->resize(800, 600);
        QCOMPARE(f.frame->backgroundPicture(), stretched(source, f.frame->innerSize()));
    }

    void anEmptyAreaDrawsNothingAndRecovers()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(320, 200));
        const QImage source(QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg")));
        f.start();
        f.frame->area().resize(0, 0);
        f.desk->stretchBackdrop();
        f.frame->resize(640, 480);
        QCOMPARE(f.frame->backgroundPicture(), stretched(source, f.frame->innerSize()));
    }

    void noFileMeansBlack()
    {
        GameFixture f;
        f.start();
        f.frame->resize(500, 400);
        QVERIFY(f.frame->backgroundPicture().isNull());
        QCOMPARE(f.frame->area().background().color(), QColor(Qt::black));
    }

    void aFileThatIsNoPictureMeansBlack()
    {
        GameFixture f;
        QFile junk(QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        f.start();
        f.frame->resize(500, 400);
        QVERIFY(f.frame->backgroundPicture().isNull());
    }
};

QTEST_MAIN(TestBackdrop)
#include "tst_backdrop.moc"
