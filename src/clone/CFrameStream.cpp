#include "CFrameStream.h"

#include "CCloneFrame.h"

namespace kt {

bool CFrameStream::AcceptByte(std::uint8_t byte) {
    switch (byte) {
    case CloneByte::kPreamble:
        collection_.Clear();
        return false;
    case CloneByte::kEnd:
        lastFrame_ = collection_;
        return true;
    default:
        collection_.Append(byte);
        return false;
    }
}

void CFrameStream::Clear() {
    collection_.Clear();
    lastFrame_.Clear();
}

} // namespace kt
