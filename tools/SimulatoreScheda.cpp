#include "SimulatoreScheda.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace corsa::sim {

namespace {

constexpr int LunghezzaMassima = 150;  // what one read on the PC can take
constexpr qint64 AttesaScaduta = 2000; // ms without bytes: a half block is dropped
const QByteArray TestoVersione = QByteArrayLiteral("SIM REV 1.0 scheda simulata");
const QByteArray TestoVersioneSenzaRev = QByteArrayLiteral("SIM versione 1.0");
const QByteArray TestoEeprom = QByteArrayLiteral("\r\nokEeprom\r\n");
const QByteArray TestoEepromRifiuto = QByteArrayLiteral("\r\nEeprom bloccata\r\n");
const QByteArray TestoConferma = QByteArrayLiteral("Scrivo\r");
const QByteArray ParolaEeprom = QByteArrayLiteral("okEeprom");

void ValoriIniziali(std::array<uint8_t, 141>& pos, std::array<uint8_t, 129>& vel)
{
    for (int i = 0; i <= 128; ++i) {
        pos[i] = static_cast<uint8_t>(20 + i * 88 / 128);
        vel[i] = static_cast<uint8_t>(40 + i * 60 / 128);
    }
    pos[129] = 0;
    pos[130] = 130; // ADC threshold
    pos[131] = 3;   // tolerance
    pos[132] = 6;   // safety
    pos[133] = 10;  // travel limits
    pos[134] = 118;
    pos[135] = 5; // delay
    for (int i = 136; i <= 140; ++i)
        pos[i] = 0;
}

// What follows the first `campi` words of the line and the blanks after
// them, blanks inside kept, trailing ones dropped.
QString Resto(const QString& riga, int campi)
{
    qsizetype i = 0;
    const qsizetype n = riga.size();
    for (int k = 0; k < campi; ++k) {
        while (i < n && riga[i].isSpace())
            ++i;
        while (i < n && !riga[i].isSpace())
            ++i;
    }
    while (i < n && riga[i].isSpace())
        ++i;
    qsizetype fine = n;
    while (fine > i && riga[fine - 1].isSpace())
        --fine;
    return riga.mid(i, fine - i);
}

} // namespace

std::optional<Guasto> GuastoDaNome(const QString& nome)
{
    const QString cercato = nome.trimmed().toLower();
    for (const NomeDiGuasto& g : Guasti)
        if (cercato == QLatin1String(g.nome))
            return g.guasto;
    return std::nullopt;
}

QString NomeGuasto(Guasto g)
{
    for (const NomeDiGuasto& n : Guasti)
        if (n.guasto == g)
            return QLatin1String(n.nome);
    return {};
}

QString ElencoGuasti()
{
    QStringList nomi;
    for (const NomeDiGuasto& g : Guasti)
        nomi << QLatin1String(g.nome);
    return nomi.join(QLatin1Char(' '));
}

SimulatoreScheda::SimulatoreScheda(const QString& cartella, QObject* parent)
    : QObject(parent), cartella_(cartella), cartellaEeprom_(cartella)
{
    QDir().mkpath(cartella_);
    orologio_.start();
}

SimulatoreScheda::~SimulatoreScheda()
{
    std::vector<int> numeri;
    for (auto& [n, p] : porte_)
        numeri.push_back(n);
    for (int n : numeri)
        rimuoviPorta(n);
}

QString SimulatoreScheda::percorso(int porta) const
{
    return QDir(cartella_).filePath(QStringLiteral("com%1").arg(porta));
}

QString SimulatoreScheda::dispositivo(int porta) const
{
    const Porta* p = trova(porta);
    return p ? p->dispositivo : QString();
}

QString SimulatoreScheda::fileEeprom(int porta) const
{
    return QDir(cartellaEeprom_).filePath(QStringLiteral("eeprom%1.bin").arg(porta));
}

SimulatoreScheda::Porta* SimulatoreScheda::trova(int porta)
{
    auto it = porte_.find(porta);
    return it == porte_.end() ? nullptr : it->second.get();
}

const SimulatoreScheda::Porta* SimulatoreScheda::trova(int porta) const
{
    auto it = porte_.find(porta);
    return it == porte_.end() ? nullptr : it->second.get();
}

