// The assembled program, with its real serial port, against the simulated
// board on pseudo-terminals, driven through menus and buttons as a
// technician would; real time throughout.
#include "Attesa.h"
#include "CercaPorta.h"
#include "ClickLabel.h"
#include "Dialog.h"
#include "Finestre.h"
#include "PictureBox.h"
#include "ProgrammaSuLinea.h"
#include "Protocollo.h"
#include "PulsanteGrafico.h"
#include "testenco.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {

constexpr int N = 3;

class FineAFine : public ::testing::Test, protected ProgrammaSuLinea {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Prepara());
        ASSERT_TRUE(sim->aggiungiPorta(N)); // ports 1 and 2 are absent
        p->Avvia();
    }

    Form1& f() { return p->form1; }
    Stato& s() { return p->stato; }
    QString testo(const char* nome) { return f().findChild<QLabel*>(QLatin1String(nome))->text(); }
    QPushButton* command1() { return f().controlli.Command1; }
    bool inAscolto() { return s().Comando == "@" && sim->ricevuti(N).endsWith('@'); }
    bool immagineUgualeAllaScheda(int finePos = 140, int fineVel = 128)
    {
        const auto& rp = *sim->ramPosizione(N);
        const auto& rv = *sim->ramVelocita(N);
        for (int i = 1; i <= finePos; ++i)
            if (rp[i] != s().MatricePosizione[i])
                return false;
        for (int i = 1; i <= fineVel; ++i)
            if (rv[i] != s().MatriceVelocita[i])
                return false;
        return true;
    }
    // What the board received after the mark, the bytes of a status poll left out.
    QByteArray dopo(qsizetype segno) { return sim->ricevuti(N).mid(segno).replace("@", ""); }
};

