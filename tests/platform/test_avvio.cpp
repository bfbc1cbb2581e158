// The start-up pieces: the font configuration loaded ahead on a second
// thread, and the measuring hook. Its own main: the first piece runs before
// any application object exists.
#include "CaratteriInAnticipo.h"
#include "MisuraAvvio.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <gtest/gtest.h>

namespace {

int argc_ = 1;
char nome_[] = "test_avvio";
char* argv_[] = {nome_, nullptr};

struct Esito {
    QString famiglia;
    bool bold = false;
    QStringList famiglie;
};

// What the program's fonts resolve to, in a fresh application.
Esito Risolvi()
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(11.25);
    f.setBold(true);
    const QFontInfo i(f);
    return {i.family(), i.bold(), QFontDatabase::families()};
}

TEST(Avvio, CaratteriInAnticipoNonCambianoICaratteri)
{
    // Ahead first, while nothing in the process has touched the fonts yet.
    Esito con;
    {
        corsa::CaratteriInAnticipo caratteri;
        QApplication app(argc_, argv_);
        caratteri.Attendi();
        caratteri.Attendi(); // twice is harmless
        con = Risolvi();
    }
    Esito senza;
    {
        QApplication app(argc_, argv_);
        senza = Risolvi();
    }
    EXPECT_FALSE(con.famiglie.isEmpty());
    EXPECT_EQ(con.famiglie, senza.famiglie);
    EXPECT_EQ(con.famiglia, senza.famiglia);
    EXPECT_EQ(con.bold, senza.bold);

    // Never waited for by hand (the application failed, say): it still ends.
    {
        corsa::CaratteriInAnticipo a;
    }
}

// Shows a window with the hook in place for at most `ms`; true when the hook
// ended the loop.
bool MostraConMisura(const char* valore, std::string& uscita, int ms)
{
    if (valore)
        qputenv("CORSA_MISURA_AVVIO", valore);
    else
        qunsetenv("CORSA_MISURA_AVVIO");
    QApplication app(argc_, argv_);
    QWidget w;
    w.resize(200, 100);
    w.show();
    testing::internal::CaptureStdout();
    corsa::MisuraPrimoDisegno(&w);
    bool scaduto = false;
    QTimer::singleShot(ms, &app, [&] {
        scaduto = true;
        QCoreApplication::exit(1);
    });
    app.exec();
    uscita = testing::internal::GetCapturedStdout();
    qunsetenv("CORSA_MISURA_AVVIO");
    return !scaduto;
}

TEST(Avvio, LaMisuraStampaTempoEMemoriaEChiudeSoloSeRichiesta)
{
    const long long ora =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    std::string uscita;
    ASSERT_TRUE(MostraConMisura(QByteArray::number(ora).constData(), uscita, 20000));
    char chiave1[32] = {}, chiave2[32] = {};
    double ms = -1;
    long long kb = -1;
    ASSERT_EQ(std::sscanf(uscita.c_str(), "%31s %lf %31s %lld", chiave1, &ms, chiave2, &kb), 4) << uscita;
    EXPECT_STREQ(chiave1, "primo_disegno_ms");
    EXPECT_STREQ(chiave2, "picco_kb");
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 60000);
    EXPECT_GT(kb, 1000);                             // a Qt program is megabytes, and the figure is in kB
    EXPECT_EQ(uscita.find('\n'), uscita.size() - 1); // one line

    // Unset, or not a time: the program runs on as usual and prints nothing.
    EXPECT_FALSE(MostraConMisura(nullptr, uscita, 500));
    EXPECT_TRUE(uscita.empty());
    EXPECT_FALSE(MostraConMisura("ieri", uscita, 500));
    EXPECT_TRUE(uscita.empty());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
