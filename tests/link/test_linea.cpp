// The program's serial port against the simulated board, byte by byte.
#include "NomiPorte.h"
#include "Protocollo.h"
#include "SuLinea.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <sys/resource.h>
#include <unistd.h>

using namespace corsa;
using corsa::sim::Guasto;
using corsa::test::Aspetta;
using corsa::test::Gira;

namespace {

class Linea : public corsa::test::SuLinea {};

TEST_F(Linea, ComandoStatoEUnSoloByte0x40EQuattroDiRisposta)
{
    const QByteArray r = Scambio(BytesComando(ComandoStato), 4);
    Gira(50);
    EXPECT_EQ(sim->ricevuti(N), QByteArray("\x40"));
    EXPECT_EQ(r.size(), 4);
    Stato s;
    EXPECT_TRUE(CaricaStato(s, r));
}

TEST_F(Linea, LetturaPosizioneEUnSoloByteA3)
{
    const QByteArray r = Scambio(BytesComando(ComandoLeggiPosizione), 140);
    Gira(50);
    EXPECT_EQ(sim->ricevuti(N), QByteArray("\xA3"));
    ASSERT_EQ(r.size(), 140);
    const auto& ram = *sim->ramPosizione(N);
    for (int i = 1; i <= 140; ++i)
        EXPECT_EQ(static_cast<uint8_t>(r[i - 1]), ram[i]) << i;
}

// Bytes that a terminal in its default mode would change or act on.
const uint8_t Delicati[] = {0x00, 0x03, 0x04, 0x0A, 0x0D, 0x11, 0x13, 0x1A, 0x1C, 0x7F, 0xA3, 0xFF};

TEST_F(Linea, BloccoPosizioneArrivaEsatto140ByteConCR)
{
    Stato s;
    for (int i = 0; i <= 140; ++i)
        s.MatricePosizione[i] = static_cast<uint8_t>(i * 37 + 5);
    for (size_t k = 0; k < sizeof Delicati; ++k)
        s.MatricePosizione[1 + k * 11] = Delicati[k];
    const uint8_t ultimo = (*sim->ramPosizione(N))[140];

    porta.Output(BytesComando(ComandoScriviPosizione));
    Gira(20);
    porta.Output(BloccoPosizione(s));
    ASSERT_TRUE(Ricevuti(141));
    Gira(50);
    const QByteArray filo = sim->ricevuti(N);
    ASSERT_EQ(filo.size(), 141);
    EXPECT_EQ(filo[0], '$');
    EXPECT_EQ(filo.back(), '\r');
    const auto& ram = *sim->ramPosizione(N);
    for (int i = 1; i <= 139; ++i) {
        EXPECT_EQ(static_cast<uint8_t>(filo[i]), s.MatricePosizione[i]) << i;
        EXPECT_EQ(ram[i], s.MatricePosizione[i]) << i;
    }
    EXPECT_EQ(ram[140], ultimo); // never written
}

TEST_F(Linea, BloccoVelocitaArrivaEsatto128ByteConCR)
{
    Stato s;
    for (int i = 0; i <= 128; ++i)
        s.MatriceVelocita[i] = static_cast<uint8_t>(255 - i);
    s.MatriceVelocita[3] = 13;
    s.MatriceVelocita[4] = 255;
    porta.Output(BytesComando(ComandoScriviVelocita));
    Gira(20);
    porta.Output(BloccoVelocita(s));
    ASSERT_TRUE(Ricevuti(129));
    Gira(50);
    const QByteArray filo = sim->ricevuti(N);
    ASSERT_EQ(filo.size(), 129);
    EXPECT_EQ(filo[0], '#');
    EXPECT_EQ(filo.back(), '\r');
    const auto& ram = *sim->ramVelocita(N);
    for (int i = 1; i <= 127; ++i)
        EXPECT_EQ(ram[i], s.MatriceVelocita[i]) << i;
}

TEST_F(Linea, TuttiI256ValoriTornanoUgualiDallaScheda)
{
    auto& pos = *sim->ramPosizione(N);
    auto& vel = *sim->ramVelocita(N);
    for (int i = 1; i <= 140; ++i)
        pos[i] = static_cast<uint8_t>(i - 1); // 0..139
    for (int i = 1; i <= 128; ++i)
        vel[i] = static_cast<uint8_t>(139 + i); // 140..255, then 0..11
    Stato s;
    const QByteArray r1 = Scambio(BytesComando(ComandoLeggiPosizione), 140);
    ASSERT_TRUE(RispostaValida(ComandoLeggiPosizione, r1));
    EXPECT_EQ(CaricaBloccoPosizione(s, r1), 140);
    const QByteArray r2 = Scambio(BytesComando(ComandoLeggiVelocita), 128);
    ASSERT_TRUE(RispostaValida(ComandoLeggiVelocita, r2));
    EXPECT_EQ(CaricaBloccoVelocita(s, r2), 128);
    for (int i = 1; i <= 140; ++i)
        EXPECT_EQ(s.MatricePosizione[i], pos[i]) << i;
    for (int i = 1; i <= 128; ++i)
        EXPECT_EQ(s.MatriceVelocita[i], vel[i]) << i;
    EXPECT_EQ(s.MatriceVelocita[116], 255);
}

TEST_F(Linea, VersioneContieneRevSenzaGuastoENonConIlGuasto)
{
    EXPECT_TRUE(ContieneParola(Scambio(BytesComando(ComandoVersione), 27), ParolaVersione));
    sim->impostaGuasto(N, Guasto::SenzaRev);
    const QByteArray r = Scambio(BytesComando(ComandoVersione), 16);
    EXPECT_FALSE(r.isEmpty());
    EXPECT_FALSE(ContieneParola(r, ParolaVersione));
}

TEST_F(Linea, EepromConfermataSopravviveAlRiavvio)
{
    (*sim->ramPosizione(N))[50] = 77;
    (*sim->ramVelocita(N))[128] = 66;
    const QByteArray r = Scambio(BytesComando(ComandoScriviEeprom), 12);
    ASSERT_TRUE(ContieneParola(r, ParolaEeprom));
    porta.Output(ConfermaEeprom());
    ASSERT_TRUE(Aspetta([&] { return sim->scrittureEeprom(N) == 1; }));
    EXPECT_EQ(sim->ricevuti(N), QByteArray("wScrivo\r"));

    porta.setPortOpen(false);
    sim.reset();
    sim = std::make_unique<sim::SimulatoreScheda>(dir.path());
    ASSERT_TRUE(sim->aggiungiPorta(N));
    EXPECT_EQ((*sim->ramPosizione(N))[50], 77);
    EXPECT_EQ((*sim->ramVelocita(N))[128], 66);
}

TEST_F(Linea, EepromRifiutataNonScriveNulla)
{
    sim->impostaGuasto(N, Guasto::RifiutoEeprom, 'w');
    const QByteArray r = Scambio(BytesComando(ComandoScriviEeprom), 5);
    EXPECT_FALSE(r.isEmpty());
    EXPECT_FALSE(ContieneParola(r, ParolaEeprom));
    porta.Output(ConfermaEeprom());
    Gira(100);
    EXPECT_EQ(sim->scrittureEeprom(N), 0);
    EXPECT_FALSE(QFile::exists(sim->fileEeprom(N)));
}

TEST_F(Linea, RispostaLungaUsaSoloQuelloCheServe)
{
    sim->impostaGuasto(N, Guasto::Lunga);
    Stato s;
    const Stato prima = s;
    const QByteArray st = Scambio(BytesComando(ComandoStato), 150);
    ASSERT_EQ(st.size(), 150);
    EXPECT_TRUE(CaricaStato(s, st));
    EXPECT_EQ(s.StatoChip[4], static_cast<uint8_t>(st[3]));

    const QByteArray r = Scambio(BytesComando(ComandoLeggiPosizione), 150);
    ASSERT_EQ(r.size(), 150);
    EXPECT_EQ(CaricaBloccoPosizione(s, r), 140);
    EXPECT_EQ(s.MatriceVelocita, prima.MatriceVelocita);
}

TEST_F(Linea, RispostaCortaNonPassa)
{
    sim->impostaGuasto(N, Guasto::Corta);
    EXPECT_FALSE(RispostaValida(ComandoStato, Scambio(BytesComando(ComandoStato), 4, 300)));
    EXPECT_FALSE(RispostaValida(ComandoLeggiPosizione, Scambio(BytesComando(ComandoLeggiPosizione), 138, 300)));
    EXPECT_FALSE(RispostaValida(ComandoLeggiVelocita, Scambio(BytesComando(ComandoLeggiVelocita), 127, 300)));
}

TEST_F(Linea, PortaSilenziosaNonRispondeMaRiceve)
{
    sim->impostaGuasto(N, Guasto::Silenziosa);
    EXPECT_TRUE(Scambio(BytesComando(ComandoVersione), 1, 300).isEmpty());
    EXPECT_EQ(sim->ricevuti(N), QByteArray("v"));
}

TEST_F(Linea, InputPrendeCioCheEArrivatoSenzaCicloDegliEventi)
{
    porta.Output(BytesComando(ComandoVersione));
    ASSERT_TRUE(Ricevuti(1)); // the board has answered by now
    QByteArray r;
    for (int i = 0; i < 200 && r.size() < 27; ++i) { // no event loop from here
        r += porta.Input();
        QThread::msleep(2);
    }
    EXPECT_TRUE(ContieneParola(r, ParolaVersione));
    EXPECT_TRUE(porta.Input().isEmpty()); // nothing more: empty, at once
}

TEST_F(Linea, InputLenLimitaUnaLettura)
{
    sim->impostaGuasto(N, Guasto::Lunga);
    porta.setInputLen(100);
    porta.Output(BytesComando(ComandoStato));
    ASSERT_TRUE(Ricevuti(1));
    Gira(100);
    EXPECT_EQ(porta.Input().size(), 100);
    EXPECT_EQ(porta.Input().size(), 50);
}

TEST_F(Linea, InBufferCountZeroScartaIlPendente)
{
    porta.Output(BytesComando(ComandoVersione));
    ASSERT_TRUE(Ricevuti(1));
    Gira(100);
    porta.setInBufferCount(0);
    EXPECT_TRUE(porta.Input().isEmpty());
    // and the line still works afterwards
    EXPECT_EQ(Scambio(BytesComando(ComandoStato), 4).size(), 4);
}

double TempoCpu()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TEST_F(Linea, LaPortaCheSparisceAMetaBloccoSiChiudeERestaFerma)
{
    sim->impostaGuasto(N, Guasto::CadutaBlocco, 0xA3);
    porta.Output(BytesComando(ComandoLeggiPosizione));
    QByteArray r;
    ASSERT_TRUE(Aspetta([&] {
        r += porta.Input();
        return !porta.PortOpen();
    }));
    EXPECT_LT(r.size(), 138);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("com3"))));

    // Closed and quiet: operations do nothing, and nothing spins.
    EXPECT_TRUE(porta.Input().isEmpty());
    porta.Output(BytesComando(ComandoStato));
    porta.setInBufferCount(0);
    const double prima = TempoCpu();
    Gira(1000);
    EXPECT_LT(TempoCpu() - prima, 0.3);
    EXPECT_FALSE(porta.PortOpen());

    // The board comes back: the same port opens and talks again.
    ASSERT_TRUE(sim->aggiungiPorta(N));
    porta.setPortOpen(true);
    EXPECT_EQ(Scambio(BytesComando(ComandoStato), 4).size(), 4);
}

