#include "Programma.h"

#include <QAction>

namespace corsa {

struct Programma::Info {};

Programma::Programma(PortaSeriale& porta, Messaggi& messaggi, DialogoFile& dialogo)
    : form1(stato, porta, messaggi),
      file(stato, dialogo, messaggi, [this] { form1.pannello().RidisegnaMatrici(); }),
      info_(std::make_unique<Info>())
{
    QObject::connect(form1.save, &QAction::triggered, &form1, [this] { file.save_Click(); });
    QObject::connect(form1.apri, &QAction::triggered, &form1, [this] { file.apri_Click(); });
}

Programma::~Programma() = default;

void Programma::Avvia()
{
    form1.Form_Load();
    form1.show();
}

} // namespace corsa
