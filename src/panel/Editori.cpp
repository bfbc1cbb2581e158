#include "Editori.h"

namespace corsa {

bool PassoEditore(const RegolaEditore& r, int pulsante, uint8_t& valore)
{
    const int v = valore;
    if (pulsante == 1 && v < r.sopra) {
        valore = static_cast<uint8_t>(v + r.passo);
        return true;
    }
    if (pulsante == 2 && v > r.sotto) {
        valore = static_cast<uint8_t>(v - r.passo);
        return true;
    }
    return false;
}

void AccoppiaSicura(uint8_t tolleranza, uint8_t& sicura)
{
    if (tolleranza >= sicura)
        sicura = tolleranza == 255 ? 255 : static_cast<uint8_t>(tolleranza + 1);
}

} // namespace corsa
