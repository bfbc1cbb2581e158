#pragma once

class QWidget;

namespace corsa {

// A disabled window takes no input from the user (mouse, keys, wheel, its menu bar and the menus that
// drop from it, shortcuts, context menus, the window manager's close) and keeps its look exactly: no
// greying. Other top-level windows, including message boxes and tool windows whose parent is this window,
// are not affected.
void AbilitaFinestra(QWidget* finestra, bool abilitata);
// True unless AbilitaFinestra(w, false) is in force (and w itself is QWidget-enabled).
bool FinestraAbilitata(const QWidget* finestra);
// Gives the window the focus: raise, activate, and focus within it.
void DaiFuoco(QWidget* finestra);

} // namespace corsa
