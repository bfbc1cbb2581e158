#include "ProgressBar.h"

#include <algorithm>
#include <cmath>

namespace corsa {

namespace {
// Steps of the drawn bar per unit, so that fractions still move it.
constexpr int Passi = 100;
}

ProgressBar::ProgressBar(QWidget* genitore) : QProgressBar(genitore)
{
    setTextVisible(false);
    Mostra();
}

void ProgressBar::setMin(float m)
{
    min_ = m;
    if (max_ < min_)
        max_ = min_;
    setValue(valore_);
}

void ProgressBar::setMax(float m)
{
    max_ = m;
    if (min_ > max_)
        min_ = max_;
    setValue(valore_);
}

void ProgressBar::setValue(float v)
{
    if (std::isnan(v))
        v = min_;
    valore_ = v < min_ ? min_ : (v > max_ ? max_ : v);
    Mostra();
}

void ProgressBar::Mostra()
{
    // The widget's own integer scale spans the range in fixed steps.
    const double ampiezza = double(max_) - double(min_);
    const int fine = ampiezza > 0 ? static_cast<int>(std::lround(std::min(ampiezza * Passi, 1e9))) : 0;
    QProgressBar::setRange(0, fine);
    const double quota = ampiezza > 0 ? (double(valore_) - min_) / ampiezza : 0.0;
    QProgressBar::setValue(static_cast<int>(std::lround(quota * fine)));
}

} // namespace corsa
