#include "DialogoScriptato.h"
#include "FileMatrici.h"
#include "MessaggiScriptati.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <random>

using namespace corsa;
using Esito = ContenutoFile::Esito;

namespace {

// The golden file's image: 0, 7 and 255 first, then a spread.
Stato Campione()
{
    Stato s;
    for (int i = 1; i <= 140; ++i)
        s.MatricePosizione[i] = uint8_t(i == 1 ? 0 : i == 2 ? 7 : i == 3 ? 255 : (i * 37 + 11) % 256);
    for (int i = 1; i <= 128; ++i)
        s.MatriceVelocita[i] = uint8_t((i * 53 + 7) % 256);
    s.MatricePosizione[0] = 99; // never filed
    return s;
}

QByteArray Leggi(const QString& nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(manca)");
}

void Scrivi(const QString& nome, const QByteArray& b)
{
    QFile f(nome);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

// The golden file with its first `righe` lines, line `n` (from 1) replaced by `testo`.
QByteArray File(int n = 0, const QByteArray& testo = {}, int righe = 269)
{
    QList<QByteArray> r = FormattaFileMatrice(Campione()).split('\n').mid(0, righe);
    QByteArray b;
    for (int i = 0; i < r.size(); ++i)
        b += (i + 1 == n ? testo + '\r' : r[i]) + '\n';
    return b;
}

bool ComeCampione(const ContenutoFile& c)
{
    const Stato s = Campione();
    return c.esito == Esito::Completo &&
           std::equal(c.posizione.begin() + 1, c.posizione.end(), s.MatricePosizione.begin() + 1) &&
           std::equal(c.velocita.begin() + 1, c.velocita.end(), s.MatriceVelocita.begin() + 1);
}

TEST(FileMatrice, ByteUgualiAlFileCampione)
{
    EXPECT_EQ(FormattaFileMatrice(Campione()), Leggi(QStringLiteral(CORSA_DATI_TEST "/atteso.qmr")));
}

TEST(FileMatrice, MarcatoreEFineRiga)
{
    EXPECT_TRUE(ComeCampione(LeggiFileMatrice(File(1, "xx qmr707 yy"))));
    for (const char* riga : {"QMR707", "Qmr707", "qmr70", "qmr 707", ""})
        EXPECT_EQ(LeggiFileMatrice(File(1, riga)).esito, Esito::SenzaMarcatore) << riga;
    EXPECT_EQ(LeggiFileMatrice(QByteArray(" 1\r\nqmr707\r\n")).esito, Esito::SenzaMarcatore);

    const QByteArray buono = File();
    EXPECT_TRUE(ComeCampione(LeggiFileMatrice(QByteArray(buono).replace("\r\n", "\r"))));
    EXPECT_TRUE(ComeCampione(LeggiFileMatrice(QByteArray(buono).replace("\r\n", " \r\n"))));
    EXPECT_TRUE(ComeCampione(LeggiFileMatrice(QByteArray(buono).replace("\r\n", "\r\n\n"))));
    EXPECT_TRUE(ComeCampione(LeggiFileMatrice(buono.chopped(2))));
    EXPECT_TRUE(ComeCampione(LeggiFileMatrice(buono + " 999\r\naltro\r\n")));
    // Line feeds alone make one line: the marker is found, the values are not.
    const ContenutoFile lf = LeggiFileMatrice(QByteArray(buono).replace("\r\n", "\n"));
    EXPECT_EQ(lf.esito, Esito::Interrotto);
    EXPECT_EQ(lf.riga, 2);
}

TEST(FileMatrice, RigheDiValore)
{
    const std::pair<const char*, int> buone[] = {
        {"  1 2  ", 12}, {"", 0},        {"2.5", 2},  {"3.5", 4},   {"&H1F", 31},
        {"1E2", 100},    {"254.5", 254}, {"-0.4", 0}, {"\t9\t", 9}, {"x", 0},
    };
    for (auto [riga, valore] : buone) {
        const ContenutoFile p = LeggiFileMatrice(File(50, riga));  // MatricePosizione(49)
        const ContenutoFile v = LeggiFileMatrice(File(269, riga)); // MatriceVelocita(128)
        ASSERT_EQ(p.esito, Esito::Completo) << riga;
        ASSERT_EQ(v.esito, Esito::Completo) << riga;
        EXPECT_EQ(p.posizione[49], valore) << riga;
        EXPECT_EQ(v.velocita[128], valore) << riga;
    }
    for (const char* riga : {"256", "255.5", "-1", "-0.6", "&H100", "1E400"}) {
        const ContenutoFile c = LeggiFileMatrice(File(200, riga));
        EXPECT_EQ(c.esito, Esito::Interrotto) << riga;
        EXPECT_EQ(c.riga, 200) << riga;
    }
    const std::pair<QByteArray, int> corti[] = {
        {{}, 1}, {"qmr707\r\n", 2}, {File(0, {}, 101), 102}, {File(0, {}, 268), 269}};
    for (const auto& [dati, riga] : corti) {
        EXPECT_EQ(LeggiFileMatrice(dati).esito, Esito::Interrotto) << riga;
        EXPECT_EQ(LeggiFileMatrice(dati).riga, riga);
    }
}

TEST(FileMatrice, ByteCasualiNonRompono)
{
    std::mt19937 g(12345);
    const char alfabeto[] = " \t\r\n0123456789.-+&HhOoEeDd,xqmr707\xff";
    for (int n = 0; n < 3000; ++n) {
        QByteArray b = n % 2 ? QByteArray("qmr707\r\n") : QByteArray();
        for (int i = int(g() % 3000); i > 0; --i)
            b += alfabeto[g() % (sizeof alfabeto - 1)];
        const ContenutoFile c = LeggiFileMatrice(b);
        ASSERT_TRUE(c.riga >= 1 && c.riga <= 269);
        if (c.esito == Esito::Completo) { // what was read writes back the same
            Stato s;
            ApplicaFileMatrice(c, s);
            const ContenutoFile d = LeggiFileMatrice(FormattaFileMatrice(s));
            ASSERT_EQ(d.posizione, c.posizione);
            ASSERT_EQ(d.velocita, c.velocita);
        }
    }
}

class MenuFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Stato stato = Campione();
    test::DialogoScriptato dialogo;
    test::MessaggiScriptati messaggi;
    int ridisegni = 0;
    FileMatrici file{stato, dialogo, messaggi, [this] { ++ridisegni; }};

    void Apri(const std::optional<QString>& nome)
    {
        dialogo.risposte.push_back(nome);
        file.apri_Click();
    }
    void Salva(const std::optional<QString>& nome)
    {
        dialogo.risposte.push_back(nome);
        file.save_Click();
    }
};

TEST_F(MenuFile, SalvaEPoiRicaricaOgniIndice)
{
    const QString nome = dir.filePath("m.qmr");
    Scrivi(nome, QByteArray(5000, 'x'));
    stato.NomeFile = "prima.qmr";
    Salva(nome);
    const auto& s = dialogo.mostrati.at(0);
    EXPECT_TRUE(s.salva);
    EXPECT_EQ(s.flags, 2);
    EXPECT_EQ(s.defaultExt, "qmr");
    EXPECT_TRUE(s.cancelError);
    EXPECT_EQ(s.fileName, "prima.qmr");
    EXPECT_EQ(stato.NomeFile, nome);
    EXPECT_EQ(Leggi(nome), FormattaFileMatrice(Campione()));
    EXPECT_EQ(ridisegni, 0);

    stato.MatricePosizione.fill(1);
    stato.MatriceVelocita.fill(2);
    stato.CopiaPosizione.fill(3);
    stato.NomeFile.clear();
    dialogo.Flags = 0; // the reader leaves the dialog as it finds it
    Apri(nome);
    const auto& a = dialogo.mostrati.at(1);
    EXPECT_FALSE(a.salva);
    EXPECT_EQ(a.fileName, nome);
    EXPECT_EQ(a.flags, 0);
    EXPECT_EQ(a.defaultExt, "qmr");
    EXPECT_EQ(ridisegni, 1);
    EXPECT_EQ(stato.NomeFile, nome);
    Stato atteso = Campione();
    atteso.MatricePosizione[0] = 1;
    atteso.MatriceVelocita[0] = 2;
    EXPECT_EQ(stato.MatricePosizione, atteso.MatricePosizione);
    EXPECT_EQ(stato.MatriceVelocita, atteso.MatriceVelocita);
    EXPECT_EQ(stato.CopiaPosizione[5], 3); // copies are the board's business
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(MenuFile, AnnullaNonCambiaNulla)
{
    stato.NomeFile = "x.qmr";
    Apri(std::nullopt); // before any save has set CancelError
    Salva(std::nullopt);
    Apri(std::nullopt);
    EXPECT_EQ(stato.NomeFile, "x.qmr");
    EXPECT_EQ(stato.MatricePosizione, Campione().MatricePosizione);
    EXPECT_EQ(ridisegni, 0);
    EXPECT_TRUE(messaggi.mostrati.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(MenuFile, SenzaMarcatoreSoloIlMessaggio)
{
    const QString nome = dir.filePath("altro.txt");
    Scrivi(nome, File(1, "QMR707"));
    stato.MatricePosizione.fill(9);
    Apri(nome);
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    const auto& box = messaggi.mostrati[0];
    EXPECT_EQ(box.testo, QStringLiteral("File sconosciuto ,formato errato)"));
    EXPECT_FALSE(box.titolo);
    EXPECT_EQ(box.pulsanti, Pulsanti::OK);
    EXPECT_EQ(box.icona, Icona::Nessuna);
    EXPECT_EQ(stato.MatricePosizione[100], 9);
    EXPECT_EQ(stato.NomeFile, nome);
    EXPECT_EQ(ridisegni, 0);
}

TEST_F(MenuFile, CaricamentoFallitoLasciaLImmagineComEra)
{
    stato.MatricePosizione.fill(9);
    stato.MatriceVelocita.fill(8);
    const Stato prima = stato;
    const QByteArray guasti[] = {
        File(0, {}, 101), File(200, "256"), File(269, "-1"), "qmr707\r\n", {}, File().replace("\r\n", "\n")};
    QStringList nomi = {dir.filePath("manca.qmr"), dir.path()};
    for (const auto& b : guasti) {
        nomi << dir.filePath(QStringLiteral("g%1.qmr").arg(nomi.size()));
        Scrivi(nomi.last(), b);
    }
    for (const auto& nome : nomi) {
        Apri(nome);
        EXPECT_EQ(stato.MatricePosizione, prima.MatricePosizione) << nome.toStdString();
        EXPECT_EQ(stato.MatriceVelocita, prima.MatriceVelocita) << nome.toStdString();
        EXPECT_EQ(stato.NomeFile, nome);
    }
    EXPECT_EQ(ridisegni, 0);
    EXPECT_TRUE(messaggi.mostrati.empty());
}

} // namespace
