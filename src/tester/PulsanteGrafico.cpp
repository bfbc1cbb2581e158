#include "PulsanteGrafico.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace corsa {

PulsanteGrafico::PulsanteGrafico(const QString& testo, QWidget* genitore) : QPushButton(testo, genitore) {}

void PulsanteGrafico::setBackColor(QColor c)
{
    sfondo_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Button, c);
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    update();
}

void PulsanteGrafico::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButtonBevel, opt);
    if (sfondo_.isValid()) {
        // Some styles draw their own gradient; the colour must still show.
        const int m = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this) + 1;
        p.fillRect(rect().adjusted(m, m, -m, -m), sfondo_);
    }
    QRect r = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    if (isDown())
        r.translate(1, 1);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        QStyleOptionFocusRect f;
        f.initFrom(this);
        f.rect = r;
        p.drawPrimitive(QStyle::PE_FrameFocusRect, f);
    }
}

} // namespace corsa
