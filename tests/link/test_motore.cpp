// The exchange engine tick by tick: what each command sends, reads and
// stores, the interval it leaves, what it shows, and the sequences that
// follow from it.
#include "BancoMotore.h"

#include <QProgressBar>

using namespace corsa;
using namespace corsa::test;

namespace {

const std::string A3 = "\xA3";
const QString Prima = QStringLiteral("<prima>");

TEST(Cadenza, IlPrimoTickRiceveSoltantoPoiInvioERicezioneSiAlternano)
{
    Banco b;
    b.s().Comando = "@";
    b.porta.ricevuto = "\x01\x02\x03\x04";
    EXPECT_EQ(b.p.motore.dialog(), nullptr);
    EXPECT_FALSE(b.p.motore.Fase());
    EXPECT_EQ(b.TickScritto(), QByteArray()); // the request waits for the next tick
    EXPECT_EQ(b.porta.ricevuto, QByteArray("\x01\x02\x03\x04"));
    EXPECT_EQ(b.s().StatoChip[1], 0);
    EXPECT_TRUE(b.p.motore.Fase());
    ASSERT_NE(b.dlg(), nullptr);
    EXPECT_FALSE(b.finestraVisibile());
    EXPECT_EQ(b.etichetta(), QStringLiteral(" Caricamento dati "));
    EXPECT_TRUE(b.messaggi.mostrati.empty());

    EXPECT_EQ(b.TickScritto(), QByteArray("@"));
    EXPECT_FALSE(b.p.motore.Fase());
    EXPECT_EQ(b.TickScritto(), QByteArray());
    EXPECT_EQ(b.s().StatoChip[1], 1);
    EXPECT_TRUE(b.p.motore.Fase());
}

// One row per command: both ticks, with a reply between them. Unset
// optionals mean "as it was before the tick".
struct Riga {
    const char* nome;
    std::string comando;
    QByteArray risposta;
    QByteArray scrittoInvio;
    QByteArray scrittoRicezione; // blocks: see blocco
    int blocco;                  // 139 or 127: the receive tick writes that block
    bool legge;                  // the receive tick takes the reply
    int intervalloInvio, intervalloRicezione;
    std::string comandoInvio, comandoRicezione;
    std::optional<bool> visibileInvio, visibileRicezione;
    std::optional<float> barraInvio, barraRicezione;
    std::optional<QString> titoloInvio, titoloRicezione;
};

TEST(TabellaComandi, OgniComandoNeiSuoiDueTick)
{
    const QByteArray tester("\x10\x20\x30\x40\x50\x60\x70\x80", 8);
    const QString lettura = QStringLiteral(" Lettura della RAM del chip ");
    const QString scrittura = QStringLiteral(" Scrittura nella RAM del chip");
    const QString eeprom = QStringLiteral(" Scrittura della EEPROM");
    const QString reset = QStringLiteral(" RESET del chip");
    const QString vuoto;
    const QByteArray resto("XY"); // a reply nobody reads stays pending
    // clang-format off
    const Riga righe[] = {
        {"stato", "@", "\x01\x02\x03\x04", "@", "", 0, true, 25, 25, "@", "@", false, false, {}, {}, vuoto, vuoto},
        {"reset", "r", resto, "r", "r", 0, false, 333, 333, A3, A3, true, true, 0.f, 0.f, reset, reset},
        {"leggi posizione", A3, Blocco(140), "\xA3", "", 0, true, 800, 800, A3, "%", true, true, 50.f, 190.f, lettura,
         lettura},
        {"leggi velocita", "%", Blocco(128), "%", "", 0, true, 333, 100, "%", "@", {}, {}, 50.f, 178.f, {}, {}},
        {"scrivi posizione", "$", resto, "$", {}, 139, false, 600, 600, "$", "#", true, true, 50.f, 189.f, scrittura,
         scrittura},
        {"scrivi velocita", "#", resto, "#", {}, 127, false, 333, 100, "#", A3, {}, {}, {}, 177.f, {}, {}},
        {"reset sicure", "|", resto, "|", "", 0, false, 333, 333, "|", "@", {}, {}, {}, {}, {}, {}},
        {"test vite", "m", tester, "m", "", 0, true, 50, 50, "m", "m", false, false, {}, {}, vuoto, vuoto},
        {"test motore", "s", tester, "s", "", 0, true, 50, 50, "s", "s", false, false, {}, {}, vuoto, vuoto},
        {"eeprom", "w", "okEeprom", "w", "Scrivo\r", 0, true, 570, 570, "w", "r", true, true, 180.f, 180.f, eeprom,
         eeprom},
        {"versione", "v", "REV 3.2", "v", "", 0, true, 333, 333, "v", A3, {}, {}, {}, {}, {}, {}},
        {"nessuno", "e", resto, "", "", 0, false, 333, 333, "e", "e", {}, {}, {}, {}, {}, {}},
        {"testo vuoto", "", resto, "", "", 0, false, 333, 333, "", "", {}, {}, {}, {}, {}, {}},
        {"due caratteri", "64", resto, "", "", 0, false, 333, 333, "64", "64", {}, {}, {}, {}, {}, {}},
        {"altra lettera", "V", resto, "", "", 0, false, 333, 333, "V", "V", {}, {}, {}, {}, {}, {}},
        {"0xA3 in UTF-8", "\xC2\xA3", resto, "", "", 0, false, 333, 333, "\xC2\xA3", "\xC2\xA3", {}, {}, {}, {}, {}, {}},
    };
    // clang-format on
    for (const Riga& r : righe) {
        for (bool visibile : {false, true}) {
            SCOPED_TRACE(std::string(r.nome) + (visibile ? ", window shown" : ", window hidden"));
            Banco b;
            b.Tick(); // the first tick
            b.f().Timer1->setInterval(333);
            b.dlg()->setVisible(visibile);
            b.dlg()->ProgressBar1->setValue(123);
            b.s().TitoloDialogo = Prima;

            EXPECT_EQ(b.Invio(r.comando), r.scrittoInvio);
            EXPECT_EQ(b.intervallo(), r.intervalloInvio);
            EXPECT_EQ(b.s().Comando, r.comandoInvio);
            EXPECT_EQ(b.finestraVisibile(), r.visibileInvio.value_or(visibile));
            EXPECT_EQ(b.barra(), r.barraInvio.value_or(123.f));
            EXPECT_EQ(b.etichetta(), Prima);
            const QString titolo = r.titoloInvio.value_or(Prima);
            EXPECT_EQ(b.s().TitoloDialogo, titolo);

            QByteArray atteso = r.scrittoRicezione;
            if (r.blocco) {
                const uint8_t* img = r.blocco == 139 ? b.s().MatricePosizione.data() : b.s().MatriceVelocita.data();
                atteso = QByteArray(reinterpret_cast<const char*>(img + 1), r.blocco) + '\r';
            }
            EXPECT_EQ(b.Ricezione(r.risposta), atteso);
            EXPECT_EQ(b.porta.ricevuto, r.legge ? QByteArray() : r.risposta);
            EXPECT_EQ(b.intervallo(), r.intervalloRicezione);
            EXPECT_EQ(b.s().Comando, r.comandoRicezione);
            EXPECT_EQ(b.finestraVisibile(), r.visibileRicezione.value_or(visibile));
            EXPECT_EQ(b.barra(), r.barraRicezione.value_or(r.barraInvio.value_or(123.f)));
            EXPECT_EQ(b.etichetta(), titolo); // one tick late
            EXPECT_EQ(b.s().TitoloDialogo, r.titoloRicezione.value_or(titolo));
            EXPECT_TRUE(b.messaggi.mostrati.empty());
            EXPECT_TRUE(b.p.motore.Fase());
        }
    }
}

// The status exchange moves cursors and lamps on the send tick (from the
// status already held) and again on a good receive tick.
TEST(Stato, CursoriELampadeSuEntrambiITick)
{
    Banco b;
    auto& c = b.f().controlli;
    b.s().StatoChip = {0, 12, 34, 56, 0x14};
    b.Invio("@");
    EXPECT_EQ(c.Label1->text(), QStringLiteral("Master = 12"));
    EXPECT_EQ(c.Label2->text(), QStringLiteral("Slave = 34"));
    EXPECT_EQ(c.Label19->text(), QStringLiteral(" Velocita =  56"));
    EXPECT_EQ(b.lampada(0)->text(), QStringLiteral(" Motore in marcia"));
    EXPECT_EQ(b.lampada(2)->text(), QStringLiteral(" Stop di sicurezza"));

    b.Ricezione(QByteArray("\x5A\x28\x07\x08", 4));
    EXPECT_EQ(c.Label1->text(), QStringLiteral("Master = 90"));
    EXPECT_EQ(c.Label2->text(), QStringLiteral("Slave = 40"));
    EXPECT_EQ(c.Label19->text(), QStringLiteral(" Velocita =  7"));
    EXPECT_EQ(b.lampada(0)->text(), QStringLiteral(" Motore fermo"));
    EXPECT_EQ(b.lampada(1)->text(), QStringLiteral(" Stringe"));
    EXPECT_EQ(b.lampada(2)->text(), QStringLiteral("  Nessun stop"));
    EXPECT_EQ(b.s().Master, 90);
}

TEST(Stato, RisposteDi3_4_10Caratteri)
{
    struct Caso {
        QByteArray risposta;
        bool buona;
    };
    const Caso casi[] = {
        {QByteArray("\x09\x08\x07", 3), false},
        {QByteArray("\xFF\x41\x00\x10", 4), true},
        {QByteArray("\xFF\x41\x00\x10\x01\x02\x03\x04\x05\x06", 10), true},
        {QByteArray(), false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.risposta.size());
        Banco b;
        b.messaggi.risposte.push_back(Risposta::Annulla);
        b.s().StatoChip = {0, 1, 2, 3, 0x04};
        b.Invio("@");
        const QString master = b.f().controlli.Label1->text();
        b.Ricezione(c.risposta);
        if (c.buona) {
            EXPECT_EQ(b.s().StatoChip, (std::array<uint8_t, 5>{0, 255, 65, 0, 0x10}));
            EXPECT_EQ(b.f().controlli.Label1->text(), QStringLiteral("Master = 255"));
            EXPECT_EQ(b.s().Comando, "@");
            EXPECT_TRUE(b.messaggi.mostrati.empty());
        } else {
            // TestCom with 0: the box; cursors and lamps stay as they were.
            EXPECT_EQ(b.s().StatoChip, (std::array<uint8_t, 5>{0, 1, 2, 3, 0x04}));
            EXPECT_EQ(b.f().controlli.Label1->text(), master);
            EXPECT_EQ(b.lampada(0)->text(), QStringLiteral(" Motore in marcia"));
            ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
            AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
            EXPECT_EQ(b.s().Comando, "e");
        }
    }
}

// Replies of every length around the limits: the indices the reply covers
// take its bytes, the ones above keep theirs, index 0 is never touched,
// and nothing lands past the image.
TEST(Blocchi, LunghezzeDellaRispostaEIndiciToccati)
{
    struct Caso {
        std::string comando;
        int lunghezza;
        bool accettata;
    };
    const Caso casi[] = {
        {A3, 137, false},  {A3, 138, true},  {A3, 139, true},  {A3, 140, true},  {A3, 150, true},
        {"%", 126, false}, {"%", 127, true}, {"%", 128, true}, {"%", 150, true},
    };
    for (const Caso& c : casi) {
        const bool pos = c.comando == A3;
        SCOPED_TRACE((pos ? "position " : "speed ") + std::to_string(c.lunghezza));
        Banco b;
        auto& s = b.s();
        s.MatricePosizione.fill(0xC3);
        s.MatriceVelocita.fill(0x3C);
        s.MatricePosizione[0] = 0x5A;
        s.MatriceVelocita[0] = 0xA5;
        s.CopiaPosizione[0] = 0x77;
        const auto primaPos = s.MatricePosizione;
        const auto primaVel = s.MatriceVelocita;
        QByteArray r = Blocco(c.lunghezza, 3);
        r[9] = '\xFF';
        r[10] = 'A';
        b.messaggi.risposte.push_back(Risposta::Annulla);

        b.Invio(c.comando);
        b.Ricezione(r);
        EXPECT_EQ(s.MatricePosizione[0], 0x5A);
        EXPECT_EQ(s.MatriceVelocita[0], 0xA5);
        EXPECT_EQ(s.CopiaPosizione[0], 0x77);
        if (!c.accettata) {
            EXPECT_EQ(s.MatricePosizione, primaPos);
            EXPECT_EQ(s.MatriceVelocita, primaVel);
            ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
            continue;
        }
        EXPECT_TRUE(b.messaggi.mostrati.empty());
        const uint8_t* img = pos ? s.MatricePosizione.data() : s.MatriceVelocita.data();
        const int fine = pos ? 140 : 128;
        const int scritti = std::min(c.lunghezza, fine);
        EXPECT_EQ(img[10], 255);
        EXPECT_EQ(img[11], 65);
        for (int i = 1; i <= fine; ++i) {
            if (i <= scritti)
                EXPECT_EQ(img[i], uint8_t(r[i - 1])) << i;
            else
                EXPECT_EQ(img[i], pos ? 0xC3 : 0x3C) << i;
        }
        // The other image is left alone.
        if (pos)
            EXPECT_EQ(s.MatriceVelocita, primaVel);
        else
            EXPECT_EQ(s.MatricePosizione, primaPos);
        EXPECT_EQ(b.barra(), 50.f + scritti);
        EXPECT_EQ(s.Comando, pos ? "%" : "@");
    }
}

// Before 0xA3 and "%" whatever is pending is read and dropped; before "v"
// the buffer is emptied; before "@", "m", "s" and "w" leftovers count as
// part of the reply.
TEST(Blocchi, IngressoVecchioScartatoSoloDoveSiDeve)
{
    struct Caso {
        std::string comando;
        QByteArray vecchio, nuovo;
        bool scartato;
    };
    const Caso casi[] = {
        {A3, "\x01\x02\x03", Blocco(140, 5), true},
        {"%", QByteArray(20, 'z'), Blocco(128, 6), true},
        {"v", "vecchio", "REV 9", true},
        {"@", QByteArray("\x11\x22", 2), QByteArray("\x33\x44", 2), false},
        {"s", "ab", "cd", false},
        {"w", "xxokEe", "prom", false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.comando);
        Banco b;
        std::string adc;
        b.p.motore.LeggoAdc = [&](const std::string& r) { adc = r; };
        b.Tick();
        b.porta.ricevuto = c.vecchio;
        b.Invio(c.comando);
        EXPECT_EQ(b.porta.ricevuto.isEmpty(), c.scartato);
        b.Ricezione(c.nuovo);
        EXPECT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.mostrati.size();
        const QByteArray letto = c.scartato ? c.nuovo : c.vecchio + c.nuovo;
        if (c.comando == A3)
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&b.s().MatricePosizione[1]), 140), letto);
        else if (c.comando == "%")
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&b.s().MatriceVelocita[1]), 128), letto);
        else if (c.comando == "v")
            EXPECT_EQ(B(b.s().VersioneChip), letto);
        else if (c.comando == "@")
            EXPECT_EQ(b.s().StatoChip, (std::array<uint8_t, 5>{0, 0x11, 0x22, 0x33, 0x44}));
        else if (c.comando == "s")
            EXPECT_EQ(adc, "abcd");
        else
            EXPECT_EQ(b.s().Comando, "r"); // the word spans the leftover and the new reply
    }
}

