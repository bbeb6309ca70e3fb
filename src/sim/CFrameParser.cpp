#include "CFrameParser.h"

#include "CSimFrame.h"

namespace kt {

bool CFrameParser::Accept(std::uint8_t byte) {
    if (byte == CSimFrame::kPreamble) {
        inFrame_ = true;
        body_.clear();
        return false;
    }
    if (!inFrame_)
        return false;
    if (byte == CSimFrame::kEnd) {
        inFrame_ = false;
        return true;
    }
    if (body_.size() < kMaxBody)
        body_.push_back(byte);
    return false;
}

void CFrameParser::Reset() {
    inFrame_ = false;
    body_.clear();
}

} // namespace kt
