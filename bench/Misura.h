#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

// A measurement: runs the body many times and reports the median per call.
struct Misura {
    std::string nome;
    std::string obiettivo;         // the aim, as printed beside the figure
    std::function<void()> prepara; // once, before timing (may be empty)
    std::function<void()> corpo;   // the timed work
    int ripetizioni = 1000;
    // Untimed, before every call of corpo (may be empty): puts back the state
    // the timed work expects, e.g. the send tick before a receive tick.
    std::function<void()> primaDi{};
};

std::vector<Misura>& Misure();

struct Registra {
    explicit Registra(Misura m) { Misure().push_back(std::move(m)); }
};
