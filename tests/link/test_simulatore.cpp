// The simulated board itself: what the other tests lean on.
#include "Protocollo.h"
#include "SuLinea.h"

#include <QProcess>

using namespace corsa;
using corsa::sim::Guasto;
using corsa::test::Aspetta;
using corsa::test::Gira;

namespace {

class Simulatore : public corsa::test::SuLinea {};

TEST_F(Simulatore, BloccoSenzaCRFinaleNonEntraInRam)
{
    const auto prima = *sim->ramPosizione(N);
    QByteArray b = "$" + QByteArray(139, '\x07') + "x"; // 140 bytes, wrong end
    porta.Output(b);
    ASSERT_TRUE(Ricevuti(141));
    Gira(30);
    EXPECT_EQ(*sim->ramPosizione(N), prima);
    // and the board listens for commands again afterwards
    EXPECT_EQ(Scambio(BytesComando(ComandoStato), 4).size(), 4);
}

TEST_F(Simulatore, ResetRiportaLaRamAllaEeprom)
{
    const auto eeprom = *sim->eepromPosizione(N);
    (*sim->ramPosizione(N))[10] = static_cast<uint8_t>(eeprom[10] + 1);
    porta.Output(BytesComando(ComandoReset));
    ASSERT_TRUE(Ricevuti(1));
    Gira(20);
    EXPECT_EQ(*sim->ramPosizione(N), eeprom);
}

TEST_F(Simulatore, ResetSicureTogliIlBitDiStop)
{
    sim->impostaStopSicurezza(N, true);
    EXPECT_TRUE(Scambio(BytesComando(ComandoStato), 4)[3] & 0x10);
    porta.Output(BytesComando(ComandoResetSicure));
    EXPECT_FALSE(Scambio(BytesComando(ComandoStato), 5)[3] & 0x10);
}

int Gray(const QByteArray& r, int soglia)
{
    int g = 0;
    for (int i = 0; i < 7; ++i)
        if (static_cast<uint8_t>(r[i]) <= soglia)
            g |= 1 << i;
    int b = g;
    for (int a = g >> 1; a; a >>= 1)
        b ^= a;
    return b;
}

TEST_F(Simulatore, IlTesterLeggeUnEncoderCheGira)
{
    const int soglia = (*sim->ramPosizione(N))[130];
    const QByteArray a = Scambio(BytesComando(ComandoTestMotore), 8);
    Gira(200);
    const QByteArray b = Scambio(BytesComando(ComandoTestMotore), 8);
    ASSERT_EQ(a.size(), 8);
    ASSERT_EQ(b.size(), 8);
    EXPECT_EQ(static_cast<uint8_t>(a[7]), 95);
    EXPECT_NE(Gray(a, soglia), Gray(b, soglia));
    // the counts follow the board's threshold, clear of it either way
    (*sim->ramPosizione(N))[130] = 20;
    const QByteArray c = Scambio(BytesComando(ComandoTestVite), 8);
    ASSERT_EQ(c.size(), 8);
    for (int i = 0; i < 7; ++i) {
        const int v = static_cast<uint8_t>(c[i]);
        EXPECT_TRUE(v <= 10 || v > 20) << i << " " << v;
    }
}

TEST_F(Simulatore, GuastoSuUnSoloComandoEDaTesto)
{
    EXPECT_TRUE(sim->esegui(QStringLiteral("guasto 3 corta 0xA3")).isEmpty());
    EXPECT_EQ(Scambio(BytesComando(ComandoLeggiPosizione), 140, 300).size(), 137);
    EXPECT_EQ(Scambio(BytesComando(ComandoLeggiVelocita), 128).size(), 128);
    EXPECT_EQ(Scambio(BytesComando(ComandoStato), 4).size(), 4);
    EXPECT_TRUE(sim->esegui(QStringLiteral("nessunguasto 3")).isEmpty());
    EXPECT_EQ(Scambio(BytesComando(ComandoLeggiPosizione), 140).size(), 140);
    EXPECT_FALSE(sim->esegui(QStringLiteral("guasto 3 boh")).isEmpty());
    EXPECT_FALSE(sim->esegui(QStringLiteral("guasto 99 corta")).isEmpty());
}

TEST_F(Simulatore, TestoVersioneSceltoSulFilo)
{
    const QByteArray v = BytesComando(ComandoVersione);
    sim->impostaTestoVersione(N, QByteArray("sim rev 2.0"));
    QByteArray r = Scambio(v, 11);
    EXPECT_EQ(r, QByteArray("sim rev 2.0"));
    EXPECT_FALSE(ContieneParola(r, ParolaVersione));
    sim->impostaTestoVersione(N, QByteArray("xxREVyy"));
    EXPECT_TRUE(ContieneParola(Scambio(v, 7), ParolaVersione));

    // from the text commands: the rest of the line, blanks inside kept
    EXPECT_TRUE(sim->esegui(QStringLiteral("testoversione 3   a  REV\tb  ")).isEmpty());
    EXPECT_EQ(Scambio(v, 8), QByteArray("a  REV\tb"));

    // faults still have their say
    sim->impostaGuasto(N, Guasto::SenzaRev);
    r = Scambio(v, 16);
    EXPECT_FALSE(r.isEmpty());
    EXPECT_FALSE(r.contains("REV"));
    sim->impostaGuasto(N, Guasto::Corta, 'v');
    EXPECT_TRUE(Scambio(v, 1, 300).isEmpty());
    sim->togliGuasti(N);

    // no text: the default again, by either way
    EXPECT_TRUE(sim->esegui(QStringLiteral("testoversione 3")).isEmpty());
    const QByteArray predefinito = Scambio(v, 20);
    EXPECT_TRUE(ContieneParola(predefinito, ParolaVersione));
    sim->impostaTestoVersione(N, QByteArray("altro"));
    EXPECT_EQ(Scambio(v, 5), QByteArray("altro"));
    sim->impostaTestoVersione(N, std::nullopt);
    EXPECT_EQ(Scambio(v, predefinito.size()), predefinito);

    EXPECT_FALSE(sim->esegui(QStringLiteral("testoversione 99 REV")).isEmpty());
    EXPECT_FALSE(sim->esegui(QStringLiteral("testoeeprom x okEeprom")).isEmpty());
}

TEST_F(Simulatore, LaConfermaEepromSiAttendeSoloDopoOkEeprom)
{
    const QByteArray w = BytesComando(ComandoScriviEeprom);
    const QByteArray stato = BytesComando(ComandoStato);
    // The reply the board sent decides: the next command is heard at once.
    const auto rifiutoNonInghiotte = [&](const char* come) {
        EXPECT_EQ(Scambio(stato, 4).size(), 4) << come;
        porta.Output(ConfermaEeprom()); // as a stray PC would; "r" and "v" inside it
        Gira(100);
        porta.setInBufferCount(0);
        EXPECT_EQ(sim->scrittureEeprom(N), 0) << come;
    };

    sim->impostaTestoEeprom(N, QByteArray("OKEEPROM"));
    EXPECT_EQ(Scambio(w, 8), QByteArray("OKEEPROM"));
    rifiutoNonInghiotte("maiuscole");

    EXPECT_TRUE(sim->esegui(QStringLiteral("testoeeprom 3 okEeprom")).isEmpty());
    sim->impostaGuasto(N, Guasto::Corta, 'w');
    EXPECT_EQ(Scambio(w, 7), QByteArray("okEepro"));
    rifiutoNonInghiotte("corta");
    sim->impostaGuasto(N, Guasto::Silenziosa, 'w');
    EXPECT_TRUE(Scambio(w, 1, 300).isEmpty());
    rifiutoNonInghiotte("silenziosa");
    sim->togliGuasti(N);

    sim->impostaTestoEeprom(N, QByteArray("xxokEeprom"));
    EXPECT_EQ(Scambio(w, 10), QByteArray("xxokEeprom"));
    porta.Output(ConfermaEeprom());
    ASSERT_TRUE(Aspetta([&] { return sim->scrittureEeprom(N) == 1; }));

    EXPECT_TRUE(sim->esegui(QStringLiteral("testoeeprom 3")).isEmpty());
    const QByteArray r = Scambio(w, 12);
    EXPECT_TRUE(ContieneParola(r, ParolaEeprom));
    EXPECT_NE(r, QByteArray("xxokEeprom"));
    porta.Output(ConfermaEeprom());
    ASSERT_TRUE(Aspetta([&] { return sim->scrittureEeprom(N) == 2; }));
    EXPECT_EQ(Scambio(stato, 4).size(), 4);
}

TEST_F(Simulatore, IlRegistroHaOgniByteConIlSuoTempo)
{
    porta.Output(QByteArray("@\xA3%", 3));
    ASSERT_TRUE(Ricevuti(3));
    const auto& reg = sim->registro();
    ASSERT_EQ(reg.size(), 3u);
    EXPECT_EQ(reg[0].valore, 0x40);
    EXPECT_EQ(reg[1].valore, 0xA3);
    EXPECT_EQ(reg[2].valore, 0x25);
    EXPECT_LE(reg[0].ms, reg[2].ms);
    EXPECT_EQ(reg[1].porta, N);
}

// Words meant for its standard input, given on its command line, used to be
// dropped: the port then answered as if no fault had been asked for.
TEST(ProgrammaSimulatore, RifiutaUnaParolaSconosciutaSullaRigaDiComando)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess p;
    p.start(QStringLiteral(CORSA_SIM_PROGRAMMA),
            {QStringLiteral("--cartella"), dir.path(), QStringLiteral("--porte"), QStringLiteral("3"),
             QStringLiteral("guasto"), QStringLiteral("3"), QStringLiteral("silenziosa")});
    ASSERT_TRUE(p.waitForStarted());
    p.closeWriteChannel();
    const bool finito = p.waitForFinished(5000);
    if (!finito) {
        p.kill();
        p.waitForFinished();
    }
    ASSERT_TRUE(finito) << "il simulatore gira ancora";
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardError().contains("guasto 3 silenziosa"));
}