bool SimulatoreScheda::aggiungiPorta(int porta)
{
    if (haPorta(porta))
        return true;
    auto p = std::make_unique<Porta>();
    p->numero = porta;
    p->caso += static_cast<uint32_t>(porta);
    p->master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (p->master < 0)
        return false;
    if (::grantpt(p->master) != 0 || ::unlockpt(p->master) != 0) {
        ::close(p->master);
        return false;
    }
    const char* nome = ::ptsname(p->master);
    if (!nome) {
        ::close(p->master);
        return false;
    }
    p->dispositivo = QString::fromLocal8Bit(nome);
    // Our own hold on the far end: without it the master reads EIO whenever
    // the program has the port closed, and a notifier on it would spin.
    p->slave = ::open(nome, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (p->slave >= 0) {
        termios t{};
        if (::tcgetattr(p->slave, &t) == 0) {
            ::cfmakeraw(&t);
            ::cfsetispeed(&t, B9600);
            ::cfsetospeed(&t, B9600);
            ::tcsetattr(p->slave, TCSANOW, &t);
        }
    }
    const QString link = percorso(porta);
    QFile::remove(link);
    if (!QFile::link(p->dispositivo, link)) {
        if (p->slave >= 0)
            ::close(p->slave);
        ::close(p->master);
        return false;
    }
    caricaEeprom(*p);
    p->ramPos = p->eepPos;
    p->ramVel = p->eepVel;
    p->notifica = std::make_unique<QSocketNotifier>(p->master, QSocketNotifier::Read);
    connect(p->notifica.get(), &QSocketNotifier::activated, this, [this, porta] { leggi(porta); });
    porte_[porta] = std::move(p);
    return true;
}

void SimulatoreScheda::rimuoviPorta(int porta)
{
    auto it = porte_.find(porta);
    if (it == porte_.end())
        return;
    Porta& p = *it->second;
    p.notifica.reset();
    QFile::remove(percorso(porta));
    if (p.slave >= 0)
        ::close(p.slave);
    if (p.master >= 0)
        ::close(p.master);
    porte_.erase(it);
    emit portaRimossa(porta);
}

void SimulatoreScheda::impostaGuasto(int porta, Guasto g, std::optional<uint8_t> comando)
{
    Porta* p = trova(porta);
    if (!p)
        return;
    if (comando)
        p->guastiComando[*comando] = g;
    else
        p->guasto = g;
}

void SimulatoreScheda::togliGuasti(int porta)
{
    if (Porta* p = trova(porta)) {
        p->guasto = Guasto::Nessuno;
        p->guastiComando.clear();
    }
}

void SimulatoreScheda::impostaStopSicurezza(int porta, bool attivo)
{
    if (Porta* p = trova(porta))
        p->stop = attivo;
}

void SimulatoreScheda::impostaTestoVersione(int porta, std::optional<QByteArray> testo)
{
    if (Porta* p = trova(porta))
        p->testoVersione = std::move(testo);
}

void SimulatoreScheda::impostaTestoEeprom(int porta, std::optional<QByteArray> testo)
{
    if (Porta* p = trova(porta))
        p->testoEeprom = std::move(testo);
}

std::array<uint8_t, 141>* SimulatoreScheda::ramPosizione(int porta)
{
    Porta* p = trova(porta);
    return p ? &p->ramPos : nullptr;
}

std::array<uint8_t, 129>* SimulatoreScheda::ramVelocita(int porta)
{
    Porta* p = trova(porta);
    return p ? &p->ramVel : nullptr;
}

std::array<uint8_t, 141>* SimulatoreScheda::eepromPosizione(int porta)
{
    Porta* p = trova(porta);
    return p ? &p->eepPos : nullptr;
}

std::array<uint8_t, 129>* SimulatoreScheda::eepromVelocita(int porta)
{
    Porta* p = trova(porta);
    return p ? &p->eepVel : nullptr;
}

int SimulatoreScheda::scrittureEeprom(int porta) const
{
    const Porta* p = trova(porta);
    return p ? p->scrittureEeprom : 0;
}

QByteArray SimulatoreScheda::ricevuti(int porta) const
{
    QByteArray r;
    for (const auto& b : registro_)
        if (b.porta == porta)
            r.append(static_cast<char>(b.valore));
    return r;
}

void SimulatoreScheda::svuotaRegistro() { registro_.clear(); }

bool SimulatoreScheda::impostaFileRegistro(const QString& percorso)
{
    auto f = std::make_unique<QFile>(percorso);
    if (!f->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    fileRegistro_ = std::move(f);
    return true;
}

void SimulatoreScheda::caricaEeprom(Porta& p)
{
    ValoriIniziali(p.eepPos, p.eepVel);
    QFile f(fileEeprom(p.numero));
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray d = f.readAll();
    if (d.size() != 140 + 128)
        return; // a damaged file: the board starts from its defaults
    for (int i = 1; i <= 140; ++i)
        p.eepPos[i] = static_cast<uint8_t>(d[i - 1]);
    for (int i = 1; i <= 128; ++i)
        p.eepVel[i] = static_cast<uint8_t>(d[140 + i - 1]);
}

void SimulatoreScheda::salvaEeprom(Porta& p)
{
    p.eepPos = p.ramPos;
    p.eepVel = p.ramVel;
    ++p.scrittureEeprom;
    QByteArray d;
    for (int i = 1; i <= 140; ++i)
        d.append(static_cast<char>(p.eepPos[i]));
    for (int i = 1; i <= 128; ++i)
        d.append(static_cast<char>(p.eepVel[i]));
    QSaveFile f(fileEeprom(p.numero));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(d);
        f.commit();
    }
}

void SimulatoreScheda::leggi(int porta)
{
    Porta* p = trova(porta);
    if (!p)
        return;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(p->master, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                p->notifica->setEnabled(false); // nothing more will come
            break;
        }
        const qint64 ms = orologio_.elapsed();
        QByteArray dati(buf, static_cast<qsizetype>(n));
        for (char c : dati)
            registro_.push_back({ms, porta, static_cast<uint8_t>(c)});
        if (fileRegistro_) {
            QTextStream out(fileRegistro_.get());
            for (char c : dati)
                out << ms << " com" << porta << " 0x"
                    << QString::number(static_cast<uint8_t>(c), 16).rightJustified(2, QLatin1Char('0')) << '\n';
            out.flush();
        }
        emit ricevuto(porta, dati);
        for (char c : dati) {
            p = trova(porta); // a reply may have dropped the port
            if (!p)
                return;
            byteRicevuto(*p, static_cast<uint8_t>(c));
        }
        p = trova(porta);
        if (!p)
            return;
    }
}