TEST_F(FineAFine, IlPercorsoDelTecnico)
{
    // Connect with no port file: ports 1 and 2 absent, the board on 3.
    f().connetti->trigger();
    ASSERT_NE(p->connessione.cercaPorta(), nullptr);
    EXPECT_TRUE(p->connessione.cercaPorta()->isVisible());
    EXPECT_FALSE(FinestraAbilitata(&f()));
    ASSERT_TRUE(Aspetta([&] { return testo("Label7") == QStringLiteral(" Connesso COM. 3  9600,N,8,1"); }, 8000));
    EXPECT_TRUE(FinestraAbilitata(&f()));
    EXPECT_FALSE(p->connessione.cercaPorta()->isVisible());
    EXPECT_EQ(lavoro.Nport(), QByteArray("\x20\x33\x0D\x0A"));

    // Version and both RAM blocks, then status polling.
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 5000));
    EXPECT_EQ(sim->ricevuti(N).left(4), QByteArray("vv\xA3%")); // the probe, then the engine
    EXPECT_NE(s().VersioneChip.find("REV"), std::string::npos);
    EXPECT_TRUE(immagineUgualeAllaScheda());
    EXPECT_FALSE(s().Modificato);
    EXPECT_FALSE(command1()->isVisible());
    EXPECT_EQ(command1()->text(), QStringLiteral(" Premi per trasferire le modifiche al chip"));
    EXPECT_TRUE(f().chip->menuAction()->isEnabled());
    EXPECT_TRUE(f().enco->isEnabled());
    EXPECT_FALSE(f().connetti->isEnabled());
    EXPECT_TRUE(f().disconnetti->isEnabled());
    EXPECT_TRUE(f().findChild<ClickLabel*>(QStringLiteral("Label14_0"))->isVisible());
    EXPECT_TRUE(messaggi.mostrati.empty());

    // The cursors and labels follow the moving carriage.
    std::set<QString> visti;
    ASSERT_TRUE(Aspetta(
        [&] {
            visti.insert(testo("Label1"));
            return visti.size() >= 5;
        },
        3000));

    // A matrix value edited by clicks, then written with the transfer button.
    auto* p1 = f().controlli.Picture1;
    QTest::mousePress(p1, Qt::LeftButton, {}, QPoint(p1->pixelX(40.5) + PictureBox::Bordo, 20));
    ASSERT_EQ(s().PuntatoreMatrice, 40);
    const uint8_t prima = s().MatricePosizione[40];
    auto* l6 = f().findChild<ClickLabel*>(QStringLiteral("Label6"));
    for (int i = 0; i < 3; ++i)
        QTest::mousePress(l6, Qt::LeftButton);
    EXPECT_EQ(s().MatricePosizione[40], uint8_t(prima + 3));
    EXPECT_TRUE(command1()->isVisible());
    qsizetype segno = sim->ricevuti(N).size();
    QTest::mouseClick(command1(), Qt::LeftButton);
    const QByteArray atteso = QByteArray("$") +
                              QByteArray(reinterpret_cast<const char*>(&s().MatricePosizione[1]), 139) + "\r#" +
                              QByteArray(reinterpret_cast<const char*>(&s().MatriceVelocita[1]), 127) + "\r\xA3%@";
    // Blocks may hold the byte of "@" itself: look from the "$" on.
    auto scritto = [&] {
        const QByteArray r = sim->ricevuti(N).mid(segno);
        return r.mid(r.indexOf('$'), atteso.size());
    };
    ASSERT_TRUE(Aspetta([&] { return scritto().size() == atteso.size(); }, 6000));
    EXPECT_EQ(scritto(), atteso);
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 1000));
    EXPECT_EQ((*sim->ramPosizione(N))[40], uint8_t(prima + 3));
    EXPECT_TRUE(immagineUgualeAllaScheda());
    EXPECT_FALSE(command1()->isVisible());

    // EEPROM store, which resets the board and reads it back.
    segno = sim->ricevuti(N).size();
    f().salva->trigger();
    ASSERT_TRUE(Aspetta([&] { return sim->scrittureEeprom(N) == 1; }, 3000));
    ASSERT_TRUE(Aspetta([&] { return dopo(segno) == QByteArray("wScrivo\rrr\xA3%") && inAscolto(); }, 5000));
    EXPECT_EQ((*sim->eepromPosizione(N))[40], uint8_t(prima + 3));

    // Reset of the chip and of the safety stops.
    segno = sim->ricevuti(N).size();
    f().Res->trigger();
    ASSERT_TRUE(Aspetta([&] { return dopo(segno) == QByteArray("rr\xA3%") && inAscolto(); }, 4000));
    sim->impostaStopSicurezza(N, true);
    auto* stop = f().findChild<ClickLabel*>(QStringLiteral("Label14_2"));
    ASSERT_TRUE(Aspetta([&] { return stop->text() == QStringLiteral(" Stop di sicurezza"); }, 2000));
    f().ResSic->trigger();
    ASSERT_TRUE(Aspetta([&] { return stop->text() == QStringLiteral("  Nessun stop"); }, 2000));
    EXPECT_TRUE(sim->ricevuti(N).contains('|'));

    // The encoder tester: motor first, a switch to the frame screw, closed.
    segno = sim->ricevuti(N).size();
    f().enco->trigger();
    testenco* t = p->tester();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->isVisible());
    EXPECT_FALSE(FinestraAbilitata(&f()));
    ASSERT_TRUE(Aspetta([&] { return dopo(segno).count('s') >= 3; }, 2000));
    EXPECT_FALSE(dopo(segno).contains('m'));
    QTest::mouseClick(t->Command1(), Qt::LeftButton);
    ASSERT_TRUE(Aspetta([&] { return dopo(segno).count('m') >= 3; }, 2000));
    EXPECT_TRUE(dopo(segno).startsWith("sss"));
    t->close();
    EXPECT_FALSE(t->isVisible());
    EXPECT_TRUE(FinestraAbilitata(&f()));
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 1000));

    // Disconnect: nothing more goes out; connect resumes on the same port.
    f().disconnetti->trigger();
    EXPECT_EQ(s().Comando, "e");
    EXPECT_FALSE(f().chip->menuAction()->isEnabled());
    EXPECT_FALSE(f().enco->isEnabled());
    EXPECT_TRUE(f().connetti->isEnabled());
    Gira(200);
    segno = sim->ricevuti(N).size();
    Gira(300);
    EXPECT_EQ(sim->ricevuti(N).size(), segno);
    f().connetti->trigger();
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 4000));
    EXPECT_TRUE(sim->ricevuti(N).mid(segno).startsWith("v\xA3%")); // no second probe
    EXPECT_TRUE(messaggi.mostrati.empty());

    // The far end vanishes while polling: one box; Cancel leaves it unconnected.
    messaggi.risposte.push_back(Risposta::Annulla);
    sim->rimuoviPorta(N);
    ASSERT_TRUE(Aspetta([&] { return s().Comando == "e"; }, 2000));
    Gira(300);
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(messaggi.mostrati[0].testo.left(26), QStringLiteral("La periferica non risponde"));
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_TRUE(f().connetti->isEnabled());
    EXPECT_EQ(command1()->text(), QStringLiteral("Sistema non connesso    dati solo indicativi"));

    // The board is back: "Connetti" opens the same port again.
    ASSERT_TRUE(sim->aggiungiPorta(N));
    f().connetti->trigger();
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 5000));
    EXPECT_TRUE(porta.PortOpen());
    EXPECT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(testo("Label7"), QStringLiteral(" Connesso COM. 3  9600,N,8,1"));
}

