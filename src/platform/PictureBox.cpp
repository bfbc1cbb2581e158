#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
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

PictureBox::PictureBox(QColor sfondo, QWidget* genitore) : QWidget(genitore), sfondo_(sfondo)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    immagine_ = QImage(1, 1, QImage::Format_RGB32);
    immagine_.fill(sfondo_);
}

void PictureBox::resizeEvent(QResizeEvent*) { Adegua(); }

// A hidden widget gets its resize event only when shown, yet the panel draws
// before the window first appears: follow the size on every use.
void PictureBox::Adegua() const
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
    Adegua();
    immagine_.fill(sfondo_);
    Sporca(immagine_.rect());
}

// The moving cursors change a few thin lines at a time: only those are
// painted again. Past a handful of lines before the next paint (a full
// redraw), the whole picture is, which is cheaper than a long list.
void PictureBox::Sporca(const QRect& r)
{
    if (sporchi_ > MassimoSporchi)
        return;
    if (++sporchi_ > MassimoSporchi || r == immagine_.rect())
        update();
    else
        update(r.translated(Bordo, Bordo));
}

int PictureBox::pixelX(double x) const
{
    Adegua();
    return static_cast<int>(std::floor(x * immagine_.width() / Scala + 0.5));
}

int PictureBox::pixelY(double y) const
{
    Adegua();
    return static_cast<int>(std::floor(y * immagine_.height() / Scala + 0.5));
}

double PictureBox::utenteX(int px) const
{
    Adegua();
    return px * Scala / immagine_.width();
}

namespace {

inline void Tocca(QRgb* riga, int x, QRgb colore, bool xorPen)
{
    if (xorPen)
        riga[x] = (riga[x] ^ (colore & 0x00FFFFFFu)) | 0xFF000000u;
    else
        riga[x] = colore | 0xFF000000u;
}

} // namespace

void PictureBox::Rettangolo(int x1, int y1, int x2, int y2, QRgb colore)
{
    // Inclusive pixel rectangle, clipped to the picture.
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, immagine_.width() - 1);
    y2 = std::min(y2, immagine_.height() - 1);
    if (x1 > x2 || y1 > y2)
        return;
    Sporca(QRect(QPoint(x1, y1), QPoint(x2, y2)));
    const bool xorPen = penna_ == Penna::Xor;
    for (int y = y1; y <= y2; ++y) {
        auto* riga = reinterpret_cast<QRgb*>(immagine_.scanLine(y));
        for (int x = x1; x <= x2; ++x)
            Tocca(riga, x, colore, xorPen);
    }
}

void PictureBox::Line(float x1, float y1, float x2, float y2, QRgb colore)
{
    Adegua();
    const int ax = pixelX(x1), ay = pixelY(y1), bx = pixelX(x2), by = pixelY(y2);
    const int r = (larghezza_ - 1) / 2; // a wide pen covers a square around each point
    if (ax == bx || ay == by) {
        // Dots, cursors and limit lines: every pixel touched exactly once, so
        // the XOR pen drawn twice gives back the picture bit for bit.
        Rettangolo(std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r, colore);
    } else {
        QPainter p(&immagine_);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(QColor::fromRgb(colore));
        pen.setWidth(larghezza_);
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        if (penna_ == Penna::Xor)
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.drawLine(QPoint(ax, ay), QPoint(bx, by));
        Sporca(QRect(QPoint(std::min(ax, bx), std::min(ay, by)), QPoint(std::max(ax, bx), std::max(ay, by)))
                   .adjusted(-larghezza_, -larghezza_, larghezza_, larghezza_));
    }
}

void PictureBox::paintEvent(QPaintEvent* e)
{
    sporchi_ = 0;
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
    // In bands: Qt hands a copy of a hundred rows or more to a pool of
    // threads, and waking them costs more than copying these few pixels.
    constexpr int Fascia = 64;
    const QRect interno(Bordo, Bordo, immagine_.width(), immagine_.height());
    for (const QRect& r : e->region()) {
        const QRect parte = r & interno;
        for (int y = parte.top(); y <= parte.bottom(); y += Fascia) {
            const QRect fascia(parte.left(), y, parte.width(), std::min(Fascia, parte.bottom() + 1 - y));
            p.drawImage(fascia, immagine_, fascia.translated(-Bordo, -Bordo));
        }
    }
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    Adegua();
    const QPointF pos = e->position() - QPointF(Bordo, Bordo);
    emit mouseDown(NumeroPulsante(e->button()), pos.x() * Scala / immagine_.width(),
                   pos.y() * Scala / immagine_.height());
}

} // namespace corsa