TEST_F(Linea, LaPortaCheSparisceAPortaFermaSiChiudeDaSola)
{
    sim->rimuoviPorta(N);
    ASSERT_TRUE(Aspetta([&] { return !porta.PortOpen(); }));
    const double prima = TempoCpu();
    Gira(1000);
    EXPECT_LT(TempoCpu() - prima, 0.3);
}

// Qt reports a read with nothing to read, or a full output buffer, as a
// resource error too: on a line that did not hang up the port stays open.
TEST_F(Linea, UnErroreSenzaRiaggancioNonChiudeLaPorta)
{
    auto* seriale = porta.findChild<QSerialPort*>();
    ASSERT_NE(seriale, nullptr);
    for (auto e : {QSerialPort::ResourceError, QSerialPort::ReadError, QSerialPort::WriteError}) {
        emit seriale->errorOccurred(e);
        Gira(20);
        EXPECT_TRUE(porta.PortOpen()) << e;
        EXPECT_EQ(Scambio(BytesComando(ComandoStato), 4).size(), 4) << e;
    }
    // A real hang-up behind the same report still closes it.
    sim->rimuoviPorta(N);
    emit seriale->errorOccurred(QSerialPort::ResourceError);
    EXPECT_FALSE(porta.PortOpen());
}

TEST_F(Linea, ErroriDiAperturaDistinti)
{
    PortaSerialeQt altra;
    try {
        altra.setCommPort(0);
        FAIL() << "0 names no port";
    } catch (const ErrorePorta& e) {
        EXPECT_EQ(e.tipo(), ErrorePorta::Tipo::NumeroNonValido);
    }
    altra.setCommPort(5); // no link: absent
    try {
        altra.setPortOpen(true);
        FAIL() << "absent port opened";
    } catch (const ErrorePorta& e) {
        EXPECT_EQ(e.tipo(), ErrorePorta::Tipo::Assente);
    }
    altra.setCommPort(N); // held by `porta`
    try {
        altra.setPortOpen(true);
        FAIL() << "port in use opened";
    } catch (const ErrorePorta& e) {
        EXPECT_EQ(e.tipo(), ErrorePorta::Tipo::Occupata);
    }
    EXPECT_FALSE(altra.PortOpen());
    EXPECT_TRUE(porta.PortOpen());
}

