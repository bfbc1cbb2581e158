#pragma once

namespace corsa {

// The exchange and the port search each step on a timer of their own, and
// timers keep firing under a modal box. A box that a step opens keeps the
// line's turn until it is answered: a step of either that comes meanwhile
// does nothing, so that the answer alone decides what follows. A box of the
// user's own request opens between steps, and the line goes on under it.
class TurnoLinea {
public:
    // The turn for one step, given back when it goes out of scope; empty
    // when another step has it.
    class Passo {
    public:
        ~Passo()
        {
            if (preso_)
                *preso_ = false;
        }
        Passo(const Passo&) = delete;
        Passo& operator=(const Passo&) = delete;

        explicit operator bool() const { return preso_ != nullptr; }

    private:
        friend class TurnoLinea;
        explicit Passo(bool& preso) : preso_(preso ? nullptr : &preso)
        {
            if (preso_)
                *preso_ = true;
        }

        bool* preso_; // null: the turn was someone else's
    };

    [[nodiscard]] Passo Prendi() { return Passo(preso_); }

private:
    bool preso_ = false;
};

} // namespace corsa
