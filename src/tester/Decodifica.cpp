#include "Decodifica.h"

#include "TestiNumerici.h"

#include <algorithm>
#include <cmath>

namespace corsa {

namespace {
constexpr double VoltSensore = 0.0196;       // per count
constexpr double VoltAlimentazione = 0.0842; // per count
} // namespace

void DecodificaGray(int& valore)
{
    int a = valore;
    int b = valore;
    while (a != 0) {
        a /= 2;
        b ^= a;
    }
    valore = b;
}

LetturaTester DecodificaRisposta(const std::string& risposta, uint8_t soglia, const std::string& comando,
                                 const QLocale& locale)
{
    LetturaTester l;
    const double t = soglia;
    const QString testoSoglia = TestoLocale(t / 50, locale);
    const int letti = static_cast<int>(std::min<std::size_t>(risposta.size(), RigheTester));

    int gray = 0;
    int peso = 1;
    for (int i = 0; i < letti; ++i) {
        const int c = static_cast<unsigned char>(risposta[std::size_t(i)]);
        l.valore[i] = c;
        if (i < BitSensori) {
            l.suggerimento[i] = QStringLiteral(" Bit ") + TestoIntero(i) + QStringLiteral(" Volt = ") +
                                TestoNumero(c * VoltSensore) + QStringLiteral(" Soglia di commutazione = ") +
                                testoSoglia;
            // A sensor reads 1 when low.
            if (c <= t) {
                l.coloreBit[i] = VerdeTester;
                gray += peso;
            } else {
                l.coloreBit[i] = RossoTester;
            }
            peso *= 2;
        }
    }
    l.sensoriLetti = std::min(letti, BitSensori);
    if (letti < RigheTester)
        return l;

    l.alimentazioneLetta = true;
    const int s = l.valore[7];
    const double u = s * VoltAlimentazione;
    const double d = 15 - u;
    const double m = std::floor(d * 1000);
    const double corrente = m / 680; // milliamperes
    l.suggerimento[7] = QStringLiteral(" Alimentazione emettitori IR Volt = ") + TestoNumero(u) +
                        QStringLiteral(" MilliAmper.= ") + TestoNumero(corrente).left(6) +
                        QStringLiteral("  *** Valore ideale Volt.= 8 : Ma. = 11  ");

    l.codiceGray = gray;
    int n = gray;
    DecodificaGray(n);
    l.passo = n;

    l.alimentazioneCorretta = s >= AlimentazioneMinima && s <= AlimentazioneMassima;
    if (l.alimentazioneCorretta) {
        l.coloreStato = VerdeTester;
        // The frame-screw encoder counts the other way round.
        if (comando == "m")
            l.testoStato =
                QStringLiteral(" Encoder [ VITE TELAIO ]  : Passo conteggio negato = ") + TestoIntero(127 - n);
        else
            l.testoStato = QStringLiteral(" Encoder [ MOTORE CV ]  : Passo conteggio diretto = ") + TestoIntero(n);
    } else {
        l.coloreStato = RossoTester;
        l.testoStato = QStringLiteral("Alimentazione fotoemettitori non corretta ");
    }
    return l;
}

} // namespace corsa
