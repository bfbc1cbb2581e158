// The port search with the program's real serial port against the simulated
// board on pseudo-terminals. The ticks are driven by hand; after a probe the
// test waits only as long as the board's answer takes to come back.
#include "Attesa.h"
#include "CercaPorta.h"
#include "ClickLabel.h"
#include "Finestre.h"
#include "ProgrammaSuLinea.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

using namespace corsa;
using namespace corsa::test;
using corsa::sim::Guasto;

namespace {

const QString Inizio = QStringLiteral("Ricerca connessione");
const QString NoFile = QStringLiteral(" File init non trovato,ricerca su tutte le porte");
QString Prova(int n) { return QStringLiteral(" Ricerca di connessione porta COM  %1").arg(n); }
QString Connesso(int n) { return QStringLiteral("Connesso alla porta COM %1").arg(n); }

class RicercaSuLinea : public ::testing::Test, protected ProgrammaSuLinea {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Prepara());
        p->form1.Form_Load();
        p->form1.Timer1->stop();
        p->form1.show();
    }

    void Connetti()
    {
        etichette.clear();
        ASSERT_TRUE(p->form1.connetti->isEnabled());
        p->form1.connetti->trigger();
        cp = p->connessione.cercaPorta();
        ASSERT_NE(cp, nullptr);
        ASSERT_TRUE(cp->Timer1->isActive());
        cp->Timer1->setInterval(24 * 3600 * 1000); // on, but never due
    }

    // One tick; after a probe, until the board has it and its answer is back.
    void Tick()
    {
        const size_t prima = sim->registro().size();
        cp->Timer1_Timer();
        if (cp->PassoRicerca == 2 && cp->Timer1->isActive()) {
            Aspetta([&] { return sim->registro().size() > prima; }, 1000);
            Gira(30);
        }
        etichette << cp->Label1->text();
    }

    int FinoAllaFine(int massimo = 60)
    {
        int n = 0;
        while (cp->Timer1->isActive() && n < massimo) {
            Tick();
            ++n;
        }
        return n;
    }

    // The ports that received anything, in order of first byte.
    std::vector<int> Sondate() const
    {
        std::vector<int> r;
        for (const auto& b : sim->registro())
            if (r.empty() || r.back() != b.porta)
                r.push_back(b.porta);
        return r;
    }

    void ScriviNport(const QByteArray& dati) { ASSERT_TRUE(lavoro.ScriviNport(dati)); }
    std::optional<QByteArray> Nport() const { return lavoro.Nport(); }

    void ControllaConnesso(int n)
    {
        EXPECT_EQ(p->stato.Comando, "v");
        EXPECT_EQ(p->form1.Label7->text(), QStringLiteral(" Connesso COM. %1  9600,N,8,1").arg(n));
        EXPECT_TRUE(p->form1.chip->menuAction()->isEnabled());
        EXPECT_FALSE(p->form1.connetti->isEnabled());
        EXPECT_TRUE(p->form1.disconnetti->isEnabled());
        EXPECT_TRUE(p->form1.enco->isEnabled());
        EXPECT_FALSE(cp->isVisible());
        EXPECT_FALSE(cp->Timer1->isActive());
        EXPECT_TRUE(FinestraAbilitata(&p->form1));
        EXPECT_TRUE(porta.PortOpen());
        EXPECT_EQ(p->stato.Porta, n);
        EXPECT_TRUE(messaggi.mostrati.empty());
    }

    // The port left open really is the board's: a status poll reaches it.
    void ControllaLinea(int n)
    {
        const QByteArray prima = sim->ricevuti(n);
        porta.Output("@");
        ASSERT_TRUE(Aspetta([&] { return sim->ricevuti(n).size() > prima.size(); }, 1000));
        EXPECT_EQ(sim->ricevuti(n).mid(prima.size()), QByteArray("@"));
        Gira(30);
        EXPECT_EQ(porta.Input().size(), 4);
    }

    void ControllaFallita()
    {
        ASSERT_EQ(messaggi.mostrati.size(), 1u);
        EXPECT_EQ(messaggi.mostrati[0].titolo, std::optional<QString>(QStringLiteral("Ricerca porta fallita")));
        EXPECT_EQ(messaggi.mostrati[0].icona, Icona::Critica);
        EXPECT_EQ(messaggi.mostrati[0].pulsanti, Pulsanti::OK);
        EXPECT_EQ(p->stato.Porta, 0);
        EXPECT_FALSE(porta.PortOpen());
        EXPECT_FALSE(cp->isVisible());
        EXPECT_FALSE(cp->Timer1->isActive());
        EXPECT_TRUE(FinestraAbilitata(&p->form1));
        EXPECT_EQ(p->stato.Comando, "e");
        EXPECT_TRUE(p->form1.connetti->isEnabled());
    }

    CercaPorta* cp = nullptr;
    QStringList etichette;
};

