#include "app/qtservices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QMessageBox>
#include <QTime>
#include <QWidget>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace marvesto {

namespace {
constexpr qint64 kMaxPicturePixels = 24'000'000;

// Only a regular file, or a link to one, is opened: opening a FIFO waits for a
// writer, and a device may never end, so the game would hang.
bool isRegularFile(const QString &path)
{
    return QFileInfo(path).isFile();
}
} // namespace

QString QtDialogs::inputBox(const QString &prompt, const QString &title,
                            const QString &defaultAnswer)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    giveFocusBack();
    return ok ? answer : QString();
}

Dialogs::Answer QtDialogs::messageBox(const QString &text, Buttons buttons, Icon icon,
                                      const QString &title)
{
    QMessageBox box(icon == Icon::Question ? QMessageBox::Question : QMessageBox::Information,
                    title, text,
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                              : QMessageBox::Ok,
                    m_parent);
    if (buttons == Buttons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    const int result = box.exec();
    giveFocusBack();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtDialogs::about(const QString &title, const QString &text)
{
    QMessageBox::about(m_parent, title, text);
    giveFocusBack();
}

void QtDialogs::giveFocusBack()
{
    // Keyboard focus returns to the game once a box closes, even where no window
    // manager hands it back.
    if (m_parent && m_parent->isVisible())
        m_parent->activateWindow();
}

void QtRandom::reseed()
{
    const float seconds = QTime::currentTime().msecsSinceStartOfDay() / 1000.0f;
    m_engine.seed(std::bit_cast<std::uint32_t>(seconds));
}

float QtRandom::next()
{
    return unitFloat(m_engine());
}

QString QtFiles::programFolder() const
{
    // The build tree keeps the data beside the program. An installed game has
    // the program in bin/ (games/ in the Debian package) and the data in
    // share/games/marvesto under the same prefix, so both are found wherever
    // the prefix is. applicationDirPath() is the real folder, links followed.
    const QDir beside(QCoreApplication::applicationDirPath());
    if (beside.exists(QStringLiteral("DeskTop.jpg")) || beside.exists(QStringLiteral("Sound")))
        return beside.path();
    return QDir::cleanPath(beside.filePath(QStringLiteral("../share/games/marvesto")));
}

bool QtFiles::canRead(const QString &path) const
{
    if (!isRegularFile(path))
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QImage QtFiles::loadPicture(const QString &path) const
{
    if (!isRegularFile(path))
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // A photograph far larger than any screen is read at a size that still covers a
    // large screen, rather than held in full (100 megapixels would take 400 MB).
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels) {
        const double shrink =
            std::sqrt(double(kMaxPicturePixels) / (qint64(size.width()) * size.height()));
        reader.setScaledSize(QSize(std::max(1, int(size.width() * shrink)),
                                   std::max(1, int(size.height() * shrink))));
    }
    // Held at 24 bits a pixel, the least that keeps every colour as decoded;
    // Qt converts a 32-bit picture in place, so no second copy is made.
    QImage picture = reader.read();
    if (!picture.isNull() && !picture.hasAlphaChannel())
        picture.convertTo(QImage::Format_RGB888);
    return picture;
}

void QtSession::endNow()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace marvesto
