#pragma once
#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

namespace corsa {

struct Lampada {
    QString testo;
    QColor colore;
};

// The five status lamps for one status byte. testoRotazione is the cause of
// a rotation fault remembered between calls (set on bit 0x20 with 0x40,
// reset when 0x40 clears, after its caption has been chosen).
std::array<Lampada, 5> CalcolaLampade(uint8_t s, QString& testoRotazione);

inline const QColor RossoScuro(192, 0, 0);
inline const QColor VerdeLampada(0, 128, 0);
inline const QColor MagentaLampada(255, 0, 255);

} // namespace corsa
