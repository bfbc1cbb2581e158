// The port file: what its first line reads as, and its one written line.
#include "FilePorta.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

using namespace corsa;

namespace {

struct Lettura {
    const char* nome;
    QByteArray contenuto;
    std::optional<int> porta; // nothing: the file counts as unreadable
};

const QByteArray Grande = QByteArray("7\r\n") + QByteArray(20 * 1024 * 1024, 'x');

const Lettura Letture[] = {
    {"riga_normale", " 3\r\n", 3},
    {"senza_fine_riga", "3", 3},
    {"due_cifre", " 12\r\n", 12},
    {"seconda_riga_ignorata", "4\r\n9\r\n", 4},
    {"solo_cr", "6\r", 6},
    {"mezzo_al_pari_verso_il_basso", "2.5\r\n", 2},
    {"mezzo_al_pari_verso_l_alto", "3.5\r\n", 4},
    {"meno_di_mezzo", "3.49\r\n", 3},
    {"esadecimale", "&H3\r\n", 3},
    {"esadecimale_minuscolo", "&hf\r\n", 15},
    {"ottale", "&O17\r\n", 15},
    {"esponente", "1E1\r\n", 10},
    {"segno_piu", "+7\r\n", 7},
    {"tabulazioni_e_spazi", "\t 9 \t\r\n", 9},
    {"spazi_dentro_il_numero", "1 2\r\n", 12},
    {"testo_dopo_il_numero", "5 porta\r\n", 5},
    // Line feeds alone end no line and are ignored like blanks.
    {"solo_lf_testo_dopo", "3\nfine\n", 3},
    {"solo_lf_cifre_dopo", "1\n4\n", 14},
    {"zero", "0\r\n", 0},
    {"meno_mezzo_al_pari", "-0.5\r\n", 0},
    {"riga_vuota_vale_zero", "\r\n", 0},
    {"testo_senza_numero", "porta 3\r\n", 0},
    {"spazzatura_binaria", QByteArray("\x01\xFE\x80\x00\xFFzz", 7), 0},
    {"cr_prima_del_numero", "\r3\r\n", 0},
    {"massimo", "255\r\n", 255},
    {"appena_sopra_il_massimo", "255.5\r\n", std::nullopt},
    {"trecento", "300\r\n", std::nullopt},
    {"meno_uno", "-1\r\n", std::nullopt},
    {"file_vuoto", "", std::nullopt},
    {"numero_enorme", QByteArray(1000, '9') + "\r\n", std::nullopt},
    {"esadecimale_enorme", "&H" + QByteArray(40, 'F'), std::nullopt},
    {"file_molto_grande", Grande, 7},
};

class InterpretaLettura : public ::testing::TestWithParam<Lettura> {};

TEST_P(InterpretaLettura, PrimaRiga)
{
    const Lettura& l = GetParam();
    const auto r = InterpretaFilePorta(l.contenuto);
    ASSERT_EQ(r.has_value(), l.porta.has_value());
    if (l.porta) {
        EXPECT_EQ(int(*r), *l.porta);
    }
}

TEST_P(InterpretaLettura, DaDisco)
{
    const Lettura& l = GetParam();
    QTemporaryDir d;
    ASSERT_TRUE(d.isValid());
    const QString nome = d.filePath(QStringLiteral("nport.ini"));
    QFile f(nome);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(l.contenuto), l.contenuto.size());
    f.close();
    const auto r = LeggiFilePorta(nome);
    ASSERT_EQ(r.has_value(), l.porta.has_value());
    if (l.porta) {
        EXPECT_EQ(int(*r), *l.porta);
    }
}

INSTANTIATE_TEST_SUITE_P(FilePorta, InterpretaLettura, ::testing::ValuesIn(Letture),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(FilePorta, MancanteOCartellaIlleggibile)
{
    QTemporaryDir d;
    ASSERT_TRUE(d.isValid());
    EXPECT_FALSE(LeggiFilePorta(d.filePath(QStringLiteral("nport.ini"))));
    ASSERT_TRUE(QDir(d.path()).mkdir(QStringLiteral("nport.ini")));
    EXPECT_FALSE(LeggiFilePorta(d.filePath(QStringLiteral("nport.ini"))));
}

TEST(FilePorta, UnaRigaConUnoSpazioEPoiCrLf)
{
    EXPECT_EQ(FormattaFilePorta(3), QByteArray("\x20\x33\x0D\x0A"));
    EXPECT_EQ(FormattaFilePorta(12), QByteArray("\x20\x31\x32\x0D\x0A"));
    EXPECT_EQ(FormattaFilePorta(0), QByteArray(" 0\r\n"));
    EXPECT_EQ(FormattaFilePorta(255), QByteArray(" 255\r\n"));
}

TEST(FilePorta, ScritturaSostituisceTuttoIlContenuto)
{
    QTemporaryDir d;
    ASSERT_TRUE(d.isValid());
    const QString nome = d.filePath(QStringLiteral("nport.ini"));
    QFile f(nome);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("14\r\nuna riga molto piu lunga di quella che la sostituira\r\n");
    f.close();
    ASSERT_TRUE(ScriviFilePorta(3, nome));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x20\x33\x0D\x0A"));
    f.close();
    for (int porta : {1, 9, 10, 15, 255}) {
        ASSERT_TRUE(ScriviFilePorta(uint8_t(porta), nome));
        EXPECT_EQ(LeggiFilePorta(nome), std::optional<uint8_t>(uint8_t(porta)));
    }
}

TEST(FilePorta, ScritturaImpossibileLasciaTuttoComEra)
{
    QTemporaryDir d;
    ASSERT_TRUE(d.isValid());
    // Root writes through permissions: a folder in the file's place stops it.
    const QString nome = d.filePath(QStringLiteral("nport.ini"));
    ASSERT_TRUE(QDir(d.path()).mkdir(QStringLiteral("nport.ini")));
    EXPECT_FALSE(ScriviFilePorta(3, nome));
    EXPECT_TRUE(QFileInfo(nome).isDir());
    EXPECT_FALSE(ScriviFilePorta(3, d.filePath(QStringLiteral("manca/nport.ini"))));
    EXPECT_FALSE(QFileInfo::exists(d.filePath(QStringLiteral("manca"))));
}

} // namespace
