#pragma once
#include <QImage>
#include <QWidget>

namespace corsa {

// A picture with a 128 x 128 user scale over the inside of its sunken border
// (origin top left, y downwards). What is drawn lives in an image of its own,
// so it survives the window being covered; nothing is redrawn by itself.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class Penna { Copia, Xor };
    static constexpr int Bordo = 2;
    static constexpr double Scala = 128.0;

    explicit PictureBox(QColor sfondo, QWidget* genitore = nullptr);

    void Cls();
    void setDrawMode(Penna p) { penna_ = p; }
    Penna DrawMode() const { return penna_; }
    void setDrawWidth(int w) { larghezza_ = w < 1 ? 1 : w; }
    int DrawWidth() const { return larghezza_; }
    // A line in user units; from a point to itself it is a dot as wide as the pen.
    void Line(float x1, float y1, float x2, float y2, QRgb colore);

    // The inside of the border, pixel for pixel.
    const QImage& immagine() const
    {
        Adegua();
        return immagine_;
    }
    QColor sfondo() const { return sfondo_; }
    // Pixel column or row of a user coordinate.
    int pixelX(double x) const;
    int pixelY(double y) const;
    double utenteX(int px) const; // user X of a pixel column inside the border

signals:
    // Mouse button pressed: 1 left, 2 right, 4 middle; position in user units.
    void mouseDown(int pulsante, double x, double y);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    void Rettangolo(int x1, int y1, int x2, int y2, QRgb colore);
    void Adegua() const;
    void Sporca(const QRect& r); // r in the picture's own pixels

    static constexpr int MassimoSporchi = 8;
    int sporchi_ = 0; // areas asked to be painted since the last paint

    mutable QImage immagine_;
    QColor sfondo_;
    Penna penna_ = Penna::Copia;
    int larghezza_ = 1;
};

// Mouse buttons as the handlers number them.
int NumeroPulsante(Qt::MouseButton b);

} // namespace corsa
