#include "Programma.h"

#include "ClickLabel.h"
#include "FinestreInfo.h"
#include "PortaSeriale.h"
#include "testenco.h"

#include <QAction>
#include <QPushButton>

namespace corsa {

Programma::Programma(PortaSeriale& porta, Messaggi& messaggi, DialogoFile& dialogo)
    // clang-format off
    : form1(stato, porta, messaggi),
      controlli{&form1,        form1.chip,  form1.connetti, form1.disconnetti, form1.enco, form1.controlli.Command1,
                form1.Label7, form1.Timer1},
      // clang-format on
      connessione(stato, porta, messaggi, form1.pannello(), turno, controlli),
      motore(stato, porta, messaggi, form1.pannello(), connessione, turno, controlli),
      file(stato, dialogo, messaggi, [this] { form1.pannello().RidisegnaMatrici(); }),
      info(new FinestreInfo(&form1, &form1))
{
    form1.Timer1_Timer = [this] { motore.CicloComunicazione(); };
    connessione.NascondiAvanzamento = [this] { motore.NascondiDialog(); };
    motore.LeggoAdc = [this](const std::string& risposta) {
        if (tester_)
            tester_->LeggoAdc(risposta);
    };
    auto& c = connessione;
    QObject::connect(form1.carica, &QAction::triggered, &form1, [&c] { c.carica_Click(); });
    QObject::connect(form1.salva, &QAction::triggered, &form1, [&c] { c.salva_Click(); });
    QObject::connect(form1.PcToChip, &QAction::triggered, &form1, [&c] { c.PcToChip_Click(); });
    QObject::connect(form1.Res, &QAction::triggered, &form1, [&c] { c.Res_Click(); });
    QObject::connect(form1.ResSic, &QAction::triggered, &form1, [&c] { c.ResSic_Click(); });
    QObject::connect(form1.controlli.Command1, &QPushButton::clicked, &form1, [&c] { c.Command1_Click(); });
    QObject::connect(form1.connetti, &QAction::triggered, &form1, [&c] { c.connetti_Click(); });
    QObject::connect(form1.disconnetti, &QAction::triggered, &form1, [&c] { c.disconnetti_Click(); });
    QObject::connect(form1.enco, &QAction::triggered, &form1, [this] { enco_Click(); });
    QObject::connect(form1.save, &QAction::triggered, &form1, [this] { file.save_Click(); });
    QObject::connect(form1.apri, &QAction::triggered, &form1, [this] { file.apri_Click(); });
    QObject::connect(form1.struttura, &QAction::triggered, info, &FinestreInfo::struttura_Click);
    QObject::connect(form1.rs232, &QAction::triggered, info, &FinestreInfo::rs232_Click);
    QObject::connect(form1.usb, &QAction::triggered, info, &FinestreInfo::usb_Click);
}

Programma::~Programma() = default;

testenco* Programma::tester() const { return tester_; }

void Programma::enco_Click()
{
    if (!tester_) {
        tester_ = new testenco(stato, &form1);
        tester_->principale = &form1;
        PortaSeriale* porta = &form1.MSComm1;
        tester_->collegato = [porta] { return porta->PortOpen(); };
    }
    tester_->Apri();
}

void Programma::Avvia()
{
    form1.Form_Load();
    form1.show();
}

} // namespace corsa
