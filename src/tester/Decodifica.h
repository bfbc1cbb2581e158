#pragma once
#include <QColor>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace corsa {

// Seven sensor rows, then the supply row.
constexpr int BitSensori = 7;
constexpr int RigheTester = 8;

// Supply counts the emitters may show and still be trusted: 5.05 V to
// 10.95 V at 0.0842 V a count, around the 8 V the supply bar names as ideal.
constexpr int AlimentazioneMinima = 60;
constexpr int AlimentazioneMassima = 130;

inline const QColor VerdeTester(0, 255, 0);
inline const QColor RossoTester(255, 0, 0);

// What one tester reply shows. A reply may be short: only the rows it
// covers are meant to change, the rest of the window keeps the last reading.
struct LetturaTester {
    int sensoriLetti = 0;                          // sensor rows the reply covers, 0..7
    bool alimentazioneLetta = false;               // the supply count was there
    std::array<int, RigheTester> valore{};         // bar values, counts
    std::array<QString, RigheTester> suggerimento; // bar tool-tips
    std::array<QColor, BitSensori> coloreBit;      // row label colours

    // Valid only with the supply count read (then all seven sensors were too).
    int codiceGray = 0;
    int passo = 0;
    bool alimentazioneCorretta = false;
    QString testoStato;
    QColor coloreStato;
};

// Gray code (7 bits here) to its binary value, in place.
void DecodificaGray(int& valore);

// One reply of the board to "m" or "s": character k (from 1) is the ADC count
// of sensor k - 1, character 8 the emitters' supply, the rest ignored.
// soglia is the ADC switching threshold; comando picks the encoder's text.
LetturaTester DecodificaRisposta(const std::string& risposta, uint8_t soglia, const std::string& comando,
                                 const QLocale& locale = QLocale());

} // namespace corsa
