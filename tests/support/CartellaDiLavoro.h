#pragma once
// A temporary current folder for a test, where the port file lands; the
// previous one comes back when it goes.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace corsa::test {

class CartellaDiLavoro {
public:
    CartellaDiLavoro() : vecchia_(QDir::currentPath()) { attiva_ = dir_.isValid() && QDir::setCurrent(dir_.path()); }
    ~CartellaDiLavoro() { QDir::setCurrent(vecchia_); }
    CartellaDiLavoro(const CartellaDiLavoro&) = delete;
    CartellaDiLavoro& operator=(const CartellaDiLavoro&) = delete;

    bool attiva() const { return attiva_; }
    QString percorso(const QString& nome) const { return dir_.filePath(nome); }

    // The port file, written as given and read back byte for byte.
    bool ScriviNport(const QByteArray& dati) const
    {
        QFile f(percorso(QStringLiteral("nport.ini")));
        return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
    }
    std::optional<QByteArray> Nport() const
    {
        QFile f(percorso(QStringLiteral("nport.ini")));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
    QString vecchia_;
    bool attiva_ = false;
};

} // namespace corsa::test
