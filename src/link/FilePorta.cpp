#include "FilePorta.h"

#include "FileDisco.h"
#include "LetturaNumero.h"

namespace corsa {

std::optional<uint8_t> InterpretaFilePorta(const QByteArray& contenuto)
{
    if (contenuto.isEmpty())
        return std::nullopt; // not even one line
    const qsizetype fine = contenuto.indexOf('\r');
    const double v = LeggiIntero(fine < 0 ? contenuto : contenuto.left(fine));
    if (!(v >= 0 && v <= 255))
        return std::nullopt;
    return static_cast<uint8_t>(v);
}

std::optional<uint8_t> LeggiFilePorta(const QString& percorso)
{
    const auto dati = LeggiFile(percorso);
    if (!dati)
        return std::nullopt;
    return InterpretaFilePorta(*dati);
}

QByteArray FormattaFilePorta(uint8_t porta) { return ' ' + QByteArray::number(porta) + "\r\n"; }

bool ScriviFilePorta(uint8_t porta, const QString& percorso) { return !ScriviFile(percorso, FormattaFilePorta(porta)); }

} // namespace corsa
