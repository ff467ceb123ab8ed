// A long randomized game: a player pressing anything at any time, every rule checked
// after each action. MARVESTO_MONKEY_SEED replays a run, MARVESTO_MONKEY_ACTIONS sets
// its length.
#include "badinput.h"
#include "fixture.h"

#include "core/amounts.h"
#include "core/boxlines.h"

#include <QAction>
#include <QDateTime>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTest>

#include <deque>
#include <map>
#include <set>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kEuro = QStringLiteral(" \u20AC");
const QString kNotice = QStringLiteral(
    "Un vero disatro!  Sei andato sotto di brutto!!!  Cambia lavoro ^_^ e non fare il manager aziendale");
const QString kPlayAgain = QStringLiteral("Vuoi Giocare ancora? ");
const QString kStartLine = QStringLiteral("Il tuo Capitale:");
constexpr int kBoxTag = Qt::UserRole + 1;

// What the player can do, and how often each is tried: won boxes are opened now and
// then only, so that buyers get the time to make offers.
enum Action {
    Wait,
    Type,
    Paste,
    Command,
    ConsoleEnter,
    ConsoleEscape,
    ConsoleF1,
    SellLabel,
    ClickWon,
    DoubleClickWon,
    WonEnter,
    WonEscape,
    ClickMarket,
    MarketEnter,
    MarketEscape,
    RoomEnter,
    RoomEscape,
    RoomAltG,
    OfferEnter,
    OfferEscape,
    OfferAltO,
    OfferLabel,
    NewGame,
    ActionCount
};
constexpr int kWeights[ActionCount] = {300, 120, 20, 80, 80, 20, 20, 20, 20, 12, 10, 10,
                                       10,  10,  10, 80, 10, 20, 30, 20, 10, 20, 1};

bool usable(const QWidget *w)
{
    return w && w->isVisible() && w->isEnabled();
}

class Monkey {
public:
    explicit Monkey(quint64 seed) : m_rng(seed) {}
    ~Monkey() { closeGame(); }

    struct Stats {
        qint64 auctions = 0, won = 0, opened = 0, sold = 0, offers = 0, unanswered = 0, taxes = 0,
               bankruptcies = 0, newGames = 0, endings = 0, nestedTicks = 0;
    } stats;

