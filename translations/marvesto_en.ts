<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="it_IT">
<context>
    <name>BoxLines</name>
    <message>
        <source>Box numero:</source>
        <translation>Box number:</translation>
    </message>
    <message>
        <source> - Nome Asta:</source>
        <translation> - Auction:</translation>
    </message>
    <message>
        <source> - Prezzo:</source>
        <translation> - Price:</translation>
    </message>
    <message>
        <source> Prezzo:</source>
        <translation> Price:</translation>
    </message>
</context>
<context>
    <name>auctionRoom</name>
    <message>
        <source>Inizio Asta...</source>
        <translation>Auction Starting...</translation>
    </message>
    <message>
        <source>&amp;Go!</source>
        <translation>&amp;Go!</translation>
    </message>
    <message>
        <source>Go!</source>
        <translation>Go!</translation>
    </message>
    <message>
        <source>Rilancia di 100 euro</source>
        <translation>Raises by 100 euros</translation>
    </message>
    <message>
        <source>Registro dell&apos;asta</source>
        <translation>Auction log</translation>
    </message>
    <message>
        <source>Invio rilancia di 100 euro durante il conto alla rovescia</source>
        <translation>Enter raises by 100 euros during the countdown</translation>
    </message>
</context>
<context>
    <name>consoleWindow</name>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>Esegui il comando</source>
        <translation>Run the command</translation>
    </message>
    <message>
        <source>Registro del manager</source>
        <translation>Manager&apos;s log</translation>
    </message>
    <message>
        <source>I messaggi del gioco: tasse, costi, vendite</source>
        <translation>The game&apos;s messages: taxes, costs, sales</translation>
    </message>
    <message>
        <source>Riga di comando</source>
        <translation>Command line</translation>
    </message>
    <message>
        <source>Il numero di un box in vendita e Invio apre l&apos;asta; sell e Invio sceglie il primo box vinto</source>
        <translation>The number of a box for sale and Enter opens its auction; sell and Enter chooses the first won box</translation>
    </message>
    <message>
        <source>F1-Vendi</source>
        <translation>F1-Sell</translation>
    </message>
    <message>
        <source>Sceglie il primo box vinto</source>
        <translation>Chooses the first won box</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Compra box all&apos;asta e rivendine il contenuto: un gioco per una persona.</source>
        <translation>Buy boxes at auction and resell their contents: a game for one player.</translation>
    </message>
</context>
<context>
    <name>marketWindow</name>
    <message>
        <source>Boxes in vendita</source>
        <translation>Boxes for sale</translation>
    </message>
    <message>
        <source>Box in vendita</source>
        <translation>Boxes for sale</translation>
    </message>
    <message>
        <source>Un box nuovo ogni secondo; la prima riga è la 0</source>
        <translation>A new box every second; the first line is 0</translation>
    </message>
</context>
<context>
    <name>marvesto::Auction</name>
    <message>
        <source>Offri .... </source>
        <translation>You bid .... </translation>
    </message>
    <message>
        <source>Rilanciano di .... </source>
        <translation>They raise to .... </translation>
    </message>
    <message>
        <source>Asta chiusa. Il box è tuo!</source>
        <translation>Auction closed. The box is yours!</translation>
    </message>
    <message>
        <source> €... e </source>
        <translation> €... and </translation>
    </message>
    <message>
        <source>Asta chiusa. Hai perso questo box!</source>
        <translation>Auction closed. You lost this box!</translation>
    </message>
</context>
<context>
    <name>marvesto::Console</name>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>Il tuo Capitale:</source>
        <translation>Your capital:</translation>
    </message>
    <message>
        <source>Tax:</source>
        <translation>Tax:</translation>
    </message>
    <message>
        <source>Costo complessivo del Box: </source>
        <translation>Total cost of the box: </translation>
    </message>
    <message>
        <source>Il tuo capitale attuale: </source>
        <translation>Your capital now: </translation>
    </message>
    <message>
        <source>Hai Pagato:</source>
        <translation>You paid:</translation>
    </message>
    <message>
        <source>Valore degli oggetti nel Box:</source>
        <translation>Value of the things in the box:</translation>
    </message>
    <message>
        <source>Il tuo guadagno è stato di:</source>
        <translation>Your profit was:</translation>
    </message>
    <message>
        <source>Hai guadagnato </source>
        <translation>You earned </translation>
    </message>
