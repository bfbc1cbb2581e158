#include "FinestreInfo.h"

#include "Caratteri.h"
#include "Disegni.h"
#include "Finestre.h"
#include "Telai.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QWindow>

namespace corsa {

namespace {

const QString Invito = QStringLiteral(" Seleziona una macchina dalla lista");

QLabel* Etichetta(QWidget* genitore, const char* nome, QRect r, QFont f)
{
    auto* l = new QLabel(genitore);
    l->setObjectName(QString::fromLatin1(nome));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFont(f);
    l->setGeometry(r);
    return l;
}

constexpr Qt::WindowFlags FinestraStrumento =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

} // namespace

Form2::Form2(QWidget* genitore)
    : QWidget(genitore, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Soluzioni meccaniche "));
    setFixedSize(Px(10590), Px(7560));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);
    Combo1->addItems(VociTelai());
    Combo1->setCurrentIndex(-1);
    Combo1->setGeometry(RettangoloTwips(600, 120, 855, 315));
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this](int) { Combo1_Click(); });

    Label1 = Etichetta(this, "Label1", RettangoloTwips(1920, 120, 8295, 255), Arial(12, false));
    Label1->setText(QStringLiteral("Rapporti di trasmissione tra la vite e l'albero dell'encoder  "));
    Label1->setToolTip(QStringLiteral("NOTA:  l'escursione dell'encoder è pari a 5.33 giri per 128 passi"));

    Label2 = Etichetta(this, "Label2", RettangoloTwips(1800, 480, 8295, 375), Arial(12, true));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture1->setLineWidth(1);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setGeometry(RettangoloTwips(120, 960, 10335, 6495));
    Picture1->setPixmap(QPixmap::fromImage(DisegnoTrasmissione()));
}

void Form2::Form_Load()
{
    Label2->setText(Invito);
    show();
}

void Form2::Combo1_Click()
{
    if (auto testo = TestoTelaio(Combo1->currentIndex()))
        Label2->setText(*testo);
}

void Form2::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    if (e->isAccepted())
        emit chiusa();
}

FinestraImmagine::FinestraImmagine(QWidget* genitore) : QWidget(genitore, FinestraStrumento)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void FinestraImmagine::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    if (e->isAccepted())
        emit scaricata();
}

CavoConnessione::CavoConnessione(QWidget* genitore) : FinestraImmagine(genitore), disegno_(DisegnoCavo())
{
    setObjectName(QStringLiteral("CavoConnessione"));
    setWindowTitle(QStringLiteral("Cavo di connessione RS232"));
    setFixedSize(Px(3795), Px(2850));
}

void CavoConnessione::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, disegno_);
}

ProgUsb::ProgUsb(QWidget* genitore) : FinestraImmagine(genitore)
{
    setObjectName(QStringLiteral("ProgUsb"));
    setWindowTitle(QStringLiteral("Adattatore USB fotoaccoppiato"));
    setFixedSize(Px(5385), Px(3690));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setGeometry(RettangoloTwips(0, 0, 5415, 3735));
    Picture1->setPixmap(QPixmap::fromImage(FotoAdattatoreUsb()));
    Picture1->setToolTip(
        QStringLiteral("Interfaccia usb fotoaccopiata livello TTL aquistabile presso Orvento  ( per schede dal 2012)"));
}

FinestreInfo::FinestreInfo(QWidget* finestraPrincipale, QObject* genitore)
    : QObject(genitore), principale_(finestraPrincipale)
{
}

FinestreInfo::~FinestreInfo()
{
    // The main window may be going too: leave its state alone.
    for (QWidget* w : {static_cast<QWidget*>(form2_), static_cast<QWidget*>(cavo_), static_cast<QWidget*>(usb_)}) {
        if (w) {
            disconnect(w, nullptr, this, nullptr);
            delete w;
        }
    }
}

// Kept above the main window without being its child: disabling the main
// window must not disable these.
void FinestreInfo::Accosta(QWidget* w)
{
    if (!principale_)
        return;
    QWidget* sopra = principale_->window();
    if (!sopra->windowHandle())
        return;
    w->winId();
    if (QWindow* h = w->windowHandle())
        h->setTransientParent(sopra->windowHandle());
}

void FinestreInfo::struttura_Click()
{
    if (!form2_) {
        form2_ = new Form2;
        // A closed list is gone for good, even before Qt gets round to deleting it.
        connect(form2_, &Form2::chiusa, this, [this] { form2_ = nullptr; });
        Accosta(form2_);
        form2_->Form_Load();
        return;
    }
    // Already open, perhaps behind the main window: bring it forward.
    form2_->show();
    form2_->raise();
}

template <typename Finestra>
void FinestreInfo::ApriImmagine(QPointer<Finestra>& finestra)
{
    if (!finestra) {
        Finestra* w = new Finestra;
        finestra = w;
        Accosta(w);
        connect(w, &FinestraImmagine::scaricata, this, [this, &finestra, w] {
            finestra = nullptr;
            // Once unloaded, its later deletion must not touch the main window again.
            disconnect(w, &QObject::destroyed, this, nullptr);
            RiabilitaPrincipale();
        });
        connect(w, &QObject::destroyed, this, &FinestreInfo::RiabilitaPrincipale);
    }
    finestra->show();
    if (principale_)
        AbilitaFinestra(principale_, false);
    DaiFuoco(finestra);
}

void FinestreInfo::rs232_Click() { ApriImmagine(cavo_); }

void FinestreInfo::usb_Click() { ApriImmagine(usb_); }

void FinestreInfo::RiabilitaPrincipale()
{
    if (principale_)
        AbilitaFinestra(principale_, true);
}

} // namespace corsa
