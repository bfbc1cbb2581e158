#include "Decodifica.h"
#include "Risposte.h"

#include <gtest/gtest.h>

using namespace corsa;
using namespace corsa::test;

namespace {

const QLocale Inglese(QLocale::English, QLocale::UnitedStates);
const QLocale Italiano(QLocale::Italian, QLocale::Italy);

LetturaTester Leggi(const std::string& r, int soglia = 130, const std::string& comando = "s")
{
    return DecodificaRisposta(r, uint8_t(soglia), comando, Inglese);
}

const QString Vite = QStringLiteral(" Encoder [ VITE TELAIO ]  : Passo conteggio negato = ");
const QString Motore = QStringLiteral(" Encoder [ MOTORE CV ]  : Passo conteggio diretto = ");
const QString Guasto = QStringLiteral("Alimentazione fotoemettitori non corretta ");

} // namespace

TEST(DecodificaGray, ExamplesAndEveryCodeRoundTrips)
{
    const std::pair<int, int> casi[] = {{0, 0}, {1, 1}, {3, 2}, {2, 3}, {6, 4}, {64, 127}, {127, 85}};
    for (auto [codice, atteso] : casi) {
        int v = codice;
        DecodificaGray(v);
        EXPECT_EQ(v, atteso) << "codice " << codice;
    }
    for (int b = 0; b < 128; ++b) {
        int v = b ^ (b >> 1);
        DecodificaGray(v);
        EXPECT_EQ(v, b);
    }
}

TEST(DecodificaSensori, CountEqualToThresholdReadsOneAndOneAboveReadsZero)
{
    auto l = Leggi(Risposta({130, 131, Alto, Alto, Alto, Alto, Alto}, AlimentazioneBuona));
    EXPECT_EQ(l.coloreBit[0], QColor(0, 255, 0));
    EXPECT_EQ(l.coloreBit[1], QColor(255, 0, 0));
    EXPECT_EQ(l.codiceGray, 1);
}

TEST(DecodificaSensori, StepAndStatusRowForBothEncoders)
{
    struct Caso {
        std::array<int, 7> sensori;
        int gray, passo;
        QString vite, motore;
    };
    const Caso casi[] = {
        {{Alto, Alto, Alto, Alto, Alto, Alto, Alto}, 0, 0, "127", "0"},
        {{Basso, Basso, Basso, Basso, Basso, Basso, Basso}, 127, 85, "42", "85"},
        {{Alto, Alto, Alto, Alto, Alto, Alto, Basso}, 64, 127, "0", "127"},
        {{Basso, Alto, Alto, Alto, Alto, Alto, Alto}, 1, 1, "126", "1"},
        {{Alto, Basso, Basso, Alto, Alto, Alto, Alto}, 6, 4, "123", "4"},
    };
    for (const auto& c : casi) {
        auto m = Leggi(Risposta(c.sensori, AlimentazioneBuona), 130, "m");
        EXPECT_EQ(m.codiceGray, c.gray);
        EXPECT_EQ(m.passo, c.passo);
        EXPECT_EQ(m.testoStato, Vite + c.vite);
        EXPECT_EQ(m.coloreStato, QColor(0, 255, 0));
        auto s = Leggi(Risposta(c.sensori, AlimentazioneBuona), 130, "s");
        EXPECT_EQ(s.testoStato, Motore + c.motore);
    }
}

TEST(DecodificaSensori, AnyCommandButExactlyLowerCaseMShowsTheMotor)
{
    const auto r = Risposta(Basso, AlimentazioneBuona);
    for (std::string comando : {"@", "s", "e", "M", "mm", "", "m "})
        EXPECT_EQ(Leggi(r, 130, comando).testoStato, Motore + "85") << comando;
}

TEST(DecodificaSensori, ThresholdsZeroAndFullScale)
{
    auto zero = Leggi(Risposta({0, 1, 255, 0, 1, 1, 1}, AlimentazioneBuona), 0);
    EXPECT_EQ(zero.codiceGray, 1 + 8);
    auto piena = Leggi(Risposta({255, 0, 255, 128, 127, 254, 255}, AlimentazioneBuona), 255);
    EXPECT_EQ(piena.codiceGray, 127);
    for (const QColor& c : piena.coloreBit)
        EXPECT_EQ(c, QColor(0, 255, 0));
}

TEST(DecodificaSensori, CountsAboveOneHundredTwentySevenAreNotNegative)
{
    // A signed reading of the reply would turn 200 into a count below any threshold.
    auto l = Leggi(Risposta({200, 128, 255, Basso, Basso, Basso, Basso}, 178));
    EXPECT_EQ(l.valore[0], 200);
    EXPECT_EQ(l.valore[1], 128);
    EXPECT_EQ(l.valore[2], 255);
    EXPECT_EQ(l.valore[7], 178);
    EXPECT_EQ(l.coloreBit[0], QColor(255, 0, 0));
    EXPECT_EQ(l.codiceGray, 2 + 8 + 16 + 32 + 64);
}

