#include "Finestra.h"

#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {

void Premi(QWidget* w, Qt::MouseButton b, QPoint dove = QPoint(5, 5)) { QTest::mousePress(w, b, {}, dove); }

// The pixel column of a user X on a picture, as a press point.
QPoint Colonna(PictureBox* p, double x) { return QPoint(PictureBox::Bordo + p->pixelX(x), 40); }

} // namespace

TEST(EditoriEtichette, SinistraAlzaDestraAbbassaAltriNiente)
{
    Finestra t;
    auto& A = t.stato.MatricePosizione;
    auto* l16 = t.w("Label16");
    A[130] = 248;
    Premi(l16, Qt::LeftButton);
    EXPECT_EQ(A[130], 253);
    EXPECT_EQ(t.testo("Label16"), QStringLiteral("Soglia adc Volt.=  5.06"));
    A[130] = 6;
    Premi(l16, Qt::RightButton);
    EXPECT_EQ(A[130], 1);
    // Middle button: no step, but the redraw still runs.
    A[131] = 7;
    Premi(l16, Qt::MiddleButton);
    EXPECT_EQ(A[130], 1);
    EXPECT_EQ(t.testo("Label3"), QStringLiteral("Tolleranza  =  7"));

    Premi(t.w("Label11"), Qt::LeftButton);
    EXPECT_EQ(A[135], 136);
    A[134] = 90;
    Premi(t.w("Label8"), Qt::RightButton);
    EXPECT_EQ(A[134], 90);
    A[133] = 0;
    Premi(t.w("Label9"), Qt::RightButton);
    EXPECT_EQ(A[133], 0);
    EXPECT_EQ(t.testo("Label9"), QStringLiteral("Minimo =  0"));
}

TEST(EditoriEtichette, TolleranzaESicura)
{
    Finestra t;
    auto& A = t.stato.MatricePosizione;
    Premi(t.w("Label4"), Qt::RightButton);
    EXPECT_EQ(A[132], 4);
    Premi(t.w("Label4"), Qt::RightButton);
    EXPECT_EQ(A[132], 4);
    A[131] = 16;
    A[132] = 16;
    Premi(t.w("Label3"), Qt::LeftButton);
    EXPECT_EQ(A[131], 16);
    EXPECT_EQ(A[132], 17);
    Premi(t.w("Label4"), Qt::LeftButton);
    Premi(t.w("Label4"), Qt::RightButton);
    EXPECT_EQ(A[132], 17);
    // A tolerance of 255 from the board must not wrap the safety to 0.
    A[131] = 255;
    A[132] = 20;
    Premi(t.w("Label3"), Qt::MiddleButton);
    EXPECT_EQ(A[132], 255);
    EXPECT_EQ(t.testo("Label4"), QStringLiteral("Sicura =  255"));
}

TEST(EditoriEtichette, ValorePuntatoConPasso1E10)
{
    Finestra t;
    auto& A = t.stato.MatricePosizione;
    t.stato.PuntatoreMatrice = 50;
    A[50] = 117;
    Premi(t.w<QRadioButton>("Option2"), Qt::LeftButton);
    QTest::mouseClick(t.w<QRadioButton>("Option2"), Qt::LeftButton);
    EXPECT_EQ(t.stato.PassoModifica, 10);
    Premi(t.w("Label6"), Qt::LeftButton);
    EXPECT_EQ(A[50], 127);
    EXPECT_EQ(t.testo("Label6"), QStringLiteral("Valore matrice =  127"));
    A[50] = 118;
    Premi(t.w("Label6"), Qt::LeftButton);
    EXPECT_EQ(A[50], 118);
    A[50] = 9;
    Premi(t.w("Label6"), Qt::RightButton);
    EXPECT_EQ(A[50], 9);
    A[50] = 200; // from the board, above the range
    Premi(t.w("Label6"), Qt::LeftButton);
    EXPECT_EQ(A[50], 200);
    Premi(t.w("Label6"), Qt::RightButton);
    EXPECT_EQ(A[50], 190);
    QTest::mouseClick(t.w<QRadioButton>("Option1"), Qt::LeftButton);
    EXPECT_EQ(t.stato.PassoModifica, 1);
    A[50] = 118;
    Premi(t.w("Label6"), Qt::LeftButton);
    EXPECT_EQ(A[50], 119);
}

