#include "ClickLabel.h"
#include "PictureBox.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

using namespace corsa;

namespace {

// A picture the size of the position matrix: 461 x 349 inside the border.
struct Quadro {
    PictureBox p{Qt::black};
    Quadro()
    {
        p.resize(465, 353);
        p.Cls();
    }
};

} // namespace

TEST(PictureBox, ScalaUtenteSullInterno)
{
    Quadro q;
    EXPECT_EQ(q.p.immagine().size(), QSize(461, 349));
    EXPECT_EQ(q.p.pixelX(0), 0);
    EXPECT_EQ(q.p.pixelX(128), 461);
    EXPECT_EQ(q.p.pixelY(64), 175);
}

TEST(PictureBox, PuntoLargoTreEQuadratoTrePerTre)
{
    Quadro q;
    q.p.setDrawWidth(3);
    q.p.Line(64, 64, 64, 64, 0xFF00FF00);
    const int x = q.p.pixelX(64), y = q.p.pixelY(64);
    int verdi = 0;
    for (int j = 0; j < q.p.immagine().height(); ++j)
        for (int i = 0; i < q.p.immagine().width(); ++i)
            if (q.p.immagine().pixel(i, j) == 0xFF00FF00u) {
                ++verdi;
                EXPECT_LE(std::abs(i - x), 1);
                EXPECT_LE(std::abs(j - y), 1);
            }
    EXPECT_EQ(verdi, 9);
}

TEST(PictureBox, LaPennaXorDueVolteRestituisceOgniPixel)
{
    Quadro q;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> c(-20, 150);
    q.p.setDrawWidth(3);
    for (int i = 0; i < 200; ++i)
        q.p.Line(c(rng), c(rng), c(rng), c(rng), rng() | 0xFF000000u);
    const QImage prima = q.p.immagine().copy();
    q.p.setDrawWidth(1);
    q.p.setDrawMode(PictureBox::Penna::Xor);
    std::vector<std::array<int, 5>> linee;
    for (int i = 0; i < 60; ++i) {
        const int x = c(rng), y = c(rng);
        // Axis lines, as cursors and limits, and a few slanted ones.
        if (i % 3 == 0)
            linee.push_back({x, 1, x, 128, int(rng())});
        else if (i % 3 == 1)
            linee.push_back({1, y, 128, y, int(rng())});
        else
            linee.push_back({x, y, c(rng), c(rng), int(rng())});
    }
    for (const auto& l : linee)
        q.p.Line(l[0], l[1], l[2], l[3], QRgb(l[4]));
    EXPECT_NE(q.p.immagine(), prima);
    std::shuffle(linee.begin(), linee.end(), rng);
    for (const auto& l : linee)
        q.p.Line(l[0], l[1], l[2], l[3], QRgb(l[4]));
    EXPECT_EQ(q.p.immagine(), prima);
}

TEST(PictureBox, XorSulloSfondoDaIlColoreEsclusivo)
{
    Quadro q;
    q.p.setDrawMode(PictureBox::Penna::Xor);
    q.p.Line(10, 1, 10, 128, 0xFFFFFFFF);
    q.p.Line(10, 1, 10, 128, 0xFFFF00FF);
    EXPECT_EQ(q.p.immagine().pixel(q.p.pixelX(10), 100), 0xFF00FF00u);
}

TEST(PictureBox, IlDisegnoSopravviveAllaFinestraNascostaERimostrata)
{
    Quadro q;
    q.p.setDrawWidth(3);
    q.p.Line(5, 5, 5, 5, 0xFFFF0000);
    q.p.show();
    q.p.hide();
    q.p.show();
    EXPECT_EQ(q.p.grab().toImage().pixel(PictureBox::Bordo + q.p.pixelX(5), PictureBox::Bordo + q.p.pixelY(5)),
              0xFFFF0000u);
}

TEST(PictureBox, PressioneRiportaPulsanteEXUtente)
{
    Quadro q;
    QSignalSpy spia(&q.p, &PictureBox::mouseDown);
    QTest::mousePress(&q.p, Qt::RightButton, {}, QPoint(PictureBox::Bordo + 230, 50));
    QTest::mousePress(&q.p, Qt::MiddleButton, {}, QPoint(PictureBox::Bordo, 50));
    ASSERT_EQ(spia.count(), 2);
    EXPECT_EQ(spia[0][0].toInt(), 2);
    EXPECT_NEAR(spia[0][1].toDouble(), 230 * 128.0 / 461, 1e-9);
    EXPECT_EQ(spia[1][0].toInt(), 4);
}

TEST(ClickLabel, RiportaIlPulsantePremuto)
{
    ClickLabel l;
    l.resize(100, 20);
    QSignalSpy spia(&l, &ClickLabel::mouseDown);
    QTest::mousePress(&l, Qt::LeftButton);
    QTest::mousePress(&l, Qt::RightButton);
    QTest::mousePress(&l, Qt::MiddleButton);
    ASSERT_EQ(spia.count(), 3);
    EXPECT_EQ(spia[0][0].toInt(), 1);
    EXPECT_EQ(spia[1][0].toInt(), 2);
    EXPECT_EQ(spia[2][0].toInt(), 4);
    l.setBackColor(QColor(192, 0, 0));
    EXPECT_EQ(l.BackColor(), QColor(192, 0, 0));
}

// Cursors repaint only the lines they touch, a full redraw the whole picture:
// what reaches the screen must still be the picture, pixel for pixel.
TEST(PictureBox, LoSchermoMostraIlDisegnoDopoAggiornamentiParziali)
{
    Quadro q;
    q.p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&q.p));
    auto schermo = [&] {
        QCoreApplication::processEvents();
        const QImage s = q.p.screen()->grabWindow(q.p.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        return s.copy(PictureBox::Bordo, PictureBox::Bordo, q.p.immagine().width(), q.p.immagine().height());
    };
    std::mt19937 caso(7);
    for (int giro = 0; giro < 20; ++giro) {
        // A handful of XOR cursors, or more lines than are painted one by one.
        q.p.setDrawMode(PictureBox::Penna::Xor);
        const int linee = giro % 2 ? 3 : 40;
        for (int i = 0; i < linee; ++i) {
            const float v = float(caso() % 129);
            if (caso() % 2)
                q.p.Line(v, 1, v, 128, 0xFFFFFFFF);
            else
                q.p.Line(1, v, 128, v, 0xFF00FF00);
        }
        q.p.setDrawMode(PictureBox::Penna::Copia);
        q.p.Line(3, 5, 100, 90, 0xFFFF0000); // slanted: drawn by the painter
        ASSERT_EQ(schermo(), q.p.immagine().convertToFormat(QImage::Format_RGB32)) << "giro " << giro;
    }
}
