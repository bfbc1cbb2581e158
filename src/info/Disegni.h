#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QStringList>
#include <vector>

class QPainter;

// The reference pictures of the information windows, painted in code so that
// they stay sharp and carry their texts exactly.
namespace corsa {

constexpr int LarghezzaTrasmissione = 683, AltezzaTrasmissione = 430;
constexpr int LarghezzaCavo = 251, AltezzaCavo = 189;
constexpr int LarghezzaUsb = 357, AltezzaUsb = 244;

// A framed text of a drawing: a callout pointing at a part, or a plain note.
struct Scritta {
    QRect riquadro;
    QStringList righe;
    QFont carattere;
    QColor sfondo; // invalid: no box, the text stands on the drawing
    bool centrata = false;
    bool punta = false; // whether a leader line runs to `bersaglio`
    QPointF bersaglio;
    bool verticale = false; // read bottom to top (left) or top to bottom (right)
    bool versoAlto = true;
};

// The drive diagram of the frame list: chain, sprockets, gears and callouts.
QImage DisegnoTrasmissione();
std::vector<Scritta> ScritteTrasmissione();

// The RS-232 cable: two nine-pin sockets and the three wires between them.
QImage DisegnoCavo();
std::vector<Scritta> ScritteCavo();

// The opto-coupled USB adapter, drawn like a photograph.
QImage FotoAdattatoreUsb();

// The font the drawings use: Arial where present, at a size in pixels so
// that the pictures do not depend on the screen's density.
QFont CarattereDisegno(int pixel, bool grassetto = false);

// Draws a text box as described; shared by the drawings.
void DisegnaScritta(QPainter& p, const Scritta& s);

} // namespace corsa