// The faults that --help and "aiuto" list are those the parser takes, in the
// table's order, with nothing more.
TEST(ProgrammaSimulatore, AiutoElencaIGuasti)
{
    QStringList attesi;
    for (const sim::NomeDiGuasto& g : sim::Guasti) {
        attesi << QLatin1String(g.nome);
        EXPECT_EQ(sim::GuastoDaNome(QLatin1String(g.nome)), g.guasto) << g.nome;
        EXPECT_EQ(NomeGuasto(g.guasto), QLatin1String(g.nome));
    }
    // The names that follow the label, up to the end of the line.
    const auto elenco = [](const QString& testo, const QString& etichetta) {
        const qsizetype da = testo.indexOf(etichetta);
        if (da < 0)
            return QStringList{QStringLiteral("(manca ") + etichetta + QLatin1Char(')')};
        QString riga = testo.mid(da + etichetta.size()).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (riga.endsWith(QLatin1Char('.')))
            riga.chop(1);
        return riga.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    };

    QProcess p;
    p.start(QStringLiteral(CORSA_SIM_PROGRAMMA), {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString aiuto = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(elenco(aiuto, QStringLiteral("Guasti (per --guasto e per guasto): ")), attesi);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    sim::SimulatoreScheda s(dir.path());
    EXPECT_EQ(elenco(s.esegui(QStringLiteral("aiuto")), QStringLiteral("guasti: ")), attesi);
}

} // namespace
