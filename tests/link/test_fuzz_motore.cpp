// The engine under random replies, random requests, random box answers and
// a port that comes and goes: it must never crash, never write outside the
// images, never put anything on the line but commands, blocks and the
// confirmation, and always stay in one of its own states.
#include "BancoMotore.h"
#include "testenco.h"

#include <QCoreApplication>

#include <cstdio>
#include <random>
#include <set>

using namespace corsa;
using namespace corsa::test;

namespace {

const std::vector<std::string> Validi{"@", "r", "\xA3", "%", "$", "#", "|", "m", "s", "w", "v", "e"};
const std::vector<std::string> Spazzatura{"", "64", "x", "\xC2\xA3", "@@", "\xFF", "V", std::string(1, '\0')};

bool Valido(const std::string& c) { return std::find(Validi.begin(), Validi.end(), c) != Validi.end(); }

// What may go on the line in one write.
bool ScritturaAmmessa(const QByteArray& d)
{
    if (d.size() == 1)
        return Valido(d.toStdString()) && d != "e";
    if (d == "Scrivo\r")
        return true;
    return (d.size() == 140 || d.size() == 128) && d.endsWith('\r');
}

TEST(Fuzz, RisposteRichiesteERisposteDeiBoxACaso)
{
    Banco b;
    Stato& s = b.s();
    std::mt19937 rng(20240611u);
    auto caso = [&](int n) { return int(rng() % unsigned(n)); };
    auto probabile = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };

    // The real tester decodes the replies, behind a check of what it gets.
    b.p.enco_Click();
    ASSERT_NE(b.p.tester(), nullptr);
    auto decodifica = b.p.motore.LeggoAdc;
    long decodifiche = 0;
    b.p.motore.LeggoAdc = [&](const std::string& r) {
        ASSERT_GE(r.size(), 4u);
        ++decodifiche;
        decodifica(r);
    };

    s.MatricePosizione[0] = 0x5A;
    s.MatriceVelocita[0] = 0xA5;
    s.CopiaPosizione[0] = 0x77;
    s.CopiaVelocita[0] = 0x88;
    s.StatoChip[0] = 0x99;

    const std::set<int> intervalli{25, 50, 100, 200, 570, 600, 800};
    const std::set<QString> titoli{QStringLiteral(" Caricamento dati "),
                                   QString(),
                                   QStringLiteral(" RESET del chip"),
                                   QStringLiteral(" Lettura della RAM del chip "),
                                   QStringLiteral(" Scrittura nella RAM del chip"),
                                   QStringLiteral(" Scrittura della EEPROM")};

    long boxMotore = 0, dentroBox = 0;
    b.messaggi.durante = [&] {
        const auto& box = b.messaggi.mostrati.back();
        const bool delMotore = box.testo == TestoNonRisponde || box.testo == TestoRifiuto;
        if (delMotore) {
            ++boxMotore;
            // The timer keeps ticking under the box: those ticks do nothing.
            if (probabile(0.3)) {
                const qsizetype scritto = b.porta.scritto.size();
                const bool fase = b.p.motore.Fase();
                const std::string comando = s.Comando;
                for (int i = 0; i < 1 + caso(3); ++i) {
                    b.Tick();
                    ++dentroBox;
                }
                EXPECT_EQ(b.porta.scritto.size(), scritto);
                EXPECT_EQ(b.p.motore.Fase(), fase);
                EXPECT_EQ(s.Comando, comando);
            }
        }
        if (box.pulsanti == Pulsanti::OK)
            b.messaggi.risposte.push_back(Risposta::OK);
        else
            b.messaggi.risposte.push_back(probabile(0.6) ? Risposta::Riprova : Risposta::Annulla);
    };

    auto& cn = b.p.connessione;
    const std::vector<std::function<void()>> gestori{
        [&] { cn.carica_Click(); },      [&] { cn.salva_Click(); },    [&] { cn.PcToChip_Click(); },
        [&] { cn.Res_Click(); },         [&] { cn.ResSic_Click(); },   [&] { cn.Command1_Click(); },
        [&] { cn.disconnetti_Click(); }, [&] { s.CambioEncoder = 1; }, [&] { s.Modificato = !s.Modificato; },
    };

