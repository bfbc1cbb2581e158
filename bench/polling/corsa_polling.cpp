// corsa-polling: the program as main() assembles it, on the real serial
// port, with boxes and file dialogs that answer by themselves (each box is
// told on stderr), so that bench/cpu_polling.sh can measure it unattended.
//
//   corsa-polling              started and shown, never connected
//   corsa-polling --connetti   "Connetti" at once; "in ascolto" on stdout
//                              when the first status poll has gone out
//
// "avviato <pid>" comes first on stdout, once the event loop runs.
#include "DialogoScriptato.h"
#include "MessaggiScriptati.h"
#include "PortaSerialeQt.h"
#include "Programma.h"
#include "Protocollo.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool connetti = QCoreApplication::arguments().contains(QStringLiteral("--connetti"));

    corsa::PortaSerialeQt porta;
    porta.setObjectName(QStringLiteral("MSComm1"));
    corsa::test::MessaggiScriptati messaggi;
    corsa::test::DialogoScriptato dialogo;
    messaggi.durante = [&messaggi] {
        std::fprintf(stderr, "riquadro: %s\n", qPrintable(messaggi.mostrati.back().testo));
    };
    corsa::Programma programma(porta, messaggi, dialogo);
    programma.Avvia();

    // The program's own tick, then one look: has status polling begun?
    bool inAscolto = false;
    auto tick = programma.form1.Timer1_Timer;
    programma.form1.Timer1_Timer = [&] {
        tick();
        if (!inAscolto && programma.motore.ComandoInCorso() == corsa::ComandoStato) {
            inAscolto = true;
            std::printf("in ascolto\n");
            std::fflush(stdout);
        }
    };

    QTimer::singleShot(0, &app, [&] {
        std::printf("avviato %ld\n", static_cast<long>(::getpid()));
        std::fflush(stdout);
        if (connetti)
            programma.form1.connetti->trigger();
    });
    return app.exec();
}
