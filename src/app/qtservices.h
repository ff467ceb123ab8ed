#pragma once

#include "core/services.h"
#include "ui/toolkit/pictures.h"

#include <random>

class QWidget;

namespace marvesto {

// Input and message boxes as Qt dialogs over the main window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget *parent) : m_parent(parent) {}
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                      const QString &title) override;
    void about(const QString &title, const QString &text) override;

private:
    void giveFocusBack();

    QWidget *m_parent;
};

// A Mersenne Twister reseeded from the seconds since midnight.
class QtRandom : public Random {
public:
    void reseed() override;
    float next() override;

private:
    std::mt19937 m_engine{0};
};

class QtFiles : public Files, public Pictures {
public:
    QString programFolder() const override;
    bool canRead(const QString &path) const override;
    QImage loadPicture(const QString &path) const override;
};

class QtSession : public Session {
public:
    void endNow() override;
};

} // namespace marvesto
