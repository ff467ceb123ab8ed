#pragma once

#include "shell/services.h"

#include <QImage>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

namespace marvesto {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class MainFrame;
class LogView;

// The window objects of one run and the main window's logic: start-up, the player
// prompts, new game, exit, the bankruptcy watch and the stretched backdrop.
class Game : public QObject {
    Q_OBJECT
public:
    Game(const Services &services, MainFrame &frame);
    ~Game() override;

    const Services &services() const { return m_services; }
    MainFrame &frame() { return m_frame; }

    Form1 &form1() { return *m_form1; }
    Form2 &form2() { return *m_form2; }
    Form3 &form3() { return *m_form3; }
    Form4 &form4() { return *m_form4; }
    // A new offer dialog; it deletes itself once closed.
    Form5 &createOffer();
    std::vector<Form5 *> openOffers() const;

    // Main window events.
    void MDIForm_Load();
    void MDIForm_Resize();
    void NuovaPartita_Click();
    void Esci_Click();
    void showAbout();
    // Cues are heard only while the sound is on.
    void setSoundOn(bool on) { m_soundOn = on; }

    // Asks for the name and capital and starts the console afresh.
    void playerPrompts(const QString &capitalTitle);

    // The bankruptcy watch: one tick of the console's fast timer.
    void watchTick();
    bool inBankruptcySequence() const { return m_inBankruptcy; }
    bool hasEnded() const { return m_ended; }

    // The console log, the capital text and the cue player, as many rules use them.
    LogView &console();
    QString capital();
    void setCapital(const QString &text);
    void playCue(const QString &name);

signals:
    // After the player prompts have been answered.
    void gameStarted();

private:
    void closeOffers();
    void openGameWindows();
    bool bankruptcyTestMet();
    void runBankruptcySequence();
    void end();
    // The watch looks again only after something it reads has changed: the
    // capital, the won boxes, the console's text, caret or view, or which windows are loaded.
    void watchConsoleControls();
    void watchWonBoxes();
    void watchChanged();

    Services m_services;
    MainFrame &m_frame;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form4> m_form4;
    std::vector<QPointer<Form5>> m_offers;
    bool m_inBankruptcy = false;
    bool m_ended = false;
    bool m_watchDirty = true;
    bool m_soundOn = true;

    // The backdrop: the photograph every redraw starts from.
    QImage m_backdropSource;
    bool m_backdropReady = false;
};

} // namespace marvesto
