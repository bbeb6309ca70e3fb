#pragma once

#include <QString>
#include <string>

namespace kt {

// A text of the radio (a channel name, the comments, a finding that quotes
// them) for a widget or a page: the radio's texts are bytes, each shown as
// one Latin-1 character, so every byte keeps its place.
inline QString RadioText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kt
