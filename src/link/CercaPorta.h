#pragma once
#include "Controlli.h"
#include "FilePorta.h"

#include <QByteArray>
#include <QWidget>
#include <cstdint>

class QLabel;
class QTimer;

namespace corsa {

struct Stato;
class Messaggi;
class PortaSeriale;
class TurnoLinea;

// The small window that finds the board's port: the port named by the port
// file first, else ports 1 to 15, each probed with "v" and taken when the
// answer holds "REV". One step per tick of its timer; a test calls
// Timer1_Timer itself. One instance for the run, shown and hidden.
class CercaPorta : public QWidget {
    Q_OBJECT
public:
    CercaPorta(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, TurnoLinea& turno,
               const ControlliConnessione& controlli, QWidget* genitore = nullptr);

    void ricerca(const QString& = QString());
    void Timer1_Timer();

    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;
    QString filePorta = NomeFilePorta; // relative: the process's current folder

    // The search state, kept from one search to the next.
    uint8_t PassoRicerca = 0; // 0 read the file, 1 probe, 2 judge, 5 finish
    QByteArray Risposta;
    uint8_t FaseRicerca = 0; // 1 file, 2 first port, 3 scanning, 0 done
    bool SalvaPorta = false;
    bool Connesso = false;

private:
    void LeggiFile();
    void Sonda();
    void Giudica();
    void Fine();
    void Errore();
    void Fallita();
    void RestituisciForm1();

    Stato& s_;
    PortaSeriale& MSComm1;
    Messaggi& messaggi_;
    TurnoLinea& turno_;
    const ControlliConnessione& c_;
};

} // namespace corsa
