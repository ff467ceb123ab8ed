#pragma once

#include <QString>

namespace marvesto {

struct Services;

// Every caller passes this: play without waiting for the end.
constexpr quint32 kPlayAsync = 1;

// Plays the cue file <program folder>/Sound/<name>.wav.
void PlayCue(const Services &services, const QString &name, quint32 mode);

} // namespace marvesto
