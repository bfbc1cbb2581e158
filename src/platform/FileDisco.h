#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace corsa {

// Writes beside the target and replaces it only once everything is written,
// so a failure leaves an existing file as it was. Returns why it failed, in
// words for the user, or nothing on success.
std::optional<QString> ScriviFile(const QString& nome, const QByteArray& dati);

// The contents of a regular file, or nothing when it cannot be read. Reading
// stops at LimiteLettura bytes: the files this program reads are far smaller.
inline constexpr qint64 LimiteLettura = 16 * 1024 * 1024;
std::optional<QByteArray> LeggiFile(const QString& nome);

} // namespace corsa
