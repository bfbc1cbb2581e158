#include "Finestra.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>

using namespace corsa;
using namespace corsa::test;

TEST(Avvio, TestiDopoIlPrimoDisegno)
{
    Finestra t;
    EXPECT_EQ(t.f->windowTitle(), QStringLiteral("Corsa "));
    EXPECT_EQ(t.testo("Label3"), QStringLiteral("Tolleranza  =  3"));
    EXPECT_EQ(t.testo("Label4"), QStringLiteral("Sicura =  5"));
    EXPECT_EQ(t.testo("Label1"), QStringLiteral("Master = 0"));
    EXPECT_EQ(t.testo("Label2"), QStringLiteral("Slave = 0"));
    EXPECT_EQ(t.testo("Label9"), QStringLiteral("Minimo =  10"));
    EXPECT_EQ(t.testo("Label8"), QStringLiteral("Massimo =  118"));
    EXPECT_EQ(t.testo("Label11"), QStringLiteral("Ritardo movimento =  135"));
    EXPECT_EQ(t.testo("Label16"), QStringLiteral("Soglia adc Volt.=  2.6"));
    EXPECT_EQ(t.testo("Label18"), QStringLiteral("Versione chip = ??????"));
    // Until the first cursor update these keep their design captions.
    EXPECT_EQ(t.testo("Label5"), QStringLiteral("Puntatore matrice = 0"));
    EXPECT_EQ(t.testo("Label6"), QStringLiteral("Valore matrice =  0"));
    EXPECT_EQ(t.testo("Label19"), QStringLiteral("Velocità"));
    EXPECT_EQ(t.testo("Label7"), QStringLiteral("non connesso"));
}

