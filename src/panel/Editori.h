#pragma once
#include <cstdint>

namespace corsa {

// One editor's rule: a left press raises by `passo` while the value is below
// `sopra`; a right press lowers by `passo` while it is above `sotto`. The
// test is made on the value before the step, and the step is made in full.
struct RegolaEditore {
    int sopra;
    int sotto;
    int passo;
};

constexpr RegolaEditore RegolaRitardo{250, 1, 1};
constexpr RegolaEditore RegolaSoglia{249, 5, 5};
constexpr RegolaEditore RegolaTolleranza{16, 1, 1};
constexpr RegolaEditore RegolaMinimo{60, 0, 1};
constexpr RegolaEditore RegolaMassimo{127, 90, 1};
constexpr RegolaEditore RegolaPuntatore{128, 0, 1};
// The safety comes down only while above the tolerance + 1.
constexpr RegolaEditore RegolaSicura(uint8_t tolleranza) { return {16, tolleranza + 1, 1}; }
// A matrix value goes down while at least one step (above step - 1).
constexpr RegolaEditore RegolaValore(uint8_t passo) { return {128 - passo, passo - 1, passo}; }

// Applies one press (1 left, 2 right, anything else no step); true when the value moved.
bool PassoEditore(const RegolaEditore& r, int pulsante, uint8_t& valore);

// After any press on the tolerance: the safety stays above it. At a
// tolerance of 255 there is no byte above, so the safety stops at 255.
void AccoppiaSicura(uint8_t tolleranza, uint8_t& sicura);

} // namespace corsa
