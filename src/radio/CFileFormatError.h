#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace kt {

// The one exception the program raises: a document file that the engine does
// not accept, or a temporary data file that cannot be used while a document is
// read or written. The document reports it by its message.
class CFileFormatError : public std::runtime_error {
public:
    static constexpr const char* kMessage = "Unexpected file format.";
    CFileFormatError() : std::runtime_error(kMessage) {}
    explicit CFileFormatError(const std::string& message, std::string answer = {})
        : std::runtime_error(message), answer_(std::move(answer)) {}

    // The engine's answer word ("FORMAT_ERROR", "NOT_ENOUGH_DATA", ...) when
    // the engine refused the file; empty for other failures.
    const std::string& AnswerWord() const { return answer_; }

private:
    std::string answer_;
};

} // namespace kt
