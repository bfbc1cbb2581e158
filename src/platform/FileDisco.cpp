#include "FileDisco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace corsa {

namespace {

QString MotivoApertura(const QSaveFile& f, const QString& nome)
{
    const QFileInfo info(nome);
    if (nome.isEmpty())
        return QStringLiteral("nessun nome di file");
    if (info.isDir())
        return QStringLiteral("%1 è una cartella").arg(QDir::toNativeSeparators(nome));
    if (!info.absoluteDir().exists())
        return QStringLiteral("la cartella %1 non esiste").arg(QDir::toNativeSeparators(info.absolutePath()));
    if (info.exists() && !info.isWritable())
        return QStringLiteral("il file esistente è protetto da scrittura");
    if (f.error() == QFileDevice::ResourceError)
        return QStringLiteral("spazio o risorse insufficienti");
    return QStringLiteral("impossibile scrivere nella cartella %1").arg(QDir::toNativeSeparators(info.absolutePath()));
}

QString MotivoChiusura(const QSaveFile& f)
{
    if (f.error() == QFileDevice::RenameError)
        return QStringLiteral("impossibile sostituire il file esistente");
    return QStringLiteral("errore durante la scrittura del file");
}

} // namespace

std::optional<QString> ScriviFile(const QString& nome, const QByteArray& dati)
{
    QSaveFile f(nome);
    if (nome.isEmpty() || !f.open(QIODevice::WriteOnly))
        return MotivoApertura(f, nome);
    // Flushed here: a commit would take a file whose last bytes failed to go
    // out (disk full, size limit) for complete and put it in place.
    if (f.write(dati) != dati.size() || !f.flush()) {
        f.cancelWriting();
        return QStringLiteral("errore durante la scrittura del file");
    }
    if (!f.commit())
        return MotivoChiusura(f);
    return std::nullopt;
}

std::optional<QByteArray> LeggiFile(const QString& nome)
{
    // Only regular files: a device or a pipe could block or never end.
    if (nome.isEmpty() || !QFileInfo(nome).isFile())
        return std::nullopt;
    QFile f(nome);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray dati = f.read(qMin(f.size(), LimiteLettura));
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return dati;
}

} // namespace corsa