TEST_F(RicercaSuLinea, SenzaFileSchedaSullaTre)
{
    ASSERT_TRUE(sim->aggiungiPorta(3)); // no links for 1 and 2
    Connetti();
    EXPECT_EQ(cp->Label1->text(), Inizio);
    EXPECT_FALSE(FinestraAbilitata(&p->form1));
    EXPECT_EQ(FinoAllaFine(), 7);
    EXPECT_EQ(etichette, (QStringList{NoFile, Prova(1), Prova(2), Prova(3), Prova(3), Connesso(3), Connesso(3)}));
    EXPECT_EQ(sim->ricevuti(3), QByteArray("v"));
    EXPECT_EQ(Sondate(), std::vector<int>{3});
    EXPECT_EQ(Nport(), QByteArray("\x20\x33\x0D\x0A"));
    ControllaConnesso(3);
    ControllaLinea(3);
}

TEST_F(RicercaSuLinea, FileConLaPortaDellaScheda)
{
    ASSERT_TRUE(sim->aggiungiPorta(3));
    ScriviNport(" 3\r\nseconda\r\n");
    {
        QFile f(QStringLiteral("nport.ini"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), QFileDevice::FileModificationTime));
    }
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 4);
    EXPECT_EQ(etichette, (QStringList{Inizio, Inizio, Connesso(3), Connesso(3)}));
    EXPECT_EQ(Nport(), QByteArray(" 3\r\nseconda\r\n"));
    EXPECT_EQ(QFileInfo(QStringLiteral("nport.ini")).lastModified(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    ControllaConnesso(3);
    ControllaLinea(3);
}

TEST_F(RicercaSuLinea, FileConUnaPortaMutaPorteSopraPoiLaFinestra)
{
    for (int n : {3, 5, 9, 13})
        ASSERT_TRUE(sim->aggiungiPorta(n));
    sim->impostaGuasto(5, Guasto::Silenziosa);
    sim->impostaGuasto(9, Guasto::SenzaRev);
    sim->impostaGuasto(13, Guasto::Silenziosa);
    ScriviNport("5\r\n");
    Connetti();
    // 5, 9 and 13 open (two ticks each), the other eight are absent.
    EXPECT_EQ(FinoAllaFine(), 1 + 3 * 2 + 8);
    EXPECT_EQ(Sondate(), (std::vector<int>{5, 9, 13}));
    EXPECT_EQ(sim->ricevuti(9), QByteArray("v"));
    EXPECT_TRUE(sim->ricevuti(3).isEmpty());
    EXPECT_EQ(etichette.back(), Prova(15));
    ControllaFallita();
    EXPECT_EQ(Nport(), QByteArray("5\r\n"));
}

TEST_F(RicercaSuLinea, FileConUnaPortaAssenteRiscrittoConQuellaTrovata)
{
    ASSERT_TRUE(sim->aggiungiPorta(3));
    ScriviNport("5\r\n");
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 7);
    EXPECT_EQ(etichette, (QStringList{Inizio, Prova(1), Prova(2), Prova(3), Prova(3), Connesso(3), Connesso(3)}));
    EXPECT_EQ(Nport(), QByteArray("\x20\x33\x0D\x0A"));
    ControllaConnesso(3);
}

