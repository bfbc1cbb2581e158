#include "CercaPorta.h"

#include "Caratteri.h"
#include "Finestre.h"
#include "Messaggi.h"
#include "Porta.h"
#include "Protocollo.h"
#include "TestiNumerici.h"
#include "TurnoLinea.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace corsa {

namespace {

// A step that cannot go on; the phase decides what follows.
struct Interrotto {};

QString TestoPorta(int porta) { return QStringLiteral(" Ricerca di connessione porta COM ") + TestoNumero(porta); }

} // namespace

CercaPorta::CercaPorta(Stato& stato, PortaSeriale& porta, Messaggi& messaggi, TurnoLinea& turno,
                       const ControlliConnessione& controlli, QWidget* genitore)
    : QWidget(genitore, Qt::Tool | Qt::FramelessWindowHint), s_(stato), MSComm1(porta), messaggi_(messaggi),
      turno_(turno), c_(controlli)
{
    setObjectName(QStringLiteral("CercaPorta"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    setGeometry(RettangoloTwips(4560, 2295, 4440, 540));
    setFixedSize(size());

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(RettangoloTwips(120, 120, 4215, 255));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Arial(9, true));
    Label1->setTextFormat(Qt::PlainText);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(600);
    connect(Timer1, &QTimer::timeout, this, &CercaPorta::Timer1_Timer);
}

void CercaPorta::ricerca(const QString&)
{
    Label1->setText(QStringLiteral("Ricerca connessione"));
    Timer1->start();
    show();
    AbilitaFinestra(this, true);
    if (c_.Form1)
        AbilitaFinestra(c_.Form1, false);
}

void CercaPorta::Timer1_Timer()
{
    const auto passo = turno_.Prendi();
    if (!passo)
        return;
    if (Connesso)
        PassoRicerca = 5;
    try {
        switch (PassoRicerca) {
        case 0: LeggiFile(); break;
        case 1: Sonda(); break;
        case 2: Giudica(); break;
        case 5: Fine(); break;
        default: break;
        }
    } catch (const Interrotto&) {
        Errore();
    } catch (const ErrorePorta&) {
        Errore();
    }
}

void CercaPorta::LeggiFile()
{
    FaseRicerca = 1;
    const auto porta = LeggiFilePorta(filePorta);
    if (!porta)
        throw Interrotto{};
    s_.Porta = *porta;
    PassoRicerca = 1;
}

void CercaPorta::Sonda()
{
    if (FaseRicerca < 2)
        FaseRicerca = 2;
    ApriPorta(MSComm1, s_.Porta);
    MSComm1.Output(BytesComando(ComandoVersione));
    PassoRicerca = 2;
}

void CercaPorta::Giudica()
{
    Risposta = MSComm1.Input();
    if (ContieneParola(Risposta, ParolaVersione)) {
        PassoRicerca = 5;
        Label1->setText(QStringLiteral("Connesso alla porta COM") + TestoNumero(s_.Porta));
        if (c_.enco)
            c_.enco->setEnabled(true);
        return;
    }
    Label1->setText(QStringLiteral("Porta presente ma non si connette"));
    MSComm1.setPortOpen(false);
    FaseRicerca = 3;
    Errore();
}

void CercaPorta::Fine()
{
    // The port found earlier may have been closed since (a Cancel, an adapter
    // pulled out): open it again, or search as on a first connection.
    if (!MSComm1.PortOpen() && !RiapriPorta(MSComm1)) {
        Connesso = false;
        FaseRicerca = 0;
        PassoRicerca = 0;
        return;
    }
    Timer1->stop();
    hide();
    AbilitaFinestra(this, false);
    RestituisciForm1();
    s_.Comando = ComandoVersione;
    c_.abilitaChip(true);
    c_.connetti->setEnabled(false);
    c_.disconnetti->setEnabled(true);
    c_.Command1->setEnabled(true);
    c_.enco->setEnabled(true);
    c_.Label7->setText(QStringLiteral(" Connesso COM.") + TestoNumero(s_.Porta) + QStringLiteral("  9600,N,8,1"));
    FaseRicerca = 0;
    PassoRicerca = 0;
    Connesso = true;
    // A file that cannot be written is tried again at the next finish.
    if (SalvaPorta && ScriviFilePorta(s_.Porta, filePorta))
        SalvaPorta = false;
}

void CercaPorta::Errore()
{
    switch (FaseRicerca) {
    case 1:
        Label1->setText(QStringLiteral(" File init non trovato,ricerca su tutte le porte"));
        s_.Porta = 1;
        PassoRicerca = 1;
        SalvaPorta = true;
        break;
    case 2:
        s_.Porta = 1;
        Label1->setText(TestoPorta(s_.Porta));
        SalvaPorta = true;
        FaseRicerca = 3;
        PassoRicerca = 1;
        break;
    case 3: {
        // Counted past the byte: a stored 255 fails here rather than wrap to port 0.
        const int prossima = s_.Porta + 1;
        if (prossima < 16) {
            s_.Porta = static_cast<uint8_t>(prossima);
            Label1->setText(TestoPorta(s_.Porta));
        }
        SalvaPorta = true;
        PassoRicerca = 1;
        if (prossima > 15)
            Fallita();
        break;
    }
    default: break;
    }
}

void CercaPorta::Fallita()
{
    // No step may run while the box is open.
    Timer1->stop();
    messaggi_.Mostra(QStringLiteral("NESSUNA PORTA TROVATA ,intervallo da 1 a 15 ,controllare il sistema e "
                                    "eventualmente settare la porta su un valore compreso tra 1 e 15, oppure "
                                    "controllare che la macchina sia alimentata ed il cavo di collegamento sia "
                                    "inserito correttamente"),
                     QStringLiteral("Ricerca porta fallita"), Pulsanti::OK, Icona::Critica);
    s_.Porta = 0;
    Timer1->stop();
    hide();
    RestituisciForm1();
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
}

void CercaPorta::RestituisciForm1()
{
    if (!c_.Form1)
        return;
    AbilitaFinestra(c_.Form1, true);
    DaiFuoco(c_.Form1);
}

} // namespace corsa
