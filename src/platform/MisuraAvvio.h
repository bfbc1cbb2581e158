#pragma once

class QWidget;

namespace corsa {

// Start-up measurement, for the benchmark only. With CORSA_MISURA_AVVIO set
// to the launch time (ns since the epoch, as `date +%s%N` prints), prints
// on one line the milliseconds to the window's first complete paint and the
// process's peak resident memory, then quits. Without it, does nothing.
void MisuraPrimoDisegno(QWidget* finestra);

} // namespace corsa
