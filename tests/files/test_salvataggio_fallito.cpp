// Saves that fail on the disk: the file that stood there must survive.
#include "DialogoScriptato.h"
#include "FileMatrici.h"
#include "MessaggiScriptati.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corsa;

namespace {

// Sets or clears the immutable attribute, the one lock that holds for root.
bool Immutabile(const QString& cartella, bool si)
{
    const int fd = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY);
    int flag = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flag) == 0;
    flag = si ? (flag | FS_IMMUTABLE_FL) : (flag & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flag) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

class SalvataggioFallito : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Stato stato;
    test::DialogoScriptato dialogo;
    test::MessaggiScriptati messaggi;
    FileMatrici file{stato, dialogo, messaggi, [] {}};
    const QByteArray vecchio = "qmr707\r\n il file di prima\r\n";
    const QString nome = dir.filePath("vecchio.qmr");

    void SetUp() override
    {
        QFile f(nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(vecchio);
    }
    void Salva()
    {
        dialogo.risposte.push_back(nome);
        file.save_Click();
    }
    QByteArray Contenuto()
    {
        QFile f(nome);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The old file as it was, the critical box, no leftover; then a save works.
    void Verifica()
    {
        EXPECT_EQ(Contenuto(), vecchio);
        ASSERT_EQ(messaggi.mostrati.size(), 1u);
        const auto& box = messaggi.mostrati[0];
        EXPECT_TRUE(box.testo.startsWith(QStringLiteral("Il file non è stato salvato: ")));
        EXPECT_EQ(box.icona, Icona::Critica);
        EXPECT_EQ(box.pulsanti, Pulsanti::OK);
        EXPECT_EQ(stato.NomeFile, nome);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vecchio.qmr"});
        Salva();
        EXPECT_EQ(Contenuto(), FormattaFileMatrice(stato));
        EXPECT_EQ(messaggi.mostrati.size(), 1u);
    }
};

TEST_F(SalvataggioFallito, CartellaNonScrivibile)
{
    const QByteArray c = QFile::encodeName(dir.path());
    ::chmod(c.constData(), 0555);
    const bool immutabile = ::access(c.constData(), W_OK) == 0 && Immutabile(dir.path(), true);
    Salva();
    if (immutabile)
        Immutabile(dir.path(), false);
    ::chmod(c.constData(), 0755);
    if (::geteuid() == 0 && !immutabile)
        GTEST_SKIP() << "la cartella non si lascia bloccare qui";
    Verifica();
}

TEST_F(SalvataggioFallito, ScritturaInterrotta)
{
    rlimit prima{};
    ::getrlimit(RLIMIT_FSIZE, &prima);
    rlimit r = prima;
    r.rlim_cur = 600; // the file is 1080 bytes
    auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &r);
    Salva();
    ::setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, segnale);
    Verifica();
}

} // namespace
