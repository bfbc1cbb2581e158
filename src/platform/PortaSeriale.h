#pragma once
#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace corsa {

// Why a port could not be selected or opened; the port search moves on
// to the next port on any of them.
class ErrorePorta : public std::runtime_error {
public:
    enum class Tipo { NumeroNonValido, Assente, Occupata, Permesso, Altro };
    ErrorePorta(Tipo tipo, const std::string& testo) : std::runtime_error(testo), tipo_(tipo) {}
    Tipo tipo() const { return tipo_; }

private:
    Tipo tipo_;
};

// The serial line to the board, shaped after the control the rest of the
// program drives: select a port number, open it, write bytes, take what has
// arrived. Bytes are bytes: 0xA3 is one byte on the line. Nothing here waits.
// On a closed port Output, Input and InBufferCount do nothing (Input gives
// an empty text) and never throw.
class PortaSeriale {
public:
    virtual ~PortaSeriale() = default;

    virtual void setCommPort(int numero) = 0; // throws ErrorePorta for a number naming no port
    virtual int CommPort() const = 0;
    virtual void setSettings(const QString& impostazioni) = 0; // "9600,n,8,1"
    virtual void setInputLen(int n) = 0;
    virtual void setRThreshold(int) {}
    virtual void setInputMode(int) {}

    virtual void setPortOpen(bool aperta) = 0; // opening throws ErrorePorta on failure
    virtual bool PortOpen() const = 0;

    virtual void Output(const QByteArray& dati) = 0;
    virtual QByteArray Input() = 0;           // all received so far, at most InputLen
    virtual void setInBufferCount(int n) = 0; // 0 drops what is pending
};

} // namespace corsa