    // Plays that many actions; returns the first broken rule with the actions before it.
    QString play(qint64 actions)
    {
        startGame();
        for (m_done = 0; m_done < actions && m_failure.isEmpty(); ++m_done) {
            if (m_game->session.endings > 0)
                startGame();
            act();
            GameFixture::settle();
            if (m_failure.isEmpty())
                check();
            // Nothing may record without end; and now and then the event loop would run.
            m_game->sound.paths.clear();
            m_game->dialogs.inputs.clear();
            m_game->dialogs.messages.clear();
            if (m_done % 256 == 0)
                QCoreApplication::sendPostedEvents();
            if (m_done % 500000 == 499999)
                qInfo("%lld actions played", m_done + 1);
        }
        QString report = m_failure;
        if (!report.isEmpty()) {
            report += QStringLiteral("\nlast actions:");
            for (const QString &line : m_log)
                report += QStringLiteral("\n  ") + line;
        }
        return report;
    }

private:
    enum class Sequence { None, Notice, Prompts };

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }
    template <typename T>
    const T &pick(const std::vector<T> &items)
    {
        return items[static_cast<std::size_t>(uniform(0, static_cast<int>(items.size()) - 1))];
    }
    void note(const QString &action)
    {
        if (m_log.size() == 30)
            m_log.pop_front();
        m_log.push_back(QString::number(m_done) + QStringLiteral(": ") + action);
    }
    void fail(const QString &what)
    {
        if (m_failure.isEmpty())
            m_failure = QStringLiteral("action %1: %2").arg(m_done).arg(what);
    }
    void forgetBoxEvents()
    {
        m_wins.clear();
        m_opens.clear();
        m_sales.clear();
    }

    // ---- a fresh program, and the boxes it asks

    void closeGame()
    {
        m_console = nullptr; // no reading a console while it is destroyed
        m_game.reset();
        GameFixture::settle();
    }

    void startGame()
    {
        closeGame();
        QLocale::setDefault(chance(0.5) ? QLocale(QLocale::Italian) : QLocale::c());
        m_game = std::make_unique<GameFixture>();
        GameFixture &f = *m_game;
        f.random = ScriptedRandom(static_cast<quint32>(m_rng()));
        f.clock.setMinimumPeriod(5); // as the program's clock
        f.dialogs.inputFallback = [this](const ScriptedDialogs::Input &in) {
            return answerInput(in);
        };
        f.dialogs.messageFallback = [this](const ScriptedDialogs::Message &m) {
            return answerMessage(m);
        };
        QObject::connect(&f.consoleWindow(), &ChildWindow::loaded, [this] { watchConsole(); });
        QObject::connect(&f.auctionRoom(), &ChildWindow::loaded, [this] { ++stats.auctions; });
        QObject::connect(&f.wonBoxesWindow(), &ChildWindow::unloaded,
                         [this] { wonBoxesDiscarded(); });
        m_listed.clear();
        forgetBoxEvents();
        m_sequence = Sequence::None;
        m_offer = nullptr;
        note(QStringLiteral("fresh program, locale ") + QLocale().name());
        f.desk->start();
        GameFixture::settle();
    }

    void watchConsole()
    {
        // A console loaded afresh: an empty log, and the capital its design shows.
        ConsoleWindow &window = m_game->consoleWindow();
        LogView *console = window.logView();
        m_console = console;
        m_seen.clear();
        m_capital = readAmount(window.capitalLineEdit()->text());
        QObject::connect(console, &QPlainTextEdit::textChanged, console,
                         [this, console] { consoleChanged(console); });
    }

    // Timers go on ticking while a modal box waits for the player.
    void whileBoxOpen()
    {
        if (chance(0.3)) {
            ++stats.nestedTicks;
            m_game->clock.advance(uniform(1, 400));
        }
    }

    QString answerInput(const ScriptedDialogs::Input &input)
    {
        static const std::vector<QString> plain{QStringLiteral("300"), QStringLiteral("1000"),
                                                QStringLiteral("5000"), QStringLiteral("20000"),
                                                QStringLiteral("50000")};
        whileBoxOpen();
        const QString answer = chance(0.55) ? pick(plain) : pick(badInputs()).text;
        if (input.prompt == QStringLiteral("Capitale iniziale")) {
            m_capitalAnswer = answer;
            if (m_sequence == Sequence::Prompts)
                m_sequence = Sequence::None;
        }
        return answer;
    }

    Dialogs::Answer answerMessage(const ScriptedDialogs::Message &message)
    {
        if (message.text == kNotice) {
            ++stats.bankruptcies;
            if (m_sequence != Sequence::None)
                fail(QStringLiteral("a second bankruptcy sequence started inside the first"));
            const auto capital = readAmount(m_game->console().capital());
            WonBoxesWindow &won = m_game->wonBoxesWindow();
            if (capital && (*capital >= 0 || (won.isLoaded() && won.boxesList()->count() > 0)))
                fail(QStringLiteral("bankruptcy declared with capital %1").arg(*capital));
            m_sequence = Sequence::Notice;
            whileBoxOpen();
            return Dialogs::Answer::Ok;
        }
        if (message.text != kPlayAgain || m_sequence != Sequence::Notice)
            fail(QStringLiteral("unexpected message box: ") + message.text);
        whileBoxOpen();
        if (chance(0.7)) {
            m_sequence = Sequence::Prompts;
            return Dialogs::Answer::Yes;
        }
        m_sequence = Sequence::None;
        ++stats.endings;
        return Dialogs::Answer::No;
    }

    // ---- what the console says, as it says it

    void consoleChanged(const LogView *console)
    {
        if (console != m_console)
            return;
        const QString now = console->text();
        const bool appended = now.startsWith(m_seen);
        const QString added = appended ? now.mid(m_seen.size()) : now;
        const bool fromTop = !appended || m_seen.isEmpty();
        m_seen = now;
        if (added.isEmpty())
            return;
        if (fromTop && now.startsWith(kStartLine)) {
            // The prompts were answered: the capital is the answer as typed.
            const QString expected =
                m_capitalAnswer.isEmpty() ? QStringLiteral("10000") : m_capitalAnswer;
            if (m_game->console().capital() != expected
                || now != kStartLine + expected + kEuro + QStringLiteral("\r\n"))
                fail(QStringLiteral("the game started with capital %1 for the answer %2")
                         .arg(m_game->console().capital().left(40), expected.left(40)));
            m_capital = readAmount(expected);
            return;
        }
        if (!appended && !now.startsWith(QStringLiteral("\r\nHai Pagato:")))
            fail(QStringLiteral("the console was overwritten with: ") + now.left(80));
        readConsole(added);
    }

    // Adds up the amounts the console reports, and checks the capital it shows against them.
    void readConsole(const QString &added)
    {
        static const QRegularExpression entry(QStringLiteral(
            "(Tax:|Costo complessivo del Box: |Hai Pagato:|Valore degli oggetti nel Box:|Hai guadagnato "
            "|Il tuo Capitale:|Il tuo capitale attuale: )([^ \\r\\n]*)"));
        for (auto it = entry.globalMatch(added); it.hasNext();) {
            const auto match = it.next();
            const QString key = match.captured(1);
            const auto amount = readAmount(match.captured(2));
            if (key.startsWith(QStringLiteral("Il tuo"))) {
                if (m_capital && amount != m_capital)
                    fail(QStringLiteral("the console shows capital %1, its reports add up to %2")
                             .arg(match.captured(2), writeAmount(*m_capital)));
                continue;
            }
            if (!amount) {
                fail(QStringLiteral("unreadable amount on the console: ") + match.captured(0));
                continue;
            }
            double change = *amount;
            if (key == QStringLiteral("Hai Pagato:")) {
                m_paid = *amount;
                continue;
            } else if (key == QStringLiteral("Tax:")) {
                ++stats.taxes;
                if (*amount < 1 || *amount > 500 || *amount != std::floor(*amount))
                    fail(QStringLiteral("tax of ") + match.captured(2));
                change = -*amount;
            } else if (key.startsWith(QStringLiteral("Costo"))) {
                ++stats.won;
                m_wins.push_back(-*amount);
            } else if (key.startsWith(QStringLiteral("Valore"))) {
                ++stats.opened;
                if (*amount < 1 || *amount > m_paid + 9999)
                    fail(QStringLiteral("a box paid %1 holds %2").arg(m_paid).arg(*amount));
                m_opens.push_back(m_paid);
            } else {
                ++stats.sold;
                m_sales.push_back(*amount);
            }
            if (m_capital)
                *m_capital += change;
        }
    }

    void wonBoxesDiscarded()
    {
        if (!m_inNewGame && m_sequence == Sequence::None)
            fail(QStringLiteral("the won boxes were discarded outside a new game"));
        m_listed.clear();
        forgetBoxEvents();
    }

    // ---- the player

    QString consoleToken()
    {
        static const std::vector<QString> words{
            QStringLiteral("sell"), QStringLiteral("SELL"), QStringLiteral(" sell"),
            QStringLiteral("abc"),  QStringLiteral("-"),    QStringLiteral("+"),
            QStringLiteral("."),    QStringLiteral(","),    QStringLiteral("1e3"),
            QStringLiteral("0x10"), QStringLiteral("1 2"),  QStringLiteral("\u20AC\u00E8")};
        const QString position = QString::number(uniform(0, 55));
        switch (uniform(0, 9)) {
        case 0:
        case 1:
        case 2:
        case 3: return position;
        case 4: return position + (chance(0.5) ? u'.' : u',') + QString::number(uniform(0, 9));
        case 5:
            return (chance(0.5) ? u'-' : u'+') + QString::number(uniform(0, 2))
                + (chance(0.5) ? QStringLiteral(".4") : QStringLiteral(",5"));
        case 6:
        case 7: return pick(words);
        default: return pick(badInputs()).text;
        }
    }

    // Printable ASCII as key presses, control characters as their keys (Tab, Enter and
    // Escape do what they do), anything else as an input method commits it.
    void typeInto(QLineEdit *line, const QString &text)
    {
        line->setFocus();
        for (qsizetype i = 0; i < text.size() && usable(line);) {
            const char16_t c = text[i].unicode();
            if (c >= 0x20 && c < 0x7F) {
                QTest::keyClick(line, static_cast<char>(c));
            } else if (c < 0x80) {
                const Qt::Key key = c == u'\t' ? Qt::Key_Tab
                    : c == u'\r'               ? Qt::Key_Return
                    : c == u'\n'               ? Qt::Key_Enter
                    : c == 0x1B                ? Qt::Key_Escape
                                               : Qt::Key_unknown;
                QTest::sendKeyEvent(QTest::Click, line, key, QString(QChar(c)), Qt::NoModifier);
            } else {
                qsizetype end = i;
                while (end < text.size() && text[end].unicode() >= 0x80)
                    ++end;
                QInputMethodEvent commit;
                commit.setCommitString(text.mid(i, end - i));
                QCoreApplication::sendEvent(line, &commit);
                i = end;
                continue;
            }
            ++i;
        }
    }

    // A key in any control of the window that can take the focus.
    bool press(ChildWindow &form, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        if (!form.isLoaded())
            return false;
        std::vector<QWidget *> controls;
        for (const design::Control &c : form.design().controls) {
            auto *w = form.body()->findChild<QWidget *>(QString::fromUtf8(c.role));
            if (w && w->focusPolicy() != Qt::NoFocus && usable(w))
                controls.push_back(w);
        }
        if (controls.empty())
            return false;
        QWidget *w = pick(controls);
        note(QKeySequence(QKeyCombination(modifiers, key)).toString() + QStringLiteral(" in ")
             + QString::fromUtf8(form.design().role) + u'.' + w->objectName());
        w->setFocus();
        QTest::keyClick(w, key, modifiers);
        return true;
    }

    bool click(ChildWindow &form, const char *what, QWidget *target)
    {
        if (!form.isLoaded() || !usable(target))
            return false;
        note(QStringLiteral("click ") + QString::fromUtf8(what));
        QTest::mouseClick(target, Qt::LeftButton);
        return true;
    }

    bool clickRow(ChildWindow &form, bool twice)
    {
        auto *list = form.isLoaded()
            ? form.body()->findChild<QListWidget *>(QStringLiteral("boxesList"))
            : nullptr;
        if (!usable(list) || list->count() == 0)
            return false;
        const int row = uniform(0, list->count() - 1);
        note(QStringLiteral("click%1 row %2 of %3")
                 .arg(twice ? QStringLiteral(" twice") : QString())
                 .arg(row)
                 .arg(QString::fromUtf8(form.design().role)));
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice && usable(list))
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return true;
    }

    void act()
    {
        static std::discrete_distribution<int> action(std::begin(kWeights), std::end(kWeights));
        for (int attempt = 0; attempt < 8; ++attempt) {
            if (tryAction(static_cast<Action>(action(m_rng))))
                return;
        }
        tryAction(Wait);
    }

    // Does the action if the player can; false when the window it needs takes no input.
    bool tryAction(Action action)
    {
        GameFixture &f = *m_game;
        QLineEdit *command =
            f.consoleWindow().isLoaded() ? f.consoleWindow().commandLineEdit() : nullptr;
        OfferDialog *offer = f.offerDialog();
        if (action >= OfferEnter && action <= OfferLabel && (!offer || m_ignoreOffer))
            return false;
        if (action >= OfferEnter && action <= OfferLabel)
            m_offerAnswered = true;
        switch (action) {
        case Wait: {
            const int kind = uniform(0, 9);
            const int ms = kind < 4 ? uniform(1, 20)
                : kind < 7          ? uniform(20, 400)
                : kind < 9          ? uniform(400, 1500)
                                    : uniform(1500, 4000);
            note(QStringLiteral("wait %1 ms").arg(ms));
            f.advance(ms);
            return true;
        }
        case Type:
        case Paste: {
            if (!usable(command))
                return false;
            const QString token = consoleToken();
            note((action == Type ? QStringLiteral("type ") : QStringLiteral("paste "))
                 + token.left(20));
            if (action == Type && token.size() <= 40)
                typeInto(command, token);
            else
                command->insert(token);
            return true;
        }
        case Command: {
            if (!usable(command))
                return false;
            const QString position = QString::number(uniform(0, 50));
            note(QStringLiteral("command ") + position);
            QTest::keyClick(command, Qt::Key_Escape);
            typeInto(command, position + u'\r');
            return true;
        }
        case ConsoleEnter: return press(f.consoleWindow(), Qt::Key_Return);
        case ConsoleEscape: return press(f.consoleWindow(), Qt::Key_Escape);
        case ConsoleF1: return press(f.consoleWindow(), Qt::Key_F1);
        case SellLabel:
            return f.consoleWindow().isLoaded()
                && click(f.consoleWindow(), "F1-Vendi", f.consoleWindow().sellLabel());
        case ClickWon: return clickRow(f.wonBoxesWindow(), false);
        case DoubleClickWon: return clickRow(f.wonBoxesWindow(), true);
        case WonEnter: return press(f.wonBoxesWindow(), Qt::Key_Return);
        case WonEscape: return press(f.wonBoxesWindow(), Qt::Key_Escape);
        case ClickMarket: return clickRow(f.marketWindow(), false);
        case MarketEnter: return press(f.marketWindow(), Qt::Key_Return);
        case MarketEscape: return press(f.marketWindow(), Qt::Key_Escape);
        case RoomEnter: return press(f.auctionRoom(), Qt::Key_Return);
        case RoomEscape: return press(f.auctionRoom(), Qt::Key_Escape);
        case RoomAltG: return press(f.auctionRoom(), Qt::Key_G, Qt::AltModifier);
        case OfferEnter: return press(*offer, Qt::Key_Return);
        case OfferEscape: return press(*offer, Qt::Key_Escape);
        case OfferAltO: return press(*offer, Qt::Key_O, Qt::AltModifier);
        case OfferLabel: return click(*offer, "ESC - Per rifiutare", offer->refuseLabel());
        case NewGame:
        case ActionCount: break;
        }
        note(QStringLiteral("menu Nuova Partita"));
        ++stats.newGames;
        m_inNewGame = true;
        f.frame->newGameAction()->trigger();
        m_inNewGame = false;
        return true;
    }

    // ---- the rules, after every action

    void check()
    {
        GameFixture &f = *m_game;
        if (f.game->inBankruptcySequence() || m_sequence != Sequence::None)
            return fail(QStringLiteral("a bankruptcy sequence outlived its action"));
        if (f.consoleWindow().isLoaded()) {
            const auto amount = readAmount(f.capital());
            if (m_capital ? amount != m_capital : amount.has_value())
                return fail(QStringLiteral("capital %1, the console's reports add up to %2")
                                .arg(f.capital().left(40),
                                     m_capital ? writeAmount(*m_capital) : QStringLiteral("none")));
        }
        if (f.marketWindow().isLoaded() && f.marketWindow().boxesList()->count() > 51)
            return fail(
                QStringLiteral("%1 boxes for sale").arg(f.marketWindow().boxesList()->count()));

        const std::vector<OfferDialog *> offers = f.desk->offerDialogs();
        if (offers.size() > 1)
            return fail(QStringLiteral("%1 offers open at once").arg(offers.size()));
        const OfferDialog *offer = offers.empty() ? nullptr : offers.front();
        if (offer != m_offer) {
            stats.unanswered += m_offer && !m_offerAnswered;
            stats.offers += offer != nullptr;
            m_offer = offer;
            m_offerAnswered = false;
            m_ignoreOffer = chance(0.35); // this one is left to run out
        }
        if (!f.game->hasEnded()) {
            const bool room = f.auctionRoom().isLoaded();
            const bool console = f.consoleWindow().isEnabled(),
                       market = f.marketWindow().isEnabled(), won = f.wonBoxesWindow().isEnabled();
            if (!room && !offer && !(console && market && won))
                return fail(QStringLiteral("a window stays locked with no auction or offer open"));
            if ((room || offer) && (console || market))
                return fail(QStringLiteral(
                    "the console or the market takes input during an auction or offer"));
            if (offer && won)
                return fail(QStringLiteral("the won boxes take input while an offer waits"));
        }
        checkWonBoxes(offer);
    }

    // Every won box is listed once until it is opened or sold, and never both. A line
    // gets a tag when its auction is won, so that boxes of the same text stay apart.
    void checkWonBoxes(const OfferDialog *offer)
    {
        WonBoxesWindow &window = m_game->wonBoxesWindow();
        if (!window.isLoaded()) {
            if (!m_listed.empty() || !m_wins.empty())
                fail(QStringLiteral("won boxes gone with their window"));
            return;
        }
        QListWidget *list = window.boxesList();
        std::set<int> present;
        std::vector<QListWidgetItem *> fresh;
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem *item = list->item(row);
            const QVariant tag = item->data(kBoxTag);
            if (!tag.isValid())
                fresh.push_back(item);
            else if (!present.insert(tag.toInt()).second || !m_listed.count(tag.toInt()))
                return fail(QStringLiteral("a won box is listed twice: ") + item->text());
        }
        if (fresh.size() != m_wins.size())
            return fail(QStringLiteral("%1 lines added to the won boxes for %2 auctions won")
                            .arg(fresh.size())
                            .arg(m_wins.size()));
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            const QString text = fresh[i]->text();
            if (!text.startsWith(QStringLiteral("Box numero:"))
                || !text.endsWith(QStringLiteral(" Prezzo:") + writeAmount(m_wins[i]) + kEuro))
                return fail(QStringLiteral("won box %1 bought for %2").arg(text).arg(m_wins[i]));
            fresh[i]->setData(kBoxTag, m_nextTag);
            present.insert(m_nextTag);
            m_listed[m_nextTag++] = m_wins[i];
        }

        std::vector<double> gone; // prices of the boxes no longer listed
        for (auto it = m_listed.begin(); it != m_listed.end();) {
            if (present.count(it->first)) {
                ++it;
            } else {
                gone.push_back(it->second);
                it = m_listed.erase(it);
            }
        }
        const auto take = [&gone](auto matches) {
            const auto it = std::find_if(gone.begin(), gone.end(), matches);
            if (it == gone.end())
                return false;
            gone.erase(it);
            return true;
        };
        for (double paid : m_opens) {
            if (!take([paid](double price) { return price == paid; }))
                return fail(QStringLiteral("a box paid %1 was opened but stays listed").arg(paid));
        }
        for (double amount : m_sales) {
            if (!take(
                    [amount](double price) { return amount - price >= 1 && amount - price <= 50; }))
                return fail(QStringLiteral("a sale for %1 removed no box offered at that price")
                                .arg(amount));
        }
        if (!gone.empty())
            return fail(QStringLiteral("a won box paid %1 left without being opened or sold")
                            .arg(gone.front()));
        forgetBoxEvents();
        const QString offered = offer ? wonBoxLine(offer->offer().box()) : QString();
        if (offer && list->findItems(offered, Qt::MatchExactly).isEmpty())
            fail(QStringLiteral("an offer for a box not listed: ") + offered);
    }

    std::mt19937_64 m_rng;
    std::unique_ptr<GameFixture> m_game;
    qint64 m_done = 0;
    std::deque<QString> m_log;
    QString m_failure;

    // The capital as the console's reports add up; empty while it reads as no number.
    std::optional<double> m_capital;
    QString m_capitalAnswer;
    const LogView *m_console = nullptr;
    QString m_seen;
    double m_paid = 0;

    // Tagged won boxes and their prices; prices of boxes won, opened and sold since the last look.
    std::map<int, double> m_listed;
    int m_nextTag = 0;
    std::vector<double> m_wins, m_opens, m_sales;

    Sequence m_sequence = Sequence::None;
    bool m_inNewGame = false;
    const OfferDialog *m_offer = nullptr;
    bool m_offerAnswered = false;
    bool m_ignoreOffer = false;
};

