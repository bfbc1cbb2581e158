#include "LetturaNumero.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace corsa {

namespace {

// Walks the text, stepping over the characters the reading ignores.
class Cursore {
public:
    explicit Cursore(std::string_view t) : t_(t) { Salta(); }
    bool Fine() const { return i_ >= t_.size(); }
    char Attuale() const { return Fine() ? '\0' : t_[i_]; }
    void Avanza()
    {
        ++i_;
        Salta();
    }

private:
    void Salta()
    {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n'))
            ++i_;
    }
    std::string_view t_;
    size_t i_ = 0;
};

bool Cifra(char c) { return c >= '0' && c <= '9'; }

int ValoreEsadecimale(char c)
{
    if (Cifra(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

double LeggiBase(Cursore& c, int base)
{
    double v = 0;
    for (;;) {
        int d = ValoreEsadecimale(c.Attuale());
        if (d < 0 || d >= base)
            return v;
        v = v * base + d;
        c.Avanza();
    }
}

// More digits than this cannot change a double; further integer digits
// only scale the value.
constexpr size_t MaxCifre = 800;
constexpr long MaxEsponente = 100000;

double LeggiDecimale(Cursore& c)
{
    bool negativo = false;
    if (c.Attuale() == '+' || c.Attuale() == '-') {
        negativo = c.Attuale() == '-';
        c.Avanza();
    }
    std::string cifre;  // significant digits, leading zeros dropped
    long esponente = 0; // the value is <cifre> times ten to this
    bool qualcuna = false;
    while (Cifra(c.Attuale())) {
        qualcuna = true;
        if (!cifre.empty() || c.Attuale() != '0') {
            if (cifre.size() < MaxCifre)
                cifre.push_back(c.Attuale());
            else
                ++esponente;
        }
        c.Avanza();
    }
    if (c.Attuale() == '.') {
        c.Avanza();
        while (Cifra(c.Attuale())) {
            qualcuna = true;
            if (cifre.empty() && c.Attuale() == '0') {
                --esponente;
            } else if (cifre.size() < MaxCifre) {
                cifre.push_back(c.Attuale());
                --esponente;
            }
            c.Avanza();
        }
    }
    if (!qualcuna || cifre.empty())
        return 0.0;
    const char e = c.Attuale();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        c.Avanza();
        bool espNegativo = false;
        if (c.Attuale() == '+' || c.Attuale() == '-') {
            espNegativo = c.Attuale() == '-';
            c.Avanza();
        }
        long esp = 0;
        while (Cifra(c.Attuale())) {
            if (esp < MaxEsponente)
                esp = esp * 10 + (c.Attuale() - '0');
            c.Avanza();
        }
        esponente += espNegativo ? -esp : esp;
        // "1E" or "1E+" keep their mantissa: the letter just ends the number.
    }
    std::string testo = cifre + 'e' + std::to_string(esponente);
    double v = 0;
    auto r = std::from_chars(testo.data(), testo.data() + testo.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Only the extremes get here: far above one overflows, far below underflows.
        v = long(cifre.size()) + esponente > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negativo ? -v : v;
}

} // namespace

double LeggiNumero(std::string_view testo)
{
    Cursore c(testo);
    if (c.Attuale() == '&') {
        c.Avanza();
        const char k = c.Attuale();
        if (k == 'H' || k == 'h') {
            c.Avanza();
            return LeggiBase(c, 16);
        }
        if (k == 'O' || k == 'o') {
            c.Avanza();
            return LeggiBase(c, 8);
        }
        return 0.0;
    }
    return LeggiDecimale(c);
}

double ArrotondaPari(double v)
{
    if (!std::isfinite(v))
        return v;
    const double sotto = std::floor(v);
    const double resto = v - sotto;
    double r;
    if (resto > 0.5)
        r = sotto + 1;
    else if (resto < 0.5)
        r = sotto;
    else
        r = std::fmod(sotto, 2.0) == 0 ? sotto : sotto + 1;
    return r == 0 ? 0.0 : r; // no negative zero
}

} // namespace corsa
