#include "DialogoFile.h"

#include <QFileDialog>
#include <QFileInfo>

namespace corsa {

void DialogoFileQt::Configura(QFileDialog& d, bool salva) const
{
    d.setAcceptMode(salva ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(salva ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, !(Flags & ChiediSovrascrittura));
    d.setDefaultSuffix(DefaultExt);
    if (!FileName.isEmpty()) {
        const QFileInfo info(FileName);
        d.setDirectory(info.absolutePath());
        d.selectFile(info.fileName());
    }
}

bool DialogoFileQt::Mostra(bool salva)
{
    QFileDialog d(genitore_);
    d.setObjectName(QStringLiteral("dialog1"));
    Configura(d, salva);
    if (d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty()) {
        FileName = d.selectedFiles().constFirst();
        return true;
    }
    if (CancelError)
        return false;
    FileName.clear();
    return true;
}

bool DialogoFileQt::ShowSave() { return Mostra(true); }
bool DialogoFileQt::ShowOpen() { return Mostra(false); }

} // namespace corsa
