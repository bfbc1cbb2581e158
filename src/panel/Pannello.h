#pragma once
#include "Stato.h"

#include <QRgb>
#include <QString>
#include <array>
#include <cstdint>

class QPushButton;
class QWidget;

namespace corsa {

class ClickLabel;
class PictureBox;

// The main window's controls that the panel writes.
struct ControlliPannello {
    QWidget* finestra = nullptr; // its caption shows NomeFile
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    QPushButton* Command1 = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
    ClickLabel* Label3 = nullptr;
    ClickLabel* Label4 = nullptr;
    ClickLabel* Label5 = nullptr;
    ClickLabel* Label6 = nullptr;
    ClickLabel* Label8 = nullptr;
    ClickLabel* Label9 = nullptr;
    ClickLabel* Label11 = nullptr;
    ClickLabel* Label16 = nullptr;
    ClickLabel* Label18 = nullptr;
    ClickLabel* Label19 = nullptr;
    std::array<ClickLabel*, 5> Label14{};
};

// Colours of the matrix pictures.
namespace Colore {
constexpr QRgb Verde = 0xFF00FF00;
constexpr QRgb GrigioChiaro = 0xFFC0C0C0;
constexpr QRgb Rosso = 0xFFFF0000;
constexpr QRgb Bianco = 0xFFFFFFFF;
constexpr QRgb Magenta = 0xFFFF00FF;
constexpr QRgb Giallo = 0xFFFFFF00;
} // namespace Colore

// The control panel: draws the image, follows the cursors, shows the lamps
// and keeps track of what differs from the last read of the board.
class Pannello {
public:
    Pannello(Stato& stato, const ControlliPannello& controlli);

    void RidisegnaMatrici();
    void ControlloModifiche(uint8_t modo);
    // Mode 1 from the given blocks rather than from the image.
    void PrendiCopie(const std::array<uint8_t, 141>& posizione, const std::array<uint8_t, 129>& velocita);
    void AggiornaCursori();
    void AggiornaStatoIngressi(uint8_t s);
    void MostraIndicatori(bool visibile);

    // Click editors.
    enum class Editore { Label11, Label16, Label3, Label4, Label9, Label8, Label5, Label6 };
    void Label_MouseDown(Editore e, int pulsante);
    void Picture_MouseDown(bool velocita, int pulsante, double x);
    void Option1_Click() { s_.PassoModifica = 1; }
    void Option2_Click() { s_.PassoModifica = 10; }

    const QString& TestoRotazione() const { return testoRotazione_; }
    static QString Titolo(const QString& nomeFile);

private:
    void Cursore(PictureBox* p, int x) const;
    void CursoreOrizzontale(PictureBox* p, int y, QRgb colore) const;
    void ScriviPuntatore();

    Stato& s_;
    const ControlliPannello& c_; // owned by the window, filled before first use
    QString testoRotazione_;
};

} // namespace corsa