// A whole write from status polling: the bytes on the line, the intervals,
// and the bar through every step.
TEST(Scrittura, BlocchiEsattiIntervalliEBarra)
{
    Banco b;
    b.InAscolto();
    auto& s = b.s();
    for (int i = 0; i <= 140; ++i)
        s.MatricePosizione[i] = uint8_t(200 - i);
    for (int i = 0; i <= 128; ++i)
        s.MatriceVelocita[i] = uint8_t(i * 2);
    s.MatricePosizione[5] = 13;
    s.MatricePosizione[140] = 0x99;
    s.MatriceVelocita[64] = 13;
    s.MatriceVelocita[128] = 0x99;
    QByteArray pos, vel;
    for (int i = 1; i <= 139; ++i)
        pos += char(s.MatricePosizione[i]);
    for (int i = 1; i <= 127; ++i)
        vel += char(s.MatriceVelocita[i]);
    pos += '\r';
    vel += '\r';
    ASSERT_EQ(pos.size(), 140);
    ASSERT_EQ(vel.size(), 128);

    std::vector<float> barra;
    QObject::connect(b.dlg()->ProgressBar1, &QProgressBar::valueChanged, b.dlg(), [&] { barra.push_back(b.barra()); });
    const size_t segno = b.porta.scritture.size();
    b.p.connessione.PcToChip_Click();
    std::vector<int> intervalli;
    float barraDopoDiesis = 0;
    for (int i = 0; i < 10; ++i) {
        b.Tick();
        intervalli.push_back(b.intervallo());
        if (i == 2)
            barraDopoDiesis = b.barra();
    }
    const std::vector<QByteArray> attese{"$", pos, "#", vel, "\xA3", "%", "@"};
    EXPECT_EQ(std::vector<QByteArray>(b.porta.scritture.begin() + long(segno), b.porta.scritture.end()), attese);
    EXPECT_EQ(intervalli, (std::vector<int>{600, 600, 600, 100, 800, 800, 800, 100, 25, 25}));
    EXPECT_EQ(barraDopoDiesis, 189.f);

    // Only changes are recorded: a 50 set twice in a row shows once.
    std::vector<float> attesa{50};
    for (int v = 51; v <= 189; ++v)
        attesa.push_back(float(v));
    for (int v = 51; v <= 177; ++v)
        attesa.push_back(float(v));
    attesa.push_back(50);
    for (int v = 51; v <= 190; ++v)
        attesa.push_back(float(v));
    attesa.push_back(50);
    for (int v = 51; v <= 178; ++v)
        attesa.push_back(float(v));
    EXPECT_EQ(barra, attesa);
    EXPECT_EQ(s.Comando, "@");
    EXPECT_FALSE(b.finestraVisibile());
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

// Every step of the connection, from the "v" stored by the port search to
// the status polling, with the effects each step has on the window.
TEST(Sequenze, ConnessioneDallaVersioneAlloStato)
{
    Banco b;
    auto& c = b.f().controlli;
    b.Scheda("REV \xFF 7");
    b.Tick(); // the first tick, at 200 ms from the start
    b.PortaTrovata();
    b.f().enco->setEnabled(false); // to see the complete read enable it
    EXPECT_EQ(b.intervallo(), 200);
    b.s().MatricePosizione[131] = 0; // differs from the block to come

    EXPECT_EQ(b.TickScritto(), QByteArray("v"));
    EXPECT_EQ(b.intervallo(), 200);
    EXPECT_EQ(c.Command1->text(), DidascaliaNonConnesso);

    EXPECT_EQ(b.TickScritto(), QByteArray());
    EXPECT_EQ(b.intervallo(), 200);
    EXPECT_EQ(b.s().VersioneChip, "REV \xFF 7");
    EXPECT_EQ(b.s().Comando, A3);
    EXPECT_EQ(c.Command1->text(), DidascaliaRisposta);
    EXPECT_EQ(c.Label18->text(), QStringLiteral("Versione chip = REV \u00FF 7"));
    EXPECT_FALSE(b.finestraVisibile());

    EXPECT_EQ(b.TickScritto(), QByteArray("\xA3"));
    EXPECT_EQ(b.intervallo(), 800);
    EXPECT_TRUE(b.finestraVisibile());
    EXPECT_EQ(b.etichetta(), QStringLiteral(" Caricamento dati "));
    EXPECT_FALSE(b.indicatori());

    EXPECT_EQ(b.TickScritto(), QByteArray());
    EXPECT_EQ(b.intervallo(), 800);
    EXPECT_EQ(b.etichetta(), QStringLiteral(" Lettura della RAM del chip "));
    EXPECT_EQ(b.s().Comando, "%");

    EXPECT_EQ(b.TickScritto(), QByteArray("%"));
    EXPECT_EQ(b.intervallo(), 800);
    EXPECT_TRUE(b.indicatori());
    EXPECT_FALSE(b.enco());

    EXPECT_EQ(b.TickScritto(), QByteArray());
    EXPECT_EQ(b.intervallo(), 100);
    EXPECT_EQ(b.s().Comando, "@");
    EXPECT_TRUE(b.chip());
    EXPECT_TRUE(b.enco());
    EXPECT_TRUE(c.Command1->isEnabled());
    EXPECT_FALSE(b.s().Modificato);
    EXPECT_TRUE(c.Command1->isHidden());
    EXPECT_EQ(b.s().CopiaPosizione, b.s().MatricePosizione);
    EXPECT_EQ(b.s().CopiaVelocita, b.s().MatriceVelocita);
    EXPECT_EQ(b.s().MatricePosizione[131], uint8_t(Blocco(140, 1)[130]));
    // The redraw shows the tolerance just read.
    EXPECT_EQ(c.Label3->text(),
              QStringLiteral("Tolleranza  = ") + QLatin1Char(' ') + QString::number(b.s().MatricePosizione[131]));
    EXPECT_TRUE(b.finestraVisibile());

    EXPECT_EQ(b.TickScritto(), QByteArray("@"));
    EXPECT_EQ(b.intervallo(), 25);
    EXPECT_FALSE(b.finestraVisibile());

    EXPECT_EQ(b.TickScritto(), QByteArray());
    EXPECT_EQ(b.intervallo(), 25);
    EXPECT_EQ(c.Label1->text(), QStringLiteral("Master = 32"));
    EXPECT_EQ(b.s().Comando, "@");
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

// A complete read takes the change copies after loading, redraws (which
// hides the transfer button of an image no longer modified) and enables the
// menus and the button even from the not-connected start.
TEST(Sequenze, LetturaCompletaPrendeLeCopieERiabilita)
{
    Banco b;
    auto& c = b.f().controlli;
    b.s().Modificato = true;
    c.Command1->setVisible(true);
    ASSERT_FALSE(b.chip());
    ASSERT_FALSE(b.enco());
    ASSERT_FALSE(c.Command1->isEnabled());
    b.Invio("%");
    b.Ricezione(Blocco(128, 9));
    EXPECT_EQ(b.s().CopiaVelocita[1], uint8_t(Blocco(128, 9)[0]));
    EXPECT_EQ(b.s().CopiaVelocita, b.s().MatriceVelocita);
    EXPECT_EQ(b.s().CopiaPosizione, b.s().MatricePosizione);
    EXPECT_FALSE(b.s().Modificato);
    EXPECT_TRUE(c.Command1->isHidden());
    EXPECT_TRUE(b.chip());
    EXPECT_TRUE(b.enco());
    EXPECT_TRUE(c.Command1->isEnabled());
    // Menus and caption of a connection are not this step's business.
    EXPECT_TRUE(b.connetti());
    EXPECT_EQ(c.Command1->text(), DidascaliaNonConnesso);
}

// The copies hold what the board sent. An edit made once the position block
// is in has not reached the board: after the read it still shows as not sent,
// and the EEPROM store refuses it. An edit made before the block came is
// replaced by it.
TEST(Sequenze, UnaModificaDuranteLaLetturaNonRisultaInviata)
{
    for (bool dopoIlBlocco : {true, false}) {
        SCOPED_TRACE(dopoIlBlocco ? "after the position block" : "before the position block");
        Banco b;
        b.InAscolto();
        auto& c = b.f().controlli;
        b.p.connessione.carica_Click();
        ASSERT_EQ(b.TickScritto(), QByteArray("\xA3"));
        const auto premi = [&] {
            b.f().pannello().Label_MouseDown(Pannello::Editore::Label11, 1);
            ASSERT_TRUE(b.s().Modificato);
        };
        if (!dopoIlBlocco)
            premi();
        b.Tick(); // the position block comes in
        ASSERT_EQ(b.TickScritto(), QByteArray("%"));
        if (dopoIlBlocco)
            premi();
        b.Tick(); // the speed block, the copies, the redraw
        ASSERT_EQ(b.s().Comando, "@");
        const uint8_t ricevuto = uint8_t(Blocco(140, 1)[RitardoMovimento - 1]);
        EXPECT_EQ(b.s().CopiaPosizione[RitardoMovimento], ricevuto);
        EXPECT_EQ(b.s().MatricePosizione[RitardoMovimento], dopoIlBlocco ? ricevuto + 1 : ricevuto);
        EXPECT_EQ(b.s().Modificato, dopoIlBlocco);
        EXPECT_EQ(c.Command1->isVisible(), dopoIlBlocco);
        b.f().salva->trigger();
        EXPECT_EQ(b.s().Comando, dopoIlBlocco ? "@" : "w");
        EXPECT_EQ(b.messaggi.mostrati.size(), dopoIlBlocco ? 1u : 0u);
    }
}

TEST(Sequenze, ResetDueVolteAlRitmoInCorsoPoiRilettura)
{
    Banco b;
    b.InAscolto();
    const size_t segno = b.porta.scritture.size();
    b.p.connessione.Res_Click();
    std::vector<int> intervalli;
    for (int i = 0; i < 3; ++i) {
        b.Tick();
        intervalli.push_back(b.intervallo());
    }
    EXPECT_EQ(std::vector<QByteArray>(b.porta.scritture.begin() + long(segno), b.porta.scritture.end()),
              (std::vector<QByteArray>{"r", "r", "\xA3"}));
    EXPECT_EQ(intervalli, (std::vector<int>{25, 25, 800}));
    EXPECT_TRUE(b.finestraVisibile());
    EXPECT_EQ(b.etichetta(), QStringLiteral(" RESET del chip"));
}

// After the first read the status polling has emptied the title: a later
// read first shows an empty label, its own title one tick later.
TEST(FinestraDiAvanzamento, LettureSuccessiveInizianoConEtichettaVuota)
{
    Banco b;
    b.InAscolto();
    EXPECT_FALSE(b.finestraVisibile());
    EXPECT_EQ(b.etichetta(), QString());
    b.p.connessione.carica_Click();
    b.Tick();
    EXPECT_TRUE(b.finestraVisibile());
    EXPECT_EQ(b.etichetta(), QString());
    b.Tick();
    EXPECT_EQ(b.etichetta(), QStringLiteral(" Lettura della RAM del chip "));
}

// "okEeprom" anywhere, case-sensitive: the confirmation at once, then "r"
// twice 570 ms apart, then the read-back. Anything else: the refusal box,
// and the program stops there.
TEST(Eeprom, ParolaEsattaOvunqueOppureRifiuto)
{
    // clang-format off
    const std::pair<QByteArray, bool> casi[] = {
        {"okEeprom", true},
        {QByteArray("\x00xx okEeprom\xFF", 13), true},
        {"OKEEPROM", false},
        {"okeeprom", false},
        {"OkEeprom", false},
        {"okEepro", false},
        {"", false},
    };
    // clang-format on
    for (const auto& [risposta, buona] : casi) {
        SCOPED_TRACE(risposta.toStdString());
        Banco b;
        b.InAscolto();
        b.porta.risponde = nullptr;
        b.p.connessione.salva_Click();
        ASSERT_EQ(b.s().Comando, "w");
        EXPECT_EQ(b.TickScritto(), QByteArray("w"));
        EXPECT_EQ(b.intervallo(), 570);
        if (buona) {
            EXPECT_EQ(b.Ricezione(risposta), QByteArray("Scrivo\r"));
            EXPECT_EQ(b.s().Comando, "r");
            EXPECT_EQ(b.TickScritto(), QByteArray("r"));
            EXPECT_EQ(b.intervallo(), 570);
            EXPECT_EQ(b.TickScritto(), QByteArray("r"));
            EXPECT_EQ(b.intervallo(), 570);
            EXPECT_EQ(b.TickScritto(), QByteArray("\xA3"));
            EXPECT_TRUE(b.messaggi.mostrati.empty());
            continue;
        }
        EXPECT_EQ(b.Ricezione(risposta), QByteArray());
        ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
        const auto& box = b.messaggi.mostrati[0];
        EXPECT_EQ(box.testo, TestoRifiuto);
        EXPECT_EQ(box.titolo, std::nullopt);
        EXPECT_EQ(box.pulsanti, Pulsanti::OK);
        EXPECT_EQ(box.icona, Icona::Nessuna);
        EXPECT_EQ(b.s().Comando, "e");
        EXPECT_TRUE(b.finestraVisibile());
        EXPECT_EQ(b.barra(), 180.f);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b.TickScritto(), QByteArray());
        EXPECT_TRUE(b.porta.PortOpen());
        EXPECT_TRUE(b.chip()); // a refusal is no lost connection
    }
}

// Tester replies: the whole reply to the decoder, the encoder switch after
// a good reply only, and the transfer button after a good "s" only.
TEST(Tester, DecodificaCambioEncoderEPulsante)
{
    struct Caso {
        std::string comando;
        QByteArray risposta;
        uint8_t cambio;
        std::string dopo; // Comando after the receive tick
        uint8_t cambioDopo;
        bool command1; // enabled afterwards
    };
    const QByteArray lunga("\x10\x00\xFF\x41\x42\x43\x44\x45\x46", 9);
    // clang-format off
    const Caso casi[] = {
        {"s", lunga, 0, "s", 0, true},
        {"m", lunga, 0, "m", 0, false},
        {"s", lunga.left(4), 1, "m", 0, true},
        {"m", lunga.left(4), 1, "s", 0, false},
        {"s", lunga.left(3), 1, "e", 1, false},
        {"m", lunga.left(3), 1, "e", 1, false},
        {"s", QByteArray(), 0, "e", 0, false},
    };
    // clang-format on
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.comando + " " + std::to_string(c.risposta.size()) + " " + std::to_string(c.cambio));
        Banco b;
        std::vector<std::string> letture;
        b.p.motore.LeggoAdc = [&](const std::string& r) { letture.push_back(r); };
        b.messaggi.risposte.push_back(Risposta::Annulla);
        b.s().CambioEncoder = c.cambio;
        b.f().controlli.Command1->setEnabled(false);
        b.Invio(c.comando);
        b.Ricezione(c.risposta);
        const bool buona = c.risposta.size() >= 4;
        if (buona) {
            ASSERT_EQ(letture.size(), 1u);
            EXPECT_EQ(letture[0], std::string(c.risposta.constData(), size_t(c.risposta.size())));
            EXPECT_TRUE(b.messaggi.mostrati.empty());
        } else {
            EXPECT_TRUE(letture.empty());
            ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
            AttesoBoxNonRisponde(b.messaggi.mostrati[0]);
        }
        EXPECT_EQ(b.s().Comando, c.dopo);
        EXPECT_EQ(b.s().CambioEncoder, c.cambioDopo);
        EXPECT_EQ(b.f().controlli.Command1->isEnabled(), c.command1);
    }
}

} // namespace
