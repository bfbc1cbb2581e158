#pragma once
#include "PortaSeriale.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace corsa {

// The serial port over QSerialPort: raw bytes both ways, no translation,
// nothing added. Input never waits: it takes what Qt has buffered and then
// what the system already holds. A device that vanishes while open (an
// adapter pulled out, the far end of a pseudo-terminal closed) makes the
// port report itself closed at once; the real close follows once, queued.
class PortaSerialeQt : public QObject, public PortaSeriale {
    Q_OBJECT
public:
    explicit PortaSerialeQt(QObject* parent = nullptr);
    ~PortaSerialeQt() override;

    void setCommPort(int numero) override;
    int CommPort() const override { return numero_; }
    void setSettings(const QString& impostazioni) override;
    void setInputLen(int n) override { inputLen_ = n < 0 ? 0 : n; }

    void setPortOpen(bool aperta) override;
    bool PortOpen() const override;

    void Output(const QByteArray& dati) override;
    QByteArray Input() override;
    void setInBufferCount(int n) override;

    // The device path in use, for messages and tests.
    QString nomeSistema() const { return porta_.portName(); }

private:
    void errore(QSerialPort::SerialPortError e);
    bool riagganciata() const;
    void segnaCaduta();
    void applicaImpostazioni();

    QSerialPort porta_; // a child, so that a test can reach its signals
    QTimer sorveglianza_;
    int numero_ = 1;
    int inputLen_ = 0;
    qint32 velocita_ = 9600;
    QSerialPort::Parity parita_ = QSerialPort::NoParity;
    QSerialPort::DataBits bit_ = QSerialPort::Data8;
    QSerialPort::StopBits stop_ = QSerialPort::OneStop;
    bool caduta_ = false;
    bool chiusuraInCoda_ = false;
};

} // namespace corsa
