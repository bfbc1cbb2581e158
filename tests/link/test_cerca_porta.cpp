// The port search inside the assembled program, on a scripted port, one
// tick at a time: the search window's timer never fires by itself here.
#include "CartellaDiLavoro.h"
#include "CercaPorta.h"
#include "ClickLabel.h"
#include "DialogoScriptato.h"
#include "Finestre.h"
#include "MessaggiScriptati.h"
#include "PortaScriptata.h"
#include "Programma.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <tuple>

using namespace corsa;
using namespace corsa::test;

namespace {

const QString Inizio = QStringLiteral("Ricerca connessione");
const QString NoFile = QStringLiteral(" File init non trovato,ricerca su tutte le porte");
const QString NonSiConnette = QStringLiteral("Porta presente ma non si connette");
const QString TestoFallita = QStringLiteral(
    "NESSUNA PORTA TROVATA ,intervallo da 1 a 15 ,controllare il sistema e eventualmente settare la porta su un "
    "valore compreso tra 1 e 15, oppure controllare che la macchina sia alimentata ed il cavo di collegamento sia "
    "inserito correttamente");
const QByteArray Scheda = "SIM REV 1.0";

QString Prova(int n) { return QStringLiteral(" Ricerca di connessione porta COM  %1").arg(n); }
QString Connesso(int n) { return QStringLiteral("Connesso alla porta COM %1").arg(n); }
QString Label7(int n) { return QStringLiteral(" Connesso COM. %1  9600,N,8,1").arg(n); }

// The scripted port with boards behind some numbers, and a record of every
// number selected (refused ones too) and of the settings in their order.
class PortaProvata : public PortaScriptata {
public:
    std::map<int, QByteArray> schede; // number -> reply to "v"; silent when missing
    std::vector<int> selezionate;
    QStringList chiamate;

