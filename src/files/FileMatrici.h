#pragma once
#include "DialogoFile.h"
#include "FileDisco.h"
#include "Messaggi.h"
#include "Stato.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace corsa {

// The first line of a matrix file; a file whose first line lacks it is refused.
inline constexpr char MarcatoreFile[] = "qmr707";
inline constexpr int RigheFileMatrice = 269; // marker, 140 position, 128 speed
QString MessaggioFormatoErrato();            // "File sconosciuto ,formato errato)"

// The whole file: the marker, MatricePosizione 1..140 and MatriceVelocita
// 1..128, one value a line as a blank and its digits, CR LF after each line.
QByteArray FormattaFileMatrice(const Stato& s);

// What a file holds, read and checked in full before anything is stored.
struct ContenutoFile {
    enum class Esito {
        Completo,       // all 268 values read and within 0..255
        SenzaMarcatore, // line 1 lacks the marker
        Interrotto,     // no line 1, the file ends early, or a value out of range
    };
    Esito esito = Esito::Interrotto;
    int riga = 0;                         // the line where reading stopped, counted from 1
    std::array<uint8_t, 141> posizione{}; // indices 1..140 filled when complete
    std::array<uint8_t, 129> velocita{};  // indices 1..128 filled when complete
};
ContenutoFile LeggiFileMatrice(std::string_view dati);
inline ContenutoFile LeggiFileMatrice(const QByteArray& dati)
{
    return LeggiFileMatrice(std::string_view(dati.constData(), size_t(dati.size())));
}

// Stores a complete file's values in the image; index 0 of both stays as it was.
void ApplicaFileMatrice(const ContenutoFile& c, Stato& s);

// The File menu's "Salva" and "Apri file". `ridisegna` is the panel's full
// redraw, run after a complete load.
class FileMatrici {
public:
    FileMatrici(Stato& stato, DialogoFile& dialogo, Messaggi& messaggi, std::function<void()> ridisegna);

    void save_Click();
    void apri_Click();

private:
    Stato& s_;
    DialogoFile& dialog1_;
    Messaggi& messaggi_;
    std::function<void()> ridisegna_;
};

} // namespace corsa