// The offscreen platform warns of size hints for every main window shown: thousands in a long run.
QtMessageHandler g_messages = nullptr;
void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QStringLiteral("propagateSizeHints")))
        g_messages(type, context, message);
}

qint64 numberFromEnvironment(const char *name, qint64 fallback)
{
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void everyRuleHoldsWhateverThePlayerDoes()
    {
        const auto seed = static_cast<quint64>(
            numberFromEnvironment("MARVESTO_MONKEY_SEED", QDateTime::currentMSecsSinceEpoch()));
        const qint64 actions = numberFromEnvironment("MARVESTO_MONKEY_ACTIONS", 200000);
        qInfo("MARVESTO_MONKEY_SEED=%llu MARVESTO_MONKEY_ACTIONS=%lld", seed, actions);

        g_messages = qInstallMessageHandler(dropSizeHintWarnings);
        Monkey monkey(seed);
        const QString failure = monkey.play(actions);
        qInstallMessageHandler(g_messages);
        const Monkey::Stats &s = monkey.stats;
        qInfo(
            "auctions %lld, won %lld, opened %lld, sold %lld, offers %lld (%lld unanswered), taxes %lld, "
            "bankruptcies %lld, new games %lld, endings %lld, ticks inside boxes %lld",
            s.auctions, s.won, s.opened, s.sold, s.offers, s.unanswered, s.taxes, s.bankruptcies,
            s.newGames, s.endings, s.nestedTicks);
        QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("seed %1, ").arg(seed) + failure));
        if (actions >= 20000) {
            // A long run that never reached a part of the game proves nothing about it.
            for (qint64 count : {s.auctions, s.won, s.opened, s.sold, s.offers, s.unanswered,
                                 s.taxes, s.bankruptcies, s.newGames, s.endings, s.nestedTicks})
                QVERIFY(count > 0);
        }
    }
};

int main(int argc, char *argv[])
{
    // A long run outlasts QtTest's five-minute watchdog; CTest's timeout still applies.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestMonkey test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