void SimulatoreScheda::byteRicevuto(Porta& p, uint8_t b)
{
    const qint64 ora = orologio_.elapsed();
    if (p.attesa != Attesa::Comando && ora - p.ultimoByte > AttesaScaduta) {
        p.attesa = Attesa::Comando; // a block that never came whole
        p.raccolti.clear();
    }
    p.ultimoByte = ora;
    if (guastoPer(p, b) == Guasto::Silenziosa && p.attesa == Attesa::Comando)
        return;

    switch (p.attesa) {
    case Attesa::Comando: comando(p, b); return;
    case Attesa::BloccoPosizione:
        p.raccolti.append(static_cast<char>(b));
        if (p.raccolti.size() == 140) {
            if (p.raccolti.endsWith('\r'))
                for (int i = 1; i <= 139; ++i)
                    p.ramPos[i] = static_cast<uint8_t>(p.raccolti[i - 1]);
            p.raccolti.clear();
            p.attesa = Attesa::Comando;
        }
        return;
    case Attesa::BloccoVelocita:
        p.raccolti.append(static_cast<char>(b));
        if (p.raccolti.size() == 128) {
            if (p.raccolti.endsWith('\r'))
                for (int i = 1; i <= 127; ++i)
                    p.ramVel[i] = static_cast<uint8_t>(p.raccolti[i - 1]);
            p.raccolti.clear();
            p.attesa = Attesa::Comando;
        }
        return;
    case Attesa::Conferma:
        p.raccolti.append(static_cast<char>(b));
        if (p.raccolti.size() == TestoConferma.size()) {
            if (p.raccolti == TestoConferma)
                salvaEeprom(p);
            p.raccolti.clear();
            p.attesa = Attesa::Comando;
        }
        return;
    }
}

Guasto SimulatoreScheda::guastoPer(const Porta& p, uint8_t c) const
{
    auto it = p.guastiComando.find(c);
    return it != p.guastiComando.end() ? it->second : p.guasto;
}

