#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace corsa {

// The machine frames offered by the frame list, in list order.
constexpr int NumeroTelai = 9;

// The entries of the drop-down list ("9 G" ... "33 G").
QStringList VociTelai();

// The line shown for the entry at a list index, or nothing for an index
// outside the list (the list reports -1 when nothing is chosen).
std::optional<QString> TestoTelaio(int indice);

} // namespace corsa
