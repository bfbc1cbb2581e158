#include "Connessione.h"

#include "CercaPorta.h"
#include "Messaggi.h"
#include "Pannello.h"
#include "Porta.h"
#include "Protocollo.h"

#include <QLabel>
#include <QPushButton>

namespace corsa {

uint8_t EsitoVersione(qsizetype n)
{
    if (n <= 0)
        return EsitoNessunaRisposta;
    const auto esito = static_cast<uint8_t>(n);
    return esito == EsitoNessunaRisposta || esito == EsitoDisconnetti ? esito + 1 : esito;
}

QString TestoNonConnesso() { return QStringLiteral("Sistema non connesso    dati solo indicativi"); }
QString TestoRispostaRicevuta() { return QStringLiteral(" Premi per trasferire le modifiche al chip"); }
QString TestoNessunaRisposta()
{
    return QStringLiteral("La periferica non risponde,controllare che la macchina sia alimentata oppure "
                          "controllare le connessioni o premere annulla per continuare senza connessione.");
}
QString TitoloNessunaRisposta() { return QStringLiteral("ERRORE NELLA COMUNICAZIONE"); }

Connessione::Connessione(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, Pannello& pannello, TurnoLinea& turno,
                         const ControlliConnessione& controlli)
    : s_(stato), MSComm1(porta), messaggi_(messaggi), pannello_(pannello), turno_(turno), c_(controlli)
{
}

Connessione::~Connessione()
{
    delete cerca_; // usually gone with the main window already
}

CercaPorta* Connessione::cercaPorta() const { return cerca_; }

void Connessione::TestCom(uint8_t esito)
{
    if (esito != EsitoNessunaRisposta)
        c_.Command1->setText(TestoRispostaRicevuta());
    if (esito == EsitoNessunaRisposta) {
        pannello_.MostraIndicatori(false);
        const Risposta r =
            messaggi_.Mostra(TestoNessunaRisposta(), TitoloNessunaRisposta(), Pulsanti::RiprovaAnnulla, Icona::Critica);
        if (r == Risposta::Annulla) {
            Annulla();
        } else {
            // A port the system closed under us (cable pulled) would fail
            // every retry, even with the cable back: open it again first.
            RiapriPorta(MSComm1);
            s_.Comando = ComandoVersione;
            c_.abilitaChip(true);
            c_.connetti->setEnabled(false);
            c_.disconnetti->setEnabled(true);
            c_.Command1->setEnabled(true);
        }
    }
    if (esito == EsitoDisconnetti)
        NonConnesso();
}

void Connessione::Annulla()
{
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
    NonConnesso();
}

void Connessione::NonConnesso()
{
    c_.abilitaChip(false);
    s_.Comando = ComandoNessuno;
    c_.Command1->setText(TestoNonConnesso());
    c_.connetti->setEnabled(true);
    c_.disconnetti->setEnabled(false);
    c_.Command1->setEnabled(false);
    pannello_.MostraIndicatori(false);
    // A window that says a read or write is under way must not outlive the
    // connection.
    if (NascondiAvanzamento)
        NascondiAvanzamento();
}

void Connessione::carica_Click() { s_.Comando = ComandoLeggiPosizione; }

void Connessione::salva_Click()
{
    if (s_.Modificato) {
        messaggi_.Mostra(QStringLiteral("Prima bisogna aggiornare la ram del chip"), std::nullopt, Pulsanti::OK,
                         Icona::Nessuna);
        return;
    }
    s_.Comando = ComandoScriviEeprom;
}

void Connessione::PcToChip_Click() { s_.Comando = ComandoScriviPosizione; }

void Connessione::Res_Click() { s_.Comando = ComandoReset; }

void Connessione::ResSic_Click() { s_.Comando = ComandoResetSicure; }

void Connessione::Command1_Click()
{
    s_.Comando = ComandoScriviPosizione;
    pannello_.AggiornaCursori();
}

void Connessione::connetti_Click()
{
    if (!cerca_)
        cerca_ = new CercaPorta(s_, MSComm1, messaggi_, turno_, c_, c_.Form1);
    cerca_->ricerca(QStringLiteral("ricerca"));
}

void Connessione::disconnetti_Click() { ChiudiConnessione(); }

void Connessione::ChiudiConnessione()
{
    // The port stays open: a later "Connetti" resumes on it at once.
    TestCom(EsitoDisconnetti);
    c_.enco->setEnabled(false);
    ++disconnessioni_;
}

} // namespace corsa
