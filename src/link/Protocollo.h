#pragma once
#include "Stato.h"

#include <QByteArray>
#include <string>

namespace corsa {

// One-byte commands to the board, as the strings that Comando holds.
inline const std::string ComandoStato = "\x40";           // "@"
inline const std::string ComandoReset = "\x72";           // "r"
inline const std::string ComandoLeggiPosizione = "\xA3";  // byte 163, one byte on the line
inline const std::string ComandoLeggiVelocita = "\x25";   // "%"
inline const std::string ComandoScriviPosizione = "\x24"; // "$"
inline const std::string ComandoScriviVelocita = "\x23";  // "#"
inline const std::string ComandoResetSicure = "\x7C";     // "|"
inline const std::string ComandoTestVite = "\x6D";        // "m"
inline const std::string ComandoTestMotore = "\x73";      // "s"
inline const std::string ComandoScriviEeprom = "\x77";    // "w"
inline const std::string ComandoVersione = "\x76";        // "v"
inline const std::string ComandoNessuno = "\x65";         // "e", never sent

inline const QByteArray ParolaEeprom = QByteArrayLiteral("okEeprom");
inline const QByteArray ParolaVersione = QByteArrayLiteral("REV");

// Lengths on the line.
constexpr int LunghezzaBloccoPosizione = 140; // indices 1..139, then CR
constexpr int LunghezzaBloccoVelocita = 128;  // indices 1..127, then CR

// The bytes of a command string, for Output.
QByteArray BytesComando(const std::string& comando);

// Blocks the PC sends after "$" and "#", and the confirmation after an
// accepted "w".
QByteArray BloccoPosizione(const Stato& s);
QByteArray BloccoVelocita(const Stato& s);
QByteArray ConfermaEeprom(); // "Scrivo" then CR

// Least number of characters a reply must have to count; 0 for commands
// judged otherwise or not at all.
int LunghezzaMinima(const std::string& comando);

// A length command's reply passes with at least its minimum length. For a
// command without a minimum this is false.
bool RispostaValida(const std::string& comando, const QByteArray& risposta);

// The word anywhere in the reply, byte for byte, case-sensitive. An empty
// word is never "contained": a reply must bring something.
bool ContieneParola(const QByteArray& risposta, const QByteArray& parola);

// A status reply of at least 4 characters into StatoChip 1..4; further
// characters are ignored. A short reply changes nothing and gives false.
bool CaricaStato(Stato& s, const QByteArray& risposta);

// A block reply into the image from index 1, as far as the reply goes but
// never past the image's end (140, 128) whatever the reply's length. Index
// 0 is never touched. Returns how many indices were written.
int CaricaBloccoPosizione(Stato& s, const QByteArray& risposta);
int CaricaBloccoVelocita(Stato& s, const QByteArray& risposta);

} // namespace corsa
