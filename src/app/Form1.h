#pragma once
#include "Pannello.h"
#include "Stato.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QMenu;
class QRadioButton;
class QTimer;

namespace corsa {

class ClickLabel;
class Messaggi;
class PictureBox;
class PortaSeriale;

// The main window: builds the controls and menus, runs the start-up and the
// end, and hands every event to the panel or to whoever owns it.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, QWidget* genitore = nullptr);

    void Form_Load();
    Pannello& pannello() { return pannello_; }
    Stato& stato() { return stato_; }

    PortaSeriale& MSComm1;
    Messaggi& messaggi;
    QTimer* Timer1 = nullptr;
    // Runs on every tick of Timer1 (the exchange with the board).
    std::function<void()> Timer1_Timer;
    // Ends the program once the window has closed; tests replace it.
    std::function<void()> terminaProgramma;

    ControlliPannello controlli;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    ClickLabel* Label7 = nullptr;

    QMenu* File = nullptr;
    QAction* apri = nullptr;
    QAction* save = nullptr;
    QMenu* chip = nullptr;
    QAction* carica = nullptr;
    QAction* salva = nullptr;
    QAction* PcToChip = nullptr;
    QAction* Res = nullptr;
    QAction* ResSic = nullptr;
    QMenu* con = nullptr;
    QAction* connetti = nullptr;
    QAction* disconnetti = nullptr;
    QMenu* Cavo = nullptr;
    QAction* rs232 = nullptr;
    QAction* usb = nullptr;
    QMenu* meccanica = nullptr;
    QAction* struttura = nullptr;
    QAction* enco = nullptr;

    static void AbilitaMenu(QMenu* m, bool abilitato);

protected:
    void closeEvent(QCloseEvent* e) override; // the window's unload

private:
    void CostruisciControlli();
    void CostruisciMenu();

    Stato& stato_;
    Pannello pannello_;
};

} // namespace corsa
