#pragma once
#include "DialogoFile.h"
#include "FileMatrici.h"
#include "Form1.h"
#include "Messaggi.h"
#include "Stato.h"


namespace corsa {

class FinestreInfo;
class PortaSeriale;

// The whole program: the shared state, the main window and what its menus
// reach, wired together. main() makes one; a test can make its own with
// scripted port, boxes and dialogs.
class Programma {
public:
    Programma(PortaSeriale& porta, Messaggi& messaggi, DialogoFile& dialogo);
    ~Programma();

    Stato stato;
    Form1 form1;
    FileMatrici file;
    FinestreInfo* info; // owned by the main window

    void Avvia(); // the start-up, then the window is shown
};

} // namespace corsa
