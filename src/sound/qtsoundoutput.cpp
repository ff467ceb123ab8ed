#include "sound/qtsoundoutput.h"

#include <QApplication>

namespace marvesto {

QtSoundOutput::QtSoundOutput(QObject *parent) : QObject(parent) {}

QtSoundOutput::~QtSoundOutput() = default;

void QtSoundOutput::play(const QString &, quint32)
{
    QApplication::beep();
}

} // namespace marvesto
