#pragma once
#include "Connessione.h"
#include "Controlli.h"
#include "DialogoFile.h"
#include "FileMatrici.h"
#include "Form1.h"
#include "Messaggi.h"
#include "Motore.h"
#include "Stato.h"
#include "TurnoLinea.h"

#include <QPointer>

namespace corsa {

class FinestreInfo;
class PortaSeriale;
class testenco;

// The whole program: the shared state, the main window and what its menus
// reach, wired together. main() makes one; a test can make its own with
// scripted port, boxes and dialogs.
class Programma {
public:
    Programma(PortaSeriale& porta, Messaggi& messaggi, DialogoFile& dialogo);
    ~Programma();

    Stato stato;
    // Whose step has the line: the exchange's or the port search's.
    TurnoLinea turno;
    Form1 form1;
    ControlliConnessione controlli;
    Connessione connessione;
    MotoreScambio motore;
    FileMatrici file;
    FinestreInfo* info; // owned by the main window

    void Avvia(); // the start-up, then the window is shown

    void enco_Click();
    testenco* tester() const; // null until first opened

private:
    QPointer<testenco> tester_; // owned by the main window, kept for the run
};

} // namespace corsa
