#pragma once
#include <QWidget>

namespace corsa {

// Interim: a window's enabled state as Qt keeps it.
inline void AbilitaFinestra(QWidget* f, bool a) { f->setEnabled(a); }
inline bool FinestraAbilitata(const QWidget* f) { return f->isEnabled(); }
inline void DaiFuoco(QWidget* f)
{
    f->raise();
    f->activateWindow();
}

} // namespace corsa
