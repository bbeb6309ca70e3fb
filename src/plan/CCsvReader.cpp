#include "CCsvReader.h"

namespace kt {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

// Walks the text once, counting lines as it goes.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {
        if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            pos_ = kByteOrderMark.size();
    }

    CCsvReader::Result Run() {
        CCsvReader::Result result;
        while (!AtEnd()) {
            const std::size_t lineStart = pos_;
            SkipBlanks();
            if (AtEnd())
                break;
            if (AtLineEnd()) {
                SkipLineEnd();
                continue;
            }
            if (text_[pos_] == '#') {
                SkipRestOfLine();
                continue;
            }
            pos_ = lineStart;
            CCsvRecord record;
            record.line = line_;
            CCsvProblem problem;
            if (ReadRecord(record, problem))
                result.records.push_back(std::move(record));
            else
                result.problems.push_back(std::move(problem));
        }
        return result;
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool AtLineEnd() const { return !AtEnd() && (text_[pos_] == '\r' || text_[pos_] == '\n'); }

    // Takes one line end (CR LF, LF or CR) and gives what it was.
    std::string_view SkipLineEnd() {
        const std::size_t start = pos_;
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            pos_ += 2;
        else
            ++pos_;
        ++line_;
        return text_.substr(start, pos_ - start);
    }

    void SkipRestOfLine() {
        while (!AtEnd() && !AtLineEnd())
            ++pos_;
        if (!AtEnd())
            SkipLineEnd();
    }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_]))
            ++pos_;
    }

    bool ReadRecord(CCsvRecord& record, CCsvProblem& problem) {
        for (;;) {
            std::string field;
            SkipBlanks();
            if (!AtEnd() && text_[pos_] == '"') {
                if (!ReadQuoted(field, record.fields.size() + 1, problem))
                    return false;
            } else {
                const std::size_t begin = pos_;
                while (!AtEnd() && !AtLineEnd() && text_[pos_] != ',')
                    ++pos_;
                field = TrimBlanks(text_.substr(begin, pos_ - begin));
            }
            record.fields.push_back(std::move(field));
            if (AtEnd())
                return true;
            if (AtLineEnd()) {
                SkipLineEnd();
                return true;
            }
            ++pos_; // the comma
        }
    }

    // Reads a field in quotes, from its opening quote to the separator after it.
    bool ReadQuoted(std::string& field, std::size_t number, CCsvProblem& problem) {
        const int openLine = line_;
        ++pos_;
        for (;;) {
            if (AtEnd()) {
                problem = {openLine, CCsvProblem::Kind::Error,
                           "the quote that opens field " + std::to_string(number) +
                               " is never closed"};
                return false;
            }
            const char c = text_[pos_];
            if (c == '"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    field += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (AtLineEnd())
                field += SkipLineEnd();
            else {
                field += c;
                ++pos_;
            }
        }
        SkipBlanks();
        if (!AtEnd() && !AtLineEnd() && text_[pos_] != ',') {
            problem = {line_, CCsvProblem::Kind::Error,
                       "text follows the closing quote of field " + std::to_string(number)};
            SkipRestOfLine();
            return false;
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};
} // namespace

CCsvReader::Result CCsvReader::Read(std::string_view text) {
    return Parser(text).Run();
}

std::string CCsvReader::Quote(std::string_view field) {
    const bool needsQuotes = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                             (!field.empty() && (IsBlank(field.front()) || IsBlank(field.back())));
    if (!needsQuotes)
        return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace kt
