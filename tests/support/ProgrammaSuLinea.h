#pragma once
// The assembled program on its real serial port, the simulated board on
// pseudo-terminals in a folder of their own, and a temporary working folder
// for the port file. Boxes and dialogs are scripted.
#include "CartellaDiLavoro.h"
#include "DialogoScriptato.h"
#include "MessaggiScriptati.h"
#include "PortaSerialeQt.h"
#include "Programma.h"
#include "SimulatoreScheda.h"

#include <QTemporaryDir>
#include <memory>

namespace corsa::test {

struct ProgrammaSuLinea {
    // The simulator with no port yet, and the program built but not started.
    bool Prepara()
    {
        if (!porte.isValid() || !lavoro.attiva())
            return false;
        qputenv("CORSA_PORTE", porte.path().toLocal8Bit());
        sim = std::make_unique<sim::SimulatoreScheda>(porte.path());
        p = std::make_unique<Programma>(porta, messaggi, dialogo);
        p->form1.terminaProgramma = [] {};
        return true;
    }

    ~ProgrammaSuLinea()
    {
        p.reset();
        porta.setPortOpen(false);
        sim.reset();
        qunsetenv("CORSA_PORTE");
    }

    QTemporaryDir porte;
    CartellaDiLavoro lavoro;
    std::unique_ptr<sim::SimulatoreScheda> sim;
    PortaSerialeQt porta;
    MessaggiScriptati messaggi;
    DialogoScriptato dialogo;
    std::unique_ptr<Programma> p;
};

} // namespace corsa::test
