#include "Form1.h"

#include "Caratteri.h"
#include "ClickLabel.h"
#include "PictureBox.h"
#include "PortaSeriale.h"
#include "Shape.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace corsa {

namespace {

const QColor Grigio(192, 192, 192);
const QColor GialloChiaro(255, 255, 192);
const QColor Blu(0, 0, 255);

void Colloca(QWidget* w, int l, int t, int wi, int h) { w->setGeometry(RettangoloTwips(l, t, wi, h)); }

ClickLabel* Etichetta(QWidget* genitore, const char* nome, int l, int t, int w, int h)
{
    auto* lab = new ClickLabel(genitore);
    lab->setObjectName(QLatin1String(nome));
    Colloca(lab, l, t, w, h);
    return lab;
}

// Light yellow, single-line border, centred, in the window's default font.
ClickLabel* EtichettaValore(QWidget* g, const char* nome, int t, const QString& tip, const QString& testo = QString())
{
    auto* lab = Etichetta(g, nome, 7440, t, 2055, 255);
    lab->setBackColor(GialloChiaro);
    lab->setFrameStyle(QFrame::Box | QFrame::Plain);
    lab->setLineWidth(1);
    lab->setAlignment(Qt::AlignCenter);
    lab->setToolTip(tip);
    lab->setText(testo);
    return lab;
}

ClickLabel* Intestazione(QWidget* g, const char* nome, int l, int t, int w, int h, double punti, const QString& testo)
{
    auto* lab = Etichetta(g, nome, l, t, w, h);
    lab->setBackColor(Grigio);
    lab->setAlignment(Qt::AlignCenter);
    lab->setFont(Arial(punti, true));
    lab->setText(testo);
    return lab;
}

void Cornice(QWidget* g, const char* nome, int l, int t, int w, int h)
{
    auto* s = new Shape(Blu, 2, g);
    s->setObjectName(QLatin1String(nome));
    Colloca(s, l, t, w, h);
}

QIcon IconaProgramma()
{
    QIcon icona;
    for (int lato : {16, 32}) {
        QPixmap pm(lato, lato);
        pm.fill(QColor(0, 0, 128));
        QPainter p(&pm);
        const double k = lato / 32.0;
        p.setPen(QPen(QColor(0, 255, 0), 2 * k));
        p.drawLine(QPointF(3 * k, 28 * k), QPointF(28 * k, 4 * k));
        p.setPen(QPen(QColor(255, 255, 255), 1));
        p.drawLine(QPointF(16 * k, 2 * k), QPointF(16 * k, 30 * k));
        p.setPen(QPen(QColor(255, 255, 0), 1));
        p.drawLine(QPointF(2 * k, 8 * k), QPointF(30 * k, 8 * k));
        icona.addPixmap(pm);
    }
    return icona;
}

} // namespace

Form1::Form1(Stato& stato, PortaSeriale& porta, Messaggi& m, QWidget* genitore)
    : QMainWindow(genitore, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      MSComm1(porta), messaggi(m), stato_(stato), pannello_(stato, controlli)
{
    setObjectName(QStringLiteral("Form1"));
    terminaProgramma = [] { QCoreApplication::exit(0); };
    CostruisciControlli();
    CostruisciMenu();
    setWindowIcon(IconaProgramma());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (Timer1_Timer)
            Timer1_Timer();
    });

    // Client area of 9720 x 8250 twips below the menu bar, at 2145, 630 on
    // screen: the menu bar sits just above that corner.
    const int menu = menuBar()->sizeHint().height();
    setGeometry(Px(2145), Px(630) - menu, Px(9720), Px(8250) + menu);
}

