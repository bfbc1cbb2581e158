#pragma once
#include "PortaSeriale.h"

namespace corsa {

// Selects the port with the board's line settings and opens it when closed.
// Throws ErrorePorta when the number names no port or the port cannot be opened.
void ApriPorta(PortaSeriale& porta, int numero);

// Opens again the port last selected, after the port layer or a Cancel closed
// it; false when it still cannot be opened. An open port is left alone.
bool RiapriPorta(PortaSeriale& porta);

} // namespace corsa