// The word is looked for in the answer as it came over the wire.
TEST_F(RicercaSuLinea, RevMaiuscoloDovunqueMinuscoloNo)
{
    for (int n : {1, 2, 3})
        ASSERT_TRUE(sim->aggiungiPorta(n));
    sim->impostaTestoVersione(1, QByteArray("versione rev 7"));
    sim->impostaTestoVersione(2, QByteArray("Rev.2 r-E-V"));
    sim->impostaTestoVersione(3, QByteArray("\x01xREVx\xFF", 7));
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 1 + 3 * 2 + 1);
    EXPECT_EQ(Sondate(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Nport(), QByteArray("\x20\x33\x0D\x0A"));
    ControllaConnesso(3);
    ControllaLinea(3);
}

TEST_F(RicercaSuLinea, Porta255SenzaRevFallisceSubito)
{
    for (int n : {1, 3, 255})
        ASSERT_TRUE(sim->aggiungiPorta(n));
    sim->impostaGuasto(255, Guasto::SenzaRev);
    ScriviNport("255\r\n");
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 3);
    EXPECT_EQ(Sondate(), std::vector<int>{255});
    ControllaFallita();
}

TEST_F(RicercaSuLinea, SecondoConnettiDopoLaFallitaScandisceDaUno)
{
    ScriviNport("14\r\n");
    ASSERT_TRUE(sim->aggiungiPorta(14));
    sim->impostaGuasto(14, Guasto::Silenziosa);
    Connetti();
    FinoAllaFine();
    ControllaFallita();
    messaggi.mostrati.clear();
    sim->svuotaRegistro();

    ASSERT_TRUE(sim->aggiungiPorta(2));
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 5);
    EXPECT_EQ(etichette, (QStringList{Prova(1), Prova(2), Prova(2), Connesso(2), Connesso(2)}));
    EXPECT_EQ(Sondate(), std::vector<int>{2});
    EXPECT_EQ(Nport(), QByteArray("\x20\x32\x0D\x0A"));
    ControllaConnesso(2);
}

// The device goes away under a connected program; "Connetti" again.
TEST_F(RicercaSuLinea, DispositivoSparitoETornatoRiapertoAllaFine)
{
    ASSERT_TRUE(sim->aggiungiPorta(3));
    Connetti();
    FinoAllaFine();
    ControllaConnesso(3);
    sim->rimuoviPorta(3);
    ASSERT_TRUE(Aspetta([&] { return !porta.PortOpen(); }, 2000));
    p->form1.disconnetti->trigger();
    ASSERT_TRUE(sim->aggiungiPorta(3)); // a new device behind the same name
    sim->svuotaRegistro();

    Connetti();
    EXPECT_EQ(FinoAllaFine(), 1);
    EXPECT_TRUE(sim->registro().empty()); // no second probe
    ControllaConnesso(3);
    ControllaLinea(3);
}

TEST_F(RicercaSuLinea, DispositivoSparitoRicercaDaCapo)
{
    ASSERT_TRUE(sim->aggiungiPorta(3));
    Connetti();
    FinoAllaFine();
    ControllaConnesso(3);
    sim->rimuoviPorta(3);
    ASSERT_TRUE(Aspetta([&] { return !porta.PortOpen(); }, 2000));
    p->form1.disconnetti->trigger();
    ASSERT_TRUE(sim->aggiungiPorta(4));
    sim->svuotaRegistro();

    Connetti();
    EXPECT_EQ(FinoAllaFine(), 1 + 8);
    EXPECT_EQ(etichette, (QStringList{Inizio, Inizio, Prova(1), Prova(2), Prova(3), Prova(4), Prova(4), Connesso(4),
                                      Connesso(4)}));
    EXPECT_EQ(Sondate(), std::vector<int>{4});
    EXPECT_EQ(Nport(), QByteArray("\x20\x34\x0D\x0A"));
    ControllaConnesso(4);
    ControllaLinea(4);
}

} // namespace
