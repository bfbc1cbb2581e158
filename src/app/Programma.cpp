#include "Programma.h"

#include "FinestreInfo.h"

#include <QAction>

namespace corsa {

Programma::Programma(PortaSeriale& porta, Messaggi& messaggi, DialogoFile& dialogo)
    : form1(stato, porta, messaggi),
      file(stato, dialogo, messaggi, [this] { form1.pannello().RidisegnaMatrici(); }),
      info(new FinestreInfo(&form1, &form1))
{
    QObject::connect(form1.save, &QAction::triggered, &form1, [this] { file.save_Click(); });
    QObject::connect(form1.apri, &QAction::triggered, &form1, [this] { file.apri_Click(); });
    QObject::connect(form1.struttura, &QAction::triggered, info, &FinestreInfo::struttura_Click);
    QObject::connect(form1.rs232, &QAction::triggered, info, &FinestreInfo::rs232_Click);
    QObject::connect(form1.usb, &QAction::triggered, info, &FinestreInfo::usb_Click);
}

Programma::~Programma() = default;

void Programma::Avvia()
{
    form1.Form_Load();
    form1.show();
}

} // namespace corsa
