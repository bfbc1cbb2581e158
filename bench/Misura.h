#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

// A measurement: runs the body many times and reports the median per call.
struct Misura {
    std::string nome;
    std::string obiettivo; // the aim, as printed beside the figure
    std::function<void()> prepara;   // once, before timing (may be empty)
    std::function<void()> corpo;     // the timed work
    int ripetizioni = 1000;
};

std::vector<Misura>& Misure();

struct Registra {
    explicit Registra(Misura m) { Misure().push_back(std::move(m)); }
};
