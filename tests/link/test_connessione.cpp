// The connection state: TestCom, connect and disconnect, the requests of
// the Chip menu and the transfer button, and the failure paths, with the
// engine stepped by hand.
#include "BancoMotore.h"
#include "Protocollo.h"

#include <QFile>
#include <QTemporaryDir>

using namespace corsa;
using namespace corsa::test;

namespace {

const std::string A3 = "\xA3";

std::vector<QByteArray> Dopo(const Banco& b, size_t segno)
{
    return std::vector<QByteArray>(b.porta.scritture.begin() + long(segno), b.porta.scritture.end());
}

// Unset: as it was before the call.
struct CasoEsito {
    const char* nome;
    uint8_t esito;
    std::optional<Risposta> risposta;
    std::optional<bool> chip, connetti, disconnetti, command1;
    std::optional<QString> didascalia;
    std::optional<std::string> comando;
    bool chiude, box;
    std::optional<bool> indicatori;
};

TEST(TestCom, TabellaDegliStati)
{
    const CasoEsito casi[] = {
        {"0, Riprova", 0, Risposta::Riprova, true, false, true, true, {}, "v", false, true, false},
        {"0, altra risposta", 0, Risposta::OK, true, false, true, true, {}, "v", false, true, false},
        {"0, Annulla", 0, Risposta::Annulla, false, true, false, false, DidascaliaNonConnesso, "e", true, true, false},
        {"100", 100, {}, false, true, false, false, DidascaliaNonConnesso, "e", false, false, false},
        {"1", 1, {}, {}, {}, {}, {}, DidascaliaRisposta, {}, false, false, {}},
        {"7", 7, {}, {}, {}, {}, {}, DidascaliaRisposta, {}, false, false, {}},
        {"99", 99, {}, {}, {}, {}, {}, DidascaliaRisposta, {}, false, false, {}},
        {"101", 101, {}, {}, {}, {}, {}, DidascaliaRisposta, {}, false, false, {}},
        {"255", 255, {}, {}, {}, {}, {}, DidascaliaRisposta, {}, false, false, {}},
    };
    const QString x = QStringLiteral("X");
    for (const CasoEsito& c : casi) {
        // From the connected state and from its exact opposite, so that
        // every flag the call sets is seen to change.
        for (bool connesso : {true, false}) {
            SCOPED_TRACE(std::string(c.nome) + (connesso ? ", from connected" : ", from not connected"));
            Banco b;
            b.p.controlli.abilitaChip(connesso);
            b.f().connetti->setEnabled(!connesso);
            b.f().disconnetti->setEnabled(connesso);
            b.command1()->setEnabled(connesso);
            b.f().enco->setEnabled(connesso);
            b.f().pannello().MostraIndicatori(connesso);
            b.command1()->setText(x);
            b.s().Comando = "@";
            if (c.risposta)
                b.messaggi.risposte.push_back(*c.risposta);
            const size_t aperte = b.porta.aperte.size();

            b.p.connessione.TestCom(c.esito);
            EXPECT_EQ(b.chip(), c.chip.value_or(connesso));
            EXPECT_EQ(b.connetti(), c.connetti.value_or(!connesso));
            EXPECT_EQ(b.disconnetti(), c.disconnetti.value_or(connesso));
            EXPECT_EQ(b.enco(), connesso);
            EXPECT_EQ(b.command1()->isEnabled(), c.command1.value_or(connesso));
            EXPECT_EQ(b.command1()->text(), c.didascalia.value_or(x));
            EXPECT_EQ(b.s().Comando, c.comando.value_or("@"));
            EXPECT_EQ(b.porta.PortOpen(), !c.chiude);
            EXPECT_EQ(b.porta.aperte.size(), aperte); // an open port is not opened again
            EXPECT_EQ(b.indicatori(), c.indicatori.value_or(connesso));
            ASSERT_EQ(b.messaggi.mostrati.size(), c.box ? 1u : 0u);
            if (c.box)
                AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
            EXPECT_TRUE(b.porta.scritto.isEmpty());
        }
    }
}

TEST(TestCom, AnnullaConLaPortaGiaChiusa)
{
    Banco b;
    b.PortaTrovata();
    b.porta.setPortOpen(false);
    const int chiusure = b.porta.chiusure;
    b.messaggi.risposte.push_back(Risposta::Annulla);
    b.p.connessione.TestCom(0);
    EXPECT_EQ(b.porta.chiusure, chiusure);
    EXPECT_FALSE(b.porta.PortOpen());
    b.ControllaNonConnesso();
}

// Disconnect is TestCom with 100 and the tester's menu off; the port stays
// open and nothing more goes out.
TEST(Disconnetti, NonConnessoConLaPortaAperta)
{
    Banco b;
    b.InAscolto();
    const QString label7 = b.f().Label7->text();
    b.f().disconnetti->trigger();
    b.ControllaNonConnesso();
    EXPECT_FALSE(b.enco());
    EXPECT_FALSE(b.indicatori());
    EXPECT_TRUE(b.porta.PortOpen());
    EXPECT_EQ(b.porta.chiusure, 0);
    EXPECT_EQ(b.f().Label7->text(), label7);
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    const size_t segno = b.porta.scritture.size();
    for (int i = 0; i < 6; ++i)
        b.Tick();
    EXPECT_TRUE(Dopo(b, segno).empty());
}

// "Disconnetti" between the send and the receive tick of a command: a write
// still sends what the board waits for, a reply is taken in nowhere, and
// then nothing more goes out and the menus stay as the disconnect left them.
TEST(Disconnetti, VinceSulComandoInCorso)
{
    struct Caso {
        std::string comando;
        std::function<QByteArray(Stato&)> dovuto;
    };
    const auto niente = [](Stato&) { return QByteArray(); };
    const Caso casi[] = {
        {A3, niente},
        {"%", niente},
        {"$", [](Stato& s) { return BloccoPosizione(s); }},
        {"#", [](Stato& s) { return BloccoVelocita(s); }},
        {"@", niente},
        {"s", niente},
        {"v", niente},
        {"|", niente},
        {"r", [](Stato&) { return QByteArray("r"); }},
        {"w", [](Stato&) { return QByteArray("Scrivo\r"); }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(B(c.comando).toHex().toStdString());
        Banco b;
        b.InAscolto();
        // Unlike what the board sends, so that a reply taken in shows.
        b.s().MatricePosizione[10] ^= 0xFF;
        b.s().MatriceVelocita[10] ^= 0xFF;
        b.s().StatoChip[1] ^= 0xFF;
        b.s().VersioneChip = "?";
        const Stato prima = b.s();
        b.Invio(c.comando);
        b.f().disconnetti->trigger();
        b.s().CambioEncoder = 1;
        EXPECT_EQ(b.Ricezione(), c.dovuto(b.s()));
        b.ControllaNonConnesso();
        EXPECT_FALSE(b.enco());
        EXPECT_FALSE(b.finestraVisibile());
        EXPECT_EQ(b.s().MatricePosizione, prima.MatricePosizione);
        EXPECT_EQ(b.s().MatriceVelocita, prima.MatriceVelocita);
        EXPECT_EQ(b.s().VersioneChip, prima.VersioneChip);
        EXPECT_EQ(b.s().StatoChip, prima.StatoChip);
        EXPECT_EQ(b.s().CambioEncoder, 1);
        EXPECT_TRUE(b.messaggi.mostrati.empty());
        const size_t segno = b.porta.scritture.size();
        for (int i = 0; i < 6; ++i)
            b.Tick();
        EXPECT_TRUE(Dopo(b, segno).empty());
        b.ControllaNonConnesso();
    }
}

// "Disconnetti" between two steps of a sequence, the next one stored: the
// progress window goes at once, and nothing more goes out.
TEST(Disconnetti, TraDuePassiLaFinestraVa)
{
    struct Caso {
        const char* nome;
        std::function<void(Connessione&)> richiesta;
        int tick; // from the request's send tick to the disconnect
        std::string prossimo;
    };
    const Caso casi[] = {
        {"after the position block of a write", [](Connessione& c) { c.PcToChip_Click(); }, 2, "#"},
        {"after the speed block of a write", [](Connessione& c) { c.PcToChip_Click(); }, 4, A3},
        {"after the position block of a read", [](Connessione& c) { c.carica_Click(); }, 2, "%"},
        {"after the second reset", [](Connessione& c) { c.Res_Click(); }, 2, A3},
        {"after the EEPROM's answer", [](Connessione& c) { c.salva_Click(); }, 2, "r"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b;
        b.InAscolto();
        c.richiesta(b.p.connessione);
        for (int i = 0; i < c.tick; ++i)
            b.Tick();
        ASSERT_EQ(b.s().Comando, c.prossimo);
        ASSERT_TRUE(b.finestraVisibile());
        b.f().disconnetti->trigger();
        EXPECT_FALSE(b.finestraVisibile());
        const size_t segno = b.porta.scritture.size();
        for (int i = 0; i < 6; ++i)
            b.Tick();
        EXPECT_TRUE(Dopo(b, segno).empty());
        EXPECT_FALSE(b.finestraVisibile());
        b.ControllaNonConnesso();
    }
}

// Each request stores its character, whatever was pending, and the next send
// tick serves it.
TEST(Richieste, MenuEPulsanteDiTrasferimento)
{
    struct Caso {
        const char* nome;
        std::function<void(Banco&)> azione;
        std::string comando;
    };
    const Caso casi[] = {
        {"carica", [](Banco& b) { b.f().carica->trigger(); }, A3},
        {"salva", [](Banco& b) { b.f().salva->trigger(); }, "w"},
        {"PcToChip", [](Banco& b) { b.f().PcToChip->trigger(); }, "$"},
        {"Res", [](Banco& b) { b.f().Res->trigger(); }, "r"},
        {"ResSic", [](Banco& b) { b.f().ResSic->trigger(); }, "|"},
        {"Command1", [](Banco& b) { b.command1()->click(); }, "$"},
    };
    for (const Caso& c : casi) {
        for (const std::string& prima : std::vector<std::string>{"@", "$", "e"}) {
            SCOPED_TRACE(std::string(c.nome) + " over " + prima);
            Banco b;
            b.InAscolto();
            b.porta.risponde = nullptr;
            b.s().Comando = prima;
            b.s().StatoChip[1] = 77;
            c.azione(b);
            EXPECT_EQ(b.s().Comando, c.comando);
            EXPECT_EQ(b.TickScritto(), B(c.comando));
            EXPECT_TRUE(b.messaggi.mostrati.empty());
            // Only the transfer button moves the cursors.
            EXPECT_EQ(b.f().controlli.Label1->text() == QStringLiteral("Master = 77"),
                      std::string(c.nome) == "Command1");
        }
    }
}

TEST(Richieste, SalvaRifiutatoFinoAllAggiornamento)
{
    for (const std::string& prima : std::vector<std::string>{"@", "$", A3, "e"}) {
        SCOPED_TRACE(prima);
        Banco b;
        b.InAscolto();
        b.s().Modificato = true;
        b.s().Comando = prima;
        b.f().salva->trigger();
        b.f().salva->trigger();
        ASSERT_EQ(b.messaggi.mostrati.size(), 2u);
        for (const auto& box : b.messaggi.mostrati) {
            EXPECT_EQ(box.testo, QStringLiteral("Prima bisogna aggiornare la ram del chip"));
            EXPECT_EQ(box.pulsanti, Pulsanti::OK);
            EXPECT_EQ(box.icona, Icona::Nessuna);
            EXPECT_EQ(box.titolo, std::nullopt);
        }
        EXPECT_EQ(b.s().Comando, prima);
        b.s().Modificato = false;
        b.f().salva->trigger();
        EXPECT_EQ(b.s().Comando, "w");
        EXPECT_EQ(b.messaggi.mostrati.size(), 2u);
    }
}

TEST(Richieste, DueRichiesteTraDueTickVinceLUltima)
{
    Banco b;
    b.InAscolto();
    b.p.connessione.carica_Click();
    b.p.connessione.Res_Click();
    EXPECT_EQ(b.TickScritto(), QByteArray("r"));
}

// A request made between the send and the receive tick of a sequence gives
// way to the sequence's next step; after a command that stores nothing, it
// is served.
TEST(Richieste, TraInvioERicezioneLaSequenzaProsegue)
{
    struct Caso {
        std::string comando;
        QByteArray risposta;
        std::function<void(Connessione&)> richiesta;
        std::string prossimo;
    };
    const Caso casi[] = {
        {"$", {}, [](Connessione& c) { c.Res_Click(); }, "#"},
        {"#", {}, [](Connessione& c) { c.PcToChip_Click(); }, A3},
        {A3, Blocco(140), [](Connessione& c) { c.ResSic_Click(); }, "%"},
        {"%", Blocco(128), [](Connessione& c) { c.carica_Click(); }, "@"},
        {"w", "okEeprom", [](Connessione& c) { c.carica_Click(); }, "r"},
        {"r", {}, [](Connessione& c) { c.ResSic_Click(); }, A3},
        {"v", "REV 1", [](Connessione& c) { c.Res_Click(); }, A3},
        {"|", {}, [](Connessione& c) { c.carica_Click(); }, "@"},
        {"@", "abcd", [](Connessione& c) { c.carica_Click(); }, A3},
        {"s", "abcd", [](Connessione& c) { c.Res_Click(); }, "r"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.comando);
        Banco b;
        b.PortaTrovata();
        b.Invio(c.comando);
        c.richiesta(b.p.connessione);
        b.Ricezione(c.risposta);
        EXPECT_EQ(b.s().Comando, c.prossimo);
        EXPECT_EQ(b.TickScritto(), B(c.prossimo));
        EXPECT_TRUE(b.messaggi.mostrati.empty());
    }
}

// A short RAM block: indicators off, the box. Cancel leaves the program not
// connected, as TestCom's Cancel does, with the progress window gone and the
// screen showing what the image holds (a position block that came in before a
// short speed block among it). Retry changes nothing and the same read goes
// out again.
TEST(BloccoCorto, RiprovaOAnnulla)
{
    for (const std::string& comando : std::vector<std::string>{A3, "%"}) {
        for (Risposta risposta : {Risposta::Riprova, Risposta::Annulla}) {
            SCOPED_TRACE(comando + (risposta == Risposta::Annulla ? " Annulla" : " Riprova"));
            Banco b;
            b.PortaTrovata();
            b.Tick();
            b.dlg()->show();
            b.f().pannello().MostraIndicatori(true);
            if (comando == "%") {
                b.Invio(A3);
                b.Ricezione(Blocco(140, 5));
            }
            const Stato prima = b.s();
            b.messaggi.risposte.push_back(risposta);
            b.Invio(comando);
            EXPECT_TRUE(b.indicatori());
            b.Ricezione(Blocco(comando == A3 ? 137 : 126));
            ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
            AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
            EXPECT_FALSE(b.indicatori());
            EXPECT_EQ(b.s().MatricePosizione, prima.MatricePosizione);
            EXPECT_EQ(b.s().MatriceVelocita, prima.MatriceVelocita);
            EXPECT_EQ(b.s().CopiaVelocita, prima.CopiaVelocita);
            if (risposta == Risposta::Annulla) {
                b.ControllaNonConnesso();
                EXPECT_FALSE(b.porta.PortOpen());
                EXPECT_FALSE(b.finestraVisibile());
                EXPECT_FALSE(b.indicatori());
                EXPECT_EQ(b.f().controlli.Label11->text(),
                          QStringLiteral("Ritardo movimento = ") + QLatin1Char(' ') +
                              QString::number(b.s().MatricePosizione[RitardoMovimento]));
                EXPECT_EQ(b.f().controlli.Label3->text(), QStringLiteral("Tolleranza  = ") + QLatin1Char(' ') +
                                                              QString::number(b.s().MatricePosizione[Tolleranza]));
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(b.TickScritto(), QByteArray());
                EXPECT_FALSE(b.finestraVisibile());
                b.ControllaNonConnesso();
            } else {
                EXPECT_TRUE(b.finestraVisibile());
                EXPECT_FALSE(b.connetti());
                EXPECT_TRUE(b.disconnetti());
                EXPECT_TRUE(b.command1()->isEnabled());
                EXPECT_TRUE(b.porta.PortOpen());
                EXPECT_TRUE(b.chip());
                EXPECT_EQ(b.s().Comando, comando);
                b.porta.ricevuto = "stale";
                EXPECT_EQ(b.TickScritto(), B(comando));
                EXPECT_TRUE(b.porta.ricevuto.isEmpty());
                b.Ricezione(Blocco(comando == A3 ? 140 : 128, 4));
                EXPECT_EQ(b.s().Comando, comando == A3 ? "%" : "@");
                EXPECT_EQ(b.messaggi.mostrati.size(), 1u);
            }
        }
    }
}

// While a box of the engine or of TestCom is open the timer keeps ticking:
// those ticks send nothing and leave the engine where it was; the answer
// alone decides what comes next.
TEST(SottoUnBox, NessunSecondoScambio)
{
    struct Caso {
        const char* nome;
        std::string comando;
        QByteArray risposta;
        Risposta answer;
        std::string dopo;
    };
    const Caso casi[] = {
        {"stato corto, Riprova", "@", "ab", Risposta::Riprova, "v"},
        {"stato corto, Annulla", "@", "ab", Risposta::Annulla, "e"},
        {"blocco corto, Riprova", A3, Blocco(10), Risposta::Riprova, A3},
        {"blocco corto, Annulla", "%", Blocco(10), Risposta::Annulla, "e"},
        {"tester corto, Riprova", "s", "ab", Risposta::Riprova, "v"},
        {"versione vuota, Riprova", "v", {}, Risposta::Riprova, "v"},
        {"versione vuota, Annulla", "v", {}, Risposta::Annulla, "e"},
        {"eeprom rifiutata", "w", "no", Risposta::OK, "e"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b;
        b.PortaTrovata();
        b.Invio(c.comando);
        int aperti = 0;
        b.messaggi.durante = [&] {
            if (aperti++)
                return;
            const qsizetype scritto = b.porta.scritto.size();
            const bool fase = b.p.motore.Fase();
            const std::string comando = b.s().Comando;
            const QString etichetta = b.etichetta();
            b.porta.ricevuto = "\x01\x02\x03\x04\x05";
            for (int i = 0; i < 3; ++i) {
                b.Tick();
                EXPECT_EQ(b.porta.scritto.size(), scritto);
                EXPECT_EQ(b.p.motore.Fase(), fase);
                EXPECT_EQ(b.s().Comando, comando);
                EXPECT_EQ(b.etichetta(), etichetta);
            }
            b.porta.ricevuto.clear();
        };
        b.messaggi.risposte.push_back(c.answer);
        b.Ricezione(c.risposta);
        EXPECT_EQ(aperti, 1);
        EXPECT_EQ(b.messaggi.mostrati.size(), 1u);
        EXPECT_EQ(b.s().Comando, c.dopo);
        EXPECT_TRUE(b.p.motore.Fase());
        EXPECT_EQ(b.TickScritto(), c.dopo == "e" ? QByteArray() : B(c.dopo));
    }
}

// A box that the user's own request opens comes between two ticks, and the
// line goes on under it: a write keeps its pace, and the board gets the
// block it waits for.
TEST(SottoUnBox, DellUtenteLaLineaProsegue)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString senzaMarcatore = dir.filePath(QStringLiteral("altro.qmr"));
    {
        QFile f(senzaMarcatore);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("non qmr\r\n");
    }
    struct Caso {
        const char* nome;
        std::function<void(Banco&)> apri;
    };
    const Caso casi[] = {
        {"salva su EEPROM", [](Banco& b) { b.f().salva->trigger(); }},
        {"apri file",
         [&](Banco& b) {
             b.dialogo.risposte.push_back(senzaMarcatore);
             b.f().apri->trigger();
         }},
        {"salva file",
         [&](Banco& b) {
             b.dialogo.risposte.push_back(dir.filePath(QStringLiteral("manca/x.qmr")));
             b.f().save->trigger();
         }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Banco b;
        b.InAscolto();
        b.s().MatricePosizione[10] += 1;
        b.f().pannello().RidisegnaMatrici(); // modified: the EEPROM store is refused
        b.f().PcToChip->trigger();
        ASSERT_EQ(b.TickScritto(), QByteArray("$"));
        std::vector<QByteArray> sottoIlBox;
        b.messaggi.durante = [&] {
            sottoIlBox.push_back(b.TickScritto());
            sottoIlBox.push_back(b.TickScritto());
        };
        c.apri(b);
        ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
        EXPECT_EQ(sottoIlBox, (std::vector<QByteArray>{BloccoPosizione(b.s()), "#"}));
        EXPECT_EQ(b.TickScritto(), BloccoVelocita(b.s()));
        EXPECT_EQ(b.s().Comando, A3);
    }
}

// The version's length is the answer code; 100 characters must not read as
// the disconnect code, and no reply at all is no answer.
TEST(Versione, LunghezzaComeEsito)
{
    for (int n : {1, 99, 100, 101, 150}) {
        SCOPED_TRACE(n);
        Banco b;
        b.PortaTrovata();
        b.Invio("v");
        b.Ricezione(QByteArray(n, 'R'));
        EXPECT_EQ(b.s().VersioneChip.size(), size_t(n));
        EXPECT_EQ(b.command1()->text(), DidascaliaRisposta);
        EXPECT_EQ(b.s().Comando, A3);
        EXPECT_TRUE(b.chip());
        EXPECT_FALSE(b.connetti());
        EXPECT_TRUE(b.disconnetti());
        EXPECT_TRUE(b.command1()->isEnabled());
        EXPECT_TRUE(b.messaggi.mostrati.empty());
        EXPECT_EQ(b.TickScritto(), QByteArray("\xA3"));
    }
    Banco b;
    b.PortaTrovata();
    b.messaggi.risposte.push_back(Risposta::Annulla);
    b.Invio("v");
    b.Ricezione();
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
    EXPECT_EQ(b.s().VersioneChip, "");
    EXPECT_EQ(b.s().Comando, "e");
    EXPECT_EQ(b.command1()->text(), DidascaliaNonConnesso);
    EXPECT_EQ(b.f().controlli.Label18->text(), QStringLiteral("Versione chip = ")); // redrawn all the same
}

// Every command on a closed port, whoever closed it: nothing goes out, the
// commands that expect a reply take their own missing-reply path, the
// others go on with their sequence. Cancel leaves no progress window up,
// not even over the EEPROM store, whose window shows until the box.
TEST(PortaChiusa, OgniComandoSenzaRisposta)
{
    struct Caso {
        std::string comando;
        bool box;
        std::string dopo; // after the receive tick; a box is answered Cancel
    };
    const Caso casi[] = {
        {"@", true, "e"},  {"r", false, A3}, {A3, true, "e"},  {"%", true, "e"}, {"$", false, "#"}, {"#", false, A3},
        {"|", false, "@"}, {"m", true, "e"}, {"s", true, "e"}, {"w", true, "e"}, {"v", true, "e"},
    };
    for (const Caso& c : casi) {
        for (bool cade : {true, false}) {
            SCOPED_TRACE(c.comando + (cade ? ", port gone" : ", port closed"));
            Banco b;
            b.InAscolto();
            b.porta.risponde = nullptr;
            b.messaggi.risposte.push_back(Risposta::Annulla);
            b.s().CambioEncoder = 1;
            if (cade)
                b.porta.cade();
            else
                b.porta.setPortOpen(false);
            b.porta.ricevuto = Blocco(150); // whatever a closed port may hold is not read
            std::optional<bool> finestraAlBox;
            b.messaggi.durante = [&] { finestraAlBox = b.finestraVisibile(); };
            const qsizetype scritto = b.porta.scritto.size();
            b.Invio(c.comando);
            b.Ricezione();
            EXPECT_EQ(b.porta.scritto.size(), scritto);
            ASSERT_EQ(b.messaggi.mostrati.size(), c.box ? 1u : 0u);
            if (c.box) {
                AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
                EXPECT_FALSE(b.finestraVisibile());
            }
            if (c.comando == "w") {
                EXPECT_EQ(finestraAlBox, std::optional<bool>(true));
            }
            EXPECT_EQ(b.s().Comando, c.dopo);
            EXPECT_FALSE(b.porta.PortOpen());
            EXPECT_EQ(b.s().CambioEncoder, 1);
        }
    }
}

// Retry after the port layer lost the port: the same port is opened again
// before the request goes out; when it will not open, the request finds the
// port closed and the box comes back, and its Cancel leaves no progress
// window up.
TEST(PortaChiusa, RiprovaRiapreLaStessaPorta)
{
    for (const std::string& comando : std::vector<std::string>{"@", A3, "w"}) {
        for (bool assente : {false, true}) {
            SCOPED_TRACE(comando + (assente ? ", port stays away" : ", port back"));
            Banco b;
            b.InAscolto();
            b.s().Comando = comando;
            b.Tick();
            b.porta.cade();
            if (assente)
                b.porta.assenti.insert(Banco::N);
            b.messaggi.risposte = {Risposta::Riprova, Risposta::Annulla};
            std::vector<bool> finestraAlBox;
            b.messaggi.durante = [&] { finestraAlBox.push_back(b.finestraVisibile()); };
            const size_t aperte = b.porta.aperte.size();
            const size_t tentate = b.porta.tentate.size();
            b.Tick();
            ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
            EXPECT_EQ(finestraAlBox, std::vector<bool>{comando != "@"});
            ASSERT_EQ(b.porta.tentate.size(), tentate + 1);
            EXPECT_EQ(b.porta.tentate.back(), Banco::N);
            const std::string atteso = comando == A3 ? A3 : "v";
            EXPECT_EQ(b.s().Comando, atteso);
            if (!assente) {
                ASSERT_EQ(b.porta.aperte.size(), aperte + 1);
                EXPECT_EQ(b.porta.aperte.back(), Banco::N);
                EXPECT_TRUE(b.porta.PortOpen());
                EXPECT_EQ(b.porta.impostazioni, QStringLiteral("9600,n,8,1"));
                EXPECT_EQ(b.TickScritto(), B(atteso));
                b.Tick();
                EXPECT_EQ(b.messaggi.mostrati.size(), 1u);
                continue;
            }
            EXPECT_EQ(b.porta.aperte.size(), aperte);
            EXPECT_FALSE(b.porta.PortOpen());
            EXPECT_EQ(b.TickScritto(), QByteArray());
            b.Tick();
            ASSERT_EQ(b.messaggi.mostrati.size(), 2u);
            AttesoBoxNonRisponde(b.messaggi.mostrati[1]);
            EXPECT_EQ(finestraAlBox, (std::vector<bool>{comando != "@", comando != "@"}));
            EXPECT_EQ(b.s().Comando, "e");
            EXPECT_FALSE(b.finestraVisibile());
            b.ControllaNonConnesso();
        }
    }
}

// The cable pulled while polling: one box, and Cancel leaves the program
// not connected and silent.
TEST(PortaChiusa, CavoStaccatoDuranteLoStato)
{
    Banco b;
    b.InAscolto();
    for (int i = 0; i < 20; ++i)
        b.Tick();
    EXPECT_EQ(b.porta.scritto.count('@'), 11);
    b.porta.cade();
    b.messaggi.risposte.push_back(Risposta::Annulla);
    const qsizetype scritto = b.porta.scritto.size();
    for (int i = 0; i < 30; ++i)
        b.Tick();
    EXPECT_EQ(b.porta.scritto.size(), scritto);
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
    EXPECT_FALSE(b.porta.PortOpen());
    b.ControllaNonConnesso();
    EXPECT_FALSE(b.indicatori());
    EXPECT_EQ(b.porta.aperte.size(), 1u);
}

} // namespace
