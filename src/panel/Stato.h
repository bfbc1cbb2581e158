#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace corsa {

// The PC-side image of the board and everything the windows share. One
// instance, made by main() and handed by reference; a test makes its own.
// Fixed-size arrays: an index past the image cannot become a silent overwrite.
struct Stato {
    // Board RAM block 1: 0..128 position matrix, 130 ADC threshold,
    // 131 tolerance, 132 safety, 133/134 travel limits, 135 delay.
    std::array<uint8_t, 141> MatricePosizione{};
    // Board RAM block 2: 0..128 speed matrix.
    std::array<uint8_t, 129> MatriceVelocita{};
    // Taken after every complete read of the board.
    std::array<uint8_t, 141> CopiaPosizione{};
    std::array<uint8_t, 129> CopiaVelocita{};
    bool Modificato = false;

    // 1 carriage, 2 rod, 3 speed variation, 4 input/output bits.
    std::array<uint8_t, 5> StatoChip{};

    // Next exchange, one character as a byte ("e" idle, "\xA3" read block 1).
    std::string Comando = "e";
    std::string VersioneChip = "??????"; // the board's reply, byte for byte
    QString NomeFile;
    uint8_t Porta = 0;
    QString TitoloDialogo = QStringLiteral(" Caricamento dati ");
    uint8_t PassoModifica = 1;
    uint8_t CambioEncoder = 0;

    // Cursors and selection of the matrix pictures.
    uint8_t Master = 0;
    uint8_t Slave = 0;
    uint8_t UltimoMaster = 0;
    uint8_t UltimoSlave = 0;
    uint8_t PuntatoreMatrice = 0;
    uint8_t UltimoPuntatore = 0;
    bool SceltaVelocita = false;
    bool UltimaSceltaVelocita = false;
};

// Indices of the parameters in MatricePosizione.
enum IndiceParametro : int {
    SogliaAdc = 130,
    Tolleranza = 131,
    Sicura = 132,
    LimiteMinimo = 133,
    LimiteMassimo = 134,
    RitardoMovimento = 135,
};

} // namespace corsa
