#include "Decodifica.h"
#include "Risposte.h"

#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {
const QLocale Inglese(QLocale::English, QLocale::UnitedStates);
LetturaTester Leggi(const std::string& r, int soglia = 130, const std::string& comando = "s")
{
    return DecodificaRisposta(r, uint8_t(soglia), comando, Inglese);
}
const QString Vite = " Encoder [ VITE TELAIO ]  : Passo conteggio negato = ";
const QString Motore = " Encoder [ MOTORE CV ]  : Passo conteggio diretto = ";
} // namespace

TEST(DecodificaSensori, BitsStepAndStatusRowForBothEncoders)
{
    struct Caso {
        std::array<int, 7> sensori;
        int soglia, gray;
        QString vite, motore;
    };
    const Caso casi[] = {
        {{130, 131, 131, 131, 131, 131, 131}, 130, 1, "126", "1"}, // equality reads 1
        {{Alto, Alto, Alto, Alto, Alto, Alto, Alto}, 130, 0, "127", "0"},
        {{Basso, Basso, Basso, Basso, Basso, Basso, Basso}, 130, 127, "42", "85"},
        {{Alto, Alto, Alto, Alto, Alto, Alto, Basso}, 130, 64, "0", "127"},
        {{0, 1, 255, 0, 1, 1, 1}, 0, 9, "113", "14"},
        {{255, 0, 255, 128, 127, 254, 255}, 255, 127, "42", "85"},
        // Counts past 127 must not read as negative.
        {{200, 128, 255, Basso, Basso, Basso, Basso}, 130, 122, "44", "83"},
    };
    for (const auto& c : casi) {
        const auto r = Risposta(c.sensori);
        auto m = Leggi(r, c.soglia, "m");
        EXPECT_EQ(m.codiceGray, c.gray);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(m.valore[i], c.sensori[i]);
            EXPECT_EQ(m.coloreBit[i], (c.gray >> i) & 1 ? QColor(0, 255, 0) : QColor(255, 0, 0));
        }
        EXPECT_EQ(m.testoStato, Vite + c.vite);
        EXPECT_EQ(m.coloreStato, QColor(0, 255, 0));
        for (std::string altro : {"s", "@", "M", "mm", ""})
            EXPECT_EQ(Leggi(r, c.soglia, altro).testoStato, Motore + c.motore) << altro;
    }
}

TEST(DecodificaSuggerimenti, SensorVoltsAndThresholdInBothLocales)
{
    const auto r = Risposta({130, 51, 0, 255, 1, 10, 100});
    auto it = DecodificaRisposta(r, 130, "s", QLocale(QLocale::Italian, QLocale::Italy));
    auto en = Leggi(r);
    EXPECT_EQ(it.suggerimento[0], " Bit 0 Volt =  2.548 Soglia di commutazione = 2,6");
    EXPECT_EQ(en.suggerimento[0], " Bit 0 Volt =  2.548 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[1], " Bit 1 Volt =  .9996 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[2], " Bit 2 Volt =  0 Soglia di commutazione = 2.6");
    EXPECT_TRUE(Leggi(r, 250).suggerimento[0].endsWith("= 5"));
    EXPECT_TRUE(Leggi(r, 45).suggerimento[0].endsWith("= 0.9"));
}

TEST(DecodificaAlimentazione, TextsAndCheckAcrossTheWholeRange)
{
    struct Caso {
        int conteggio;
        QString volt, corrente;
        bool buona;
    };
    const Caso casi[] = {
        {0, " 0", " 22.05", false},         {59, " 4.9678", " 14.75", false},  {60, " 5.052", " 14.62", true},
        {95, " 7.999", " 10.29", true},     {130, " 10.946", " 5.961", true},  {131, " 11.0302", " 5.836", false},
        {178, " 14.9876", " .0176", false}, {255, " 21.471", "-9.516", false},
    };
    for (const auto& c : casi) {
        auto l = Leggi(Risposta({Basso, Basso, Basso, Basso, Basso, Basso, Basso}, c.conteggio), 130, "m");
        EXPECT_EQ(l.valore[7], c.conteggio);
        EXPECT_EQ(l.suggerimento[7], " Alimentazione emettitori IR Volt = " + c.volt + " MilliAmper.= " + c.corrente +
                                         "  *** Valore ideale Volt.= 8 : Ma. = 11  ");
        EXPECT_EQ(l.coloreStato, c.buona ? QColor(0, 255, 0) : QColor(255, 0, 0)) << c.conteggio;
        EXPECT_EQ(l.testoStato, c.buona ? Vite + "42" : "Alimentazione fotoemettitori non corretta ");
    }
}

TEST(DecodificaLunghezza, CharactersAfterTheEighthChangeNothing)
{
    const auto r = Risposta({Basso, Alto, Basso, Alto, 130, 131, 0}, 95);
    auto otto = Leggi(r, 130, "m");
    auto lunga = Leggi(r + std::string("\x05\xff\0zz", 5), 130, "m");
    EXPECT_EQ(lunga.suggerimento, otto.suggerimento);
    EXPECT_EQ(lunga.testoStato, otto.testoStato);
}