// "Disconnetti" while a read and then a write are under way: the write still
// sends the block the board waits for; after the command in flight nothing
// more goes out, the progress window goes, and the menus stay as the
// disconnect left them.
TEST_F(FineAFine, DisconnettiAMetaLetturaEScrittura)
{
    ASSERT_TRUE(lavoro.ScriviNport(" 3\r\n"));
    const auto nonConnesso = [this](const char* dopo) {
        EXPECT_EQ(s().Comando, "e") << dopo;
        EXPECT_FALSE(f().chip->menuAction()->isEnabled()) << dopo;
        EXPECT_FALSE(f().enco->isEnabled()) << dopo;
        EXPECT_FALSE(command1()->isEnabled()) << dopo;
        EXPECT_TRUE(f().connetti->isEnabled()) << dopo;
        EXPECT_FALSE(f().disconnetti->isEnabled()) << dopo;
        EXPECT_FALSE(p->motore.dialog()->isVisible()) << dopo;
    };
    // Connects, asks for the command, disconnects once the board has that
    // many bytes from its byte on, and gives what the board received from
    // that byte on.
    const auto disconnettiDurante = [this](QAction* richiesta, char comando, qsizetype quanti = 1) {
        f().connetti->trigger();
        // A withdrawn read leaves its 800 ms interval to pace the reconnection.
        EXPECT_TRUE(Aspetta([&] { return inAscolto(); }, 8000));
        const qsizetype segno = sim->ricevuti(N).size();
        const auto da = [&] {
            const QByteArray r = sim->ricevuti(N).mid(segno);
            const qsizetype i = r.indexOf(comando);
            return i < 0 ? QByteArray() : r.mid(i);
        };
        richiesta->trigger();
        EXPECT_TRUE(Aspetta([&] { return da().size() >= quanti; }, 2000));
        f().disconnetti->trigger();
        Gira(2000); // the sequence's next step would have gone out by now
        return da();
    };

    EXPECT_EQ(disconnettiDurante(f().carica, '\xA3'), QByteArray("\xA3"));
    nonConnesso("a read");
    EXPECT_EQ(disconnettiDurante(f().PcToChip, '$'), "$" + BloccoPosizione(s()));
    nonConnesso("a write");
    // Between the position block and "#": no step is in flight.
    EXPECT_EQ(disconnettiDurante(f().PcToChip, '$', 141), "$" + BloccoPosizione(s()));
    nonConnesso("between two steps of a write");
    EXPECT_TRUE(messaggi.mostrati.empty());
}