    PortaProvata()
    {
        risponde = [this](const QByteArray& d) {
            const auto it = schede.find(CommPort());
            return d == "v" && it != schede.end() ? it->second : QByteArray();
        };
    }
    void setCommPort(int n) override
    {
        chiamate << QStringLiteral("CommPort=%1").arg(n);
        selezionate.push_back(n);
        PortaScriptata::setCommPort(n);
    }
    void setSettings(const QString& s) override
    {
        chiamate << QStringLiteral("Settings=") + s;
        PortaScriptata::setSettings(s);
    }
    void setInputLen(int n) override
    {
        chiamate << QStringLiteral("InputLen=%1").arg(n);
        PortaScriptata::setInputLen(n);
    }
    void setRThreshold(int n) override { chiamate << QStringLiteral("RThreshold=%1").arg(n); }
    void setInputMode(int n) override { chiamate << QStringLiteral("InputMode=%1").arg(n); }
    void setPortOpen(bool a) override
    {
        chiamate << (a ? QStringLiteral("Apri") : QStringLiteral("Chiudi"));
        PortaScriptata::setPortOpen(a);
    }
};

// What one tick left behind.
struct Passo {
    QString label;
    bool timer;    // the search window's timer still on
    bool form1;    // the main window enabled
    bool visibile; // the search window shown
    std::vector<int> selezionate;
};

// What a failed search must leave as it found it.
struct Principale {
    std::string Comando;
    QString Label7;
    bool chip, connetti, disconnetti, enco, Command1;
    bool operator==(const Principale& o) const
    {
        return std::tie(Comando, Label7, chip, connetti, disconnetti, enco, Command1) ==
               std::tie(o.Comando, o.Label7, o.chip, o.connetti, o.disconnetti, o.enco, o.Command1);
    }
};

class RicercaPorta : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(lavoro.attiva()); // "nport.ini" lands there
        p = std::make_unique<Programma>(porta, messaggi, dialogo);
        p->form1.terminaProgramma = [] {};
        p->form1.Form_Load();
        p->form1.Timer1->stop(); // no exchange engine here
        p->form1.show();
        iniziale = Istantanea();
    }

    void TearDown() override { p.reset(); }

    // "Connetti" from the menu, then the search's timer is kept from firing:
    // it stays switched on, so that switching it off can be seen, but with
    // an interval that no test outlives.
    void Connetti()
    {
        passi.clear();
        ASSERT_TRUE(p->form1.connetti->isEnabled());
        p->form1.connetti->trigger();
        cp = p->connessione.cercaPorta();
        ASSERT_NE(cp, nullptr);
        ASSERT_TRUE(cp->Timer1->isActive());
        intervallo = cp->Timer1->interval();
        cp->Timer1->setInterval(24 * 3600 * 1000);
    }

    void Tick()
    {
        const size_t prima = porta.selezionate.size();
        cp->Timer1_Timer();
        passi.push_back({cp->Label1->text(), cp->Timer1->isActive(), FinestraAbilitata(&p->form1), cp->isVisible(),
                         std::vector<int>(porta.selezionate.begin() + long(prima), porta.selezionate.end())});
    }

    // Ticks until the search switches its timer off; the number of ticks.
    int FinoAllaFine(int massimo = 80)
    {
        int n = 0;
        while (cp->Timer1->isActive() && n < massimo) {
            Tick();
            ++n;
        }
        return n;
    }

    QStringList Label() const
    {
        QStringList l;
        for (const auto& x : passi)
            l << x.label;
        return l;
    }

    void ScriviNport(const QByteArray& dati) { ASSERT_TRUE(lavoro.ScriviNport(dati)); }
    std::optional<QByteArray> Nport() const { return lavoro.Nport(); }
    void Invecchia()
    {
        QFile f(QStringLiteral("nport.ini"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(Vecchio, QFileDevice::FileModificationTime));
    }
    QDateTime Modificato() const { return QFileInfo(QStringLiteral("nport.ini")).lastModified(); }

    // The main window as the finish leaves it, port n.
    void ControllaConnesso(int n)
    {
        EXPECT_EQ(p->stato.Comando, "v");
        EXPECT_EQ(p->form1.Label7->text(), Label7(n));
        EXPECT_TRUE(p->form1.chip->isEnabled());
        EXPECT_TRUE(p->form1.chip->menuAction()->isEnabled());
        EXPECT_FALSE(p->form1.connetti->isEnabled());
        EXPECT_TRUE(p->form1.disconnetti->isEnabled());
        EXPECT_TRUE(p->form1.enco->isEnabled());
        EXPECT_TRUE(p->form1.controlli.Command1->isEnabled());
        EXPECT_FALSE(cp->isVisible());
        EXPECT_FALSE(FinestraAbilitata(cp));
        EXPECT_FALSE(cp->Timer1->isActive());
        EXPECT_TRUE(FinestraAbilitata(&p->form1));
        EXPECT_TRUE(porta.PortOpen());
        EXPECT_EQ(porta.CommPort(), n);
        EXPECT_EQ(p->stato.Porta, n);
        EXPECT_TRUE(cp->Connesso);
        EXPECT_EQ(cp->PassoRicerca, 0);
        EXPECT_EQ(cp->FaseRicerca, 0);
        EXPECT_TRUE(messaggi.mostrati.empty());
    }

    Principale Istantanea() const
    {
        const auto& f = p->form1;
        return {
            p->stato.Comando,           f.Label7->text(),    f.chip->menuAction()->isEnabled(), f.connetti->isEnabled(),
            f.disconnetti->isEnabled(), f.enco->isEnabled(), f.controlli.Command1->isEnabled()};
    }

    // The box, and the main window as the search found it.
    void ControllaFallita()
    {
        ASSERT_EQ(messaggi.mostrati.size(), 1u);
        const auto& box = messaggi.mostrati[0];
        EXPECT_EQ(box.testo, TestoFallita);
        EXPECT_EQ(box.titolo, std::optional<QString>(QStringLiteral("Ricerca porta fallita")));
        EXPECT_EQ(box.pulsanti, Pulsanti::OK);
        EXPECT_EQ(box.icona, Icona::Critica);
        EXPECT_EQ(p->stato.Porta, 0);
        EXPECT_FALSE(cp->Timer1->isActive());
        EXPECT_FALSE(cp->isVisible());
        EXPECT_TRUE(FinestraAbilitata(&p->form1));
        EXPECT_FALSE(porta.PortOpen());
        EXPECT_TRUE(Istantanea() == iniziale);
        EXPECT_FALSE(cp->Connesso);
        EXPECT_EQ(cp->PassoRicerca, 1);
        EXPECT_EQ(cp->FaseRicerca, 3);
        EXPECT_TRUE(cp->SalvaPorta);
    }

    const QDateTime Vecchio = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
    CartellaDiLavoro lavoro;
    PortaProvata porta;
    MessaggiScriptati messaggi;
    DialogoScriptato dialogo;
    std::unique_ptr<Programma> p;
    CercaPorta* cp = nullptr;
    Principale iniziale;
    int intervallo = 0;
    std::vector<Passo> passi;
};

