// One tick of the exchange and of the port search, on the assembled program
// with a scripted port: the cost each tick puts on the event loop. Every
// timed call is the real tick; what must come before it (the send tick, the
// painting the event loop does between ticks) runs untimed in primaDi, and
// each measurement checks that the state it found was the one it meant to
// time.
#include "CercaPorta.h"
#include "DialogoScriptato.h"
#include "MessaggiScriptati.h"
#include "Misura.h"
#include "Porta.h"
#include "PortaScriptata.h"
#include "Programma.h"
#include "Protocollo.h"
#include "testenco.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using namespace corsa;
using namespace corsa::test;

constexpr int PortaScheda = 3;

void Esigi(bool condizione, const char* cosa)
{
    if (condizione)
        return;
    std::fprintf(stderr, "bench scambio: %s\n", cosa);
    std::exit(2);
}

// The board's side: a reply to each command, as the simulated board gives.
struct Scheda {
    int passo = 0;
    QByteArray posizione, velocita;

    QByteArray Risposta(const QByteArray& comando)
    {
        if (comando.size() != 1)
            return {};
        ++passo;
        switch (static_cast<uint8_t>(comando[0])) {
        case '@': {
            // The carriage moves at every poll, so cursors and labels change.
            const int carro = 10 + passo % 100;
            QByteArray r(4, '\0');
            r[0] = char(carro);
            r[1] = char(carro + 2);
            r[2] = char(passo & 0xFF);
            r[3] = char((passo & 1) ? 0x04 : 0x0C);
            return r;
        }
        case 0xA3: return posizione;
        case '%': return velocita;
        case 'm':
        case 's': {
            // Two readings in turn, so every bar and lamp really changes.
            QByteArray r("\x14\xc8\x14\x82\x83\xc8\x14\x5f", 8);
            if (passo & 1)
                for (char& c : r)
                    c = char(255 - static_cast<unsigned char>(c));
            return r;
        }
        case 'v': return QByteArrayLiteral("SIM REV 1.0 scheda simulata");
        default: return {};
        }
    }
};

// The program, built on first use and never deleted: its windows must not
// outlive the application.
struct Banco {
    PortaScriptata porta;
    MessaggiScriptati messaggi;
    DialogoScriptato dialogo;
    Scheda scheda;
    Programma p{porta, messaggi, dialogo};

    Banco()
    {
        p.Avvia();
        p.form1.Timer1->stop(); // the bench gives the ticks
        // The board holds the image the program starts with.
        for (int i = 1; i <= 140; ++i)
            scheda.posizione.append(char(p.stato.MatricePosizione[i]));
        for (int i = 1; i <= 128; ++i)
            scheda.velocita.append(char(p.stato.MatriceVelocita[i]));
        porta.risponde = [this](const QByteArray& d) { return scheda.Risposta(d); };
        ApriPorta(porta, PortaScheda);
        // From the start the coming tick is a receive tick of no command.
        if (!p.motore.Fase())
            p.motore.CicloComunicazione();
        Esigi(p.motore.Fase(), "il motore non arriva a un tick di invio");
    }

    void Tick() { p.motore.CicloComunicazione(); }

    // Untimed: one tick, then the event loop. As in the running program,
    // the windows have painted what a tick changed before the next tick; a
    // window never painted is not even exposed, and Qt would skip drawing
    // it inside the tick.
    void TickEDipingi()
    {
        Tick();
        QCoreApplication::processEvents();
    }

    // Untimed: the send tick of the command, leaving its reply pending.
    void Invia(const std::string& comando, int lunghezza)
    {
        Esigi(messaggi.mostrati.empty(), "un riquadro di errore durante il banco");
        Esigi(p.motore.Fase(), "il tick atteso non era di invio");
        QCoreApplication::processEvents();
        porta.scritto.clear();
        porta.scritture.clear();
        porta.ricevuto.clear();
        p.stato.Comando = comando;
        TickEDipingi();
        Esigi(!p.motore.Fase() && p.motore.ComandoInCorso() == comando, "il tick di invio non e' andato");
        Esigi(porta.ricevuto.size() == lunghezza, "la risposta non e' quella attesa");
    }
};

Banco& B()
{
    static Banco* b = new Banco;
    return *b;
}

Misura Scambio(const char* nome, const char* obiettivo, std::function<void()> prepara, std::function<void()> primaDi,
               int ripetizioni)
{
    Misura m;
    m.nome = nome;
    m.obiettivo = obiettivo;
    m.prepara = std::move(prepara);
    m.primaDi = std::move(primaDi);
    m.corpo = [] { B().Tick(); };
    m.ripetizioni = ripetizioni;
    return m;
}

bool statoAtteso = false;

// The last timed tick must have taken its reply; then the next send tick.
void InviaStato()
{
    auto& b = B();
    Esigi(!statoAtteso || b.p.stato.StatoChip[3] == uint8_t(b.scheda.passo & 0xFF),
          "la risposta di stato non e' stata caricata");
    statoAtteso = true;
    b.Invia(ComandoStato, 4);
}

Registra stato(Scambio(
    "scambio: tick di ricezione stato", "< 50 us", [] { B(); }, InviaStato, 5000));

