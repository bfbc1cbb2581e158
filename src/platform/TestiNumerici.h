#pragma once
#include <QLocale>
#include <QString>

namespace corsa {

// The panel's number form: one leading blank for zero or more, a minus
// otherwise; shortest text with at most 15 significant digits, a point
// whatever the locale, and no zero before the point (" 2.6", " .9", " 5").
QString TestoNumero(double v);

// Bare decimal digits of a whole number ("5", "-3").
QString TestoIntero(long long v);

// The user's own regional form: locale separator, a zero before it,
// at most 15 significant digits, trailing zeros dropped ("2,6" in Italy).
QString TestoLocale(double v, const QLocale& locale = QLocale());

} // namespace corsa
