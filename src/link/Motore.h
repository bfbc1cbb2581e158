#pragma once
#include "Controlli.h"

#include <QByteArray>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corsa {

struct Stato;
class Connessione;
class Dialog;
class Messaggi;
class Pannello;
class PortaSeriale;
class TurnoLinea;

// The exchange with the board, one step per tick of the main window's timer.
// A command takes two ticks: the send tick writes it and sets the interval,
// which is the whole time the board has to answer; the receive tick takes
// what has arrived, stores it and names the next command where a sequence
// goes on. Nothing here waits.
class MotoreScambio {
public:
    // turno: shared with the port search.
    MotoreScambio(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, Pannello& pannello, Connessione& connessione,
                  TurnoLinea& turno, const ControlliConnessione& controlli);
    ~MotoreScambio();

    void CicloComunicazione();

    // The tester's decoding of a reply to "m" or "s".
    std::function<void(const std::string&)> LeggoAdc;

    Dialog* dialog() const; // null before the first tick
    void NascondiDialog();
    bool Fase() const { return fase_; }
    const std::string& ComandoInCorso() const { return inCorso_; }

private:
    void Stato_(bool invio);
    void Reset();
    void LeggiPosizione(bool invio);
    void LeggiVelocita(bool invio);
    void ScriviPosizione(bool invio);
    void ScriviVelocita(bool invio);
    void ResetSicure(bool invio);
    void Tester(bool invio, bool motore);
    void Eeprom(bool invio);
    void Versione(bool invio);
    void Ritirato();

    // A block read's reply loaded with the bar following each byte; false,
    // after the box, when it came short.
    bool RiceviBlocco(int (*carica)(Stato&, const QByteArray&));
    void BloccoMancante(); // a short block: the box, and what its answer leaves
    void Intervallo(int ms);
    void Barra(int valore);
    void Mostra(bool visibile);
    void Invia();

    Stato& s_;
    PortaSeriale& MSComm1;
    Messaggi& messaggi_;
    Pannello& pannello_;
    Connessione& connessione_;
    TurnoLinea& turno_;
    const ControlliConnessione& c_;
    QPointer<Dialog> dialog_;

    bool fase_ = false;           // true: the coming tick is a send tick
    std::string inCorso_;         // the command being served
    unsigned disconnessioni_ = 0; // the connection's count at the send tick
    // The position block as it came in, until the read it belongs to ends.
    std::optional<std::array<uint8_t, 141>> posizioneLetta_;
};

} // namespace corsa