TEST_F(RicercaPorta, SenzaFileSchedaSullaTreUnoEDueAssenti)
{
    porta.assenti = {1, 2};
    porta.schede[3] = Scheda;
    EXPECT_FALSE(Nport());

    Connetti();
    EXPECT_EQ(cp->Label1->text(), Inizio);
    EXPECT_EQ(intervallo, 600);
    EXPECT_TRUE(cp->isVisible());
    EXPECT_TRUE(FinestraAbilitata(cp));
    EXPECT_FALSE(FinestraAbilitata(&p->form1));
    EXPECT_TRUE(porta.selezionate.empty());

    EXPECT_EQ(FinoAllaFine(), 7);
    EXPECT_EQ(Label(), (QStringList{NoFile, Prova(1), Prova(2), Prova(3), Prova(3), Connesso(3), Connesso(3)}));
    for (size_t i = 0; i + 1 < passi.size(); ++i) {
        EXPECT_TRUE(passi[i].timer) << i;
        EXPECT_FALSE(passi[i].form1) << i;
        EXPECT_TRUE(passi[i].visibile) << i;
    }
    // Port 1 twice: first as the first port, then again as the scan's.
    EXPECT_EQ(porta.selezionate, (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(porta.tentate, (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(porta.scritto, QByteArray("v"));
    EXPECT_EQ(porta.chiusure, 0);
    EXPECT_EQ(Nport(), QByteArray("\x20\x33\x0D\x0A"));
    EXPECT_FALSE(cp->SalvaPorta);
    ControllaConnesso(3);
}

TEST_F(RicercaPorta, ImpostazioniInOrdinePerOgniPortaProvata)
{
    porta.assenti = {1};
    porta.schede[2] = Scheda;
    Connetti();
    FinoAllaFine();
    const QStringList impostazioni{QStringLiteral("Settings=9600,n,8,1"), QStringLiteral("InputLen=150"),
                                   QStringLiteral("RThreshold=150"), QStringLiteral("InputMode=0")};
    QStringList atteso;
    for (int n : {1, 1, 2})
        atteso << impostazioni << QStringLiteral("CommPort=%1").arg(n) << QStringLiteral("Apri");
    EXPECT_EQ(porta.chiamate, atteso);
    EXPECT_EQ(porta.inputLen, 150);
}

TEST_F(RicercaPorta, AbilitaEncoGiaAlGiudizioIlRestoAllaFine)
{
    porta.schede[1] = Scheda;
    ScriviNport("1\r\n");
    Connetti();
    Tick();
    Tick();
    EXPECT_FALSE(p->form1.enco->isEnabled());
    EXPECT_EQ(porta.scritto, QByteArray("v"));
    Tick(); // the answer judged
    EXPECT_EQ(cp->Label1->text(), Connesso(1));
    EXPECT_TRUE(p->form1.enco->isEnabled());
    EXPECT_FALSE(p->form1.chip->menuAction()->isEnabled());
    EXPECT_FALSE(p->form1.disconnetti->isEnabled());
    EXPECT_EQ(p->stato.Comando, "e");
    EXPECT_TRUE(cp->Timer1->isActive());
    EXPECT_FALSE(FinestraAbilitata(&p->form1));
    Tick();
    ControllaConnesso(1);
}

TEST_F(RicercaPorta, FileConLaPortaDellaSchedaNonVieneRiscritto)
{
    porta.schede[3] = Scheda;
    const QByteArray contenuto = "3\r\nuna seconda riga\r\n";
    ScriviNport(contenuto);
    Invecchia();
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 4);
    EXPECT_EQ(Label(), (QStringList{Inizio, Inizio, Connesso(3), Connesso(3)}));
    EXPECT_EQ(porta.selezionate, std::vector<int>{3});
    EXPECT_EQ(Nport(), contenuto);
    EXPECT_EQ(Modificato(), Vecchio);
    EXPECT_FALSE(cp->SalvaPorta);
    ControllaConnesso(3);
}

// Every search that a port file can lead to, with the board on some port.
struct Caso {
    const char* nome;
    std::optional<QByteArray> file;
    std::set<int> assenti;
    std::map<int, QByteArray> schede;
    std::vector<int> selezionate; // every number tried, in order
    int tick;                     // until the timer goes off
    std::optional<int> trovata;   // nothing: the search fails
    std::optional<QByteArray> fileDopo;
    std::optional<QString> primaLabel; // after the first tick
};

const std::set<int> Tutte = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 255};
void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

std::set<int> Tranne(std::initializer_list<int> presenti)
{
    std::set<int> r = Tutte;
    for (int n : presenti)
        r.erase(n);
    return r;
}
std::vector<int> Da(int a, int b, std::vector<int> prima = {})
{
    for (int n = a; n <= b; ++n)
        prima.push_back(n);
    return prima;
}

const QByteArray Tre = "\x20\x33\x0D\x0A";

// clang-format off
const Caso Casi[] = {
    // The file's port absent: scan from 1, found port written.
    {"file_porta_assente", "5\r\n", {1, 2, 5}, {{3, Scheda}}, {5, 1, 2, 3}, 7, 3, Tre, Inizio},
    {"file_porta_assente_uno_presente_muto", " 5\r\n", {2, 5}, {{3, Scheda}}, {5, 1, 2, 3}, 8, 3, Tre, Inizio},
    {"file_porta_sopra_quindici_assente", "16\r\n", {1, 2, 16}, {{3, Scheda}}, {16, 1, 2, 3}, 7, 3, Tre, Inizio},
    {"file_porta_sopra_quindici_con_scheda", "16\r\n", {}, {{16, Scheda}}, {16}, 4, 16, "16\r\n", Inizio},
    // A silent file port: only the ports above it, then the box.
    {"file_cinque_muta", "5\r\n", {6, 8, 10, 12, 14}, {{3, Scheda}}, Da(5, 15), 18, std::nullopt, "5\r\n", Inizio},
    {"file_quindici_muta", "15\r\n", {}, {{3, Scheda}}, {15}, 3, std::nullopt, "15\r\n", Inizio},
    {"file_venti_senza_rev", "20\r\n", {}, {{3, Scheda}, {20, "SIM versione"}}, {20}, 3, std::nullopt, "20\r\n",
     Inizio},
    {"file_sette_senza_rev_scheda_sulla_nove", "7\r\n", Tranne({7, 9}), {{7, "rev"}, {9, Scheda}}, {7, 8, 9}, 7,
     9, "\x20\x39\r\n", Inizio},
    // First lines that read as a port, or as none.
    {"tre_e_mezzo", "3.5\r\n", {}, {{4, Scheda}}, {4}, 4, 4, "3.5\r\n", Inizio},
    {"due_e_mezzo", "2.5\r\n", {}, {{2, Scheda}}, {2}, 4, 2, "2.5\r\n", Inizio},
    {"esadecimale", "&H3\r\n", {}, {{3, Scheda}}, {3}, 4, 3, "&H3\r\n", Inizio},
    {"spazio_davanti", " 3\r\n", {}, {{3, Scheda}}, {3}, 4, 3, " 3\r\n", Inizio},
    {"righe_solo_lf", "1\n4\n", {}, {{14, Scheda}}, {14}, 4, 14, "1\n4\n", Inizio},
    {"trecento", "300\r\n", {1, 2}, {{3, Scheda}}, {1, 1, 2, 3}, 7, 3, Tre, NoFile},
    {"meno_uno", "-1\r\n", {1, 2}, {{3, Scheda}}, {1, 1, 2, 3}, 7, 3, Tre, NoFile},
    {"file_vuoto", "", {1, 2}, {{3, Scheda}}, {1, 1, 2, 3}, 7, 3, Tre, NoFile},
    {"numero_enorme", QByteArray(400, '9'), {1, 2}, {{3, Scheda}}, {1, 1, 2, 3}, 7, 3, Tre, NoFile},
    {"molto_grande", QByteArray("3\r\n") + QByteArray(17 * 1024 * 1024, '7'), {}, {{3, Scheda}}, {3}, 4, 3,
     std::nullopt, Inizio},
    // Port 0 names no port: it fails at once and the scan starts at 1.
    {"spazzatura_binaria", QByteArray("\xFF\x01\x80zz\x00", 6), {1, 2}, {{3, Scheda}}, {0, 1, 2, 3}, 7, 3, Tre,
     Inizio},
    {"riga_vuota", "\r\n", {1}, {{2, Scheda}}, {0, 1, 2}, 6, 2, "\x20\x32\r\n", Inizio},
    // No file: port 1 opens but is silent, so it is not tried again.
    {"senza_file_uno_muto", std::nullopt, {2}, {{3, Scheda}}, {1, 2, 3}, 7, 3, Tre, NoFile},
    {"senza_file_nessuna_porta", std::nullopt, Tutte, {}, Da(1, 15, {1}), 17, std::nullopt, std::nullopt, NoFile},
    {"senza_file_tutte_mute", std::nullopt, {}, {}, Da(1, 15), 31, std::nullopt, std::nullopt, NoFile},
    // The word, in capitals, anywhere in the answer.
    {"rev_dentro_altro_testo", "3\r\n", {}, {{3, "xxREVxx"}}, {3}, 4, 3, "3\r\n", Inizio},
    {"rev_alla_fine", "3\r\n", {}, {{3, "versione REV"}}, {3}, 4, 3, "3\r\n", Inizio},
    {"rev_minuscolo_non_conta", "3\r\n", Tranne({3, 4}), {{3, "versione rev 1"}, {4, Scheda}}, {3, 4}, 6, 4,
     "\x20\x34\r\n", Inizio},
    {"Rev_misto_non_conta", "3\r\n", Tranne({3, 4}), {{3, "Rev Re v R E V"}, {4, Scheda}}, {3, 4}, 6, 4,
     "\x20\x34\r\n", Inizio},
};
// clang-format on

class TuttiICasi : public RicercaPorta, public ::testing::WithParamInterface<Caso> {};

TEST_P(TuttiICasi, PorteProvateTickEFile)
{
    const Caso& c = GetParam();
    if (c.file)
        ScriviNport(*c.file);
    porta.assenti = c.assenti;
    porta.schede = c.schede;
    Connetti();
    const int tick = FinoAllaFine();
    EXPECT_EQ(porta.selezionate, c.selezionate);
    EXPECT_EQ(tick, c.tick);
    ASSERT_FALSE(passi.empty());
    if (c.primaLabel) {
        EXPECT_EQ(passi[0].label, *c.primaLabel);
    }
    if (c.fileDopo)
        EXPECT_EQ(Nport(), c.fileDopo);
    else if (!c.file)
        EXPECT_FALSE(Nport());
    else
        EXPECT_EQ(Nport()->left(64), c.file->left(64));

    // A port that cannot be opened costs one tick, one that opens two.
    int ultimoTick = -1, ultimaPorta = -1;
    for (int i = 0; i < int(passi.size()); ++i) {
        ASSERT_LE(passi[i].selezionate.size(), 1u) << "tick " << i;
        if (passi[i].selezionate.empty())
            continue;
        if (ultimoTick >= 0) {
            const bool aperta = ultimaPorta > 0 && !c.assenti.count(ultimaPorta);
            EXPECT_EQ(i - ultimoTick, aperta ? 2 : 1) << "porta " << ultimaPorta;
        }
        ultimoTick = i;
        ultimaPorta = passi[i].selezionate[0];
    }
    // Each port after the first is named in the label one tick before it is tried.
    bool primo = true;
    for (int i = 0; i < int(passi.size()); ++i) {
        if (passi[i].selezionate.empty())
            continue;
        if (!primo) {
            EXPECT_EQ(passi[i - 1].label, Prova(passi[i].selezionate[0])) << "tick " << i;
        }
        primo = false;
    }

    if (c.trovata) {
        EXPECT_EQ(porta.scritto, QByteArray(std::count_if(c.selezionate.begin(), c.selezionate.end(),
                                                          [&](int n) { return n > 0 && !c.assenti.count(n); }),
                                            'v'));
        EXPECT_EQ(passi.back().label, Connesso(*c.trovata));
        ControllaConnesso(*c.trovata);
    } else {
        ControllaFallita();
        // Never below the file's port when that port opened.
        if (c.file && !c.assenti.count(c.selezionate.front())) {
            for (int n : porta.selezionate) {
                EXPECT_GE(n, c.selezionate.front());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Ricerca, TuttiICasi, ::testing::ValuesIn(Casi),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(RicercaPorta, PortaMutaNelFileSchedaSullaTreMaiProvata)
{
    ScriviNport("5\r\n");
    porta.assenti = {6, 8, 10, 12, 14};
    porta.schede[3] = Scheda;
    Connetti();
    FinoAllaFine();
    QStringList atteso{Inizio, Inizio, Prova(6)};
    for (int n = 6; n <= 15; ++n) {
        const bool presente = !porta.assenti.count(n);
        if (presente)
            atteso << Prova(n); // the probe's tick leaves the label
        // Past 15 there is no port to name: the judge's words stay.
        atteso << (n < 15 ? Prova(n + 1) : presente ? NonSiConnette : Prova(15));
    }
    EXPECT_EQ(Label(), atteso);
    EXPECT_EQ(std::count(porta.selezionate.begin(), porta.selezionate.end(), 3), 0);
    EXPECT_EQ(porta.chiusure, 6); // every port that opened, closed again
    ControllaFallita();
}

TEST_F(RicercaPorta, UnaPortaSenzaRevVieneChiusaEDettoPerIlTempoDiUnTick)
{
    ScriviNport("15\r\n");
    porta.schede[15] = "niente";
    std::vector<QString> durante;
    messaggi.durante = [&] { durante.push_back(cp->Label1->text()); };
    Connetti();
    Tick();
    Tick();
    EXPECT_TRUE(porta.PortOpen());
    Tick();
    ASSERT_EQ(durante.size(), 1u);
    EXPECT_EQ(durante[0], NonSiConnette); // 15 has no successor to name
    EXPECT_EQ(porta.chiusure, 1);
    ControllaFallita();
}

// A stored 255 that answers without "REV": one byte cannot count on, and
// the search must fail rather than come round to port 0 and scan 1 to 15.
TEST_F(RicercaPorta, Porta255SenzaRevFallisceSubito)
{
    ScriviNport(" 255\r\n");
    porta.schede[255] = "SIM versione";
    porta.schede[3] = Scheda;
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 3);
    EXPECT_EQ(porta.selezionate, std::vector<int>{255});
    ControllaFallita();
    EXPECT_EQ(Nport(), QByteArray(" 255\r\n"));
}

// Nothing of the search may run while its failure box is up.
TEST_F(RicercaPorta, NessunPassoMentreLaFinestraDiErroreEAperta)
{
    ScriviNport("14\r\n");
    porta.schede[3] = Scheda;
    int chiamate = 0;
    bool aperta = false;
    messaggi.durante = [&] {
        ++chiamate;
        if (aperta) {
            ADD_FAILURE() << "a box opened over the box";
            return;
        }
        aperta = true;
        EXPECT_FALSE(cp->Timer1->isActive());
        EXPECT_TRUE(cp->isVisible());
        const auto passo = cp->PassoRicerca;
        const auto fase = cp->FaseRicerca;
        const auto numero = p->stato.Porta;
        const auto label = cp->Label1->text();
        const auto selezionate = porta.selezionate.size();
        const auto scritto = porta.scritto;
        for (int i = 0; i < 3; ++i)
            cp->Timer1_Timer();
        EXPECT_EQ(cp->PassoRicerca, passo);
        EXPECT_EQ(cp->FaseRicerca, fase);
        EXPECT_EQ(p->stato.Porta, numero);
        EXPECT_EQ(cp->Label1->text(), label);
        EXPECT_EQ(porta.selezionate.size(), selezionate);
        EXPECT_EQ(porta.scritto, scritto);
        EXPECT_FALSE(cp->Timer1->isActive());
        EXPECT_EQ(messaggi.mostrati.size(), 1u); // no second box either
        aperta = false;
    };
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 5);
    EXPECT_EQ(chiamate, 1);
    EXPECT_EQ(porta.selezionate, (std::vector<int>{14, 15}));
    ControllaFallita();
}

// The exchange and the search each step on a timer of their own, and neither
// may step while a box of the other is open.
TEST_F(RicercaPorta, NeRicercaNeScambioSottoUnBoxDellAltro)
{
    porta.assenti = Tranne({});
    Connetti();
    Tick();                 // no port file
    p->stato.Comando = "@"; // the exchange polls a board that says nothing
    int boxScambio = 0, boxRicerca = 0;
    messaggi.durante = [&] {
        if (messaggi.mostrati.back().testo == TestoFallita) {
            ++boxRicerca;
            const bool fase = p->motore.Fase();
            for (int i = 0; i < 4; ++i)
                p->motore.CicloComunicazione();
            EXPECT_EQ(p->motore.Fase(), fase);
            EXPECT_EQ(p->stato.Comando, "@");
        } else {
            ++boxScambio;
            const auto passo = cp->PassoRicerca;
            const auto numero = p->stato.Porta;
            const auto label = cp->Label1->text();
            const auto tentate = porta.tentate.size();
            for (int i = 0; i < 3; ++i)
                cp->Timer1_Timer();
            EXPECT_EQ(cp->PassoRicerca, passo);
            EXPECT_EQ(p->stato.Porta, numero);
            EXPECT_EQ(cp->Label1->text(), label);
            EXPECT_EQ(porta.tentate.size(), tentate);
        }
        messaggi.risposte.push_back(Risposta::OK);
    };
    for (int i = 0; i < 3; ++i)
        p->motore.CicloComunicazione(); // the first receives nothing; send; receive
    EXPECT_EQ(boxScambio, 1);
    p->stato.Comando = "@";
    FinoAllaFine();
    EXPECT_EQ(boxRicerca, 1);
    EXPECT_EQ(messaggi.mostrati.size(), 2u);
}

TEST_F(RicercaPorta, SecondoConnettiDopoIlSuccessoVaDrittoAllaFine)
{
    porta.schede[3] = Scheda;
    ScriviNport("3\r\n");
    Connetti();
    FinoAllaFine();
    ControllaConnesso(3);

    // Disconnected by the user: the port stays open.
    p->form1.disconnetti->trigger();
    ASSERT_EQ(p->stato.Comando, "e");
    ASSERT_TRUE(porta.PortOpen());
    ScriviNport("9\r\n"); // would change the outcome if read
    porta.schede[9] = Scheda;
    const auto scritture = porta.scritture.size();
    const auto chiamate = porta.chiamate.size();

    Connetti();
    EXPECT_EQ(cp->Label1->text(), Inizio);
    EXPECT_TRUE(cp->isVisible());
    EXPECT_TRUE(FinestraAbilitata(cp));
    EXPECT_FALSE(FinestraAbilitata(&p->form1));
    EXPECT_EQ(FinoAllaFine(), 1);
    EXPECT_FALSE(passi[0].visibile);
    EXPECT_EQ(porta.scritture.size(), scritture); // no probe
    EXPECT_EQ(porta.chiamate.size(), chiamate);   // nothing selected, opened or set
    EXPECT_EQ(Nport(), QByteArray("9\r\n"));
    ControllaConnesso(3);
}

TEST_F(RicercaPorta, SecondoConnettiDopoLaFallitaNonLeggeIlFileEScandisceDaUno)
{
    ScriviNport("5\r\n");
    porta.assenti = Tranne({5});
    Connetti();
    FinoAllaFine();
    ControllaFallita();
    messaggi.mostrati.clear();

    // The board comes on 2; the file now names a port that would answer.
    porta.assenti = {1};
    porta.schede[2] = Scheda;
    porta.schede[7] = Scheda;
    ScriviNport("7\r\n");
    porta.selezionate.clear();
    Connetti();
    EXPECT_EQ(cp->Label1->text(), Inizio);
    EXPECT_EQ(FinoAllaFine(), 5);
    EXPECT_EQ(Label(), (QStringList{Prova(1), Prova(2), Prova(2), Connesso(2), Connesso(2)}));
    EXPECT_EQ(porta.selezionate, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Nport(), QByteArray("\x20\x32\x0D\x0A"));
    ControllaConnesso(2);
}

// Root writes through permissions: a folder in the file's place stops it.
TEST_F(RicercaPorta, FileNonScrivibileFineCompletaEScrittoAllaProssima)
{
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("nport.ini")));
    porta.assenti = {1, 2};
    porta.schede[3] = Scheda;
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 7);
    EXPECT_EQ(passi[0].label, NoFile);
    ControllaConnesso(3);
    EXPECT_TRUE(cp->SalvaPorta);
    EXPECT_TRUE(QFileInfo(QStringLiteral("nport.ini")).isDir());

    ASSERT_TRUE(QDir().rmdir(QStringLiteral("nport.ini")));
    p->form1.disconnetti->trigger();
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 1);
    EXPECT_EQ(Nport(), QByteArray("\x20\x33\x0D\x0A"));
    EXPECT_FALSE(cp->SalvaPorta);
    ControllaConnesso(3);

    // Written once: a third finish leaves it alone.
    Invecchia();
    p->form1.disconnetti->trigger();
    Connetti();
    FinoAllaFine();
    EXPECT_EQ(Modificato(), Vecchio);
}