</context>
<context>
    <name>marvesto::ConsoleWindow</name>
    <message>
        <source>Capitale: </source>
        <translation>Capital: </translation>
    </message>
</context>
<context>
    <name>marvesto::Desk</name>
    <message>
        <source>Capitale: %1 €, %2 %3</source>
        <translation>Capital: %1 €, %2 %3</translation>
    </message>
    <message>
        <source>box vinto</source>
        <translation>box won</translation>
    </message>
    <message>
        <source>box vinti</source>
        <translation>boxes won</translation>
    </message>
    <message>
        <source>Pausa</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Ripresa</source>
        <translation>Resumed</translation>
    </message>
</context>
<context>
    <name>marvesto::Game</name>
    <message>
        <source>Un vero disatro!  Sei andato sotto di brutto!!!  Cambia lavoro ^_^ e non fare il manager aziendale</source>
        <translation>A real disaster!  You are deep in the red!!!  Find another job ^_^ and don&apos;t be a company manager</translation>
    </message>
    <message>
        <source>Vuoi Giocare ancora? </source>
        <translation>Do you want to play again? </translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Quanti euro vuoi?</source>
        <translation>How many euros do you want?</translation>
    </message>
    <message>
        <source>Quanto euro vuoi?</source>
        <translation>How many euros do you want?</translation>
    </message>
    <message>
        <source>Informazioni su Marvesto</source>
        <translation>About Marvesto</translation>
    </message>
    <message>
        <source>Marvesto %1

Compra box all&apos;asta e rivendine il contenuto.

Licenza MIT. Copyright (c) 2026 The Marvesto developers.

Immagini e suoni sono creati dal progetto stesso, con i programmi in tools/assets.</source>
        <translation>Marvesto %1

Buy boxes at auction and resell their contents.

MIT License. Copyright (c) 2026 The Marvesto developers.

The pictures and sounds are made by the project itself, with the programs in tools/assets.</translation>
    </message>
    <message>
        <source>Il tuo nome:</source>
        <translation>Your name:</translation>
    </message>
    <message>
        <source>Nome del giocatore</source>
        <translation>Player&apos;s name</translation>
    </message>
    <message>
        <source>Capitale iniziale</source>
        <translation>Starting capital</translation>
    </message>
