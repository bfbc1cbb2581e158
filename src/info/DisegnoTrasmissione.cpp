#include "Disegni.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace corsa {

namespace {

constexpr double PiGreco = 3.14159265358979323846;

// A sprocket as the chain sees it: pitch circle and the way the chain wraps it
// (clockwise on screen, or anticlockwise for a wheel outside the loop).
struct Ruota {
    QPointF centro;
    double raggio;
    int denti;
    bool orario;
};

// Chain wheels in the order the chain runs through them, "allarga" direction.
const Ruota Motore{{118, 118}, 42, 28, true};
const Ruota Primaria{{470, 116}, 30, 20, true};
const Ruota Galoppino{{318, 262}, 56, 40, false};
const Ruota Secondaria{{118, 342}, 30, 20, true};
const Ruota Percorso[] = {Motore, Primaria, Galoppino, Secondaria};

// The pinion turns with the idler and drives the big gear beside it.
constexpr double RaggioPignone = 14;
constexpr double RaggioIngranaggio = 58;
const QPointF CentroIngranaggio(318 + RaggioPignone + RaggioIngranaggio, 262);

const QColor GialloVerde(206, 236, 96);

// The common tangent that the chain follows from wheel a to wheel b.
void Tangente(const Ruota& a, const Ruota& b, QPointF& pa, QPointF& pb)
{
    const double ra = a.orario ? a.raggio : -a.raggio;
    const double rb = b.orario ? b.raggio : -b.raggio;
    const QPointF d = b.centro - a.centro;
    const double l = std::hypot(d.x(), d.y());
    const QPointF u = d / l, v(-u.y(), u.x());
    const double c = (ra - rb) / l;
    const double s = std::sqrt(std::max(0.0, 1 - c * c));
    for (int segno : {1, -1}) {
        const QPointF n = c * u + segno * s * v;
        pa = a.centro + ra * n;
        pb = b.centro + rb * n;
        const QPointF verso(-n.y(), n.x()); // direction of travel along the chain
        const QPointF tratto = pb - pa;
        if (tratto.x() * verso.x() + tratto.y() * verso.y() > 0)
            return;
    }
}

void Arco(QPainterPath& via, const Ruota& r, QPointF da, QPointF a)
{
    const double a0 = std::atan2(da.y() - r.centro.y(), da.x() - r.centro.x());
    const double a1 = std::atan2(a.y() - r.centro.y(), a.x() - r.centro.x());
    double giro = std::fmod(a1 - a0 + 4 * PiGreco, 2 * PiGreco);
    if (!r.orario)
        giro -= 2 * PiGreco;
    const int passi = std::max(2, int(std::abs(giro) * r.raggio / 3));
    for (int i = 1; i <= passi; ++i) {
        const double t = a0 + giro * i / passi;
        via.lineTo(r.centro + r.raggio * QPointF(std::cos(t), std::sin(t)));
    }
}

QPainterPath Catena()
{
    constexpr int n = sizeof(Percorso) / sizeof(Percorso[0]);
    QPointF parte[n], arriva[n];
    for (int i = 0; i < n; ++i)
        Tangente(Percorso[i], Percorso[(i + 1) % n], parte[i], arriva[(i + 1) % n]);
    QPainterPath via(parte[0]);
    for (int i = 1; i <= n; ++i) {
        via.lineTo(arriva[i % n]);
        Arco(via, Percorso[i % n], arriva[i % n], parte[i % n]);
    }
    return via;
}

QPainterPath Dentatura(QPointF c, double raggio, int denti, double sopra, double sotto)
{
    QPainterPath p;
    for (int i = 0; i < denti; ++i) {
        const double passo = 2 * PiGreco / denti;
        const double t = i * passo;
        const QPointF punti[] = {
            c + (raggio - sotto) * QPointF(std::cos(t), std::sin(t)),
            c + (raggio + sopra) * QPointF(std::cos(t + passo * 0.3), std::sin(t + passo * 0.3)),
            c + (raggio + sopra) * QPointF(std::cos(t + passo * 0.55), std::sin(t + passo * 0.55)),
            c + (raggio - sotto) * QPointF(std::cos(t + passo * 0.85), std::sin(t + passo * 0.85)),
        };
        if (i == 0)
            p.moveTo(punti[0]);
        else
            p.lineTo(punti[0]);
        for (int k = 1; k < 4; ++k)
            p.lineTo(punti[k]);
    }
    p.closeSubpath();
    return p;
}

void Pignone(QPainter& p, const Ruota& r)
{
    QRadialGradient luce(r.centro - QPointF(r.raggio / 3, r.raggio / 3), r.raggio * 1.4);
    luce.setColorAt(0, QColor(222, 222, 222));
    luce.setColorAt(1, QColor(150, 150, 150));
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(luce);
    p.drawPath(Dentatura(r.centro, r.raggio, r.denti, 3, 2.5));
    // Lightening ring and hub, as on a real sprocket.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.drawEllipse(r.centro, r.raggio * 0.72, r.raggio * 0.72);
    p.setBrush(QColor(120, 120, 120));
    p.drawEllipse(r.centro, r.raggio * 0.28, r.raggio * 0.28);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(r.centro, 3, 3);
}

void Ingranaggio(QPainter& p)
{
    const QPointF c = CentroIngranaggio;
    const double r = RaggioIngranaggio;
    // Light body so the idler behind stays readable; dark toothed rim.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 200, 150));
    p.drawEllipse(c, r - 6, r - 6);
    p.setPen(QPen(QColor(50, 50, 50), 0.8));
    p.setBrush(QColor(45, 45, 45));
    QPainterPath corona = Dentatura(c, r, 120, 2, 1);
    QPainterPath interno;
    interno.addEllipse(c, r - 6, r - 6);
    p.drawPath(corona.subtracted(interno));
    p.setPen(QPen(QColor(60, 60, 60), 3));
    for (int i = 0; i < 4; ++i) {
        const double t = PiGreco / 4 + i * PiGreco / 2;
        p.drawLine(c + 10 * QPointF(std::cos(t), std::sin(t)), c + (r - 6) * QPointF(std::cos(t), std::sin(t)));
    }
    p.setPen(QPen(QColor(50, 50, 50), 1));
    p.setBrush(QColor(140, 140, 140));
    p.drawEllipse(c, 11, 11);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(c, 3, 3);
}

void Freccia(QPainter& p, QPointF da, QPointF a)
{
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(da, a - QPointF(12, 0));
    QPolygonF punta;
    punta << a << a + QPointF(-16, -8) << a + QPointF(-16, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(punta);
}

QPointF SulBordo(const Ruota& r, double gradi, double oltre = 3)
{
    const double t = gradi * PiGreco / 180;
    return r.centro + (r.raggio + oltre) * QPointF(std::cos(t), -std::sin(t));
}

} // namespace

std::vector<Scritta> ScritteTrasmissione()
{
    const QFont f = CarattereDisegno(12);
    std::vector<Scritta> s;
    auto cartiglio = [&](QRect r, QStringList righe, QPointF bersaglio) {
        Scritta c;
        c.riquadro = r;
        c.righe = std::move(righe);
        c.carattere = f;
        c.sfondo = GialloVerde;
        c.centrata = true;
        c.punta = true;
        c.bersaglio = bersaglio;
        s.push_back(c);
    };
    cartiglio(QRect(176, 132, 126, 36), {"Motore di trazione", "Z28 3/8"}, SulBordo(Motore, -40));
    cartiglio(QRect(532, 64, 112, 36), {"Biella primaria", "Z20 3/8"}, SulBordo(Primaria, 5));
    cartiglio(QRect(176, 384, 126, 36), {"Biella secondaria", "Z20 3/8"}, SulBordo(Secondaria, -35));
    cartiglio(QRect(146, 190, 104, 66), {"Galoppino", "Z40 3/8 in asse", "con pignone", "Z12 modulo 1"},
              SulBordo(Galoppino, 150, -10));
    cartiglio(QRect(464, 296, 206, 52),
              {"Ingranaggio Z120 modulo 1", "rapporto finale = 20 giri bielle", "pari ad un giro di encoder"},
              CentroIngranaggio + QPointF(RaggioIngranaggio * 0.8, RaggioIngranaggio * 0.45));

    Scritta freccia;
    freccia.riquadro = QRect(196, 40, 236, 22);
    freccia.righe = {"La freccia indica la direzione allarga"};
    freccia.carattere = f;
    freccia.sfondo = GialloVerde;
    freccia.centrata = true;
    s.push_back(freccia);

    Scritta nota;
    nota.riquadro = QRect(408, 388, 264, 30);
    nota.righe = {"Valido per tutti i telai PARVELL tipo G"};
    nota.carattere = CarattereDisegno(13, true);
    nota.sfondo = Qt::white;
    nota.centrata = true;
    s.push_back(nota);
    return s;
}

QImage DisegnoTrasmissione()
{
    QImage img(LarghezzaTrasmissione, AltezzaTrasmissione, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    for (const Ruota& r : Percorso)
        Pignone(p, r);
    Ingranaggio(p);

    QPen maglie(QColor(30, 30, 30), 4, Qt::DotLine, Qt::RoundCap, Qt::RoundJoin);
    maglie.setDashPattern({0.01, 1.6});
    p.setPen(maglie);
    p.setBrush(Qt::NoBrush);
    p.drawPath(Catena());

    // The pinion on the idler's axis, in front of both wheels.
    p.setPen(QPen(QColor(20, 20, 20), 1.6, Qt::DotLine));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(Galoppino.centro, RaggioPignone, RaggioPignone);
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(Galoppino.centro, 3, 3);

    Freccia(p, QPointF(230, 22), QPointF(400, 22));
    for (const Scritta& s : ScritteTrasmissione())
        DisegnaScritta(p, s);

    p.setPen(QPen(QColor(0, 0, 255), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, img.width() - 3, img.height() - 3));
    return img;
}

} // namespace corsa
