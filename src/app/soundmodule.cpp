// The sound output as a module the program loads once its first prompt is on
// screen, so that Qt Multimedia and the sound server's client libraries are
// not loaded before it.
#include "app/qtsoundoutput.h"

extern "C" Q_DECL_EXPORT marvesto::SoundOutput *marvesto_create_sound_output()
{
    return new marvesto::QtSoundOutput;
}
