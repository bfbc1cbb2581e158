#include "CaratteriInAnticipo.h"

#include <QFontDatabase>
#include <QStringList>
#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <dlfcn.h>
#endif

namespace corsa {

namespace {

// fontconfig's own start, the same call the toolkit makes first; looked up
// rather than linked, as the toolkit brings the library where it uses it.
void CaricaConfigurazione()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    using Inizio = int (*)();
    if (auto inizio = reinterpret_cast<Inizio>(::dlsym(RTLD_DEFAULT, "FcInit")))
        inizio();
#endif
}

} // namespace

CaratteriInAnticipo::CaratteriInAnticipo() : filo_([this] { Lavora(); }) {}

CaratteriInAnticipo::~CaratteriInAnticipo()
{
    Attendi();
}

void CaratteriInAnticipo::Lavora()
{
    CaricaConfigurazione();
    std::unique_lock<std::mutex> blocco(mutex_);
    segnale_.wait(blocco, [this] { return fase_ != Fase::Configurazione; });
    if (fase_ != Fase::Elenco)
        return;
    blocco.unlock();
    // The toolkit fills its list once, under its own lock; the main thread's
    // first text waits for it instead of doing it again.
    QFontDatabase::families();
}

CaratteriInAnticipo::Attesa CaratteriInAnticipo::ApplicazionePronta()
{
    {
        std::lock_guard<std::mutex> blocco(mutex_);
        if (fase_ == Fase::Configurazione)
            fase_ = Fase::Elenco;
    }
    segnale_.notify_one();
    return Attesa(this);
}

void CaratteriInAnticipo::Attendi()
{
    {
        std::lock_guard<std::mutex> blocco(mutex_);
        if (fase_ == Fase::Configurazione)
            fase_ = Fase::Fine;
    }
    segnale_.notify_one();
    if (filo_.joinable() && filo_.get_id() != std::this_thread::get_id())
        filo_.join();
}

} // namespace corsa
