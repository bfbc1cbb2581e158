#pragma once
#include <QString>

namespace corsa {

// Which system device a port number names.
// - With CORSA_PORTE set to a folder: "<folder>/comN" for 1..255 (a link to
//   any serial device or pseudo-terminal; a missing link is an absent port).
// - On Windows: "COMN" for 1..255.
// - Elsewhere: 1-4 /dev/ttyS0-3, 5-10 /dev/ttyUSB0-5, 11-15 /dev/ttyACM0-4.
// An empty result: the number names no port.
QString NomePorta(int numero);

// The folder named by CORSA_PORTE, empty when unset.
QString CartellaPorte();

} // namespace corsa
