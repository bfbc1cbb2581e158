#include "Disegni.h"

#include <QPainter>
#include <QPainterPath>

namespace corsa {

namespace {

// One socket seen from its solder side, standing upright. `interno` is the x
// of its long side, the one facing the other socket; `esterno` the short one.
struct Presa {
    double interno, esterno;
    bool ruotata; // the right one: the left one turned half a turn
};

constexpr double Alto = 24, Basso = 132, Smusso = 12;
constexpr double PrimaRiga = 36, Passo = 20;
constexpr double Moncone = 12;

const Presa Sinistra{70, 36, false};
const Presa Destra{181, 215, true};

double Verso(const Presa& p) { return p.interno > p.esterno ? 1 : -1; }

// Pin centre: 1-5 on the long side, 6-9 between them on the short side.
QPointF Piedino(const Presa& p, int n)
{
    const double v = Verso(p);
    int riga;
    double x;
    if (n <= 5) {
        riga = p.ruotata ? 5 - n : n - 1;
        x = p.interno - v * 11;
        return {x, PrimaRiga + riga * Passo};
    }
    riga = p.ruotata ? 9 - n : n - 6;
    x = p.esterno + v * 11;
    return {x, PrimaRiga + Passo / 2 + riga * Passo};
}

// Where a pin's stub ends, just outside the outline.
QPointF FineMoncone(const Presa& p, int n)
{
    const QPointF c = Piedino(p, n);
    const double v = Verso(p);
    const double bordo = n <= 5 ? p.interno + v * Moncone : p.esterno - v * Moncone;
    return {bordo, c.y()};
}

void DisegnaPresa(QPainter& g, const Presa& p)
{
    QPolygonF contorno;
    contorno << QPointF(p.interno, Alto) << QPointF(p.esterno, Alto + Smusso) << QPointF(p.esterno, Basso - Smusso)
             << QPointF(p.interno, Basso);
    g.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    g.drawPolygon(contorno);

    g.setFont(CarattereDisegno(10));
    for (int n = 1; n <= 9; ++n) {
        const QPointF c = Piedino(p, n);
        const QPointF fine = FineMoncone(p, n);
        g.setPen(QPen(Qt::black, 2));
        g.drawLine(c, fine);
        g.setBrush(Qt::white);
        g.drawEllipse(c, 3.2, 3.2);
        g.setBrush(Qt::NoBrush);
        // The number sits above its stub, between the outline and the stub's end.
        const double bordo = n <= 5 ? p.interno : p.esterno;
        const double x0 = std::min(bordo, fine.x()), x1 = std::max(bordo, fine.x());
        const QRectF casella(x0 + 1, c.y() - 13, x1 - x0, 11);
        g.setPen(Qt::black);
        g.drawText(casella, Qt::AlignCenter, QString::number(n));
    }
}

// A wire with little bridges where it jumps over the wires it does not touch.
void Filo(QPainter& g, const QPolygonF& punti)
{
    g.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    g.drawPolyline(punti);
}

} // namespace

std::vector<Scritta> ScritteCavo()
{
    std::vector<Scritta> s;
    for (const Presa* p : {&Sinistra, &Destra}) {
        Scritta e;
        const double x = p->ruotata ? p->esterno + Moncone + 2 : p->esterno - Moncone - 14;
        e.riquadro = QRect(int(x), int(Alto + Smusso), 12, int(Basso - Alto - 2 * Smusso));
        e.righe = {"DB 9 female"};
        e.carattere = CarattereDisegno(10);
        e.centrata = true;
        e.verticale = true;
        e.versoAlto = !p->ruotata;
        s.push_back(e);
    }
    Scritta titolo;
    titolo.riquadro = QRect(2, 142, LarghezzaCavo - 4, 44);
    titolo.righe = {"Cavo per la connessione", "2 Prese db9 femmina"};
    titolo.carattere = CarattereDisegno(16, true);
    titolo.centrata = true;
    s.push_back(titolo);
    return s;
}

QImage DisegnoCavo()
{
    QImage img(LarghezzaCavo, AltezzaCavo, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    DisegnaPresa(g, Sinistra);
    DisegnaPresa(g, Destra);

    // 2 to 3 and 3 to 2: transmit of one side into receive of the other.
    for (auto [da, a] : {std::pair{2, 3}, std::pair{3, 2}}) {
        const QPointF p0 = FineMoncone(Sinistra, da), p1 = FineMoncone(Destra, a);
        Filo(g, QPolygonF{} << p0 << QPointF(108, p0.y()) << QPointF(146, p1.y()) << p1);
    }
    // Signal ground, 5 to 5, led up and over the top.
    const QPointF g0 = FineMoncone(Sinistra, 5), g1 = FineMoncone(Destra, 5);
    const double x0 = 92, x1 = 164, sopra = 10;
    QPainterPath massa(g0);
    massa.lineTo(x0, g0.y());
    // Bridges over the two crossing wires.
    for (int n : {3, 2}) {
        const double y = Piedino(Sinistra, n).y();
        massa.lineTo(x0, y + 5);
        massa.arcTo(QRectF(x0 - 5, y - 5, 10, 10), -90, -180);
    }
    massa.lineTo(x0, sopra);
    massa.lineTo(x1, sopra);
    massa.lineTo(x1, g1.y());
    massa.lineTo(g1);
    g.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(massa);

    for (const Scritta& s : ScritteCavo())
        DisegnaScritta(g, s);
    return img;
}

} // namespace corsa
