#pragma once
#include <array>
#include <string>

namespace corsa::test {

// A tester reply as the board sends it: seven sensor counts, the supply count.
inline std::string Risposta(const std::array<int, 7>& sensori, int alimentazione)
{
    std::string r;
    for (int c : sensori)
        r.push_back(static_cast<char>(static_cast<unsigned char>(c)));
    r.push_back(static_cast<char>(static_cast<unsigned char>(alimentazione)));
    return r;
}

// All seven sensors at one count.
inline std::string Risposta(int sensori, int alimentazione)
{
    return Risposta({sensori, sensori, sensori, sensori, sensori, sensori, sensori}, alimentazione);
}

constexpr int Alto = 200;  // above the start threshold: reads 0
constexpr int Basso = 20;  // below it: reads 1
constexpr int AlimentazioneBuona = 95;

} // namespace corsa::test
