#pragma once
#include <array>
#include <string>

namespace corsa::test {

constexpr int Alto = 200, Basso = 20; // against the start threshold 130: reads 0, reads 1

// A tester reply as the board sends it: seven sensor counts, then the supply count.
inline std::string Risposta(const std::array<int, 7>& sensori, int alimentazione = 95)
{
    std::string r(sensori.begin(), sensori.end());
    return r + char(alimentazione);
}

} // namespace corsa::test
