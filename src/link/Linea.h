#pragma once
#include <QScopedValueRollback>

namespace corsa {

// The exchange and the port search each step on a timer of their own, and
// timers keep firing under a modal box. A box that a step opens holds the
// line until it is answered: a step of either that comes meanwhile does
// nothing, so that the answer alone decides what follows. A box of the
// user's own request opens between steps, and the line goes on under it.
class Linea {
public:
    bool Occupata() const { return passi_ > 0; }

    // Held for the length of one step.
    [[nodiscard]] QScopedValueRollback<int> Passo() { return QScopedValueRollback<int>(passi_, passi_ + 1); }

private:
    int passi_ = 0;
};

} // namespace corsa
