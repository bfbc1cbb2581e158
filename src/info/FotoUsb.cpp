#include "Disegni.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

namespace corsa {

namespace {

const QColor Grigio(150, 152, 156);

// A round cable: soft shadow on the background, dark edge, body, highlight.
void Tubo(QPainter& p, const QPainterPath& via, double spessore, QColor colore, bool ombra = true)
{
    p.setBrush(Qt::NoBrush);
    if (ombra) {
        for (int i = 3; i >= 1; --i) {
            p.setPen(QPen(QColor(120, 80, 0, 28), spessore + 2 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(via.translated(4, 5));
        }
    }
    p.setPen(QPen(colore.darker(175), spessore + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(via);
    p.setPen(QPen(colore, spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(via);
    p.setPen(QPen(colore.lighter(135), spessore * 0.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(via.translated(-spessore * 0.18, -spessore * 0.25));
}

QPainterPath Spira(QPointF c, double rx, double ry, double gradi)
{
    QPainterPath e;
    e.addEllipse(QPointF(0, 0), rx, ry);
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(gradi);
    return t.map(e);
}

// Type-A plug, drawn along +x from its origin: moulded grip, then the shell.
void Spina(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 80, 0, 60));
    p.drawRoundedRect(QRectF(2, -10, 88, 28), 6, 6);

    QLinearGradient presa(0, -13, 0, 13);
    presa.setColorAt(0, QColor(120, 122, 126));
    presa.setColorAt(0.35, QColor(175, 177, 182));
    presa.setColorAt(1, QColor(70, 72, 76));
    p.setBrush(presa);
    p.setPen(QPen(QColor(50, 50, 55), 1));
    QPainterPath grip;
    grip.moveTo(0, -8);
    grip.lineTo(12, -13);
    grip.lineTo(44, -13);
    grip.lineTo(44, 13);
    grip.lineTo(12, 13);
    grip.lineTo(0, 8);
    grip.closeSubpath();
    p.drawPath(grip);
    p.setPen(QPen(QColor(95, 97, 100), 1));
    for (int x = 18; x <= 38; x += 5)
        p.drawLine(QPointF(x, -11), QPointF(x, 11));

    QLinearGradient metallo(0, -10, 0, 10);
    metallo.setColorAt(0, QColor(245, 245, 245));
    metallo.setColorAt(0.3, QColor(205, 208, 212));
    metallo.setColorAt(0.55, QColor(250, 250, 250));
    metallo.setColorAt(1, QColor(140, 142, 146));
    p.setBrush(metallo);
    p.setPen(QPen(QColor(90, 92, 96), 1));
    p.drawRect(QRectF(44, -10, 40, 20));
    p.setBrush(QColor(40, 40, 44));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(64, -6, 6, 4));
    p.drawRect(QRectF(64, 2, 6, 4));
    p.setPen(QPen(QColor(120, 122, 126), 1));
    p.drawLine(QPointF(47, -10), QPointF(47, 10));
}

// The in-line adapter: a white cylinder with tapered sleeves at both ends.
void Adattatore(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 80, 0, 55));
    p.drawRoundedRect(QRectF(-4, -8, 120, 30), 14, 14);

    QLinearGradient manicotto(0, -8, 0, 8);
    manicotto.setColorAt(0, QColor(170, 172, 176));
    manicotto.setColorAt(0.4, QColor(220, 222, 226));
    manicotto.setColorAt(1, QColor(110, 112, 116));
    p.setBrush(manicotto);
    p.setPen(QPen(QColor(90, 92, 96), 0.8));
    QPolygonF sinistro, destro;
    sinistro << QPointF(-14, -5) << QPointF(4, -9) << QPointF(4, 9) << QPointF(-14, 5);
    destro << QPointF(110, -9) << QPointF(128, -5) << QPointF(128, 5) << QPointF(110, 9);
    p.drawPolygon(sinistro);
    p.drawPolygon(destro);

    QLinearGradient corpo(0, -15, 0, 15);
    corpo.setColorAt(0, QColor(232, 232, 228));
    corpo.setColorAt(0.22, QColor(255, 255, 255));
    corpo.setColorAt(0.5, QColor(246, 246, 242));
    corpo.setColorAt(0.85, QColor(205, 205, 200));
    corpo.setColorAt(1, QColor(170, 170, 165));
    p.setBrush(corpo);
    p.setPen(QPen(QColor(150, 150, 145), 1));
    p.drawRoundedRect(QRectF(2, -15, 110, 30), 9, 15);
    // Seam of the two half-shells.
    p.setPen(QPen(QColor(200, 200, 195), 1));
    p.drawLine(QPointF(14, -14), QPointF(14, 14));
    p.drawLine(QPointF(100, -14), QPointF(100, 14));
}

} // namespace

QImage FotoAdattatoreUsb()
{
    QImage img(LarghezzaUsb, AltezzaUsb, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient fondo(QPointF(150, 100), 260);
    fondo.setColorAt(0, QColor(255, 232, 70));
    fondo.setColorAt(0.7, QColor(246, 206, 24));
    fondo.setColorAt(1, QColor(226, 180, 10));
    p.fillRect(img.rect(), fondo);

    // Lead from the coil to the plug, and from the coil through the adapter.
    QPainterPath versoSpina(QPointF(222, 70));
    versoSpina.cubicTo(QPointF(240, 55), QPointF(250, 50), QPointF(268, 46));
    QPainterPath versoAdattatore(QPointF(190, 176));
    versoAdattatore.cubicTo(QPointF(200, 200), QPointF(210, 204), QPointF(226, 200));
    QPainterPath uscita(QPointF(330, 196));
    uscita.cubicTo(QPointF(342, 194), QPointF(350, 198), QPointF(362, 206));

    const struct {
        QPointF c;
        double rx, ry, gradi;
    } spire[] = {
        {{142, 118}, 96, 62, -8}, {{150, 122}, 92, 66, 4},  {{146, 114}, 98, 60, -16},
        {{156, 126}, 88, 64, 12}, {{140, 122}, 94, 58, -2}, {{152, 116}, 90, 63, -11},
    };
    for (const auto& s : spire)
        Tubo(p, Spira(s.c, s.rx, s.ry, s.gradi), 7, Grigio);
    // The ends leave the coil on top of it.
    Tubo(p, versoSpina, 7, Grigio);
    Tubo(p, versoAdattatore, 7, Grigio);
    Tubo(p, uscita, 6, Grigio);

    p.save();
    p.translate(264, 47);
    p.rotate(-14);
    Spina(p);
    p.restore();

    p.save();
    p.translate(222, 198);
    p.rotate(-3);
    Adattatore(p);
    p.restore();
    return img;
}

} // namespace corsa