    std::string depositato = s.Comando; // the last text stored from outside
    const long ricezioni = 100000;
    long r = 0, ticks = 0, bloccoAccettato = 0;
    while (r < ricezioni) {
        // Between ticks: requests, the user's clicks, the port's moods.
        if (probabile(0.05)) {
            depositato = probabile(0.8) ? Validi[size_t(caso(int(Validi.size())))]
                                        : Spazzatura[size_t(caso(int(Spazzatura.size())))];
            s.Comando = depositato;
        }
        if (probabile(0.01)) {
            gestori[size_t(caso(int(gestori.size())))]();
            depositato = s.Comando;
        }
        if (b.porta.PortOpen()) {
            if (probabile(0.002))
                b.porta.cade();
            else if (probabile(0.001))
                b.porta.setPortOpen(false);
        } else if (probabile(0.01)) {
            try {
                b.porta.setPortOpen(true);
            } catch (const ErrorePorta&) {
            }
        }
        if (probabile(0.003)) {
            if (b.porta.assenti.empty())
                b.porta.assenti.insert(Banco::N);
            else
                b.porta.assenti.clear();
        }

        const bool ricezione = !b.p.motore.Fase();
        if (ricezione) {
            static const int bordi[] = {0, 1, 3, 4, 5, 126, 127, 128, 137, 138, 139, 140, 141, 150};
            const int n = probabile(0.5) ? caso(151) : bordi[caso(int(std::size(bordi)))];
            QByteArray risposta(n, '\0');
            for (char& c : risposta)
                c = char(caso(256));
            if (n >= 8 && probabile(0.1))
                risposta.replace(caso(n - 7), 8, "okEeprom");
            if (probabile(0.9))
                b.porta.ricevuto = risposta; // else what was left stays, and more comes
            else
                b.porta.ricevuto += risposta;
        }

        const size_t prima = b.porta.scritture.size();
        const uint8_t p140 = s.MatricePosizione[140], v128 = s.MatriceVelocita[128];
        b.Tick();
        ++ticks;
        r += ricezione;

        ASSERT_NE(b.p.motore.Fase(), !ricezione) << "tick " << ticks;
        ASSERT_EQ(s.MatricePosizione[0], 0x5A) << "tick " << ticks;
        ASSERT_EQ(s.MatriceVelocita[0], 0xA5) << "tick " << ticks;
        ASSERT_EQ(s.CopiaPosizione[0], 0x77) << "tick " << ticks;
        ASSERT_EQ(s.CopiaVelocita[0], 0x88) << "tick " << ticks;
        ASSERT_EQ(s.StatoChip[0], 0x99) << "tick " << ticks;
        ASSERT_TRUE(intervalli.count(b.intervallo())) << b.intervallo() << " at tick " << ticks;
        ASSERT_TRUE(Valido(s.Comando) || s.Comando == depositato) << "tick " << ticks;
        ASSERT_TRUE(titoli.count(s.TitoloDialogo)) << s.TitoloDialogo.toStdString();
        const float barra = b.barra();
        ASSERT_TRUE(barra == 0.f || (barra >= 50.f && barra <= 190.f && barra == float(int(barra)))) << barra;
        for (size_t i = prima; i < b.porta.scritture.size(); ++i)
            ASSERT_TRUE(ScritturaAmmessa(b.porta.scritture[i])) << b.porta.scritture[i].toHex().toStdString();
        ASSERT_LE(b.porta.scritture.size() - prima, 2u);
        if (s.MatricePosizione[140] != p140 || s.MatriceVelocita[128] != v128)
            ++bloccoAccettato;

        if (ticks % 4096 == 0) {
            b.porta.scritto.clear();
            b.porta.scritture.clear();
            b.messaggi.mostrati.clear();
            QCoreApplication::processEvents(); // paint what the ticks changed
        }
    }
    // The run went through the paths it is meant to.
    std::printf("ticks %ld, engine boxes %ld, ticks under a box %ld, tester replies %ld, blocks %ld, opens %zu\n",
                ticks, boxMotore, dentroBox, decodifiche, bloccoAccettato, b.porta.aperte.size());
    EXPECT_GT(boxMotore, 3000);
    EXPECT_GT(dentroBox, 1000);
    EXPECT_GT(decodifiche, 300);
    EXPECT_GT(bloccoAccettato, 200);
    EXPECT_GT(b.porta.aperte.size(), 200u);
}

} // namespace
