#include "Protocollo.h"

#include <algorithm>

namespace corsa {

QByteArray BytesComando(const std::string& comando)
{
    return QByteArray(comando.data(), static_cast<qsizetype>(comando.size()));
}

namespace {

template <std::size_t N>
QByteArray Blocco(const std::array<uint8_t, N>& immagine, int ultimo)
{
    QByteArray b(ultimo + 1, '\0');
    char* d = b.data();
    for (int i = 1; i <= ultimo; ++i)
        d[i - 1] = static_cast<char>(immagine[i]);
    d[ultimo] = '\r';
    return b;
}

template <std::size_t N>
int Carica(std::array<uint8_t, N>& immagine, const QByteArray& risposta)
{
    // The image is the limit, never the reply: a longer reply is cut.
    const int n = static_cast<int>(std::min<qsizetype>(risposta.size(), N - 1));
    const char* d = risposta.constData();
    for (int i = 1; i <= n; ++i)
        immagine[i] = static_cast<uint8_t>(d[i - 1]);
    return n;
}

} // namespace

QByteArray BloccoPosizione(const Stato& s) { return Blocco(s.MatricePosizione, LunghezzaBloccoPosizione - 1); }

QByteArray BloccoVelocita(const Stato& s) { return Blocco(s.MatriceVelocita, LunghezzaBloccoVelocita - 1); }

QByteArray ConfermaEeprom() { return QByteArrayLiteral("Scrivo\r"); }

int LunghezzaMinima(const std::string& comando)
{
    if (comando == ComandoStato || comando == ComandoTestVite || comando == ComandoTestMotore)
        return 4;
    if (comando == ComandoLeggiPosizione)
        return 138;
    if (comando == ComandoLeggiVelocita)
        return 127;
    return 0;
}

bool RispostaValida(const std::string& comando, const QByteArray& risposta)
{
    const int minimo = LunghezzaMinima(comando);
    return minimo > 0 && risposta.size() >= minimo;
}

bool ContieneParola(const QByteArray& risposta, const QByteArray& parola)
{
    return !parola.isEmpty() && risposta.contains(parola);
}

bool CaricaStato(Stato& s, const QByteArray& risposta)
{
    if (risposta.size() < 4)
        return false;
    for (int i = 1; i <= 4; ++i)
        s.StatoChip[i] = static_cast<uint8_t>(risposta[i - 1]);
    return true;
}

int CaricaBloccoPosizione(Stato& s, const QByteArray& risposta) { return Carica(s.MatricePosizione, risposta); }

int CaricaBloccoVelocita(Stato& s, const QByteArray& risposta) { return Carica(s.MatriceVelocita, risposta); }

} // namespace corsa
