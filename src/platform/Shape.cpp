#include "Shape.h"

#include <QPainter>

namespace corsa {

Shape::Shape(QColor colore, int spessore, QWidget* genitore) : QWidget(genitore), colore_(colore), spessore_(spessore)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(colore_);
    const int w = width(), h = height(), t = spessore_;
    p.drawRect(0, 0, w, t);
    p.drawRect(0, h - t, w, t);
    p.drawRect(0, 0, t, h);
    p.drawRect(w - t, 0, t, h);
}

} // namespace corsa
