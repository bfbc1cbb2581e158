#include "PortaSerialeQt.h"

#include "NomiPorte.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace corsa {

namespace {
constexpr int IntervalloSorveglianza = 100; // ms, checks for a hang-up while open
}

PortaSerialeQt::PortaSerialeQt(QObject* parent) : QObject(parent), porta_(this)
{
    connect(&porta_, &QSerialPort::errorOccurred, this, &PortaSerialeQt::errore);
    // Some drivers only hang up and give empty reads with no error at all;
    // a cheap look now and then catches those.
    sorveglianza_.setInterval(IntervalloSorveglianza);
    connect(&sorveglianza_, &QTimer::timeout, this, [this] {
        if (porta_.isOpen() && !caduta_ && riagganciata())
            segnaCaduta();
    });
}

PortaSerialeQt::~PortaSerialeQt()
{
    if (porta_.isOpen())
        porta_.close();
}

void PortaSerialeQt::setCommPort(int numero)
{
    if (NomePorta(numero).isEmpty())
        throw ErrorePorta(ErrorePorta::Tipo::NumeroNonValido, "numero di porta non valido: " + std::to_string(numero));
    // An open port stays on its device; the number counts at the next open.
    numero_ = numero;
}

void PortaSerialeQt::setSettings(const QString& impostazioni)
{
    const QStringList p = impostazioni.trimmed().toLower().split(QLatin1Char(','));
    bool ok1 = false, ok2 = false;
    if (p.size() != 4)
        throw ErrorePorta(ErrorePorta::Tipo::Altro, "impostazioni non valide");
    const int vel = p[0].trimmed().toInt(&ok1);
    const int dati = p[2].trimmed().toInt(&ok2);
    const QString par = p[1].trimmed();
    const QString st = p[3].trimmed();
    QSerialPort::Parity parita = QSerialPort::NoParity;
    if (par == QLatin1String("n"))
        parita = QSerialPort::NoParity;
    else if (par == QLatin1String("e"))
        parita = QSerialPort::EvenParity;
    else if (par == QLatin1String("o"))
        parita = QSerialPort::OddParity;
    else if (par == QLatin1String("m"))
        parita = QSerialPort::MarkParity;
    else if (par == QLatin1String("s"))
        parita = QSerialPort::SpaceParity;
    else
        ok1 = false;
    QSerialPort::StopBits stop = QSerialPort::OneStop;
    if (st == QLatin1String("2"))
        stop = QSerialPort::TwoStop;
    else if (st == QLatin1String("1.5"))
        stop = QSerialPort::OneAndHalfStop;
    else if (st != QLatin1String("1"))
        ok1 = false;
    if (!ok1 || !ok2 || vel <= 0 || dati < 5 || dati > 8)
        throw ErrorePorta(ErrorePorta::Tipo::Altro, "impostazioni non valide");
    velocita_ = vel;
    parita_ = parita;
    bit_ = static_cast<QSerialPort::DataBits>(dati);
    stop_ = stop;
    if (PortOpen())
        applicaImpostazioni();
}

void PortaSerialeQt::applicaImpostazioni()
{
    porta_.setBaudRate(velocita_);
    porta_.setParity(parita_);
    porta_.setDataBits(bit_);
    porta_.setStopBits(stop_);
    porta_.setFlowControl(QSerialPort::NoFlowControl);
}

