#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace corsa {

// The port file: the port last found by scanning, in the current folder.
inline const QString NomeFilePorta = QStringLiteral("nport.ini");

// The port its first line names (up to the first CR, or the whole file),
// read leniently and rounded half to even. Nothing when the file is missing,
// cannot be read, is empty, or names a value outside 0..255.
std::optional<uint8_t> InterpretaFilePorta(const QByteArray& contenuto);
std::optional<uint8_t> LeggiFilePorta(const QString& percorso = NomeFilePorta);

// One line, the number after one blank, then CR LF (port 3: 20 33 0D 0A).
QByteArray FormattaFilePorta(uint8_t porta);
// Written aside and then put in place; false when it could not be written,
// in which case an existing file is left as it was.
bool ScriviFilePorta(uint8_t porta, const QString& percorso = NomeFilePorta);

} // namespace corsa
