#include "Telai.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace corsa;

namespace {

const char* const Righe[NumeroTelai] = {
    " Telaio  9G  rapporto 1/1,5     tipico vite Z 10   encoder Z 15 ",
    " Telaio  12G  rapporto 1/2     tipico vite Z 10   encoder Z 20 ",
    " Telaio  15G  rapporto 1/2,5     tipico vite Z 8   encoder Z 20 ",
    " Telaio  18G  rapporto 1/3     tipico vite Z 8   encoder Z 24 ",
    " Telaio  21G  rapporto 1/3,5     tipico vite Z 8   encoder Z 28 ",
    " Telaio  24G  rapporto 1/4     tipico vite Z8   encoder Z 32 ",
    " Telaio  27G  rapporto 1/4,5     tipico vite Z 8   encoder Z 36 ",
    " Telaio  30G  rapporto 1/5     tipico vite Z 8   encoder Z 40 ",
    " Telaio  33G  rapporto 1/5,5     tipico vite Z 8   encoder Z 44 ",
};

} // namespace

TEST(Telai, OgniRigaParolaPerParola)
{
    for (int i = 0; i < NumeroTelai; ++i)
        EXPECT_EQ(TestoTelaio(i).value_or("<niente>").toStdString(), Righe[i]) << "indice " << i;
}

// The stored texts must agree with the mechanics: for gauge n the ratio is
// 1 to n/6 and the encoder has the screw's teeth times n/6.
TEST(Telai, RigheCoerentiConLaVoceEIlRapporto)
{
    const QRegularExpression forma(
        QStringLiteral("^ Telaio  (\\d+)G  rapporto 1/(\\d+)(?:,(5))?     tipico vite Z ?(\\d+)   encoder Z (\\d+) $"));
    const QStringList voci = VociTelai();
    for (int i = 0; i < NumeroTelai; ++i) {
        const QString riga = *TestoTelaio(i);
        const auto m = forma.match(riga);
        ASSERT_TRUE(m.hasMatch()) << riga.toStdString();
        const int calibro = m.captured(1).toInt();
        EXPECT_EQ(voci[i], QString::number(calibro) + " G");
        const double rapporto = m.captured(2).toInt() + (m.captured(3).isEmpty() ? 0.0 : 0.5);
        EXPECT_DOUBLE_EQ(rapporto, calibro / 6.0) << riga.toStdString();
        EXPECT_DOUBLE_EQ(m.captured(5).toInt(), m.captured(4).toInt() * calibro / 6.0) << riga.toStdString();
    }
    // Only the 24 G row writes the screw without a blank.
    for (int i = 0; i < NumeroTelai; ++i)
        EXPECT_EQ(TestoTelaio(i)->contains("vite Z8 "), i == 5) << i;
}

TEST(Telai, IndiceFuoriListaNonDaTesto)
{
    for (int i : {-1, NumeroTelai, 100, -2147483647 - 1, 2147483647})
        EXPECT_FALSE(TestoTelaio(i).has_value()) << i;
}