// The refusal box of the EEPROM store, opened during a write and left open
// longer than the board waits for a block: the write goes on under it, and
// the board gets the edit.
TEST_F(FineAFine, UnBoxDellUtenteNonFermaLaScrittura)
{
    ASSERT_TRUE(lavoro.ScriviNport(" 3\r\n"));
    f().connetti->trigger();
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 8000));
    auto* p1 = f().controlli.Picture1;
    QTest::mousePress(p1, Qt::LeftButton, {}, QPoint(p1->pixelX(40.5) + PictureBox::Bordo, 20));
    ASSERT_EQ(s().PuntatoreMatrice, 40);
    const uint8_t prima = s().MatricePosizione[40];
    QTest::mousePress(f().findChild<ClickLabel*>(QStringLiteral("Label6")), Qt::LeftButton);
    ASSERT_TRUE(command1()->isVisible());

    const qsizetype segno = sim->ricevuti(N).size();
    const auto daDollaro = [&] {
        const QByteArray r = sim->ricevuti(N).mid(segno);
        return r.mid(r.indexOf('$'));
    };
    QTest::mouseClick(command1(), Qt::LeftButton);
    ASSERT_TRUE(Aspetta([&] { return daDollaro().startsWith('$'); }, 1000));
    QByteArray sottoIlBox;
    messaggi.durante = [&] {
        Gira(3000);
        sottoIlBox = daDollaro();
    };
    f().salva->trigger();
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(messaggi.mostrati[0].testo, QStringLiteral("Prima bisogna aggiornare la ram del chip"));
    EXPECT_TRUE(sottoIlBox.startsWith("$" + BloccoPosizione(s()) + "#" + BloccoVelocita(s()) + "\xA3"))
        << sottoIlBox.toHex().toStdString();

    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 3000));
    EXPECT_EQ((*sim->ramPosizione(N))[40], uint8_t(prima + 1));
    EXPECT_TRUE(immagineUgualeAllaScheda());
    EXPECT_FALSE(s().Modificato);
    EXPECT_FALSE(command1()->isVisible());
}

// A short position block answered with Cancel leaves the program not
// connected, with no progress window; "Connetti" then connects again.
TEST_F(FineAFine, AnnullaSuUnBloccoCortoPoiConnetti)
{
    ASSERT_TRUE(lavoro.ScriviNport(" 3\r\n"));
    sim->impostaGuasto(N, sim::Guasto::Corta, 0xA3);
    messaggi.risposte.push_back(Risposta::Annulla);
    f().connetti->trigger();
    ASSERT_TRUE(Aspetta([&] { return !messaggi.mostrati.empty(); }, 8000));
    EXPECT_EQ(messaggi.mostrati[0].testo.left(26), QStringLiteral("La periferica non risponde"));
    EXPECT_EQ(s().Comando, "e");
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_FALSE(f().chip->menuAction()->isEnabled());
    EXPECT_TRUE(f().connetti->isEnabled());
    EXPECT_FALSE(f().disconnetti->isEnabled());
    EXPECT_FALSE(command1()->isEnabled());
    EXPECT_EQ(command1()->text(), QStringLiteral("Sistema non connesso    dati solo indicativi"));
    EXPECT_FALSE(p->motore.dialog()->isVisible());

    sim->togliGuasti(N);
    f().connetti->trigger();
    ASSERT_TRUE(Aspetta([&] { return inAscolto(); }, 5000));
    EXPECT_TRUE(immagineUgualeAllaScheda());
    EXPECT_FALSE(command1()->isVisible());
    EXPECT_EQ(messaggi.mostrati.size(), 1u);
}

} // namespace
