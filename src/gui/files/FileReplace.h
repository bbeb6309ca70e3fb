#pragma once

#include <QString>
#include <string_view>

namespace kt {

// Replaces the file at path with bytes through the atomic replace every
// program of the project writes its files with: a failure leaves the old file
// as it was. Answers an empty text on success, else the reason for the user.
QString ReplaceFile(const QString& path, std::string_view bytes);

} // namespace kt
