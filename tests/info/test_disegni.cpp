#include "Disegni.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace corsa;

namespace {

int ColoriDiversi(const QImage& img)
{
    QSet<QRgb> c;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            c.insert(img.pixel(x, y));
    return c.size();
}

double Quota(const QImage& img, const QRect& r, const std::function<bool(QColor)>& vale)
{
    int n = 0, tot = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x, ++tot)
            n += vale(img.pixelColor(x, y));
    return tot ? double(n) / tot : 0;
}

bool Scuro(QColor c) { return c.lightness() < 90; }
bool Bianco(QColor c) { return c.red() > 245 && c.green() > 245 && c.blue() > 245; }

QStringList Tutte(const std::vector<Scritta>& s)
{
    QStringList t;
    for (const auto& x : s)
        t << x.righe.join(" / ");
    return t;
}

// Every text inside the picture, inside its box, and no box over another.
void ControllaImpaginazione(const std::vector<Scritta>& scritte, QRect dentro)
{
    for (size_t i = 0; i < scritte.size(); ++i) {
        const Scritta& s = scritte[i];
        const std::string nome = s.righe.join(" / ").toStdString();
        EXPECT_TRUE(dentro.contains(s.riquadro)) << nome;
        const QFontMetricsF fm(s.carattere);
        const double lungo = s.verticale ? s.riquadro.height() : s.riquadro.width();
        const double alto = s.verticale ? s.riquadro.width() : s.riquadro.height();
        for (const QString& r : s.righe)
            EXPECT_LE(fm.horizontalAdvance(r) + 6, lungo) << "troppo lunga: " << r.toStdString();
        EXPECT_LE(fm.height() * s.righe.size(), alto + 1) << nome;
        if (s.punta) {
            EXPECT_TRUE(dentro.contains(s.bersaglio.toPoint())) << nome;
        }
        for (size_t j = i + 1; j < scritte.size(); ++j)
            EXPECT_FALSE(s.riquadro.intersects(scritte[j].riquadro))
                << nome << " sopra " << scritte[j].righe.join(" / ").toStdString();
    }
}

// The text of a box really reaches the picture.
void ControllaTestiDipinti(const QImage& img, const std::vector<Scritta>& scritte)
{
    for (const auto& s : scritte)
        EXPECT_GT(Quota(img, s.riquadro.adjusted(2, 2, -2, -2), Scuro), 0.03) << s.righe.join(" / ").toStdString();
}

} // namespace

TEST(Disegni, TrasmissioneAllaSuaMisuraConCorniceBlu)
{
    const QImage img = DisegnoTrasmissione();
    ASSERT_EQ(img.size(), QSize(683, 430));
    EXPECT_GT(ColoriDiversi(img), 50);
    for (QPoint p : {QPoint(1, 1), QPoint(341, 1), QPoint(681, 428), QPoint(1, 215), QPoint(681, 215)})
        EXPECT_EQ(img.pixelColor(p), QColor(0, 0, 255)) << p.x() << "," << p.y();
    // A white field, but not an empty one.
    const double bianco = Quota(img, img.rect().adjusted(4, 4, -4, -4), Bianco);
    EXPECT_GT(bianco, 0.4);
    EXPECT_LT(bianco, 0.9);
}

TEST(Disegni, TrasmissioneConTutteLeScritte)
{
    EXPECT_EQ(Tutte(ScritteTrasmissione()),
              (QStringList{"Motore di trazione / Z28 3/8", "Biella primaria / Z20 3/8", "Biella secondaria / Z20 3/8",
                           "Galoppino / Z40 3/8 in asse / con pignone / Z12 modulo 1",
                           "Ingranaggio Z120 modulo 1 / rapporto finale = 20 giri bielle / pari ad un giro di encoder",
                           "La freccia indica la direzione allarga", "Valido per tutti i telai PARVELL tipo G"}));
    ControllaImpaginazione(ScritteTrasmissione(), QRect(3, 3, 677, 424));
    ControllaTestiDipinti(DisegnoTrasmissione(), ScritteTrasmissione());
    for (const auto& s : ScritteTrasmissione()) {
        if (s.punta) {
            EXPECT_FALSE(s.riquadro.contains(s.bersaglio.toPoint())) << "il richiamo non punta fuori";
        }
    }
}

TEST(Disegni, CavoAllaSuaMisuraNeroSuBianco)
{
    const QImage img = DisegnoCavo();
    ASSERT_EQ(img.size(), QSize(251, 189));
    EXPECT_GT(Quota(img, img.rect(), Bianco), 0.6);
    EXPECT_GT(Quota(img, img.rect(), Scuro), 0.05);
    // Line art only: nothing coloured.
    EXPECT_EQ(Quota(img, img.rect(), [](QColor c) { return c.saturation() > 40; }), 0);
    EXPECT_EQ(Tutte(ScritteCavo()),
              (QStringList{"DB 9 female", "DB 9 female", "Cavo per la connessione / 2 Prese db9 femmina"}));
    ControllaImpaginazione(ScritteCavo(), img.rect());
    ControllaTestiDipinti(img, ScritteCavo());
}

TEST(Disegni, FotoUsbGiallaConCavoEAdattatore)
{
    const QImage img = FotoAdattatoreUsb();
    ASSERT_EQ(img.size(), QSize(357, 244));
    EXPECT_GT(ColoriDiversi(img), 200);
    auto giallo = [](QColor c) { return c.red() > 200 && c.green() > 150 && c.blue() < 110; };
    for (QPoint p : {QPoint(2, 2), QPoint(354, 2), QPoint(2, 241)})
        EXPECT_TRUE(giallo(img.pixelColor(p))) << p.x() << "," << p.y();
    EXPECT_GT(Quota(img, img.rect(), giallo), 0.4);
    EXPECT_GT(Quota(img, img.rect(),
                    [](QColor c) { return c.saturation() < 30 && c.lightness() > 100 && c.lightness() < 200; }),
              0.08)
        << "cavo grigio";
    EXPECT_GT(Quota(img, img.rect(), [](QColor c) { return c.saturation() < 30 && c.lightness() > 235; }), 0.01)
        << "adattatore bianco";
}
