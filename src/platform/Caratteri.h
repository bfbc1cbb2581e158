#pragma once
#include <QFont>

namespace corsa {

// The windows' Arial, falling back to any sans-serif face where it is missing.
inline QFont Arial(double punti, bool grassetto)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

} // namespace corsa