QByteArray SimulatoreScheda::rispostaStato(int porta) const
{
    const Porta* p = trova(porta);
    if (!p)
        return {};
    // The carriage runs back and forth over the whole stroke; the rod follows
    // the position matrix a little behind.
    const qint64 t = orologio_.elapsed();
    const int fase = static_cast<int>((t / 25) % 256);
    const int carro = fase < 128 ? fase : 255 - fase;
    const bool stringe = fase < 128;
    const int dietro = std::clamp(stringe ? carro - 2 : carro + 2, 0, 128);
    uint8_t bit = 0;
    if (!p->stop && (t / 400) % 8 != 0)
        bit |= 0x04; // running, with a short pause now and then
    if (stringe)
        bit |= 0x08;
    if (p->stop)
        bit |= 0x10;
    QByteArray r;
    r.append(static_cast<char>(carro));
    r.append(static_cast<char>(p->ramPos[dietro]));
    r.append(static_cast<char>(p->ramVel[carro]));
    r.append(static_cast<char>(bit));
    return r;
}

QByteArray SimulatoreScheda::rispostaTester(int porta, uint8_t comando) const
{
    const Porta* p = trova(porta);
    if (!p)
        return {};
    // A turning encoder: the step advances with time, the motor faster than
    // the screw; the sensors carry its Gray code, a 1 as a low count.
    const qint64 t = orologio_.elapsed();
    const int passo = static_cast<int>((comando == 'm' ? t / 120 : t / 40) % 128);
    const int gray = passo ^ (passo >> 1);
    const int soglia = p->ramPos[130];
    const int basso = soglia / 2;
    const int alto = std::min(255, soglia + 1 + (255 - soglia) / 2);
    QByteArray r;
    for (int i = 0; i < 7; ++i)
        r.append(static_cast<char>((gray >> i) & 1 ? basso : alto));
    r.append(static_cast<char>(95)); // IR emitter supply, close to ideal
    return r;
}

void SimulatoreScheda::comando(Porta& p, uint8_t c)
{
    switch (c) {
    case '@': rispondi(p, c, rispostaStato(p.numero), 4); break;
    case 0xA3: {
        QByteArray r;
        for (int i = 1; i <= 140; ++i)
            r.append(static_cast<char>(p.ramPos[i]));
        rispondi(p, c, r, 138);
        break;
    }
    case '%': {
        QByteArray r;
        for (int i = 1; i <= 128; ++i)
            r.append(static_cast<char>(p.ramVel[i]));
        rispondi(p, c, r, 127);
        break;
    }
    case '$':
        p.attesa = Attesa::BloccoPosizione;
        p.raccolti.clear();
        break;
    case '#':
        p.attesa = Attesa::BloccoVelocita;
        p.raccolti.clear();
        break;
    case 'w': {
        if (guastoPer(p, c) == Guasto::RifiutoEeprom) {
            invia(p, TestoEepromRifiuto);
            break;
        }
        const QByteArray testo = p.testoEeprom.value_or(TestoEeprom);
        // The PC confirms only a reply with the word in it; waiting after
        // any other would swallow its next commands.
        if (rispondi(p, c, testo, static_cast<int>(testo.size())).contains(ParolaEeprom)) {
            p.attesa = Attesa::Conferma;
            p.raccolti.clear();
        }
        break;
    }
    case 'r':
        p.ramPos = p.eepPos;
        p.ramVel = p.eepVel;
        p.stop = false;
        break;
    case '|': p.stop = false; break;
    case 'm':
    case 's': rispondi(p, c, rispostaTester(p.numero, c), 4); break;
    case 'v':
        if (guastoPer(p, c) == Guasto::SenzaRev)
            invia(p, TestoVersioneSenzaRev);
        else
            rispondi(p, c, p.testoVersione.value_or(TestoVersione), 1);
        break;
    default: break; // unknown bytes are ignored, as the board would
    }
}

