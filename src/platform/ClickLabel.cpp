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
