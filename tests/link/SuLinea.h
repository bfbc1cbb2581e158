#pragma once
// A simulated board on a pseudo-terminal and the program's real serial port
// on it, for tests that look at every byte on the wire.
#include "Attesa.h"
#include "PortaSerialeQt.h"
#include "SimulatoreScheda.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace corsa::test {

class SuLinea : public ::testing::Test {
protected:
    static constexpr int N = 3;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        qputenv("CORSA_PORTE", dir.path().toLocal8Bit());
        sim = std::make_unique<sim::SimulatoreScheda>(dir.path());
        ASSERT_TRUE(sim->aggiungiPorta(N));
        porta.setSettings(QStringLiteral("9600,n,8,1"));
        porta.setInputLen(150);
        porta.setCommPort(N);
        porta.setPortOpen(true);
        ASSERT_TRUE(porta.PortOpen());
    }

    void TearDown() override
    {
        porta.setPortOpen(false);
        sim.reset();
        qunsetenv("CORSA_PORTE");
    }

    // Sends, then gathers what comes back until at least `minimo` bytes or
    // the time is up, as the program's reply window would.
    QByteArray Scambio(const QByteArray& dati, int minimo, int ms = 2000)
    {
        porta.Output(dati);
        QByteArray r;
        Aspetta(
            [&] {
                r += porta.Input();
                return r.size() >= minimo;
            },
            ms);
        Gira(30);
        r += porta.Input();
        return r;
    }

    // Waits until the board has received n bytes in all.
    bool Ricevuti(int n)
    {
        return Aspetta([&] { return sim->ricevuti(N).size() >= n; });
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::SimulatoreScheda> sim;
    PortaSerialeQt porta;
};

} // namespace corsa::test