TEST(EditoriEtichette, PuntatoreSpostaSoloIlCursore)
{
    Finestra t;
    t.stato.PuntatoreMatrice = 128;
    t.f->pannello().AggiornaCursori();
    const QImage prima = t.p1()->immagine().copy();
    Premi(t.w("Label5"), Qt::LeftButton);
    EXPECT_EQ(t.stato.PuntatoreMatrice, 128);
    EXPECT_EQ(t.p1()->immagine(), prima);
    Premi(t.w("Label5"), Qt::RightButton);
    EXPECT_EQ(t.stato.PuntatoreMatrice, 127);
    EXPECT_EQ(t.testo("Label5"), QStringLiteral("Puntatore matrice =  127"));
    EXPECT_EQ(Finestra::px(t.p1(), 127, 60), 0xFF00FFu);
}

TEST(EditoriEtichette, ValoreInZeroNonSegnaModifiche)
{
    Finestra t;
    t.f->pannello().ControlloModifiche(1);
    t.f->pannello().RidisegnaMatrici();
    ASSERT_FALSE(t.stato.Modificato);
    Premi(t.w("Label6"), Qt::LeftButton); // pointer 0, position matrix
    EXPECT_EQ(t.stato.MatricePosizione[0], 1);
    EXPECT_FALSE(t.stato.Modificato);
    t.stato.PuntatoreMatrice = 5;
    Premi(t.w("Label6"), Qt::LeftButton);
    EXPECT_TRUE(t.stato.Modificato);
    EXPECT_TRUE(t.f->controlli.Command1->isVisibleTo(t.f.get()));
    EXPECT_TRUE(t.porta.scritto.isEmpty());
    EXPECT_EQ(t.stato.CopiaPosizione[5], 5);
}

TEST(EditoriQuadri, SinistraSceglieMatriceEPunto)
{
    Finestra t;
    Premi(t.p1(), Qt::LeftButton, Colonna(t.p1(), 63.7));
    EXPECT_EQ(t.stato.PuntatoreMatrice, 63);
    EXPECT_FALSE(t.stato.SceltaVelocita);
    EXPECT_EQ(t.testo("Label5"), QStringLiteral("Puntatore matrice =  63"));
    EXPECT_EQ(t.testo("Label6"), QStringLiteral("Valore matrice =  63"));

    // Same column on the other picture: the cursor moves across.
    Premi(t.p2(), Qt::LeftButton, Colonna(t.p2(), 63.7));
    EXPECT_TRUE(t.stato.SceltaVelocita);
    EXPECT_EQ(t.testo("Label6"), QStringLiteral("Valore matrice =  127"));
    EXPECT_EQ(Finestra::px(t.p2(), 63, 60), 0xFF00FFu);
    EXPECT_EQ(Finestra::px(t.p1(), 63, 30), 0u);
    t.f->pannello().RidisegnaMatrici();
    EXPECT_EQ(Finestra::px(t.p2(), 63, 60), 0xFF00FFu);
    EXPECT_EQ(Finestra::px(t.p1(), 63, 30), 0u);
    Premi(t.p2(), Qt::LeftButton, Colonna(t.p2(), 20));
    EXPECT_EQ(Finestra::px(t.p2(), 63, 60), 0u);
    EXPECT_EQ(Finestra::px(t.p1(), 63, 30), 0u);
}

TEST(EditoriQuadri, AltriPulsantiNonFannoNulla)
{
    Finestra t;
    const QImage a = t.p1()->immagine().copy(), b = t.p2()->immagine().copy();
    Premi(t.p2(), Qt::RightButton, Colonna(t.p2(), 40));
    Premi(t.p1(), Qt::MiddleButton, Colonna(t.p1(), 40));
    EXPECT_FALSE(t.stato.SceltaVelocita);
    EXPECT_EQ(t.stato.PuntatoreMatrice, 0);
    EXPECT_EQ(t.testo("Label5"), QStringLiteral("Puntatore matrice = 0"));
    EXPECT_EQ(t.p1()->immagine(), a);
    EXPECT_EQ(t.p2()->immagine(), b);
    // A press on the border, left of the inside, keeps the pointer at 0.
    Premi(t.p1(), Qt::LeftButton, QPoint(0, 40));
    EXPECT_EQ(t.stato.PuntatoreMatrice, 0);
}
