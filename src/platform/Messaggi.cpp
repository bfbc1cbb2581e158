#include "Messaggi.h"

#include <QMessageBox>

namespace corsa {

QString TitoloProgramma() { return QStringLiteral("Corsa"); }

Risposta MessaggiQt::Mostra(const QString& testo, const std::optional<QString>& titolo, Pulsanti pulsanti, Icona icona)
{
    QMessageBox box(genitore_);
    box.setWindowTitle(titolo ? *titolo : TitoloProgramma());
    box.setText(testo);
    box.setIcon(icona == Icona::Critica ? QMessageBox::Critical : QMessageBox::NoIcon);
    if (pulsanti == Pulsanti::OK) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Risposta::OK;
    }
    box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Cancel ? Risposta::Annulla : Risposta::Riprova;
}

} // namespace corsa
