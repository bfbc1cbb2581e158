#include "CaratteriInAnticipo.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <dlfcn.h>
#endif

namespace corsa {

namespace {

// fontconfig's own start, the call the toolkit makes first; looked up rather
// than linked, since the toolkit brings the library wherever it uses it.
void CaricaConfigurazione()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    using Inizio = int (*)();
    if (auto inizio = reinterpret_cast<Inizio>(::dlsym(RTLD_DEFAULT, "FcInit")))
        inizio();
#endif
}

} // namespace

CaratteriInAnticipo::CaratteriInAnticipo() : filo_(CaricaConfigurazione) {}

CaratteriInAnticipo::~CaratteriInAnticipo() { Attendi(); }

void CaratteriInAnticipo::Attendi()
{
    if (filo_.joinable())
        filo_.join();
}

} // namespace corsa