// The shortcut through an earlier success finds the port closed: by the
// port layer (device gone) or by the engine's Cancel.
enum class Chiusura { Caduta, Annulla };
void PrintTo(Chiusura c, std::ostream* os) { *os << (c == Chiusura::Caduta ? "caduta" : "annulla"); }

class PortaChiusaDopoIlSuccesso : public RicercaPorta, public ::testing::WithParamInterface<Chiusura> {
protected:
    void Connetti_e_Chiudi()
    {
        porta.assenti = {1, 2};
        porta.schede[3] = Scheda;
        Connetti();
        FinoAllaFine();
        ControllaConnesso(3);
        ASSERT_EQ(Nport(), Tre);
        if (GetParam() == Chiusura::Caduta) {
            porta.cade();
            p->form1.disconnetti->trigger();
        } else {
            messaggi.risposte.push_back(Risposta::Annulla);
            p->connessione.TestCom(EsitoNessunaRisposta);
            messaggi.mostrati.clear();
        }
        ASSERT_FALSE(porta.PortOpen());
        ASSERT_TRUE(p->form1.connetti->isEnabled());
    }
};

TEST_P(PortaChiusaDopoIlSuccesso, RiapreLaStessaPortaAllaFine)
{
    Connetti_e_Chiudi();
    const auto scritture = porta.scritture.size();
    const auto tentate = porta.tentate.size();
    Connetti();
    EXPECT_EQ(FinoAllaFine(), 1);
    EXPECT_EQ(porta.tentate.size(), tentate + 1);
    EXPECT_EQ(porta.tentate.back(), 3);
    EXPECT_EQ(porta.scritture.size(), scritture); // the engine asks for the version itself
    ControllaConnesso(3);
}

