#include "Protocollo.h"

#include <gtest/gtest.h>

#include <random>

using namespace corsa;

namespace {

struct CasoComando {
    const std::string* comando;
    uint8_t byte;
};

TEST(Comandi, OgniComandoEUnSoloByteDelValoreGiusto)
{
    const CasoComando casi[] = {
        {&ComandoStato, 0x40},         {&ComandoReset, 0x72},           {&ComandoLeggiPosizione, 0xA3},
        {&ComandoLeggiVelocita, 0x25}, {&ComandoScriviPosizione, 0x24}, {&ComandoScriviVelocita, 0x23},
        {&ComandoResetSicure, 0x7C},   {&ComandoTestVite, 0x6D},        {&ComandoTestMotore, 0x73},
        {&ComandoScriviEeprom, 0x77},  {&ComandoVersione, 0x76},        {&ComandoNessuno, 0x65},
    };
    for (const auto& c : casi) {
        const QByteArray b = BytesComando(*c.comando);
        ASSERT_EQ(b.size(), 1) << int(c.byte);
        EXPECT_EQ(static_cast<uint8_t>(b[0]), c.byte);
    }
}

Stato ImmagineDistinta()
{
    Stato s;
    for (int i = 0; i <= 140; ++i)
        s.MatricePosizione[i] = static_cast<uint8_t>(i + 1);
    for (int i = 0; i <= 128; ++i)
        s.MatriceVelocita[i] = static_cast<uint8_t>(200 - i);
    return s;
}

TEST(Blocchi, PosizioneSono139DatiDa1PoiUnSoloCR)
{
    Stato s = ImmagineDistinta();
    s.MatricePosizione[5] = 13;
    s.MatricePosizione[6] = 255;
    s.MatricePosizione[7] = 10;
    const QByteArray b = BloccoPosizione(s);
    ASSERT_EQ(b.size(), 140);
    EXPECT_EQ(b.back(), '\r');
    for (int i = 1; i <= 139; ++i)
        EXPECT_EQ(static_cast<uint8_t>(b[i - 1]), s.MatricePosizione[i]) << i;
    EXPECT_EQ(static_cast<uint8_t>(b[4]), 13);
    EXPECT_EQ(static_cast<uint8_t>(b[5]), 255);
}

TEST(Blocchi, VelocitaSono127DatiDa1PoiUnSoloCR)
{
    Stato s = ImmagineDistinta();
    s.MatriceVelocita[127] = 13;
    const QByteArray b = BloccoVelocita(s);
    ASSERT_EQ(b.size(), 128);
    EXPECT_EQ(b.back(), '\r');
    for (int i = 1; i <= 127; ++i)
        EXPECT_EQ(static_cast<uint8_t>(b[i - 1]), s.MatriceVelocita[i]) << i;
}

TEST(Blocchi, ConfermaEeprom) { EXPECT_EQ(ConfermaEeprom(), QByteArray("\x53\x63\x72\x69\x76\x6F\x0D")); }

TEST(Giudizio, LunghezzaMinimaPerComando)
{
    struct Caso {
        const std::string* comando;
        int minimo;
    };
    const Caso casi[] = {{&ComandoStato, 4},
                         {&ComandoTestVite, 4},
                         {&ComandoTestMotore, 4},
                         {&ComandoLeggiPosizione, 138},
                         {&ComandoLeggiVelocita, 127}};
    for (const auto& c : casi) {
        EXPECT_FALSE(RispostaValida(*c.comando, QByteArray(c.minimo - 1, 'x'))) << c.minimo;
        EXPECT_TRUE(RispostaValida(*c.comando, QByteArray(c.minimo, 'x'))) << c.minimo;
        EXPECT_TRUE(RispostaValida(*c.comando, QByteArray(150, '\xFF'))) << c.minimo;
    }
    // Characters count whatever they are: NUL and 0xFF too.
    EXPECT_TRUE(RispostaValida(ComandoStato, QByteArray("\0\0\xFF\0", 4)));
    // Commands judged by a word, or not at all, never pass on length.
    for (const auto* c : {&ComandoScriviEeprom, &ComandoVersione, &ComandoReset, &ComandoNessuno})
        EXPECT_FALSE(RispostaValida(*c, QByteArray(150, 'x')));
}

TEST(Giudizio, ParolaOvunqueMaConMaiuscoleEsatte)
{
    struct Caso {
        QByteArray risposta;
        QByteArray parola;
        bool attesa;
    };
    const Caso casi[] = {
        {"okEeprom", ParolaEeprom, true},
        {"\r\nxx okEeprom\r\n", ParolaEeprom, true},
        {QByteArray("\0\xFFokEeprom", 10), ParolaEeprom, true},
        {"OKEEPROM", ParolaEeprom, false},
        {"okeeprom", ParolaEeprom, false},
        {"okEepro", ParolaEeprom, false},
        {"", ParolaEeprom, false},
        {"REV", ParolaVersione, true},
        {"xx SIM REV 2.1", ParolaVersione, true},
        {"rev 2.1", ParolaVersione, false},
        {"Rev 2.1", ParolaVersione, false},
        {"RE V", ParolaVersione, false},
    };
    for (const auto& c : casi)
        EXPECT_EQ(ContieneParola(c.risposta, c.parola), c.attesa) << c.risposta.toStdString();
}

TEST(Caricamento, StatoUsaSoloIPrimiQuattro)
{
    Stato s;
    s.StatoChip = {9, 9, 9, 9, 9};
    EXPECT_FALSE(CaricaStato(s, QByteArray("\x01\x02\x03", 3)));
    EXPECT_EQ(s.StatoChip, (std::array<uint8_t, 5>{9, 9, 9, 9, 9}));
    EXPECT_TRUE(CaricaStato(s, QByteArray("\x01\x02\xFF\x04\x05\x06", 6)));
    EXPECT_EQ(s.StatoChip, (std::array<uint8_t, 5>{9, 1, 2, 255, 4}));
}

TEST(Caricamento, RispostaCortaLasciaGliIndiciOltre)
{
    Stato s = ImmagineDistinta();
    const Stato prima = s;
    EXPECT_EQ(CaricaBloccoPosizione(s, QByteArray(138, '\xFF')), 138);
    for (int i = 1; i <= 138; ++i)
        EXPECT_EQ(s.MatricePosizione[i], 255);
    EXPECT_EQ(s.MatricePosizione[0], prima.MatricePosizione[0]);
    EXPECT_EQ(s.MatricePosizione[139], prima.MatricePosizione[139]);
    EXPECT_EQ(s.MatricePosizione[140], prima.MatricePosizione[140]);
}

// The images sit side by side in Stato: a load that ran past its image's end
// would show up in its neighbour.
TEST(Caricamento, RispostaDi150NonScriveOltreLImmagine)
{
    Stato s = ImmagineDistinta();
    const Stato prima = s;
    QByteArray r(150, '\0');
    for (int i = 0; i < 150; ++i)
        r[i] = static_cast<char>(0x80 + i % 64);
    EXPECT_EQ(CaricaBloccoPosizione(s, r), 140);
    EXPECT_EQ(s.MatricePosizione[140], static_cast<uint8_t>(r[139]));
    EXPECT_EQ(s.MatricePosizione[0], prima.MatricePosizione[0]);
    EXPECT_EQ(s.MatriceVelocita, prima.MatriceVelocita);

    EXPECT_EQ(CaricaBloccoVelocita(s, r), 128);
    EXPECT_EQ(s.MatriceVelocita[128], static_cast<uint8_t>(r[127]));
    EXPECT_EQ(s.MatriceVelocita[0], prima.MatriceVelocita[0]);
    EXPECT_EQ(s.CopiaPosizione, prima.CopiaPosizione);
}

TEST(Caricamento, QualsiasiRispostaRestaNeiConfini)
{
    std::mt19937 g(7);
    for (int giro = 0; giro < 500; ++giro) {
        Stato s = ImmagineDistinta();
        const Stato prima = s;
        const int n = static_cast<int>(g() % 400);
        QByteArray r(n, '\0');
        for (auto& c : r)
            c = static_cast<char>(g());
        EXPECT_EQ(CaricaBloccoPosizione(s, r), std::min(n, 140));
        EXPECT_EQ(CaricaBloccoVelocita(s, r), std::min(n, 128));
        EXPECT_EQ(s.MatricePosizione[0], prima.MatricePosizione[0]);
        EXPECT_EQ(s.MatriceVelocita[0], prima.MatriceVelocita[0]);
        EXPECT_EQ(s.CopiaPosizione, prima.CopiaPosizione);
        EXPECT_EQ(s.CopiaVelocita, prima.CopiaVelocita);
    }
}

} // namespace
