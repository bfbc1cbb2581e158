#pragma once
#include "ClickLabel.h"
#include "Form1.h"
#include "MessaggiScriptati.h"
#include "PictureBox.h"
#include "PortaScriptata.h"

#include <QPushButton>
#include <memory>

namespace corsa::test {

// The main window after its start-up, on a scripted port and boxes.
struct Finestra {
    Stato stato;
    PortaScriptata porta;
    MessaggiScriptati messaggi;
    std::unique_ptr<Form1> f;
    int terminato = 0;

    Finestra()
    {
        f = std::make_unique<Form1>(stato, porta, messaggi);
        f->terminaProgramma = [this] { ++terminato; };
        f->Form_Load();
    }
    template <class T = ClickLabel>
    T* w(const char* nome) const
    {
        return f->findChild<T*>(QLatin1String(nome));
    }
    QString testo(const char* nome) const { return w(nome)->text(); }
    PictureBox* p1() const { return f->controlli.Picture1; }
    PictureBox* p2() const { return f->controlli.Picture2; }
    // Colour of the pixel at a user point.
    static QRgb px(PictureBox* p, double x, double y)
    {
        return p->immagine().pixel(p->pixelX(x), p->pixelY(y)) & 0xFFFFFF;
    }
};

} // namespace corsa::test