TEST(DecodificaSuggerimenti, SensorVoltsAndThresholdInBothLocales)
{
    const auto r = Risposta({130, 51, 0, 255, 1, 10, 100}, AlimentazioneBuona);
    auto it = DecodificaRisposta(r, 130, "s", Italiano);
    auto en = DecodificaRisposta(r, 130, "s", Inglese);
    EXPECT_EQ(it.suggerimento[0], " Bit 0 Volt =  2.548 Soglia di commutazione = 2,6");
    EXPECT_EQ(en.suggerimento[0], " Bit 0 Volt =  2.548 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[1], " Bit 1 Volt =  .9996 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[2], " Bit 2 Volt =  0 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[3], " Bit 3 Volt =  4.998 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[4], " Bit 4 Volt =  .0196 Soglia di commutazione = 2.6");
    EXPECT_EQ(en.suggerimento[6], " Bit 6 Volt =  1.96 Soglia di commutazione = 2.6");
    // Whole volts and a zero threshold carry no separator at all.
    EXPECT_TRUE(DecodificaRisposta(r, 250, "s", Italiano).suggerimento[0].endsWith("= 5"));
    EXPECT_TRUE(DecodificaRisposta(r, 0, "s", Italiano).suggerimento[0].endsWith("= 0"));
    EXPECT_TRUE(DecodificaRisposta(r, 45, "s", Italiano).suggerimento[0].endsWith("= 0,9"));
}

TEST(DecodificaAlimentazione, TextsAndCheckAcrossTheWholeRange)
{
    const QString coda = "  *** Valore ideale Volt.= 8 : Ma. = 11  ";
    struct Caso {
        int conteggio;
        QString volt, corrente;
        bool buona;
    };
    const Caso casi[] = {
        {0, " 0", " 22.05", false},
        {59, " 4.9678", " 14.75", false},
        {60, " 5.052", " 14.62", true},
        {95, " 7.999", " 10.29", true},
        {130, " 10.946", " 5.961", true},
        {131, " 11.0302", " 5.836", false},
        {178, " 14.9876", " .0176", false},
        {255, " 21.471", "-9.516", false},
    };
    for (const auto& c : casi) {
        auto l = Leggi(Risposta(Basso, c.conteggio), 130, "m");
        EXPECT_EQ(l.valore[7], c.conteggio);
        EXPECT_EQ(l.suggerimento[7], " Alimentazione emettitori IR Volt = " + c.volt
                                         + " MilliAmper.= " + c.corrente + coda)
            << c.conteggio;
        EXPECT_EQ(l.alimentazioneCorretta, c.buona) << c.conteggio;
        if (c.buona) {
            EXPECT_EQ(l.coloreStato, QColor(0, 255, 0));
            EXPECT_EQ(l.testoStato, Vite + "42");
        } else {
            EXPECT_EQ(l.coloreStato, QColor(255, 0, 0)) << c.conteggio;
            EXPECT_EQ(l.testoStato, Guasto) << c.conteggio;
        }
    }
}

TEST(DecodificaLunghezza, CharactersAfterTheEighthChangeNothing)
{
    const auto r = Risposta({Basso, Alto, Basso, Alto, 130, 131, 0}, 100);
    auto otto = Leggi(r, 130, "m");
    auto lunga = Leggi(r + std::string("\x05\xff\0zz", 5), 130, "m");
    EXPECT_EQ(lunga.valore, otto.valore);
    EXPECT_EQ(lunga.suggerimento, otto.suggerimento);
    EXPECT_EQ(lunga.coloreBit, otto.coloreBit);
    EXPECT_EQ(lunga.testoStato, otto.testoStato);
    EXPECT_EQ(lunga.coloreStato, otto.coloreStato);
}

TEST(DecodificaLunghezza, AShortReplyCoversOnlyTheRowsItHolds)
{
    const auto piena = Risposta({Basso, Alto, Basso, Basso, Alto, Alto, Basso}, 255);
    for (std::size_t n = 0; n < 8; ++n) {
        auto l = Leggi(piena.substr(0, n));
        EXPECT_EQ(l.sensoriLetti, int(n));
        EXPECT_FALSE(l.alimentazioneLetta);
        EXPECT_TRUE(l.testoStato.isEmpty());
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(l.valore[i], static_cast<unsigned char>(piena[i]));
            EXPECT_FALSE(l.suggerimento[i].isEmpty());
        }
    }
    auto otto = Leggi(piena);
    EXPECT_EQ(otto.sensoriLetti, 7);
    EXPECT_TRUE(otto.alimentazioneLetta);
}
