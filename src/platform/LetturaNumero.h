#pragma once
#include <QByteArray>
#include <string_view>

namespace corsa {

// Lenient reading of the number at the start of a line of text, as the
// matrix file and the port file need it. Blanks, tabs and line feeds are
// ignored wherever they stand; then an optional sign, digits, a point and
// more digits, an exponent (E or D, optional sign, digits), or a whole
// number after &H (hexadecimal) or &O (octal). Reading stops at the first
// character that cannot continue the number; no number at all reads as 0.
// The point is the separator whatever the locale. Values too large for a
// double come back as infinity, so any range check refuses them.
double LeggiNumero(std::string_view testo);
inline double LeggiNumero(const QByteArray& testo)
{
    return LeggiNumero(std::string_view(testo.constData(), size_t(testo.size())));
}

// Nearest whole number, an exact half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). Infinity stays infinity.
double ArrotondaPari(double v);

// Both of the above: the whole number a line reads as. The caller checks
// the range it accepts.
inline double LeggiIntero(std::string_view testo) { return ArrotondaPari(LeggiNumero(testo)); }
inline double LeggiIntero(const QByteArray& testo) { return ArrotondaPari(LeggiNumero(testo)); }

} // namespace corsa
