#pragma once
// The assembled program on a scripted port and scripted boxes, with its
// exchange timer stopped: a test steps the engine itself, one tick per call,
// and no real time passes.
#include "ClickLabel.h"
#include "Dialog.h"
#include "DialogoScriptato.h"
#include "MessaggiScriptati.h"
#include "PortaScriptata.h"
#include "Programma.h"
#include "ProgressBar.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corsa::test {

inline const QString TestoNonRisponde =
    QStringLiteral("La periferica non risponde,controllare che la macchina sia alimentata oppure controllare le "
                   "connessioni o premere annulla per continuare senza connessione.");
inline const QString TitoloErrore = QStringLiteral("ERRORE NELLA COMUNICAZIONE");
inline const QString TestoRifiuto =
    QStringLiteral("Scrittura rifiutata ,sistema bloccato ,disalimentare la scheda e riprovare.");
inline const QString DidascaliaNonConnesso = QStringLiteral("Sistema non connesso    dati solo indicativi");
inline const QString DidascaliaRisposta = QStringLiteral(" Premi per trasferire le modifiche al chip");

// n bytes that a board could send: every value turns up, 0xFF, 0x0D and 0
// among them, and no two neighbours alike.
inline QByteArray Blocco(int n, int seme = 0)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>((i * 37 + seme * 11 + 255) & 0xFF);
    return b;
}

inline QByteArray B(const std::string& s) { return QByteArray(s.data(), qsizetype(s.size())); }

struct Banco {
    static constexpr int N = 3; // the board's port

    PortaScriptata porta;
    MessaggiScriptati messaggi;
    DialogoScriptato dialogo;
    Programma p{porta, messaggi, dialogo};

    Banco()
    {
        p.form1.terminaProgramma = [] {};
        p.Avvia();
        p.form1.Timer1->stop();
        porta.setCommPort(N);
        porta.setPortOpen(true);
    }

    Stato& s() { return p.stato; }
    Form1& f() { return p.form1; }
    void Tick() { p.motore.CicloComunicazione(); }

    // The bytes written by one tick.
    QByteArray TickScritto()
    {
        const qsizetype prima = porta.scritto.size();
        Tick();
        return porta.scritto.mid(prima);
    }
    // A send tick for the command; the first tick of the run goes first when
    // it has not come yet.
    QByteArray Invio(const std::string& comando)
    {
        if (!p.motore.Fase())
            Tick();
        s().Comando = comando;
        return TickScritto();
    }
    // The reply arrives, then the receive tick.
    QByteArray Ricezione(const QByteArray& risposta = {})
    {
        EXPECT_FALSE(p.motore.Fase()) << "not a receive tick";
        porta.ricevuto += risposta;
        return TickScritto();
    }

    // A board that answers at once, as far as the engine can tell.
    void Scheda(const QByteArray& versione = "REV 3.2")
    {
        porta.risponde = [versione](const QByteArray& d) -> QByteArray {
            if (d.size() != 1)
                return {};
            switch (static_cast<uint8_t>(d[0])) {
            case '@': return QByteArray("\x20\x30\x05\x00", 4);
            case 0xA3: return Blocco(140, 1);
            case '%': return Blocco(128, 2);
            case 'v': return versione;
            case 'm':
            case 's': return QByteArray("\x10\x20\x30\x40\x50\x60\x70\x80", 8);
            case 'w': return "okEeprom";
            default: return {};
            }
        };
    }

    // What the end of a successful port search leaves.
    void PortaTrovata()
    {
        p.controlli.abilitaChip(true);
        f().connetti->setEnabled(false);
        f().disconnetti->setEnabled(true);
        f().controlli.Command1->setEnabled(true);
        f().enco->setEnabled(true);
        s().Comando = "v";
    }

    // The port found, the version and both blocks read, polling under way.
    void InAscolto()
    {
        Scheda();
        PortaTrovata();
        if (!p.motore.Fase())
            Tick();
        for (int i = 0; i < 8; ++i)
            Tick();
        ASSERT_EQ(s().Comando, "@");
        ASSERT_TRUE(p.motore.Fase());
        ASSERT_TRUE(messaggi.mostrati.empty());
    }

    int intervallo() const { return p.form1.Timer1->interval(); }
    Dialog* dlg() const { return p.motore.dialog(); }
    bool finestraVisibile() const { return dlg() && dlg()->isVisible(); }
    float barra() const { return dlg()->ProgressBar1->Value(); }
    QString etichetta() const { return dlg()->Label1->text(); }

    bool chip() { return f().chip->menuAction()->isEnabled() && f().chip->isEnabled(); }
    bool connetti() { return f().connetti->isEnabled(); }
    bool disconnetti() { return f().disconnetti->isEnabled(); }
    bool enco() { return f().enco->isEnabled(); }
    QPushButton* command1() { return f().controlli.Command1; }
    // Menus, button and command as the not-connected state leaves them.
    void ControllaNonConnesso()
    {
        EXPECT_FALSE(chip());
        EXPECT_TRUE(connetti());
        EXPECT_FALSE(disconnetti());
        EXPECT_FALSE(command1()->isEnabled());
        EXPECT_EQ(command1()->text(), DidascaliaNonConnesso);
        EXPECT_EQ(s().Comando, "e");
    }
    ClickLabel* lampada(int i) { return f().controlli.Label14[std::size_t(i)]; }
    bool indicatori()
    {
        bool tutti = true, nessuno = true;
        for (QWidget* w :
             {static_cast<QWidget*>(lampada(0)), static_cast<QWidget*>(lampada(4)),
              static_cast<QWidget*>(f().controlli.Label18), static_cast<QWidget*>(f().controlli.Label19)}) {
            tutti &= !w->isHidden();
            nessuno &= w->isHidden();
        }
        EXPECT_TRUE(tutti || nessuno) << "indicators half shown";
        return tutti;
    }
};

inline void AttesoBoxNonRisponde(const MessaggiScriptati::Box& b)
{
    EXPECT_EQ(b.testo, TestoNonRisponde);
    EXPECT_EQ(b.titolo, std::optional<QString>(TitoloErrore));
    EXPECT_EQ(b.pulsanti, Pulsanti::RiprovaAnnulla);
    EXPECT_EQ(b.icona, Icona::Critica);
}

} // namespace corsa::test