TEST_F(Linea, PermessoNegatoEUnErroreASe)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may open anything";
    const QString f = dir.filePath(QStringLiteral("vietato"));
    QFile(f).open(QIODevice::WriteOnly);
    QFile::setPermissions(f, QFileDevice::Permissions());
    QFile::link(f, dir.filePath(QStringLiteral("com7")));
    PortaSerialeQt altra;
    altra.setCommPort(7);
    try {
        altra.setPortOpen(true);
        FAIL() << "opened without permission";
    } catch (const ErrorePorta& e) {
        EXPECT_EQ(e.tipo(), ErrorePorta::Tipo::Permesso);
    }
}

TEST(PortaChiusa, LeOperazioniNonFannoNulla)
{
    PortaSerialeQt p;
    EXPECT_FALSE(p.PortOpen());
    EXPECT_NO_THROW(p.Output("@"));
    EXPECT_TRUE(p.Input().isEmpty());
    EXPECT_NO_THROW(p.setInBufferCount(0));
    EXPECT_NO_THROW(p.setPortOpen(false));
}

TEST(NomiPorte, RegolaDeiDispositiviECartella)
{
    qunsetenv("CORSA_PORTE");
#ifndef Q_OS_WIN
    EXPECT_EQ(NomePorta(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(NomePorta(4), QStringLiteral("/dev/ttyS3"));
    EXPECT_EQ(NomePorta(5), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(NomePorta(10), QStringLiteral("/dev/ttyUSB5"));
    EXPECT_EQ(NomePorta(11), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(NomePorta(15), QStringLiteral("/dev/ttyACM4"));
    EXPECT_TRUE(NomePorta(16).isEmpty());
#endif
    EXPECT_TRUE(NomePorta(0).isEmpty());
    EXPECT_TRUE(NomePorta(256).isEmpty());
    qputenv("CORSA_PORTE", "/tmp/qui");
    EXPECT_EQ(NomePorta(7), QStringLiteral("/tmp/qui/com7"));
    qputenv("CORSA_PORTE", "qui"); // relative: still a path, never one under /dev
    EXPECT_EQ(NomePorta(7), QDir::current().absoluteFilePath(QStringLiteral("qui/com7")));
    qputenv("CORSA_PORTE", "/tmp/qui");
    EXPECT_EQ(NomePorta(20), QStringLiteral("/tmp/qui/com20"));
    EXPECT_TRUE(NomePorta(0).isEmpty());
    qunsetenv("CORSA_PORTE");
}

} // namespace
