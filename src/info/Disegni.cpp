#include "Disegni.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace corsa {

QFont CarattereDisegno(int pixel, bool grassetto)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    return f;
}

void DisegnaScritta(QPainter& p, const Scritta& s)
{
    p.save();
    const QRectF r(s.riquadro);
    if (s.punta) {
        // The leader leaves the box at its point nearest the target.
        const QPointF da(std::clamp(s.bersaglio.x(), r.left(), r.right()),
                         std::clamp(s.bersaglio.y(), r.top(), r.bottom()));
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(da, s.bersaglio);
        p.setBrush(Qt::black);
        p.drawEllipse(s.bersaglio, 2.2, 2.2);
    }
    if (s.sfondo.isValid()) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(s.sfondo);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    p.setFont(s.carattere);
    p.setPen(Qt::black);
    QRectF area = r;
    if (s.verticale) {
        p.translate(r.center());
        p.rotate(s.versoAlto ? -90 : 90);
        area = QRectF(-r.height() / 2, -r.width() / 2, r.height(), r.width());
    }
    const QFontMetricsF fm(s.carattere);
    const double passo = fm.height();
    double y = area.top() + (area.height() - passo * s.righe.size()) / 2;
    for (const QString& riga : s.righe) {
        const QRectF linea(area.left() + 3, y, area.width() - 6, passo);
        p.drawText(linea, (s.centrata ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, riga);
        y += passo;
    }
    p.restore();
}

} // namespace corsa