QByteArray SimulatoreScheda::rispondi(Porta& p, uint8_t c, QByteArray risposta, int minimo)
{
    switch (guastoPer(p, c)) {
    case Guasto::Silenziosa: return {};
    case Guasto::Corta: risposta.truncate(std::max(0, minimo - 1)); break;
    case Guasto::Lunga:
        while (risposta.size() < LunghezzaMassima)
            risposta.append(static_cast<char>(0xFF));
        break;
    case Guasto::Spazzatura: {
        p.caso = p.caso * 1103515245u + 12345u;
        const int n = 1 + static_cast<int>((p.caso >> 16) % LunghezzaMassima);
        risposta.clear();
        for (int i = 0; i < n; ++i) {
            p.caso = p.caso * 1103515245u + 12345u;
            risposta.append(static_cast<char>((p.caso >> 16) & 0xFF));
        }
        break;
    }
    case Guasto::CadutaBlocco: {
        risposta.truncate(risposta.size() / 2);
        invia(p, risposta);
        const int numero = p.numero;
        // Let the half reach the far end before the device goes.
        QTimer::singleShot(20, this, [this, numero] { rimuoviPorta(numero); });
        return risposta;
    }
    default: break;
    }
    invia(p, risposta);
    return risposta;
}

void SimulatoreScheda::invia(Porta& p, const QByteArray& dati)
{
    qsizetype fatto = 0;
    int tentativi = 0;
    while (fatto < dati.size() && tentativi < 100) {
        const ssize_t n = ::write(p.master, dati.constData() + fatto, static_cast<size_t>(dati.size() - fatto));
        if (n > 0) {
            fatto += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        ++tentativi;
        ::usleep(1000);
    }
}

QString SimulatoreScheda::esegui(const QString& riga)
{
    const QStringList p = riga.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (p.isEmpty())
        return {};
    const QString verbo = p[0].toLower();
    bool ok = p.size() >= 2;
    const int n = ok ? p[1].toInt(&ok) : 0;
    if (verbo == QLatin1String("aiuto"))
        return QStringLiteral(
                   "guasto N nome [comando] | nessunguasto N | assente N | presente N | stop N | porte | esci\n"
                   "testoversione N [testo] | testoeeprom N [testo]  (senza testo: quello predefinito)\n"
                   "guasti: ") +
               ElencoGuasti() + QStringLiteral("\ncomando: un carattere (@ % $ # | m s w v r) o esadecimale (0xA3)");
    if (verbo == QLatin1String("porte")) {
        QStringList r;
        for (const auto& [num, porta] : porte_)
            r << QStringLiteral("com%1 -> %2").arg(num).arg(porta->dispositivo);
        return r.join(QLatin1Char('\n'));
    }
    if (!ok || n < 1 || n > 255)
        return QStringLiteral("numero di porta mancante o non valido");
    if (verbo == QLatin1String("assente")) {
        rimuoviPorta(n);
        return {};
    }
    if (verbo == QLatin1String("presente"))
        return aggiungiPorta(n) ? QString() : QStringLiteral("impossibile creare com%1").arg(n);
    if (!haPorta(n))
        return QStringLiteral("com%1 non esiste").arg(n);
    if (verbo == QLatin1String("nessunguasto")) {
        togliGuasti(n);
        return {};
    }
    if (verbo == QLatin1String("testoversione") || verbo == QLatin1String("testoeeprom")) {
        const QString testo = Resto(riga, 2);
        std::optional<QByteArray> t;
        if (!testo.isEmpty())
            t = testo.toUtf8();
        if (verbo == QLatin1String("testoversione"))
            impostaTestoVersione(n, std::move(t));
        else
            impostaTestoEeprom(n, std::move(t));
        return {};
    }
    if (verbo == QLatin1String("stop")) {
        impostaStopSicurezza(n, true);
        return {};
    }
    if (verbo == QLatin1String("guasto") && p.size() >= 3) {
        const auto g = GuastoDaNome(p[2]);
        if (!g)
            return QStringLiteral("guasto sconosciuto: %1").arg(p[2]);
        std::optional<uint8_t> c;
        if (p.size() >= 4) {
            const QString s = p[3];
            if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
                bool okc = false;
                const int v = s.mid(2).toInt(&okc, 16);
                if (!okc || v < 0 || v > 255)
                    return QStringLiteral("comando non valido: %1").arg(s);
                c = static_cast<uint8_t>(v);
            } else if (s.size() == 1 && s[0].unicode() < 256) {
                c = static_cast<uint8_t>(s[0].unicode());
            } else {
                return QStringLiteral("comando non valido: %1").arg(s);
            }
        }
        impostaGuasto(n, *g, c);
        return {};
    }
    return QStringLiteral("comando sconosciuto (aiuto per l'elenco)");
}

} // namespace corsa::sim
