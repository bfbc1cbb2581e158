#include "NomiPorte.h"

#include <QDir>

namespace corsa {

QString CartellaPorte() { return qEnvironmentVariable("CORSA_PORTE"); }

QString NomePorta(int numero)
{
    if (numero < 1 || numero > 255)
        return {};
    const QString cartella = CartellaPorte();
    // Absolute: Qt takes a bare relative name as one under /dev.
    if (!cartella.isEmpty())
        return QDir(cartella).absoluteFilePath(QStringLiteral("com%1").arg(numero));
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(numero);
#else
    if (numero <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(numero - 1);
    if (numero <= 10)
        return QStringLiteral("/dev/ttyUSB%1").arg(numero - 5);
    if (numero <= 15)
        return QStringLiteral("/dev/ttyACM%1").arg(numero - 11);
    return {};
#endif
}

} // namespace corsa
