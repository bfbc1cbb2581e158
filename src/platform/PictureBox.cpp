#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace corsa {

int NumeroPulsante(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    case Qt::BackButton: return 8;
    case Qt::ForwardButton: return 16;
    default: return 0;
    }
}

PictureBox::PictureBox(QColor sfondo, QWidget* genitore)
    : QWidget(genitore), sfondo_(sfondo)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    immagine_ = QImage(1, 1, QImage::Format_RGB32);
    immagine_.fill(sfondo_);
}

void PictureBox::resizeEvent(QResizeEvent*)
{
    const QSize interno(std::max(1, width() - 2 * Bordo), std::max(1, height() - 2 * Bordo));
    if (interno == immagine_.size())
        return;
    QImage nuova(interno, QImage::Format_RGB32);
    nuova.fill(sfondo_);
    QPainter p(&nuova);
    p.drawImage(0, 0, immagine_);
    immagine_ = nuova;
}

void PictureBox::Cls()
{
    immagine_.fill(sfondo_);
    update();
}

int PictureBox::pixelX(double x) const
{
    return static_cast<int>(std::floor(x * immagine_.width() / Scala + 0.5));
}

int PictureBox::pixelY(double y) const
{
    return static_cast<int>(std::floor(y * immagine_.height() / Scala + 0.5));
}

double PictureBox::utenteX(int px) const
{
    return px * Scala / immagine_.width();
}

void PictureBox::Line(float x1, float y1, float x2, float y2, QRgb colore)
{
    QPainter p(&immagine_);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(QColor::fromRgb(colore));
    pen.setWidth(larghezza_);
    // Only a square cap turns a line from a point to itself into a dot.
    pen.setCapStyle(larghezza_ > 1 ? Qt::SquareCap : Qt::FlatCap);
    if (larghezza_ == 1)
        pen.setCosmetic(true);
    p.setPen(pen);
    if (penna_ == Penna::Xor)
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QPoint a(pixelX(x1), pixelY(y1));
    const QPoint b(pixelX(x2), pixelY(y2));
    if (a == b && larghezza_ == 1)
        p.drawPoint(a);
    else
        p.drawLine(a, b);
    p.end();
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Sunken border: dark outside at top and left, light at bottom and right.
    const int w = width(), h = height();
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(1, 1, w - 2, 1);
    p.drawLine(1, 1, 1, h - 2);
    p.setPen(QColor(212, 208, 200));
    p.drawLine(1, h - 2, w - 2, h - 2);
    p.drawLine(w - 2, 1, w - 2, h - 2);
    p.drawImage(Bordo, Bordo, immagine_);
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    const QPointF pos = e->position() - QPointF(Bordo, Bordo);
    emit mouseDown(NumeroPulsante(e->button()), pos.x() * Scala / immagine_.width(),
                   pos.y() * Scala / immagine_.height());
}

} // namespace corsa
