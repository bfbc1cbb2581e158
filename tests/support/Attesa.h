#pragma once
// Waiting on real time in tests that run the event loop.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace corsa::test {

inline void Gira(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

// Runs the event loop until the condition holds or the time is up.
template <typename F>
bool Aspetta(F condizione, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!condizione()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

} // namespace corsa::test