// The same tick 25 ms after the send tick, the process idle in between, as
// the program polls: a tick never finds the caches as warm as a tight loop.
Registra statoAlRitmo(Scambio(
    "scambio: ricezione stato, 25 ms dopo l'invio", "< 50 us", [] { B(); },
    [] {
        InviaStato();
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    },
    200));

bool avviatoPosizione = false;
Registra bloccoPosizione(Scambio(
    "scambio: tick di ricezione blocco A3 (140)", "< 200 us", [] { B(); },
    [] {
        auto& b = B();
        Esigi(!avviatoPosizione || b.p.stato.Comando == ComandoLeggiVelocita, "il blocco A3 non e' stato preso");
        avviatoPosizione = true;
        b.Invia(ComandoLeggiPosizione, LunghezzaBloccoPosizione);
    },
    500));

bool avviatoVelocita = false;
Registra bloccoVelocita(Scambio(
    "scambio: tick di ricezione blocco % (128)", "< 200 us", [] { B(); },
    [] {
        auto& b = B();
        Esigi(!avviatoVelocita || b.p.stato.Comando == ComandoStato, "il blocco % non e' stato preso");
        avviatoVelocita = true;
        // "%" always follows a read of the A3 block, whose dialog stays up.
        b.Invia(ComandoLeggiPosizione, LunghezzaBloccoPosizione);
        b.TickEDipingi();
        Esigi(b.p.stato.Comando == ComandoLeggiVelocita, "il blocco A3 non e' stato preso");
        b.Invia(ComandoLeggiVelocita, LunghezzaBloccoVelocita);
    },
    500));

Registra tester(Scambio(
    "scambio: tick di ricezione tester s (8)", "< 200 us",
    [] {
        auto& b = B();
        b.p.enco_Click();
        Esigi(b.p.tester() && b.p.tester()->isVisible(), "la finestra del tester non si e' aperta");
        Esigi(b.p.stato.Comando == ComandoTestMotore, "il tester non chiede \"s\"");
    },
    [] { B().Invia(ComandoTestMotore, 8); }, 1000));

// The port search on the same program: its window open, its timer stopped.
CercaPorta* cerca = nullptr;
QTemporaryDir* cartella = nullptr; // never deleted, as the program

void PreparaRicerca()
{
    if (cerca)
        return;
    auto& b = B();
    cartella = new QTemporaryDir;
    Esigi(cartella->isValid(), "nessuna cartella temporanea");
    const QString file = cartella->filePath(NomeFilePorta);
    QFile f(file);
    Esigi(f.open(QIODevice::WriteOnly) && f.write(FormattaFilePorta(PortaScheda)) > 0, "file porta non scritto");
    f.close();
    b.p.connessione.connetti_Click();
    cerca = b.p.connessione.cercaPorta();
    Esigi(cerca && cerca->isVisible(), "la ricerca non si e' aperta");
    cerca->Timer1->stop();
    cerca->filePorta = file;
}

Misura Ricerca(const char* nome, std::function<void()> primaDi, int ripetizioni)
{
    Misura m;
    m.nome = nome;
    m.obiettivo = "< 1 ms";
    m.prepara = PreparaRicerca;
    m.corpo = [] { cerca->Timer1_Timer(); };
    m.primaDi = [primaDi = std::move(primaDi)] {
        QCoreApplication::processEvents(); // the window painted, as between two ticks
        primaDi();
    };
    m.ripetizioni = ripetizioni;
    return m;
}

bool avviataLettura = false;
Registra leggiFile(Ricerca(
    "ricerca: tick lettura file porta",
    [] {
        Esigi(!avviataLettura || (cerca->PassoRicerca == 1 && B().p.stato.Porta == PortaScheda),
              "il file porta non e' stato letto");
        avviataLettura = true;
        cerca->Connesso = false;
        cerca->PassoRicerca = 0;
        B().p.stato.Porta = 0;
    },
    2000));

bool avviataSonda = false;
Registra sonda(Ricerca(
    "ricerca: tick sonda (porta scriptata)",
    [] {
        auto& b = B();
        Esigi(!avviataSonda || (cerca->PassoRicerca == 2 && b.porta.scritto == "v"), "la sonda non e' partita");
        avviataSonda = true;
        cerca->Connesso = false;
        cerca->PassoRicerca = 1;
        b.p.stato.Porta = PortaScheda;
        b.porta.setPortOpen(false); // a probe opens the port
        b.porta.scritto.clear();
        b.porta.scritture.clear();
        b.porta.ricevuto.clear();
    },
    5000));

bool avviatoGiudizio = false;
Registra giudizio(Ricerca(
    "ricerca: tick giudizio della risposta",
    [] {
        auto& b = B();
        Esigi(!avviatoGiudizio || cerca->PassoRicerca == 5, "la risposta alla sonda non e' stata accolta");
        avviatoGiudizio = true;
        cerca->Connesso = false;
        cerca->PassoRicerca = 2;
        b.p.stato.Porta = PortaScheda;
        Esigi(b.porta.PortOpen(), "porta chiusa prima del giudizio");
        b.porta.ricevuto = b.scheda.Risposta(BytesComando(ComandoVersione));
    },
    5000));

} // namespace
