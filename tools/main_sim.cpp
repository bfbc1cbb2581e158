// corsa-sim: a board on pseudo-terminals, for trying the program without one.
#include "SimulatoreScheda.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <unistd.h>
#include <utility>

using corsa::sim::GuastoDaNome;
using corsa::sim::SimulatoreScheda;

namespace {
// A signal only writes a byte; the event loop does the quitting, so the
// links are removed on the way out.
int pipaFine[2] = {-1, -1};
void Fine(int)
{
    const char c = 0;
    [[maybe_unused]] auto n = ::write(pipaFine[1], &c, 1);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corsa-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Scheda simulata su pseudo-terminali. Avviare il programma con CORSA_PORTE=<cartella>.\n"
                       "Sullo standard input: guasto N nome [comando], nessunguasto N, assente N, presente N, stop N,\n"
                       "testoversione N [testo], testoeeprom N [testo], porte, aiuto, esci.\n"
                       "Guasti (per --guasto e per guasto): ") +
        corsa::sim::ElencoGuasti() + QLatin1Char('.'));
    parser.addHelpOption();
    QCommandLineOption cartella({QStringLiteral("c"), QStringLiteral("cartella")},
                                QStringLiteral("Cartella dei collegamenti comN."), QStringLiteral("cartella"),
                                qEnvironmentVariableIsEmpty("CORSA_PORTE") ? QStringLiteral("porte")
                                                                           : qEnvironmentVariable("CORSA_PORTE"));
    QCommandLineOption porte({QStringLiteral("p"), QStringLiteral("porte")},
                             QStringLiteral("Numeri delle porte, separati da virgole."), QStringLiteral("elenco"),
                             QStringLiteral("1"));
    QCommandLineOption guasto({QStringLiteral("g"), QStringLiteral("guasto")},
                              QStringLiteral("Guasto N:nome[:comando]; ripetibile."), QStringLiteral("guasto"));
    QCommandLineOption eeprom(QStringLiteral("eeprom"), QStringLiteral("Cartella dei file EEPROM."),
                              QStringLiteral("cartella"));
    QCommandLineOption registro({QStringLiteral("r"), QStringLiteral("registro")},
                                QStringLiteral("File del registro dei byte ricevuti."), QStringLiteral("file"));
    QCommandLineOption testoVersione(QStringLiteral("testo-versione"),
                                     QStringLiteral("Risposta a \"v\" della porta N: N:testo; ripetibile."),
                                     QStringLiteral("N:testo"));
    QCommandLineOption testoEeprom(QStringLiteral("testo-eeprom"),
                                   QStringLiteral("Risposta a \"w\" della porta N: N:testo; ripetibile."),
                                   QStringLiteral("N:testo"));
    parser.addOptions({cartella, porte, guasto, eeprom, registro, testoVersione, testoEeprom});
    parser.process(app);
    // Standard-input words given here (guasto 3 silenziosa) would otherwise be
    // dropped silently, and the port would look healthy.
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr,
                     "parole non riconosciute sulla riga di comando: %s\n"
                     "qui un guasto si dà con --guasto N:nome[:comando]; guasto N nome, nessunguasto N e le altre\n"
                     "parole si scrivono sullo standard input mentre il simulatore gira (vedi --help)\n",
                     qPrintable(parser.positionalArguments().join(QLatin1Char(' '))));
        return 2;
    }

    const QString dir = QFileInfo(parser.value(cartella)).absoluteFilePath();
    SimulatoreScheda sim(dir);
    if (parser.isSet(eeprom))
        sim.impostaCartellaEeprom(parser.value(eeprom));
    if (parser.isSet(registro) && !sim.impostaFileRegistro(parser.value(registro))) {
        std::fprintf(stderr, "impossibile aprire il registro %s\n", qPrintable(parser.value(registro)));
        return 2;
    }
    for (const QString& s : parser.value(porte).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = s.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > 255 || !sim.aggiungiPorta(n)) {
            std::fprintf(stderr, "porta non valida o non creata: %s\n", qPrintable(s));
            return 2;
        }
    }
    for (const QString& g : parser.values(guasto)) {
        const QStringList p = g.split(QLatin1Char(':'));
        const QString riga = QStringLiteral("guasto %1 %2 %3").arg(p.value(0), p.value(1), p.value(2));
        const QString esito = sim.esegui(riga);
        if (!esito.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(esito));
            return 2;
        }
    }

    // N:testo becomes the same line as on standard input; the text may hold
    // colons of its own.
    const std::pair<const QCommandLineOption*, QString> testi[] = {
        {&testoVersione, QStringLiteral("testoversione")},
        {&testoEeprom, QStringLiteral("testoeeprom")},
    };
    for (const auto& [opzione, verbo] : testi) {
        for (const QString& v : parser.values(*opzione)) {
            const qsizetype dp = v.indexOf(QLatin1Char(':'));
            const QString esito =
                dp < 0 ? QStringLiteral("atteso N:testo: %1").arg(v)
                       : sim.esegui(verbo + QLatin1Char(' ') + v.left(dp) + QLatin1Char(' ') + v.mid(dp + 1));
            if (!esito.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(esito));
                return 2;
            }
        }
    }

    std::printf("%s\nCORSA_PORTE=%s\n", qPrintable(sim.esegui(QStringLiteral("porte"))), qPrintable(dir));
    std::fflush(stdout);

    QSocketNotifier ingresso(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&ingresso, &QSocketNotifier::activated, &app, [&] {
        char buf[1024];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf - 1);
        if (n <= 0) {
            ingresso.setEnabled(false); // stdin closed: keep running until a signal
            return;
        }
        static QByteArray resto;
        resto.append(buf, static_cast<qsizetype>(n));
        qsizetype a;
        while ((a = resto.indexOf('\n')) >= 0) {
            const QString riga = QString::fromUtf8(resto.left(a)).trimmed();
            resto.remove(0, a + 1);
            if (riga == QLatin1String("esci")) {
                QCoreApplication::quit();
                return;
            }
            const QString esito = sim.esegui(riga);
            if (!esito.isEmpty())
                std::printf("%s\n", qPrintable(esito));
            std::fflush(stdout);
        }
    });
    if (::pipe(pipaFine) != 0)
        return 2;
    QSocketNotifier fine(pipaFine[0], QSocketNotifier::Read);
    QObject::connect(&fine, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    std::signal(SIGINT, Fine);
    std::signal(SIGTERM, Fine);
    std::signal(SIGHUP, Fine);
    return app.exec();
}
