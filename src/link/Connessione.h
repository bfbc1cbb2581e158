#pragma once
#include "Controlli.h"

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

namespace corsa {

struct Stato;
class CercaPorta;
class Messaggi;
class Pannello;
class PortaSeriale;
class TurnoLinea;

// Outcomes that the exchange hands to TestCom.
constexpr uint8_t EsitoNessunaRisposta = 0;
constexpr uint8_t EsitoDisconnetti = 100;
// A version reply of n characters as an outcome: 0 when empty, and never
// the disconnect code, whatever its length.
uint8_t EsitoVersione(qsizetype n);

QString TestoNonConnesso();      // "Sistema non connesso    dati solo indicativi"
QString TestoRispostaRicevuta(); // " Premi per trasferire le modifiche al chip"
QString TestoNessunaRisposta();  // the no-answer box's prompt
QString TitoloNessunaRisposta(); // "ERRORE NELLA COMUNICAZIONE"

// What the user drives to reach the board: the Chip menu, the transfer
// button, connect and disconnect; and TestCom, through which the exchange
// reports whether the board answered. None of it touches the line: requests
// go through Comando, which the exchange serves.
class Connessione {
public:
    // turno: shared with the exchange; handed on to the port search.
    Connessione(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, Pannello& pannello, TurnoLinea& turno,
                const ControlliConnessione& controlli);
    ~Connessione();

    void TestCom(uint8_t esito);
    // What Cancel in the no-answer box leaves: the port closed, the program
    // not connected.
    void Annulla();

    void carica_Click();
    void salva_Click();
    void PcToChip_Click();
    void Res_Click();
    void ResSic_Click();
    void Command1_Click();
    void connetti_Click();
    void disconnetti_Click();

    CercaPorta* cercaPorta() const; // null until the first "Connetti"
    // How many times "Disconnetti" has been chosen in this run.
    unsigned Disconnessioni() const { return disconnessioni_; }

    // Takes the exchange's progress window away.
    std::function<void()> NascondiAvanzamento;

private:
    void ChiudiConnessione();
    // The one way into the not-connected state: menus, the transfer button,
    // "e", and neither indicators nor a progress window left up. The port is
    // the caller's to close or keep.
    void NonConnesso();

    Stato& s_;
    PortaSeriale& MSComm1;
    Messaggi& messaggi_;
    Pannello& pannello_;
    TurnoLinea& turno_;
    const ControlliConnessione& c_;
    QPointer<CercaPorta> cerca_;
    unsigned disconnessioni_ = 0;
};

} // namespace corsa
