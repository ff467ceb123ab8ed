#pragma once

#include <QString>

#include <cmath>
#include <cstdint>

namespace marvesto {

class Clock;

// Input boxes and message boxes.
class Dialogs {
public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { Information, Question };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;
    // The typed text, or an empty text on Cancel.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer) = 0;
    virtual Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                              const QString &title) = 0;
    // A box that tells about the program, with the program's icon and OK.
    virtual void about(const QString &title, const QString &text) = 0;
};

// Uniform draws in [0, 1), single precision.
class Random {
public:
    virtual ~Random() = default;
    // Reseeds from the time of day, as every drawing handler does first.
    virtual void reseed() = 0;
    virtual float next() = 0;
    // A whole number from 1 to highest, each as likely: one draw, scaled in
    // double precision and rounded down.
    int drawUpTo(int highest) { return static_cast<int>(std::floor(next() * double(highest))) + 1; }
};

// Turns 32 random bits into a single-precision draw in [0, 1): 24 bits fill a
// float's mantissa exactly, so the result never rounds up to 1.
inline float unitFloat(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}

// Plays a wave file without waiting; a new one cuts off the one playing.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QString &path) = 0;
};

// The program's folder and the files read from it.
class Files {
public:
    virtual ~Files() = default;
    // Without a trailing separator.
    virtual QString programFolder() const = 0;
    // Opens the file for reading and closes it again.
    virtual bool canRead(const QString &path) const = 0;
};

// Ending the program.
class Session {
public:
    virtual ~Session() = default;
    // Ends the program at once: no window's close handling runs.
    virtual void endNow() = 0;
};

// Everything the game needs from the outside world, passed in at construction.
struct Services {
    Clock &clock;
    Dialogs &dialogs;
    Random &random;
    SoundOutput &sound;
    Files &files;
    Session &session;
};

} // namespace marvesto
