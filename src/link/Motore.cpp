#include "Motore.h"

#include "Connessione.h"
#include "Dialog.h"
#include "Messaggi.h"
#include "Pannello.h"
#include "Porta.h"
#include "ProgressBar.h"
#include "Protocollo.h"
#include "TurnoLinea.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace corsa {

namespace {

// The reply's bytes as the text the tester decodes.
std::string Testo(const QByteArray& r) { return std::string(r.constData(), size_t(r.size())); }

} // namespace

MotoreScambio::MotoreScambio(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, Pannello& pannello,
                             Connessione& connessione, TurnoLinea& turno, const ControlliConnessione& controlli)
    : s_(stato), MSComm1(porta), messaggi_(messaggi), pannello_(pannello), connessione_(connessione), turno_(turno),
      c_(controlli)
{
}

MotoreScambio::~MotoreScambio()
{
    delete dialog_; // usually gone with the main window already
}

Dialog* MotoreScambio::dialog() const { return dialog_; }

void MotoreScambio::CicloComunicazione()
{
    const auto passo = turno_.Prendi();
    if (!passo)
        return;

    bool invio = false;
    if (fase_) {
        inCorso_ = s_.Comando;
        fase_ = false;
        invio = true;
        disconnessioni_ = connessione_.Disconnessioni();
    } else {
        fase_ = true;
    }
    if (!dialog_) {
        dialog_ = new Dialog(c_.Form1);
        dialog_->hide();
    }
    dialog_->Label1->setText(s_.TitoloDialogo);

    const std::string& c = inCorso_;
    if (!invio && connessione_.Disconnessioni() != disconnessioni_)
        Ritirato();
    else if (c == ComandoStato)
        Stato_(invio);
    else if (c == ComandoReset)
        Reset();
    else if (c == ComandoLeggiPosizione)
        LeggiPosizione(invio);
    else if (c == ComandoLeggiVelocita)
        LeggiVelocita(invio);
    else if (c == ComandoScriviPosizione)
        ScriviPosizione(invio);
    else if (c == ComandoScriviVelocita)
        ScriviVelocita(invio);
    else if (c == ComandoResetSicure)
        ResetSicure(invio);
    else if (c == ComandoTestVite)
        Tester(invio, false);
    else if (c == ComandoTestMotore)
        Tester(invio, true);
    else if (c == ComandoScriviEeprom)
        Eeprom(invio);
    else if (c == ComandoVersione)
        Versione(invio);
}

void MotoreScambio::Stato_(bool invio)
{
    Mostra(false);
    s_.TitoloDialogo.clear();
    if (invio) {
        Invia();
        pannello_.AggiornaCursori();
        pannello_.AggiornaStatoIngressi(s_.StatoChip[4]);
        Intervallo(25);
        return;
    }
    if (!CaricaStato(s_, MSComm1.Input())) {
        connessione_.TestCom(EsitoNessunaRisposta);
        return;
    }
    pannello_.AggiornaCursori();
    pannello_.AggiornaStatoIngressi(s_.StatoChip[4]);
}

void MotoreScambio::Reset()
{
    // Both ticks alike: the board gets the byte twice, one interval apart.
    Mostra(true);
    Barra(0);
    Invia();
    s_.Comando = ComandoLeggiPosizione;
    s_.TitoloDialogo = QStringLiteral(" RESET del chip");
}

void MotoreScambio::LeggiPosizione(bool invio)
{
    Mostra(true);
    Barra(50);
    if (invio) {
        MSComm1.Input(); // whatever is left over is no part of the block
        Invia();
        s_.TitoloDialogo = QStringLiteral(" Lettura della RAM del chip ");
        Intervallo(800);
        return;
    }
    if (!RiceviBlocco(CaricaBloccoPosizione))
        return;
    posizioneLetta_ = s_.MatricePosizione;
    s_.Comando = ComandoLeggiVelocita;
}

void MotoreScambio::LeggiVelocita(bool invio)
{
    Barra(50);
    if (invio) {
        MSComm1.Input();
        Invia();
        pannello_.MostraIndicatori(true);
        return;
    }
    if (!RiceviBlocco(CaricaBloccoVelocita))
        return;
    Intervallo(100);
    // The copies hold what the board sent: an edit made since the position
    // block came in is in the image only, and must still show as not sent.
    pannello_.PrendiCopie(posizioneLetta_.value_or(s_.MatricePosizione), s_.MatriceVelocita);
    posizioneLetta_.reset();
    s_.Comando = ComandoStato;
    pannello_.RidisegnaMatrici();
    c_.abilitaChip(true);
    c_.enco->setEnabled(true);
    c_.Command1->setEnabled(true);
}

bool MotoreScambio::RiceviBlocco(int (*carica)(Stato&, const QByteArray&))
{
    const QByteArray r = MSComm1.Input();
    if (!RispostaValida(inCorso_, r)) {
        BloccoMancante();
        return false;
    }
    const int n = carica(s_, r);
    for (int i = 1; i <= n; ++i)
        Barra(50 + i);
    return true;
}

