#pragma once

#include <string>
#include <utility>

namespace kt {

// The command text that the engine's handlers pass along: a handler that
// recognises a channel prefix takes it off, and a handler that answers empties it.
class CCommandText {
public:
    CCommandText() = default;
    explicit CCommandText(std::string text) : text_(std::move(text)) {}
    virtual ~CCommandText() = default;
    CCommandText(const CCommandText&) = default;
    CCommandText& operator=(const CCommandText&) = default;

    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    void Clear() { text_.clear(); }
    bool IsEmpty() const { return text_.empty(); }

private:
    std::string text_;
};

} // namespace kt
