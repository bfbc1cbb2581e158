#pragma once
#include "PortaSeriale.h"

#include <functional>
#include <set>
#include <vector>

namespace corsa::test {

// A serial port double: records what is written, hands out what the test
// queued as "received" (or what `risponde` gives back for each write, as a
// board would), and fails to open the numbers it is told to.
class PortaScriptata : public PortaSeriale {
public:
    QByteArray scritto;                // every byte written, in order
    std::vector<QByteArray> scritture; // one entry per Output call
    QByteArray ricevuto;               // pending input
    std::set<int> assenti;             // numbers that fail to open
    std::set<int> inesistenti;         // numbers that cannot even be selected
    int aperture = 0, chiusure = 0;
    QString impostazioni;
    int inputLen = 0;
    std::vector<int> aperte;  // the number of every successful open
    std::vector<int> tentate; // every number an open was tried on
    std::function<QByteArray(const QByteArray&)> risponde;

    // The device vanishes while open: the port reads as closed, as the port
    // layer reports a hang-up, without a close by the program.
    void cade()
    {
        aperta_ = false;
        ricevuto.clear();
    }

    void setCommPort(int n) override
    {
        if (n <= 0 || inesistenti.count(n))
            throw ErrorePorta(ErrorePorta::Tipo::NumeroNonValido, "numero di porta non valido");
        porta_ = n;
    }
    int CommPort() const override { return porta_; }
    void setSettings(const QString& s) override { impostazioni = s; }
    void setInputLen(int n) override { inputLen = n; }
    void setPortOpen(bool a) override
    {
        if (a && !aperta_) {
            tentate.push_back(porta_);
            if (assenti.count(porta_))
                throw ErrorePorta(ErrorePorta::Tipo::Assente, "porta assente");
            ++aperture;
            aperte.push_back(porta_);
        } else if (!a && aperta_) {
            ++chiusure;
        }
        aperta_ = a;
    }
    bool PortOpen() const override { return aperta_; }
    void Output(const QByteArray& d) override
    {
        if (!aperta_)
            return;
        scritto += d;
        scritture.push_back(d);
        if (risponde)
            ricevuto += risponde(d);
    }
    QByteArray Input() override
    {
        if (!aperta_)
            return {};
        const int n = inputLen > 0 ? std::min<int>(inputLen, ricevuto.size()) : ricevuto.size();
        QByteArray r = ricevuto.left(n);
        ricevuto.remove(0, n);
        return r;
    }
    void setInBufferCount(int) override
    {
        if (aperta_)
            ricevuto.clear();
    }

private:
    int porta_ = 1;
    bool aperta_ = false;
};

} // namespace corsa::test
