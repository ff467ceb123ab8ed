#include "ui/howtoplay.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace marvesto {

namespace {

// Each heading with its paragraph, in the order a game goes.
std::vector<std::pair<QString, QString>> paragraphs()
{
    return {
        {HowToPlay::tr("Il gioco"),
         HowToPlay::tr("Compri all'asta box di cui nessuno conosce il contenuto, li apri e ne "
                       "incassi il valore, o li rivendi a chi te ne fa un'offerta. All'inizio il "
                       "gioco chiede il tuo nome e quanti euro vuoi come capitale.")},
        {HowToPlay::tr("Boxes in vendita"),
         HowToPlay::tr("Il mercato: ogni secondo arriva un box nuovo con il suo prezzo di "
                       "partenza. La prima riga è la 0.")},
        {HowToPlay::tr("Manager"),
         HowToPlay::tr("La tua console, con il registro di tasse, costi e guadagni. Scrivi il "
                       "numero di una riga del mercato e premi Invio: quel box va all'asta.")},
        {HowToPlay::tr("Inizio Asta..."),
         HowToPlay::tr("La sala d'asta. Un secondo dopo ogni tua offerta gli altri si ritirano, "
                       "e il box è tuo a quel prezzo, o rilanciano e contano fino a tre: premi "
                       "Invio (o Alt+G) mentre contano per rilanciare di 100 €. Se arrivano a "
                       "tre, il box è perso. La sala si chiude da sola tre secondi dopo.")},
        {HowToPlay::tr("Aste Vinte"),
         HowToPlay::tr("I box che hai vinto. Scegline uno e premi Invio (o fai doppio clic) per "
                       "aprirlo: scopri quanto vale il contenuto, e il suo valore va nel "
                       "capitale.")},
        {HowToPlay::tr("Le offerte"),
         HowToPlay::tr("Ogni tanto, dopo un comando alla console, un compratore offre per un "
                       "box vinto un po' più di quanto l'hai pagato. Invio accetta, Esc "
                       "rifiuta; dopo dieci secondi l'offerta se ne va.")},
        {HowToPlay::tr("Le tasse"),
         HowToPlay::tr("Ogni undici secondi le tasse si prendono fino a 500 € del capitale, "
                       "anche se non fai nulla.")},
        {HowToPlay::tr("La bancarotta"),
         HowToPlay::tr("Se il capitale scende sotto zero e non hai box vinti da vendere, la "
                       "partita finisce, e il gioco chiede se vuoi giocare ancora.")},
        {HowToPlay::tr("I tasti"),
         HowToPlay::tr("F1, o un clic su F1-Vendi, sceglie il primo box vinto (il comando "
                       "sell). Esc svuota la riga di comando. Ctrl+Tab o F6 passa alla finestra "
                       "seguente, Ctrl+Maiusc+Tab o Maiusc+F6 a quella prima. F2 fa dire a un "
                       "lettore di schermo il capitale e i box vinti. Ctrl+N inizia una nuova "
                       "partita, Ctrl+Q esce, Ctrl+H apre questa finestra.")},
        {HowToPlay::tr("Pausa e velocità"),
         HowToPlay::tr("P (in una lista o nella sala d'asta) o il tasto Pausa ferma il gioco, e "
                       "lo fa ripartire; anche ridurre a icona la finestra lo ferma. File > "
                       "Velocità rallenta il gioco: Normale, Lenta o Molto lenta. Questa "
                       "finestra non ferma il gioco: metti in pausa prima di leggerla.")},
        {HowToPlay::tr("Record"),
         HowToPlay::tr("Ogni partita finita lascia il suo record. Ctrl+R (menu ?) mostra le "
                       "dieci partite migliori per capitale massimo e la curva del capitale "
                       "della partita in corso o dell'ultima.")},
    };
}

} // namespace

HowToPlay::HowToPlay(QWidget *parent) : QDialog(parent), m_textView(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("howToPlay"));
    setWindowTitle(tr("Come si gioca"));
    setModal(false);

    QString html;
    for (const auto &[heading, text] : paragraphs()) {
        html += QStringLiteral("<h3>") + heading.toHtmlEscaped() + QStringLiteral("</h3><p>")
            + text.toHtmlEscaped() + QStringLiteral("</p>");
    }
    m_textView->setObjectName(QStringLiteral("howToPlayView"));
    m_textView->setHtml(html);
    m_textView->setOpenLinks(false);
    // Read by keyboard too: the arrows move a caret through the text.
    m_textView->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_textView->setAccessibleName(tr("Come si gioca"));
    m_textView->setAccessibleDescription(tr("Le regole del gioco, i suoi tasti e le sue finestre"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_textView);
    layout->addWidget(buttons);
    resize(560, 520);
    m_textView->setFocus();
}

} // namespace marvesto