TEST(Avvio, StatoDiPartenza)
{
    Finestra t;
    const auto& A = t.stato.MatricePosizione;
    EXPECT_EQ(A[0], 0);
    EXPECT_EQ(A[129], 129);
    EXPECT_EQ(A[140], 140);
    EXPECT_EQ(A[130], 130);
    EXPECT_EQ(A[131], 3);
    EXPECT_EQ(A[132], 5);
    EXPECT_EQ(A[133], 10);
    EXPECT_EQ(A[134], 118);
    EXPECT_EQ(A[135], 135);
    EXPECT_EQ(t.stato.MatriceVelocita[0], 0);
    EXPECT_EQ(t.stato.MatriceVelocita[128], 127);
    EXPECT_EQ(t.stato.Comando, "e");
    EXPECT_EQ(t.stato.PassoModifica, 1);
    EXPECT_TRUE(t.stato.Modificato);
    EXPECT_EQ(t.f->pannello().TestoRotazione(), QStringLiteral("Rotazione invertita"));
    EXPECT_TRUE(t.w<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(t.f->Timer1->interval(), 200);
    EXPECT_TRUE(t.f->Timer1->isActive());
    EXPECT_EQ(t.porta.aperture, 0);
}

TEST(Avvio, PulsanteMenuELampade)
{
    Finestra t;
    t.f->show();
    auto* b = t.w<QPushButton>("Command1");
    EXPECT_TRUE(b->isVisible());
    EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(b->text(), QStringLiteral("Sistema non connesso    dati solo indicativi"));
    auto abilitato = [&](const char* nome) { return t.f->findChild<QAction*>(QLatin1String(nome))->isEnabled(); };
    EXPECT_FALSE(abilitato("chip"));
    EXPECT_FALSE(abilitato("disconnetti"));
    EXPECT_FALSE(abilitato("enco"));
    for (const char* nome : {"File", "apri", "save", "carica", "salva", "PcToChip", "Res", "ResSic", "con", "connetti",
                             "Cavo", "rs232", "usb", "meccanica", "struttura"})
        EXPECT_TRUE(abilitato(nome)) << nome;
    const char* testi[] = {" Motore fermo", " Allarga", "  Nessun stop", "Estra corsa libero ", "Rotazione corretta"};
    for (int i = 0; i < 5; ++i) {
        auto* l = t.w(QByteArray("Label14_" + QByteArray::number(i)).constData());
        ASSERT_NE(l, nullptr);
        EXPECT_FALSE(l->isVisible());
        EXPECT_EQ(l->text(), QString::fromLatin1(testi[i]));
        EXPECT_EQ(l->BackColor(), QColor(0, 128, 0));
    }
    EXPECT_FALSE(t.w("Label18")->isVisible());
    EXPECT_FALSE(t.w("Label19")->isVisible());
}

TEST(Avvio, GeometriaInTwips)
{
    Finestra t;
    t.f->show();
    EXPECT_EQ(t.f->centralWidget()->size(), QSize(648, 550));
    EXPECT_EQ(t.p1()->geometry(), QRect(8, 8, 465, 353));
    EXPECT_EQ(t.p2()->geometry(), QRect(8, 392, 465, 137));
    EXPECT_EQ(t.w("Label14_4")->geometry(), QRect(496, 88 + 96, 137, 17));
    EXPECT_EQ(t.w<QPushButton>("Command1")->geometry(), QRect(24, 364, 433, 26));
    EXPECT_EQ(t.w("Label16")->toolTip(), QStringLiteral("Valore della soglia di commutazione degli ADC di ingresso"));
    EXPECT_EQ(t.p1()->toolTip(), QStringLiteral("Matreice controllo posizione"));
    EXPECT_FALSE(t.f->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(t.f->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(Disegno, PixelDelPrimoDisegno)
{
    Finestra t;
    auto* p1 = t.p1();
    auto* p2 = t.p2();
    const QRgb verde = 0x00FF00, grigio = 0xC0C0C0, rosso = 0xFF0000, giallo = 0xFFFF00, bianco = 0xFFFFFF;
    // The diagonal with its bands, away from the cursors and limit lines.
    for (int i : {30, 64, 90}) {
        const int y = 128 - i;
        EXPECT_EQ(Finestra::px(p1, i, y), verde) << i;
        EXPECT_EQ(Finestra::px(p1, i, y + 3), grigio) << i;
        EXPECT_EQ(Finestra::px(p1, i, y - 3), grigio) << i;
        EXPECT_EQ(Finestra::px(p1, i, y + 5), rosso) << i;
        EXPECT_EQ(Finestra::px(p1, i, y - 5), rosso) << i;
        EXPECT_EQ(Finestra::px(p1, i, y + 15), 0u) << i;
    }
    // Limit lines at y 118 (minimum 10) and y 10 (maximum 118).
    EXPECT_EQ(Finestra::px(p1, 60, 118), giallo);
    EXPECT_EQ(Finestra::px(p1, 60, 10), giallo);
    EXPECT_EQ(Finestra::px(p1, 60, 50), 0u);
    // Carriage and pointer cursor share x 0 on Picture1: white XOR magenta.
    EXPECT_EQ(Finestra::px(p1, 0, 60), 0x00FF00u);
    // Speed curve along y 1, carriage cursor alone at x 0 of Picture2.
    EXPECT_EQ(Finestra::px(p2, 64, 1), verde);
    EXPECT_EQ(Finestra::px(p2, 64, 60), 0u);
    EXPECT_EQ(Finestra::px(p2, 0, 60), bianco);
}

TEST(Cursori, IlCarrelloSiSpostaSenzaLasciareTracce)
{
    Finestra t;
    const QImage iniziale = t.p1()->immagine().copy();
    t.stato.StatoChip[1] = 10;
    t.f->pannello().AggiornaCursori();
    const QImage a10 = t.p1()->immagine().copy();
    t.stato.StatoChip[1] = 20;
    t.f->pannello().AggiornaCursori();
    EXPECT_EQ(Finestra::px(t.p1(), 20, 60), 0xFFFFFFu);
    EXPECT_EQ(Finestra::px(t.p2(), 20, 60), 0xFFFFFFu);
    EXPECT_EQ(Finestra::px(t.p1(), 10, 60), 0u);
    // Every pixel of column 10 as before the carriage came by.
    const int x10 = t.p1()->pixelX(10);
    for (int y = 0; y < iniziale.height(); ++y)
        ASSERT_EQ(t.p1()->immagine().pixel(x10, y), iniziale.pixel(x10, y)) << y;
    EXPECT_EQ(t.testo("Label1"), QStringLiteral("Master = 20"));
    // Same positions again: nothing drawn, captions rewritten.
    const QImage prima = t.p1()->immagine().copy();
    t.f->pannello().AggiornaCursori();
    EXPECT_EQ(t.p1()->immagine(), prima);
    EXPECT_NE(a10, prima);
    EXPECT_EQ(t.testo("Label6"), QStringLiteral("Valore matrice =  0"));
    EXPECT_EQ(t.testo("Label5"), QStringLiteral("Puntatore matrice =  0"));
}

TEST(Cursori, BiellaFuoriQuadroPoiDentro)
{
    Finestra t;
    t.stato.StatoChip[2] = 200;
    t.f->pannello().AggiornaCursori();
    t.stato.StatoChip[2] = 50;
    t.f->pannello().AggiornaCursori();
    EXPECT_EQ(Finestra::px(t.p1(), 100, 78), 0xFFFFFFu);
    EXPECT_EQ(t.testo("Label2"), QStringLiteral("Slave = 50"));
}

// Whatever mix of cursor moves and full redraws, the pictures equal a fresh
// redraw with the cursors where the records say.
TEST(Cursori, SequenzaCasualeEquivaleAUnDisegnoNuovo)
{
    Finestra t;
    std::mt19937 rng(2026);
    auto& s = t.stato;
    for (int passo = 0; passo < 400; ++passo) {
        switch (rng() % 6) {
        case 0: s.StatoChip[1] = uint8_t(rng()); break;
        case 1: s.StatoChip[2] = uint8_t(rng() % 140); break;
        case 2: s.PuntatoreMatrice = uint8_t(rng() % 129); break;
        case 3: s.SceltaVelocita = !s.SceltaVelocita; break;
        case 4: s.MatricePosizione[rng() % 129] = uint8_t(rng()); break;
        default: t.f->pannello().RidisegnaMatrici(); continue;
        }
        // The selection only ever changes together with a cursor update.
        t.f->pannello().AggiornaCursori();
    }
    Stato copia = s;
    PortaScriptata porta;
    MessaggiScriptati m;
    Form1 nuova(copia, porta, m);
    nuova.pannello().RidisegnaMatrici();
    t.f->pannello().RidisegnaMatrici();
    EXPECT_EQ(nuova.controlli.Picture1->immagine(), t.p1()->immagine());
    EXPECT_EQ(nuova.controlli.Picture2->immagine(), t.p2()->immagine());
}

TEST(Modifiche, SoloGliIndiciScambiatiContano)
{
    Finestra t;
    auto& s = t.stato;
    auto& p = t.f->pannello();
    auto* b = t.w<QPushButton>("Command1");
    t.f->show();
    p.ControlloModifiche(1);
    p.RidisegnaMatrici();
    EXPECT_FALSE(s.Modificato);
    EXPECT_FALSE(b->isVisible());

    s.MatricePosizione[0] = 99;
    s.MatriceVelocita[0] = 99;
    p.RidisegnaMatrici();
    EXPECT_FALSE(s.Modificato);

    for (int i : {129, 136, 137, 138, 139, 140}) {
        const uint8_t v = s.MatricePosizione[i];
        s.MatricePosizione[i] = uint8_t(v + 1);
        p.RidisegnaMatrici();
        EXPECT_TRUE(s.Modificato) << i;
        EXPECT_TRUE(b->isVisible());
        s.MatricePosizione[i] = v; // and back again: no longer modified
        p.RidisegnaMatrici();
        EXPECT_FALSE(s.Modificato) << i;
    }
    s.MatriceVelocita[128] = 1;
    p.RidisegnaMatrici();
    EXPECT_TRUE(s.Modificato);
    // Unknown modes touch nothing.
    p.ControlloModifiche(3);
    EXPECT_TRUE(s.Modificato);
    EXPECT_EQ(s.CopiaVelocita[128], 127);
}

TEST(Indicatori, MostraENascondeLeSetteEtichette)
{
    Finestra t;
    t.f->show();
    t.f->pannello().MostraIndicatori(true);
    for (const char* n : {"Label14_0", "Label14_1", "Label14_2", "Label14_3", "Label14_4", "Label18", "Label19"})
        EXPECT_TRUE(t.w(n)->isVisible()) << n;
    EXPECT_TRUE(t.w("Label1")->isVisible());
    t.f->pannello().AggiornaStatoIngressi(0x40);
    t.f->pannello().MostraIndicatori(false);
    EXPECT_FALSE(t.w("Label14_4")->isVisible());
    EXPECT_EQ(t.testo("Label14_4"), QStringLiteral("Rotazione invertita"));
    EXPECT_TRUE(t.w("Label1")->isVisible());
}

TEST(Chiusura, ChiudeLaPortaSoloSeAperta)
{
    {
        Finestra t;
        t.f->show();
        t.f->close();
        EXPECT_EQ(t.porta.chiusure, 0);
        EXPECT_EQ(t.terminato, 1);
        EXPECT_FALSE(t.f->Timer1->isActive());
    }
    {
        Finestra t;
        t.porta.setPortOpen(true);
        t.f->show();
        t.f->close();
        EXPECT_FALSE(t.porta.PortOpen());
        EXPECT_EQ(t.porta.chiusure, 1);
        EXPECT_EQ(t.terminato, 1);
    }
}
