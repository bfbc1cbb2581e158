#include "Lampade.h"

namespace corsa {

std::array<Lampada, 5> CalcolaLampade(uint8_t s, QString& testoRotazione)
{
    std::array<Lampada, 5> l;
    l[0] = (s & 0x04) ? Lampada{QStringLiteral(" Motore in marcia"), RossoScuro}
                      : Lampada{QStringLiteral(" Motore fermo"), VerdeLampada};
    l[1] = (s & 0x08) ? Lampada{QStringLiteral(" Stringe"), RossoScuro}
                      : Lampada{QStringLiteral(" Allarga"), VerdeLampada};
    l[2] = (s & 0x10) ? Lampada{QStringLiteral(" Stop di sicurezza"), RossoScuro}
                      : Lampada{QStringLiteral("  Nessun stop"), VerdeLampada};
    if (s & 0x20) {
        l[3] = {QStringLiteral(" Estra corsa inserito"), RossoScuro};
        testoRotazione = QStringLiteral("Bloccato fc inserito");
    } else {
        l[3] = {QStringLiteral("Estra corsa libero "), VerdeLampada};
    }
    if (s & 0x40) {
        l[4] = {testoRotazione, RossoScuro};
    } else {
        l[4] = {QStringLiteral("Rotazione corretta"), VerdeLampada};
        testoRotazione = QStringLiteral("Rotazione invertita");
    }
    if (s & 0x80)
        l[4] = {QStringLiteral("Manca il clock dal plc"), MagentaLampada};
    return l;
}

} // namespace corsa
