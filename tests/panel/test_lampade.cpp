#include "Editori.h"
#include "Lampade.h"

#include <gtest/gtest.h>

using namespace corsa;

namespace {

struct Sequenza {
    QString rotazione;
    std::array<Lampada, 5> applica(uint8_t s) { return CalcolaLampade(s, rotazione); }
};

} // namespace

TEST(Lampade, StatoZeroDopoLAvvio)
{
    Sequenza q;
    const auto l = q.applica(0);
    const char* testi[] = {" Motore fermo", " Allarga", "  Nessun stop", "Estra corsa libero ", "Rotazione corretta"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(l[i].testo, QString::fromLatin1(testi[i]));
        EXPECT_EQ(l[i].colore, QColor(0, 128, 0));
    }
    EXPECT_EQ(q.rotazione, QStringLiteral("Rotazione invertita"));
    // Bits 0x01 and 0x02 are shown nowhere.
    Sequenza r;
    r.applica(0);
    const auto m = r.applica(0x03);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(m[i].testo, l[i].testo);
}

TEST(Lampade, LaCausaDellaRotazioneSiRicorda)
{
    Sequenza q;
    q.applica(0); // the start-up's redraw
    auto l = q.applica(0x60);
    EXPECT_EQ(l[4].testo, QStringLiteral("Bloccato fc inserito"));
    EXPECT_EQ(l[4].colore, QColor(192, 0, 0));
    l = q.applica(0x40);
    EXPECT_EQ(l[4].testo, QStringLiteral("Bloccato fc inserito"));
    EXPECT_EQ(l[3].testo, QStringLiteral("Estra corsa libero "));
    EXPECT_EQ(l[3].colore, QColor(0, 128, 0));
    l = q.applica(0x00);
    EXPECT_EQ(l[4].testo, QStringLiteral("Rotazione corretta"));
    EXPECT_EQ(l[4].colore, QColor(0, 128, 0));
    l = q.applica(0x40);
    EXPECT_EQ(l[4].testo, QStringLiteral("Rotazione invertita"));
    EXPECT_EQ(l[4].colore, QColor(192, 0, 0));
}

TEST(Lampade, ExtraCorsaSenzaRotazioneInvertita)
{
    Sequenza q;
    q.applica(0);
    const auto l = q.applica(0x20);
    EXPECT_EQ(l[3].testo, QStringLiteral(" Estra corsa inserito"));
    EXPECT_EQ(l[3].colore, QColor(192, 0, 0));
    EXPECT_EQ(l[4].testo, QStringLiteral("Rotazione corretta"));
    EXPECT_EQ(q.rotazione, QStringLiteral("Rotazione invertita"));
}

TEST(Lampade, MancaIlClockPrevaleSullaRotazione)
{
    Sequenza q;
    q.applica(0);
    auto l = q.applica(0x80);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(l[i].colore, QColor(0, 128, 0));
    EXPECT_EQ(l[4].testo, QStringLiteral("Manca il clock dal plc"));
    EXPECT_EQ(l[4].colore, QColor(255, 0, 255));
    l = q.applica(0);
    EXPECT_EQ(l[4].testo, QStringLiteral("Rotazione corretta"));

    l = q.applica(0xFF);
    const char* accesi[] = {" Motore in marcia", " Stringe", " Stop di sicurezza", " Estra corsa inserito"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(l[i].testo, QString::fromLatin1(accesi[i]));
        EXPECT_EQ(l[i].colore, QColor(192, 0, 0));
    }
    EXPECT_EQ(l[4].testo, QStringLiteral("Manca il clock dal plc"));
    EXPECT_EQ(q.rotazione, QStringLiteral("Bloccato fc inserito"));
    // The same status again changes nothing.
    const auto ancora = q.applica(0xFF);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ancora[i].testo, l[i].testo);
    EXPECT_EQ(q.rotazione, QStringLiteral("Bloccato fc inserito"));
}

// Editor rules: the test is made before the step and the step made in full.
TEST(Editori, LimitiDiOgniEditore)
{
    struct Caso {
        RegolaEditore r;
        int pulsante;
        int prima;
        int dopo;
    };
    const Caso casi[] = {
        {RegolaSoglia, 1, 248, 253},     {RegolaSoglia, 2, 6, 1},         {RegolaSoglia, 1, 249, 249},
        {RegolaValore(10), 1, 117, 127}, {RegolaValore(10), 1, 118, 118}, {RegolaValore(1), 1, 118, 119},
        {RegolaValore(10), 2, 9, 9},     {RegolaValore(10), 2, 10, 0},    {RegolaValore(10), 2, 200, 190},
        {RegolaValore(10), 1, 200, 200}, {RegolaValore(1), 2, 0, 0},      {RegolaValore(1), 1, 127, 127},
        {RegolaTolleranza, 2, 1, 1},     {RegolaTolleranza, 1, 16, 16},   {RegolaMassimo, 2, 90, 90},
        {RegolaMassimo, 1, 126, 127},    {RegolaMinimo, 2, 0, 0},         {RegolaMinimo, 1, 60, 60},
        {RegolaPuntatore, 1, 128, 128},  {RegolaRitardo, 1, 250, 250},    {RegolaRitardo, 2, 1, 1},
        {RegolaSicura(3), 2, 5, 4},      {RegolaSicura(3), 2, 4, 4},      {RegolaSicura(16), 2, 17, 17},
        {RegolaSicura(16), 1, 17, 17},   {RegolaSoglia, 4, 130, 130},     {RegolaRitardo, 2, 255, 254},
    };
    for (const auto& c : casi) {
        uint8_t v = uint8_t(c.prima);
        PassoEditore(c.r, c.pulsante, v);
        EXPECT_EQ(int(v), c.dopo) << "pulsante " << c.pulsante << " da " << c.prima;
    }
}

TEST(Editori, LaSicuraStaSopraLaTolleranza)
{
    uint8_t sic = 16;
    AccoppiaSicura(16, sic);
    EXPECT_EQ(sic, 17);
    sic = 5;
    AccoppiaSicura(3, sic);
    EXPECT_EQ(sic, 5);
    sic = 10;
    AccoppiaSicura(255, sic); // no byte above 255: the safety stops there
    EXPECT_EQ(sic, 255);
}