void PortaSerialeQt::setPortOpen(bool aperta)
{
    if (!aperta) {
        sorveglianza_.stop();
        if (porta_.isOpen())
            porta_.close();
        caduta_ = false;
        return;
    }
    if (PortOpen())
        return;
    if (porta_.isOpen()) // fallen but not yet closed
        porta_.close();
    caduta_ = false;

    const QString nome = NomePorta(numero_);
    if (nome.isEmpty())
        throw ErrorePorta(ErrorePorta::Tipo::NumeroNonValido, "numero di porta non valido");
#ifndef Q_OS_WIN
    if (!QFileInfo::exists(nome)) // a dangling link counts as absent too
        throw ErrorePorta(ErrorePorta::Tipo::Assente, "porta assente: " + nome.toStdString());
#endif
    porta_.setPortName(nome);
    porta_.clearError();
    if (!porta_.open(QIODevice::ReadWrite)) {
        const auto e = porta_.error();
        const std::string testo = nome.toStdString() + ": " + porta_.errorString().toStdString();
        porta_.clearError();
        switch (e) {
        case QSerialPort::DeviceNotFoundError: throw ErrorePorta(ErrorePorta::Tipo::Assente, testo);
        case QSerialPort::PermissionError:
#ifndef Q_OS_WIN
            // Qt gives the same code for a lock held by another program and
            // for a device we may not touch; tell them apart here.
            if (::access(QFile::encodeName(nome).constData(), R_OK | W_OK) != 0 && errno == EACCES)
                throw ErrorePorta(ErrorePorta::Tipo::Permesso, testo);
#endif
            throw ErrorePorta(ErrorePorta::Tipo::Occupata, testo);
        case QSerialPort::OpenError: throw ErrorePorta(ErrorePorta::Tipo::Occupata, testo);
        default: throw ErrorePorta(ErrorePorta::Tipo::Altro, testo);
        }
    }
    applicaImpostazioni();
    // Adapters powered from the modem lines want them up; pseudo-terminals
    // have none and refuse, which is no failure to open.
    porta_.setDataTerminalReady(true);
    porta_.setRequestToSend(true);
    porta_.clearError();
    chiusuraInCoda_ = false;
    sorveglianza_.start();
}

bool PortaSerialeQt::PortOpen() const { return porta_.isOpen() && !caduta_; }

void PortaSerialeQt::Output(const QByteArray& dati)
{
    if (!PortOpen() || dati.isEmpty())
        return;
    porta_.write(dati);
    porta_.flush(); // out now, not at the next turn of the event loop
}

QByteArray PortaSerialeQt::Input()
{
    if (!PortOpen())
        return {};
    const qint64 limite = inputLen_ > 0 ? inputLen_ : (1 << 16);
    QByteArray r = porta_.read(limite);
#ifndef Q_OS_WIN
    // What the system already holds counts as received even if the event
    // loop has not run since it came. Qt's buffer is older than the device's
    // queue, so order is kept.
    const int fd = static_cast<int>(porta_.handle());
    while (r.size() < limite && fd >= 0) {
        char buf[512];
        const qint64 voglio = std::min<qint64>(sizeof buf, limite - r.size());
        const ssize_t n = ::read(fd, buf, static_cast<size_t>(voglio));
        if (n > 0) {
            r.append(buf, static_cast<qsizetype>(n));
            continue;
        }
        // With no timeout set, a terminal gives an empty read when nothing
        // is pending, and so does a hung-up one: only poll can tell them apart.
        if ((n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) && riagganciata())
            segnaCaduta();
        break;
    }
#else
    if (r.size() < limite && porta_.waitForReadyRead(0))
        r += porta_.read(limite - r.size());
    porta_.clearError();
#endif
    return r;
}

void PortaSerialeQt::setInBufferCount(int n)
{
    if (n != 0 || !PortOpen())
        return;
    porta_.clear(QSerialPort::Input);
    porta_.readAll();
    porta_.clearError();
}

bool PortaSerialeQt::riagganciata() const
{
#ifndef Q_OS_WIN
    const int fd = static_cast<int>(porta_.handle());
    if (fd < 0)
        return true;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return false;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return false;
#endif
}

void PortaSerialeQt::errore(QSerialPort::SerialPortError e)
{
    if (caduta_ || !porta_.isOpen())
        return;
    switch (e) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
#ifdef Q_OS_WIN
        if (e == QSerialPort::ResourceError) {
            segnaCaduta();
            break;
        }
#endif
        // On Unix a read woken with nothing to read, or a write that finds
        // the output buffer full, comes as one of these too (a read that
        // Input emptied first, among others): only a real hang-up closes.
        if (riagganciata())
            segnaCaduta();
        else
            porta_.clearError();
        break;
    default: break;
    }
}

void PortaSerialeQt::segnaCaduta()
{
    if (caduta_)
        return;
    caduta_ = true;
    sorveglianza_.stop();
    if (chiusuraInCoda_)
        return;
    chiusuraInCoda_ = true;
    // Closing inside Qt's own notification is unsafe: close on the next turn,
    // once. Until then the port already reads as closed.
    QMetaObject::invokeMethod(
        this,
        [this] {
            chiusuraInCoda_ = false;
            if (caduta_ && porta_.isOpen())
                porta_.close();
            caduta_ = false;
        },
        Qt::QueuedConnection);
}

} // namespace corsa