</context>
<context>
    <name>marvesto::HowToPlay</name>
    <message>
        <source>Il gioco</source>
        <translation>The game</translation>
    </message>
    <message>
        <source>Compri all&apos;asta box di cui nessuno conosce il contenuto, li apri e ne incassi il valore, o li rivendi a chi te ne fa un&apos;offerta. All&apos;inizio il gioco chiede il tuo nome e quanti euro vuoi come capitale.</source>
        <translation>You buy boxes at auction whose contents nobody knows, then open them and cash in their value, or sell them to a buyer who makes you an offer. At the start the game asks for your name and how many euros you want as your capital.</translation>
    </message>
    <message>
        <source>Boxes in vendita</source>
        <translation>Boxes for sale</translation>
    </message>
    <message>
        <source>Il mercato: ogni secondo arriva un box nuovo con il suo prezzo di partenza. La prima riga è la 0.</source>
        <translation>The market: every second a new box comes up with its starting price. The first line is number 0.</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>La tua console, con il registro di tasse, costi e guadagni. Scrivi il numero di una riga del mercato e premi Invio: quel box va all&apos;asta.</source>
        <translation>Your console, with the log of taxes, costs and earnings. Type the number of a line of the market and press Enter: that box goes to auction.</translation>
    </message>
    <message>
        <source>Inizio Asta...</source>
        <translation>Auction Starting...</translation>
    </message>
    <message>
        <source>La sala d&apos;asta. Un secondo dopo ogni tua offerta gli altri si ritirano, e il box è tuo a quel prezzo, o rilanciano e contano fino a tre: premi Invio (o Alt+G) mentre contano per rilanciare di 100 €. Se arrivano a tre, il box è perso. La sala si chiude da sola tre secondi dopo.</source>
        <translation>The auction room. A second after each of your bids the rivals either give up, and the box is yours at that price, or raise and count to three: press Enter (or Alt+G) while they count to bid 100 € more. If they reach three, the box is lost. The room closes by itself three seconds later.</translation>
    </message>
    <message>
        <source>Aste Vinte</source>
        <translation>Won Auctions</translation>
    </message>
    <message>
        <source>I box che hai vinto. Scegline uno e premi Invio (o fai doppio clic) per aprirlo: scopri quanto vale il contenuto, e il suo valore va nel capitale.</source>
        <translation>The boxes you have won. Choose one and press Enter (or double-click it) to open it: you learn what its contents are worth, and their value goes into your capital.</translation>
    </message>
    <message>
        <source>Le offerte</source>
        <translation>Offers</translation>
    </message>
    <message>
        <source>Ogni tanto, dopo un comando alla console, un compratore offre per un box vinto un po&apos; più di quanto l&apos;hai pagato. Invio accetta, Esc rifiuta; dopo dieci secondi l&apos;offerta se ne va.</source>
        <translation>Now and then, after a command at the console, a buyer offers a little more for a won box than you paid for it. Enter accepts, Esc refuses; after ten seconds the offer goes away.</translation>
    </message>
    <message>
        <source>Le tasse</source>
        <translation>Taxes</translation>
    </message>
    <message>
        <source>Ogni undici secondi le tasse si prendono fino a 500 € del capitale, anche se non fai nulla.</source>
        <translation>Every eleven seconds taxes take up to 500 € of your capital, even if you do nothing.</translation>
    </message>
    <message>
        <source>La bancarotta</source>
        <translation>Bankruptcy</translation>
    </message>
    <message>
        <source>Se il capitale scende sotto zero e non hai box vinti da vendere, la partita finisce, e il gioco chiede se vuoi giocare ancora.</source>
        <translation>If your capital falls below zero and you have no won boxes left to sell, the game is over, and it asks whether you want to play again.</translation>
    </message>
    <message>
        <source>I tasti</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>F1, o un clic su F1-Vendi, sceglie il primo box vinto (il comando sell). Esc svuota la riga di comando. Ctrl+Tab o F6 passa alla finestra seguente, Ctrl+Maiusc+Tab o Maiusc+F6 a quella prima. F2 fa dire a un lettore di schermo il capitale e i box vinti. Ctrl+N inizia una nuova partita, Ctrl+Q esce, Ctrl+H apre questa finestra.</source>
        <translation>F1, or a click on F1-Sell, chooses the first won box (the command sell). Esc empties the command line. Ctrl+Tab or F6 goes to the next window, Ctrl+Shift+Tab or Shift+F6 to the one before. F2 has a screen reader say your capital and your won boxes. Ctrl+N starts a new game, Ctrl+Q quits, Ctrl+H opens this window.</translation>
    </message>
    <message>
        <source>Pausa e velocità</source>
        <translation>Pause and speed</translation>
    </message>
    <message>
        <source>P (in una lista o nella sala d&apos;asta) o il tasto Pausa ferma il gioco, e lo fa ripartire; anche ridurre a icona la finestra lo ferma. File &gt; Velocità rallenta il gioco: Normale, Lenta o Molto lenta. Questa finestra non ferma il gioco: metti in pausa prima di leggerla.</source>
        <translation>P (in a list or in the auction room) or the Pause key pauses the game, and resumes it; minimizing the window pauses it too. File &gt; Speed slows the game down: Normal, Slow or Very slow. This window does not stop the game: pause first, then read it.</translation>
    </message>
    <message>
        <source>Come si gioca</source>
        <translation>How to Play</translation>
    </message>
    <message>
        <source>Le regole del gioco, i suoi tasti e le sue finestre</source>
        <translation>The game&apos;s rules, keys and windows</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Ogni partita finita lascia il suo record. Ctrl+R (menu ?) mostra le dieci partite migliori per capitale massimo e la curva del capitale della partita in corso o dell&apos;ultima.</source>
        <translation>Every game that ends leaves its record. Ctrl+R (menu ?) shows the ten best games by highest capital, and the capital curve of the game being played or of the last one.</translation>
    </message>
