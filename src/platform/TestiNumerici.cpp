#include "TestiNumerici.h"

#include <cmath>
#include <cstdio>

namespace corsa {

namespace {

// Shortest decimal text of |v| with at most 15 significant digits, without
// exponent where the value allows it.
QString Cifre(double a)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", a);
    QString s = QString::fromLatin1(buf);
    if (s.contains(QLatin1Char('e')))
        return s; // beyond what the panel shows; keep it readable
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s;
}

} // namespace

QString TestoNumero(double v)
{
    if (std::isnan(v))
        return QStringLiteral(" 0");
    const bool negativo = v < 0;
    QString s = Cifre(std::fabs(v));
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    return (negativo ? QStringLiteral("-") : QStringLiteral(" ")) + s;
}

QString TestoIntero(long long v) { return QString::number(v); }

QString TestoLocale(double v, const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

} // namespace corsa