void MotoreScambio::BloccoMancante()
{
    pannello_.MostraIndicatori(false);
    const Risposta r =
        messaggi_.Mostra(TestoNessunaRisposta(), TitoloNessunaRisposta(), Pulsanti::RiprovaAnnulla, Icona::Critica);
    if (r == Risposta::Annulla) {
        connessione_.Annulla();
        // A position block taken in before a short speed block shows, as a
        // save would write it.
        pannello_.RidisegnaMatrici();
        return;
    }
    // The same read goes out again on the next send tick; a port the system
    // closed under us is opened again for it.
    RiapriPorta(MSComm1);
}

void MotoreScambio::ScriviPosizione(bool invio)
{
    Mostra(true);
    s_.TitoloDialogo = QStringLiteral(" Scrittura nella RAM del chip");
    Barra(50);
    if (invio) {
        Invia();
        Intervallo(600);
        return;
    }
    for (int i = 1; i <= LunghezzaBloccoPosizione - 1; ++i)
        Barra(50 + i);
    MSComm1.Output(BloccoPosizione(s_));
    s_.Comando = ComandoScriviVelocita;
}

void MotoreScambio::ScriviVelocita(bool invio)
{
    if (invio) {
        Invia(); // the 600 ms left by "$" stay: the block follows as late
        return;
    }
    for (int i = 1; i <= LunghezzaBloccoVelocita - 1; ++i)
        Barra(50 + i);
    MSComm1.Output(BloccoVelocita(s_));
    s_.Comando = ComandoLeggiPosizione;
    Intervallo(100);
}

void MotoreScambio::ResetSicure(bool invio)
{
    if (invio)
        Invia();
    else
        s_.Comando = ComandoStato;
}

void MotoreScambio::Tester(bool invio, bool motore)
{
    Mostra(false);
    s_.TitoloDialogo.clear();
    if (invio) {
        Invia();
        Intervallo(50);
        return;
    }
    const QByteArray r = MSComm1.Input();
    if (r.size() < LunghezzaMinima(inCorso_)) {
        connessione_.TestCom(EsitoNessunaRisposta);
        return;
    }
    if (LeggoAdc)
        LeggoAdc(Testo(r));
    if (motore)
        c_.Command1->setEnabled(true);
    if (s_.CambioEncoder == 1) {
        s_.Comando = motore ? ComandoTestVite : ComandoTestMotore;
        s_.CambioEncoder = 0;
    }
}

void MotoreScambio::Eeprom(bool invio)
{
    Mostra(true);
    Barra(180);
    Intervallo(570);
    if (invio) {
        Invia();
        s_.TitoloDialogo = QStringLiteral(" Scrittura della EEPROM");
        return;
    }
    // A closed port is no refusal of the board: telling the technician to
    // power the board off would be wrong, so it goes as a missing answer.
    if (!MSComm1.PortOpen()) {
        connessione_.TestCom(EsitoNessunaRisposta);
        return;
    }
    if (ContieneParola(MSComm1.Input(), ParolaEeprom)) {
        MSComm1.Output(ConfermaEeprom());
        s_.Comando = ComandoReset;
        return;
    }
    messaggi_.Mostra(QStringLiteral("Scrittura rifiutata ,sistema bloccato ,disalimentare la scheda e riprovare."),
                     std::nullopt, Pulsanti::OK, Icona::Nessuna);
    s_.Comando = ComandoNessuno;
}

void MotoreScambio::Versione(bool invio)
{
    if (invio) {
        MSComm1.setInBufferCount(0);
        Invia();
        return;
    }
    const QByteArray r = MSComm1.Input();
    s_.VersioneChip = Testo(r);
    s_.Comando = ComandoLeggiPosizione;
    connessione_.TestCom(EsitoVersione(r.size()));
    pannello_.RidisegnaMatrici();
}

// "Disconnetti" came between this command's send tick and its receive tick,
// and wins over the sequence: what the board is waiting for still goes, a
// reply is thrown away (half a read is worse than none), and no next step is
// stored and no menu enabled, so the engine idles on "e".
void MotoreScambio::Ritirato()
{
    const std::string& c = inCorso_;
    if (c == ComandoReset)
        Invia(); // its second byte, as on every receive tick
    else if (c == ComandoScriviPosizione)
        MSComm1.Output(BloccoPosizione(s_));
    else if (c == ComandoScriviVelocita)
        MSComm1.Output(BloccoVelocita(s_));
    else if (c == ComandoScriviEeprom) {
        if (ContieneParola(MSComm1.Input(), ParolaEeprom))
            MSComm1.Output(ConfermaEeprom());
    } else if (c == ComandoStato || c == ComandoLeggiPosizione || c == ComandoLeggiVelocita || c == ComandoTestVite ||
               c == ComandoTestMotore || c == ComandoVersione)
        MSComm1.Input();
}

void MotoreScambio::Invia() { MSComm1.Output(BytesComando(inCorso_)); }

void MotoreScambio::Intervallo(int ms)
{
    if (c_.Timer1)
        c_.Timer1->setInterval(ms);
}

void MotoreScambio::Barra(int valore) { dialog_->ProgressBar1->setValue(float(valore)); }

void MotoreScambio::Mostra(bool visibile) { dialog_->setVisible(visibile); }

void MotoreScambio::NascondiDialog()
{
    if (dialog_)
        dialog_->hide();
}

} // namespace corsa