void Form1::CostruisciControlli()
{
    auto* c = new QWidget(this);
    c->setObjectName(QStringLiteral("client"));
    c->setAutoFillBackground(true);
    QPalette pal = c->palette();
    pal.setColor(QPalette::Window, Grigio);
    c->setPalette(pal);
    // The window's own default font, for lamps, value labels and options.
    c->setFont(Arial(8.25, false));
    setCentralWidget(c);

    // Frames first, so the labels lie above them.
    Cornice(c, "Shape4", 7320, 120, 2295, 3015);
    Cornice(c, "Shape3", 7320, 3120, 2295, 1095);
    Cornice(c, "Shape2", 7320, 4200, 2295, 1455);
    Cornice(c, "Shape1", 7320, 5640, 2295, 2535);

    auto* p1 = new PictureBox(Qt::black, c);
    p1->setObjectName(QStringLiteral("Picture1"));
    Colloca(p1, 120, 120, 6975, 5295);
    p1->setToolTip(QStringLiteral("Matreice controllo posizione"));

    auto* p2 = new PictureBox(Qt::black, c);
    p2->setObjectName(QStringLiteral("Picture2"));
    Colloca(p2, 120, 5880, 6975, 2055);
    p2->setToolTip(QStringLiteral("Matrice controllo velocità"));

    auto* b = new QPushButton(QStringLiteral("Sistema non connesso    dati solo indicativi"), c);
    b->setObjectName(QStringLiteral("Command1"));
    Colloca(b, 360, 5460, 6495, 390);
    b->setFont(Arial(11.25, true));
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(255, 255, 192); color: black;"
                                    " border: 2px outset rgb(224, 224, 224); }"
                                    "QPushButton:pressed { border-style: inset; }"
                                    "QPushButton:disabled { color: rgb(128, 128, 128); }"));

    Label7 = Etichetta(c, "Label7", 240, 8000, 3855, 255);
    Label7->setFont(Arial(8.25, false));
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label7->setText(QStringLiteral("non connesso"));

    Intestazione(c, "Label15", 7440, 240, 2055, 255, 9, QStringLiteral("Stato ingressi e uscite"));
    auto* l18 = EtichettaValore(c, "Label18", 600, QStringLiteral("Indica la versione software del chip sulla scheda"));
    auto* l19 =
        EtichettaValore(c, "Label19", 960, QStringLiteral("indica il valore della variazione di velocità da 0 a 255"),
                        QStringLiteral("Velocità"));
    std::array<ClickLabel*, 5> lampade{};
    for (int i = 0; i < 5; ++i) {
        const QByteArray nome = "Label14_" + QByteArray::number(i);
        auto* l = Etichetta(c, nome.constData(), 7440, 1320 + 360 * i, 2055, 255);
        l->setAlignment(Qt::AlignCenter);
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, lp.color(QPalette::HighlightedText));
        l->setPalette(lp);
        lampade[i] = l;
    }

    Intestazione(c, "Label13", 7440, 3120, 2055, 255, 9, QStringLiteral("Posizione encoder"));
    auto* l1 = EtichettaValore(c, "Label1", 3480, QStringLiteral("indica la posizione attuale del carro"));
    auto* l2 = EtichettaValore(c, "Label2", 3840, QStringLiteral("Indica la posizione attuale della biella"));

    Intestazione(c, "Label12", 7440, 4440, 1215, 255, 9.75, QStringLiteral("Regolazione"));
    Option1 = new QRadioButton(QStringLiteral("x1"), c);
    Option1->setObjectName(QStringLiteral("Option1"));
    Colloca(Option1, 8880, 4320, 495, 255);
    Option2 = new QRadioButton(QStringLiteral("x10"), c);
    Option2->setObjectName(QStringLiteral("Option2"));
    Colloca(Option2, 8880, 4560, 615, 255);
    auto* l5 = EtichettaValore(c, "Label5", 4920, QStringLiteral("Indice delle posizioni di memoria nella matrice"),
                               QStringLiteral("Puntatore matrice = 0"));
    auto* l6 = EtichettaValore(c, "Label6", 5280, QStringLiteral("Valore della posizione puntata"),
                               QStringLiteral("Valore matrice =  0"));

    Intestazione(c, "Label10", 7440, 5640, 2055, 255, 9, QStringLiteral("Parametri"));
    auto* l9 = EtichettaValore(c, "Label9", 6000, QStringLiteral("Limite corsa minimo software"));
    auto* l8 = EtichettaValore(c, "Label8", 6360, QStringLiteral("Limite corsa massimo suftware"));
    auto* l4 =
        EtichettaValore(c, "Label4", 6720, QStringLiteral(" Passi  di tolleranza prima che la macchina vada in STOP"));
    auto* l3 =
        EtichettaValore(c, "Label3", 7080, QStringLiteral(" Passi di tolleranza  prima che avvenga la correzione"));
    auto* l11 = EtichettaValore(c, "Label11", 7440,
                                QStringLiteral("Attesa prima di iniziare un movimento espresso in decimi di secondo"));
    auto* l16 = EtichettaValore(c, "Label16", 7800,
                                QStringLiteral("Valore della soglia di commutazione degli ADC di ingresso"));

    controlli = ControlliPannello{this, p1, p2, b, l1, l2, l3, l4, l5, l6, l8, l9, l11, l16, l18, l19, lampade};

    using E = Pannello::Editore;
    const std::pair<ClickLabel*, E> editori[] = {{l11, E::Label11}, {l16, E::Label16}, {l3, E::Label3},
                                                 {l4, E::Label4},   {l9, E::Label9},   {l8, E::Label8},
                                                 {l5, E::Label5},   {l6, E::Label6}};
    for (const auto& [lab, e] : editori) {
        const E ed = e;
        connect(lab, &ClickLabel::mouseDown, this,
                [this, ed](int pulsante) { pannello_.Label_MouseDown(ed, pulsante); });
    }
    connect(p1, &PictureBox::mouseDown, this,
            [this](int pulsante, double x, double) { pannello_.Picture_MouseDown(false, pulsante, x); });
    connect(p2, &PictureBox::mouseDown, this,
            [this](int pulsante, double x, double) { pannello_.Picture_MouseDown(true, pulsante, x); });
    connect(Option1, &QRadioButton::clicked, this, [this] { pannello_.Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { pannello_.Option2_Click(); });
}

