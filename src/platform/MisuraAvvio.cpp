#include "MisuraAvvio.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace corsa {

namespace {

// Peak resident set in kB, as the kernel counts it; -1 where unknown.
long long PiccoMemoriaKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // Read whole: a /proc file has no size, so atEnd() holds from the start.
    const QList<QByteArray> righe = f.readAll().split('\n');
    for (const QByteArray& riga : righe) {
        if (riga.startsWith("VmHWM:")) {
            bool ok = false;
            const long long kb = riga.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? kb : -1;
        }
    }
    return -1;
}

class Osservatore : public QObject {
public:
    Osservatore(QWidget* finestra, long long inizioNs) : QObject(finestra), inizio_(inizioNs) {}

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !visto_) {
            visto_ = true;
            // The top level paints first and its children within the same
            // pass, before the flush; the next turn of the loop comes after.
            QTimer::singleShot(0, this, [this] { Fine(); });
        }
        return QObject::eventFilter(o, e);
    }

private:
    void Fine()
    {
        const long long ora =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        std::printf("primo_disegno_ms %.2f picco_kb %lld\n", (ora - inizio_) / 1e6, PiccoMemoriaKb());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    long long inizio_;
    bool visto_ = false;
};

} // namespace

void MisuraPrimoDisegno(QWidget* finestra)
{
    const QByteArray valore = qgetenv("CORSA_MISURA_AVVIO");
    if (valore.isEmpty() || !finestra)
        return;
    bool ok = false;
    const long long inizio = valore.trimmed().toLongLong(&ok);
    if (!ok) {
        std::fprintf(stderr, "CORSA_MISURA_AVVIO: atteso un tempo in ns, non %s\n", valore.constData());
        return;
    }
    finestra->installEventFilter(new Osservatore(finestra, inizio));
}

} // namespace corsa
