// The encoder tester opened, switched and closed from the main window, with
// the exchange driven tick by tick on a scripted port.
#include "ClickLabel.h"
#include "Dialog.h"
#include "DialogoScriptato.h"
#include "Finestre.h"
#include "MessaggiScriptati.h"
#include "PortaScriptata.h"
#include "Programma.h"
#include "ProgressBar.h"
#include "PulsanteGrafico.h"
#include "testenco.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {

// Seven sensors and the supply; the first sensor's count tells replies apart.
QByteArray Lettura(uint8_t primo)
{
    QByteArray r(8, char(200));
    r[0] = char(primo);
    r[7] = char(95);
    return r;
}

class Tester : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.Avvia();
        p.form1.Timer1->stop(); // the test is the timer
        porta.setCommPort(3);
        porta.setPortOpen(true);
        // The board answers "m" and "s" with a reading; anything else with nothing.
        porta.risponde = [this](const QByteArray& d) {
            if (d != "m" && d != "s")
                return QByteArray();
            letture += d;
            return Lettura(d == "m" ? 11 : 22);
        };
        p.stato.Comando = "@";
        p.form1.enco->setEnabled(true); // as once connected
        Tick();                         // the first tick only receives
    }

    void Tick() { p.motore.CicloComunicazione(); }
    // One exchange: the send tick, then the receive tick.
    void Scambio()
    {
        Tick();
        Tick();
    }
    int primaBarra() { return int(p.tester()->ProgressBar1(0)->Value()); }

    PortaScriptata porta;
    MessaggiScriptati messaggi;
    DialogoScriptato dialogo;
    Programma p{porta, messaggi, dialogo};
    QByteArray letture; // the tester commands the board answered, in order
};

TEST_F(Tester, LaPrimaAperturaChiedeIlMotoreEBloccaLaFinestraPrincipale)
{
    p.form1.enco->trigger();
    testenco* t = p.tester();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->isVisible());
    EXPECT_FALSE(FinestraAbilitata(&p.form1));
    EXPECT_EQ(p.stato.Comando, "s"); // the load's "m" is replaced in the same opening
    Scambio();
    Scambio();
    EXPECT_EQ(letture, "ss");
    EXPECT_EQ(primaBarra(), 22);
    EXPECT_FALSE(p.motore.dialog()->isVisible());
}

TEST_F(Tester, RiapertoMostraLUltimaLetturaERiparteDalMotore)
{
    p.enco_Click();
    testenco* t = p.tester();
    t->Command1()->click();
    Scambio(); // the reading after the click is still the motor's
    Scambio();
    EXPECT_EQ(letture, "sm");
    EXPECT_EQ(primaBarra(), 11);
    t->close();
    EXPECT_FALSE(t->isVisible());
    EXPECT_EQ(p.stato.Comando, "@");
    EXPECT_TRUE(FinestraAbilitata(&p.form1));
    Scambio();
    EXPECT_EQ(porta.scritture.back(), "@"); // status polling again

    p.enco_Click();
    EXPECT_EQ(p.tester(), t); // the same window, kept for the run
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(primaBarra(), 11); // the last reading, shown at once
    EXPECT_EQ(p.stato.Comando, "s");
    Scambio();
    EXPECT_EQ(letture, "sms");
}

TEST_F(Tester, DueClicTraDueLettureFannoUnSoloCambio)
{
    p.enco_Click();
    Scambio();
    p.tester()->Command1()->click();
    p.tester()->Command1()->click();
    Scambio();
    Scambio();
    Scambio();
    EXPECT_EQ(letture, "ssmm");
    EXPECT_EQ(p.stato.CambioEncoder, 0);
}

TEST_F(Tester, UnaLetturaCortaLasciaLaRichiestaDiCambio)
{
    p.enco_Click();
    p.tester()->Command1()->click();
    porta.risponde = [](const QByteArray&) { return QByteArray("ab"); };
    messaggi.risposte.push_back(Risposta::Riprova);
    Scambio();
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(p.stato.CambioEncoder, 1);
    EXPECT_EQ(p.stato.Comando, "v"); // Retry reads the board again
    EXPECT_TRUE(p.tester()->isVisible());
}

// A close falling between a request and its reply, with a switch pending,
// must not let the reply put the hidden tester back to work.
TEST_F(Tester, LaChiusuraConUnCambioInSospesoTornaAlloStato)
{
    p.enco_Click();
    Scambio();
    p.tester()->Command1()->click();
    Tick(); // "s" sent
    p.tester()->close();
    Tick(); // its reply arrives after the close
    EXPECT_EQ(p.stato.Comando, "@");
    EXPECT_EQ(p.stato.CambioEncoder, 0);
    Scambio();
    EXPECT_EQ(porta.scritture.back(), "@");
}

TEST_F(Tester, UnaRichiestaDiChiusuraAllaFinestraNascostaRiportaAlloStato)
{
    p.enco_Click();
    testenco* t = p.tester();
    t->close();
    p.stato.Comando = "e";
    AbilitaFinestra(&p.form1, false);
    t->close(); // as when the system asks every window to close
    EXPECT_FALSE(t->isVisible());
    EXPECT_EQ(p.stato.Comando, "@");
    EXPECT_TRUE(FinestraAbilitata(&p.form1));
    EXPECT_EQ(p.tester(), t);
}

// After Cancel the line is closed: the tester asks nothing of it, so a mere
// opening or closing brings no failure box.
TEST_F(Tester, ConLaLineaChiusaIlTesterNonChiedeNulla)
{
    p.enco_Click();
    Scambio();
    porta.risponde = [](const QByteArray&) { return QByteArray(); };
    messaggi.risposte.push_back(Risposta::Annulla);
    Scambio();
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_FALSE(porta.PortOpen());
    EXPECT_EQ(p.stato.Comando, "e");
    EXPECT_TRUE(p.form1.enco->isEnabled()); // the box leaves the menu as it was

    p.tester()->close();
    EXPECT_EQ(p.stato.Comando, "e");
    p.enco_Click();
    EXPECT_TRUE(p.tester()->isVisible());
    EXPECT_EQ(primaBarra(), 22); // the last reading stays
    EXPECT_EQ(p.stato.Comando, "e");
    for (int i = 0; i < 6; ++i)
        Tick();
    p.tester()->close();
    EXPECT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(porta.scritture.size(), 2u); // the two "s" before the Cancel
}

TEST_F(Tester, ChiudereLaFinestraPrincipaleNonPassaDalTester)
{
    p.enco_Click();
    QPointer<testenco> t = p.tester();
    t->close();
    p.stato.Comando = "x";
    int fine = 0;
    p.form1.terminaProgramma = [&fine] { ++fine; };
    p.form1.close();
    EXPECT_EQ(fine, 1);
    EXPECT_EQ(p.stato.Comando, "x"); // the tester's close did not run
    EXPECT_FALSE(porta.PortOpen());
}

} // namespace