void Form1::CostruisciMenu()
{
    QMenuBar* barra = menuBar();
    auto menu = [](QMenu* m, const char* nome) {
        m->setObjectName(QLatin1String(nome));
        m->menuAction()->setObjectName(QLatin1String(nome));
        return m;
    };
    auto voce = [](QMenu* m, const char* nome, const QString& testo) {
        QAction* a = m->addAction(testo);
        a->setObjectName(QLatin1String(nome));
        return a;
    };

    File = menu(barra->addMenu(QStringLiteral("File")), "File");
    apri = voce(File, "apri", QStringLiteral("Apri file"));
    save = voce(File, "save", QStringLiteral("Salva"));

    chip = menu(barra->addMenu(QStringLiteral("Chip")), "chip");
    carica = voce(chip, "carica", QStringLiteral("Carica dalla RAM del chip"));
    salva = voce(chip, "salva", QStringLiteral("Salva su EEPROM del chip"));
    PcToChip = voce(chip, "PcToChip", QStringLiteral("Trasferisco nella ram del chip"));
    Res = voce(chip, "Res", QStringLiteral("Reset del chip"));
    ResSic = voce(chip, "ResSic", QStringLiteral("Reset sicure"));
    AbilitaMenu(chip, false);

    con = menu(barra->addMenu(QStringLiteral("Connessione")), "con");
    connetti = voce(con, "connetti", QStringLiteral("Connetti"));
    disconnetti = voce(con, "disconnetti", QStringLiteral("Disconnetti"));
    Cavo = menu(con->addMenu(QStringLiteral("Cavo di connessione")), "Cavo");
    rs232 = voce(Cavo, "rs232", QStringLiteral("RS232"));
    usb = voce(Cavo, "usb", QStringLiteral("USB"));

    meccanica = menu(barra->addMenu(QStringLiteral("Soluzioni meccaniche")), "meccanica");
    struttura = voce(meccanica, "struttura", QStringLiteral("Struttura Parvell"));

    // A command on the bar itself, without a submenu.
    enco = barra->addAction(QStringLiteral("Test encoder"));
    enco->setObjectName(QStringLiteral("enco"));
}

void Form1::AbilitaMenu(QMenu* m, bool abilitato)
{
    m->setEnabled(abilitato);
    m->menuAction()->setEnabled(abilitato);
}

void Form1::Form_Load()
{
    auto& A = stato_.MatricePosizione;
    for (int i = 0; i <= 140; ++i)
        A[i] = static_cast<uint8_t>(i);
    for (int i = 1; i <= 128; ++i)
        stato_.MatriceVelocita[i] = 127;
    A[Tolleranza] = 3;
    A[Sicura] = 5;
    A[LimiteMinimo] = 10;
    A[LimiteMassimo] = 118;
    controlli.Command1->setEnabled(false);
    Option1->setChecked(true);
    stato_.PassoModifica = 1;
    pannello_.MostraIndicatori(false);
    enco->setEnabled(false);
    stato_.VersioneChip = "??????";
    stato_.Comando = "e";
    stato_.TitoloDialogo = QStringLiteral(" Caricamento dati ");
    Timer1->setInterval(200);
    Timer1->start();
    connetti->setEnabled(true);
    disconnetti->setEnabled(false);
    pannello_.RidisegnaMatrici();
    meccanica->menuAction()->setVisible(true);
}

void Form1::closeEvent(QCloseEvent* e)
{
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
    Timer1->stop();
    e->accept();
    if (terminaProgramma)
        terminaProgramma();
}

} // namespace corsa
