#include "ClickLabel.h"

#include "PictureBox.h"

#include <QMouseEvent>

namespace corsa {

ClickLabel::ClickLabel(QWidget* genitore) : QLabel(genitore)
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setBackColor(QColor(192, 192, 192));
}

void ClickLabel::setBackColor(QColor c)
{
    // The lamps are set on every status exchange: a palette change costs a
    // repaint and more, so only a new colour makes one.
    if (c == sfondo_ && testAttribute(Qt::WA_SetPalette))
        return;
    sfondo_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
}

void ClickLabel::mousePressEvent(QMouseEvent* e)
{
    emit mouseDown(NumeroPulsante(e->button()));
    QLabel::mousePressEvent(e);
}

} // namespace corsa