TEST_P(PortaChiusaDopoIlSuccesso, SeNonSiRiapreRicominciaDalFile)
{
    Connetti_e_Chiudi();
    porta.assenti = {1, 2, 3};
    porta.schede = {{4, Scheda}};
    porta.selezionate.clear();
    Connetti();
    Tick();
    EXPECT_FALSE(cp->Connesso);
    EXPECT_TRUE(cp->Timer1->isActive());
    EXPECT_TRUE(cp->isVisible());
    EXPECT_FALSE(FinestraAbilitata(&p->form1));
    EXPECT_EQ(cp->Label1->text(), Inizio);
    EXPECT_EQ(porta.selezionate, std::vector<int>{3});
    EXPECT_EQ(p->form1.Label7->text(), Label7(3)); // no finish happened

    // From here, as a first "Connetti" with this file and these ports.
    passi.clear();
    EXPECT_EQ(FinoAllaFine(), 8);
    EXPECT_EQ(Label(),
              (QStringList{Inizio, Prova(1), Prova(2), Prova(3), Prova(4), Prova(4), Connesso(4), Connesso(4)}));
    EXPECT_EQ(porta.selezionate, (std::vector<int>{3, 3, 1, 2, 3, 4}));
    EXPECT_EQ(Nport(), QByteArray("\x20\x34\x0D\x0A"));
    ControllaConnesso(4);
}

INSTANTIATE_TEST_SUITE_P(Ricerca, PortaChiusaDopoIlSuccesso, ::testing::Values(Chiusura::Caduta, Chiusura::Annulla),
                         [](const auto& info) {
                             return std::string(info.param == Chiusura::Caduta ? "caduta" : "annulla");
                         });

} // namespace
