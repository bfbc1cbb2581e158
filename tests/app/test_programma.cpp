#include "CercaPorta.h"
#include "DialogoScriptato.h"
#include "Finestre.h"
#include "MessaggiScriptati.h"
#include "PortaScriptata.h"
#include "Programma.h"
#include "testenco.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {

struct Intero {
    PortaScriptata porta;
    MessaggiScriptati messaggi;
    DialogoScriptato dialogo;
    Programma p{porta, messaggi, dialogo};
    Intero() { p.form1.Form_Load(); }
};

} // namespace

// Save from the menu, change the image, load it back from the menu: the
// saved values return, the caption names the file, nothing goes on the line.
TEST(Programma, SalvaEApriDalMenu)
{
    QTemporaryDir dir;
    Intero t;
    auto& s = t.p.stato;
    s.MatricePosizione[131] = 9;
    s.MatriceVelocita[7] = 3;
    const QString nome = dir.filePath(QStringLiteral("prova.qmr"));
    t.dialogo.risposte.push_back(nome);
    t.p.form1.save->trigger();
    EXPECT_EQ(s.NomeFile, nome);
    EXPECT_EQ(t.p.form1.windowTitle(), QStringLiteral("Corsa ")); // until the next full redraw

    s.MatricePosizione[131] = 4;
    s.MatriceVelocita[7] = 100;
    t.dialogo.risposte.push_back(nome);
    t.p.form1.apri->trigger();
    EXPECT_EQ(s.MatricePosizione[131], 9);
    EXPECT_EQ(s.MatriceVelocita[7], 3);
    EXPECT_EQ(t.p.form1.windowTitle(), QStringLiteral("Corsa ") + nome);
    EXPECT_EQ(t.p.form1.findChild<QObject*>(QStringLiteral("Label3"))->property("text").toString(),
              QStringLiteral("Tolleranza  =  9"));
    EXPECT_TRUE(t.porta.scritto.isEmpty());
    EXPECT_TRUE(t.messaggi.mostrati.empty());
}

TEST(Programma, IMenuApronoLeFinestreInformative)
{
    Intero t;
    auto& f = t.p.form1;
    f.show();
    f.rs232->trigger();
    EXPECT_FALSE(FinestraAbilitata(&f));
    f.usb->trigger(); // the menus are out of reach while it is open; a second window changes nothing
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("CavoConnessione") || w->objectName() == QLatin1String("ProgUsb"))
            w->close();
    QApplication::processEvents();
    EXPECT_TRUE(FinestraAbilitata(&f));
    f.struttura->trigger();
    EXPECT_TRUE(FinestraAbilitata(&f));
    bool trovata = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        trovata |= w->objectName() == QLatin1String("Form2") && w->isVisible();
    EXPECT_TRUE(trovata);
}

// Each window puts its client area where it belongs on the screen: the main
// window's below its menu bar, the search and progress windows' their own.
TEST(Programma, AreeClienteAlLoroPosto)
{
    Intero t;
    auto& f = t.p.form1;
    f.show();
    const QWidget* cliente = f.centralWidget();
    EXPECT_EQ(cliente->mapToGlobal(QPoint(0, 0)), QPoint(143, 42));
    EXPECT_EQ(cliente->size(), QSize(648, 550));
    f.connetti->trigger();
    QWidget* cerca = t.p.connessione.cercaPorta();
    ASSERT_NE(cerca, nullptr);
    EXPECT_EQ(cerca->geometry(), QRect(304, 153, 296, 36));
    f.Timer1->stop();
    t.p.motore.CicloComunicazione();
    QWidget* dialogo = f.findChild<QWidget*>(QStringLiteral("Dialog"));
    ASSERT_NE(dialogo, nullptr);
    EXPECT_EQ(dialogo->geometry(), QRect(252, 286, 297, 71));
}

// The window manager's close (the title bar's button, Alt+F4) while the main
// window is out of reach behind the tester, the search or the cable picture
// changes nothing; once it is back, the same request ends the program.
TEST(Programma, LaFinestraPrincipaleDisabilitataNonSiChiude)
{
    Intero t;
    auto& f = t.p.form1;
    auto& s = t.p.stato;
    int fine = 0;
    f.terminaProgramma = [&fine] { ++fine; };
    f.Timer1->stop();
    f.show();
    t.porta.setPortOpen(true);
    QTest::mousePress(f.findChild<QWidget*>(QStringLiteral("Label3")), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(s.Modificato);
    const auto posizione = s.MatricePosizione;
    const auto chiudi = [&f] { return f.windowHandle()->close(); };
    const auto intatto = [&](const char* dietro) {
        EXPECT_EQ(fine, 0) << dietro;
        EXPECT_TRUE(f.isVisible()) << dietro;
        EXPECT_TRUE(t.porta.PortOpen()) << dietro;
        EXPECT_TRUE(s.Modificato) << dietro;
        EXPECT_EQ(s.MatricePosizione, posizione) << dietro;
    };

    t.p.enco_Click();
    EXPECT_FALSE(chiudi());
    intatto("tester");
    EXPECT_TRUE(t.p.tester()->isVisible());
    t.p.tester()->close();

    f.connetti->trigger();
    CercaPorta* cerca = t.p.connessione.cercaPorta();
    cerca->Timer1->stop();
    EXPECT_FALSE(chiudi());
    intatto("search");
    EXPECT_TRUE(cerca->isVisible());
    cerca->Connesso = true; // found earlier: the next step is the finish
    cerca->Timer1_Timer();
    ASSERT_TRUE(FinestraAbilitata(&f));

    f.rs232->trigger();
    EXPECT_FALSE(chiudi());
    intatto("cable picture");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("CavoConnessione"))
            w->close();
    QApplication::processEvents();

    ASSERT_TRUE(FinestraAbilitata(&f));
    EXPECT_TRUE(chiudi());
    EXPECT_EQ(fine, 1);
    EXPECT_FALSE(t.porta.PortOpen());
}
