#include "CaratteriInAnticipo.h"
#include "DialogoFile.h"
#include "Messaggi.h"
#include "MisuraAvvio.h"
#include "PortaSerialeQt.h"
#include "Programma.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv)
{
    // The font configuration loads on a second thread while the display
    // connects, rather than at the window's first text.
    corsa::CaratteriInAnticipo caratteri;
    QApplication app(argc, argv);
    caratteri.Attendi();
    QApplication::setApplicationName(corsa::TitoloProgramma());
    // The toolkit's own texts (file dialogs, standard buttons) in Italian too.
    QTranslator traduzione;
    if (traduzione.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzione);
    // The program ends when the main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    corsa::PortaSerialeQt porta;
    porta.setObjectName(QStringLiteral("MSComm1"));
    corsa::MessaggiQt messaggi;
    corsa::DialogoFileQt dialogo;
    corsa::Programma programma(porta, messaggi, dialogo);
    messaggi.setGenitore(&programma.form1);
    dialogo.setGenitore(&programma.form1);
    programma.Avvia();
    corsa::MisuraPrimoDisegno(&programma.form1);
    return app.exec();
}
