#include "Porta.h"

namespace corsa {

void ApriPorta(PortaSeriale& porta, int numero)
{
    porta.setSettings(QStringLiteral("9600,n,8,1"));
    porta.setInputLen(150);
    porta.setRThreshold(150);
    porta.setInputMode(0);
    porta.setCommPort(numero);
    if (!porta.PortOpen())
        porta.setPortOpen(true);
}

bool RiapriPorta(PortaSeriale& porta)
{
    if (porta.PortOpen())
        return true;
    try {
        ApriPorta(porta, porta.CommPort());
    } catch (const ErrorePorta&) {
        return false;
    }
    return porta.PortOpen();
}

} // namespace corsa
