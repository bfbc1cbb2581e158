#include "testenco.h"

#include "Caratteri.h"
#include "ClickLabel.h"
#include "Finestre.h"
#include "ProgressBar.h"
#include "PulsanteGrafico.h"
#include "Stato.h"
#include "TestiNumerici.h"
#include "Twips.h"

#include <QCloseEvent>

namespace corsa {

namespace {

const QColor Grigio(192, 192, 192);

} // namespace

testenco::testenco(Stato& stato, QWidget* genitore)
    : QWidget(genitore, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      stato_(stato)
{
    setObjectName(QStringLiteral("testenco"));
    setWindowTitle(QStringLiteral("Tester per  sensori ottici encoder"));
    setFixedSize(Px(7710), Px(3885));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Grigio);
    setPalette(pal);
    setFont(Arial(8.25, false));

    for (int i = 0; i < BitSensori; ++i) {
        auto* l = new ClickLabel(this);
        l->setObjectName(QStringLiteral("Label1_%1").arg(i));
        l->setGeometry(RettangoloTwips(240, 120 + 360 * i, 375, 255));
        l->setCaption(QStringLiteral("Bit %1").arg(i));
        l->setFont(Arial(9, true));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setBackColor(i == 0 ? VerdeTester : Grigio);
        label1_[std::size_t(i)] = l;

        auto* b = new ProgressBar(this);
        b->setObjectName(QStringLiteral("ProgressBar1_%1").arg(i));
        b->setGeometry(RettangoloTwips(720, 120 + 360 * i, 6855, 255));
        b->setMin(0);
        b->setMax(255);
        barre_[std::size_t(i)] = b;
    }

    command1_ = new PulsanteGrafico(QStringLiteral("Cambio encoder"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(RettangoloTwips(120, 2640, 855, 735));
    command1_->setFont(Arial(8.25, true));
    command1_->setBackColor(QColor(255, 255, 0));
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

    label2_ = new ClickLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(RettangoloTwips(960, 2640, 6615, 255));
    label2_->setCaption(QStringLiteral("NOTA: Gli ingressi rispetto al conteggio sono negati , "
                                       "se basso vale 1  se alto vale 0"));
    label2_->setFont(Arial(8.25, false));
    label2_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* stato7 = new ClickLabel(this);
    stato7->setObjectName(QStringLiteral("Label1_7"));
    stato7->setGeometry(RettangoloTwips(1080, 3000, 6495, 375));
    stato7->setCaption(QStringLiteral("Bit 0"));
    stato7->setFont(Arial(9.75, true));
    stato7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    stato7->setFrameStyle(QFrame::Box | QFrame::Plain);
    stato7->setLineWidth(1);
    label1_[7] = stato7;

    auto* alimentazione = new ProgressBar(this);
    alimentazione->setObjectName(QStringLiteral("ProgressBar1_7"));
    alimentazione->setGeometry(RettangoloTwips(720, 3480, 6855, 255));
    alimentazione->setMin(0);
    alimentazione->setMax(255);
    barre_[7] = alimentazione;
}

void testenco::LeggoAdc(const std::string& risposta)
{
    Mostra(DecodificaRisposta(risposta, stato_.MatricePosizione[SogliaAdc], stato_.Comando));
}

void testenco::Mostra(const LetturaTester& l)
{
    for (int i = 0; i < l.sensoriLetti; ++i) {
        barre_[std::size_t(i)]->setValue(float(l.valore[std::size_t(i)]));
        barre_[std::size_t(i)]->setToolTipText(l.suggerimento[std::size_t(i)]);
        label1_[std::size_t(i)]->setBackColor(l.coloreBit[std::size_t(i)]);
    }
    if (!l.alimentazioneLetta)
        return;
    barre_[7]->setValue(float(l.valore[7]));
    barre_[7]->setToolTipText(l.suggerimento[7]);
    label1_[7]->setBackColor(l.coloreStato);
    label1_[7]->setCaption(l.testoStato);
}

void testenco::Form_Load()
{
    if (Richiesta())
        stato_.Comando = "m";
}

void testenco::Apri()
{
    if (principale)
        AbilitaFinestra(principale, false);
    if (!caricato_) {
        caricato_ = true;
        Form_Load();
    }
    show();
    DaiFuoco(this);
    // With the line closed there is nobody to ask: the window shows its last reading.
    if (Richiesta())
        stato_.Comando = "s";
}

void testenco::ChiudiTester()
{
    if (Richiesta())
        stato_.Comando = "@";
    // A switch still pending would replace the "@" and keep polling a hidden tester.
    stato_.CambioEncoder = 0;
    hide();
    if (principale) {
        AbilitaFinestra(principale, true);
        DaiFuoco(principale);
    }
}

void testenco::closeEvent(QCloseEvent* e)
{
    ChiudiTester();
    e->ignore();
}

void testenco::Command1_Click() { stato_.CambioEncoder = 1; }

} // namespace corsa