</context>
<context>
    <name>marvesto::MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Nuova Partita</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>Pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Velocità</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Normale</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Lenta</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Molto lenta</source>
        <translation>Very slow</translation>
    </message>
    <message>
        <source>Capitale e box vinti</source>
        <translation>Capital and Boxes Won</translation>
    </message>
    <message>
        <source>Suoni</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Come si gioca</source>
        <translation>How to Play</translation>
    </message>
    <message>
        <source>Informazioni su Marvesto</source>
        <translation>About Marvesto</translation>
    </message>
    <message>
        <source>Pausa</source>
        <comment>shown over the paused game</comment>
        <translation>Paused</translation>
    </message>
    <message>
        <source> (in pausa)</source>
        <translation> (paused)</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Records</translation>
    </message>
</context>
<context>
    <name>marvesto::Offer</name>
    <message>
        <source>Ti offro ... </source>
        <translation>I offer you ... </translation>
    </message>
    <message>
        <source>Vuoi vendere?</source>
        <translation>Do you want to sell?</translation>
    </message>
</context>
<context>
    <name>marvesto::RecordsWindow</name>
    <message>
        <source>Record</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Bancarotta</source>
        <translation>Bankruptcy</translation>
    </message>
    <message>
        <source>Nuova partita</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Uscita</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Giocatore</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Iniziata</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>Capitale iniziale</source>
        <translation>Starting capital</translation>
    </message>
    <message>
        <source>Capitale massimo</source>
        <translation>Highest capital</translation>
    </message>
    <message>
        <source>Capitale finale</source>
        <translation>Final capital</translation>
    </message>
    <message>
        <source>Box vinti</source>
        <translation>Boxes won</translation>
    </message>
    <message>
        <source>Box aperti</source>
        <translation>Boxes opened</translation>
    </message>
    <message>
        <source>Proposte accettate</source>
        <translation>Offers accepted</translation>
    </message>
    <message>
        <source>Tempo di gioco</source>
        <translation>Time played</translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Curva del capitale</source>
        <translation>Capital curve</translation>
    </message>
    <message>
        <source>Nessuna partita da mostrare</source>
        <translation>No game to show</translation>
    </message>
    <message>
        <source>Capitale da %1 a %2, massimo %3 al minuto %4</source>
        <translation>Capital from %1 to %2, highest %3 at minute %4</translation>
    </message>
    <message>
        <source>minuti</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>I dieci migliori</source>
        <translation>The ten best</translation>
    </message>
    <message>
        <source>Il capitale nel tempo</source>
        <translation>Capital over time</translation>
    </message>
    <message>
        <source>Il file dei record non si poteva leggere: è stato messo da parte come %1 e ne è stato iniziato uno nuovo.</source>
        <translation>The records file could not be read: it was set aside as %1 and a new one was started.</translation>
    </message>
</context>
<context>
    <name>offerDialog</name>
    <message>
        <source>Un&apos;offerta da non poter rifiutare...</source>
        <translation>An Offer You Can&apos;t Refuse...</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Accetta l&apos;offerta</source>
        <translation>Accepts the offer</translation>
    </message>
    <message>
        <source>Offerta</source>
        <translation>Offer</translation>
    </message>
    <message>
        <source>Invio accetta, Esc rifiuta</source>
        <translation>Enter accepts, Esc refuses</translation>
    </message>
    <message>
        <source>ESC - Per rifiutare</source>
        <translation>ESC - To refuse</translation>
    </message>
    <message>
        <source>Rifiuta l&apos;offerta</source>
        <translation>Refuses the offer</translation>
    </message>
</context>
<context>
    <name>wonBoxesWindow</name>
    <message>
        <source>Aste Vinte</source>
        <translation>Won Auctions</translation>
    </message>
    <message>
        <source>Apri il box</source>
        <translation>Open the box</translation>
    </message>
    <message>
        <source>Aste vinte</source>
        <translation>Won auctions</translation>
    </message>
    <message>
        <source>Invio apre il box scelto e ne stima il valore</source>
        <translation>Enter opens the chosen box and appraises its contents</translation>
    </message>
</context>
</TS>
