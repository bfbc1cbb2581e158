#include "ProgressBar.h"

#include <algorithm>
#include <cmath>

namespace corsa {

namespace {
// Steps of the drawn bar per unit, so that fractions still move it.
constexpr int Passi = 100;
} // namespace

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
    const double quota = ampiezza > 0 ? (double(valore_) - min_) / ampiezza : 0.0;
    const int valore = static_cast<int>(std::lround(quota * fine));
    if (fine == maximum() && minimum() == 0 && valore == value())
        return;
    // Qt paints a progress bar there and then at every visible step: a block
    // of 140 bytes, one step each, would paint it some twenty times inside
    // one tick. One paint, when the event loop next runs, shows the same.
    const bool aggiorna = updatesEnabled();
    setUpdatesEnabled(false);
    QProgressBar::setRange(0, fine);
    QProgressBar::setValue(valore);
    setUpdatesEnabled(aggiorna);
}

} // namespace corsa
