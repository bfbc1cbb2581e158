#include "Telai.h"

namespace corsa {

namespace {

struct Telaio {
    const char* voce;
    const char* testo;
};

// Stored whole, as the technicians wrote them: the "24 G" row really has "Z8".
constexpr Telaio Tabella[NumeroTelai] = {
    {"9 G", " Telaio  9G  rapporto 1/1,5     tipico vite Z 10   encoder Z 15 "},
    {"12 G", " Telaio  12G  rapporto 1/2     tipico vite Z 10   encoder Z 20 "},
    {"15 G", " Telaio  15G  rapporto 1/2,5     tipico vite Z 8   encoder Z 20 "},
    {"18 G", " Telaio  18G  rapporto 1/3     tipico vite Z 8   encoder Z 24 "},
    {"21 G", " Telaio  21G  rapporto 1/3,5     tipico vite Z 8   encoder Z 28 "},
    {"24 G", " Telaio  24G  rapporto 1/4     tipico vite Z8   encoder Z 32 "},
    {"27 G", " Telaio  27G  rapporto 1/4,5     tipico vite Z 8   encoder Z 36 "},
    {"30 G", " Telaio  30G  rapporto 1/5     tipico vite Z 8   encoder Z 40 "},
    {"33 G", " Telaio  33G  rapporto 1/5,5     tipico vite Z 8   encoder Z 44 "},
};

} // namespace

QStringList VociTelai()
{
    QStringList voci;
    for (const auto& t : Tabella)
        voci << QString::fromUtf8(t.voce);
    return voci;
}

std::optional<QString> TestoTelaio(int indice)
{
    if (indice < 0 || indice >= NumeroTelai)
        return std::nullopt;
    return QString::fromUtf8(Tabella[indice].testo);
}

} // namespace corsa
