#include "CHexRecord.h"

#include "HexCodec.h"

namespace kt {

namespace {
using HexCodec::DigitValue;

// The value of n digits of text starting at start; every digit has been checked.
std::uint32_t HexValue(std::string_view text, std::size_t start, std::size_t n) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < n; ++i)
        value = (value << 4) | static_cast<std::uint32_t>(DigitValue(text[start + i]));
    return value;
}
} // namespace

void CHexRecord::Bind(CMemoryImage& image) {
    if (image_ == &image)
        return;
    const std::uint32_t size = image.Size();
    coverage_.emplace((size + 7) / 8);
    // Bits that stand for addresses past the end of the image never count as missing.
    for (std::uint32_t a = size; a < coverage_->Size() * 8; ++a)
        coverage_->SetBit(a / 8, 7 - static_cast<int>(a % 8), true);
    image_ = &image;
}

void CHexRecord::Prepare(CMemoryImage& image, std::uint32_t address, std::uint32_t count) {
    data_.assign(count, 0);
    Bind(image);
    address_ = address;
    count_ = count;
}

void CHexRecord::ReadFromImage() {
    if (image_ != nullptr)
        image_->Read(address_, data_.data(), count_);
}

void CHexRecord::WriteToImage() {
    if (image_ != nullptr && image_->Write(address_, data_.data(), count_))
        MarkCovered(address_, count_);
}

void CHexRecord::MarkCovered(std::uint32_t address, std::uint32_t count) {
    for (std::uint32_t a = address; a - address < count; ++a) {
        const std::uint32_t byte = a / 8;
        const int bit = 7 - static_cast<int>(a % 8);
        // Whole bytes at a time where the run allows it.
        if (bit == 7 && count - (a - address) >= 8) {
            coverage_->SetByte(byte, 0xFF);
            a += 7;
            continue;
        }
        coverage_->SetBit(byte, bit, true);
    }
}

std::string CHexRecord::Format() const {
    std::string line;
    line.reserve(6 + 2 * data_.size());
    HexCodec::Append(line, address_ & 0xFFFF, 4);
    const std::uint32_t count = count_ & 0xFFFF;
    HexCodec::Append(line, count, count > 0xFFF ? 4 : count > 0xFF ? 3 : 2); // as "%02X" would
    for (std::uint32_t i = 0; i < count_ && i < data_.size(); ++i)
        HexCodec::Append(line, data_[i], 2);
    return line;
}

std::string CHexRecord::Parse(std::string_view line) {
    if (image_ == nullptr)
        return "ERROR";
    const std::size_t length = line.size();
    if (length < 8 || length > kMaxLineLength)
        return "FORMAT_ERROR";
    for (char c : line)
        if (DigitValue(c) < 0)
            return "FORMAT_ERROR";
    const std::uint32_t address = HexValue(line, 0, 4);
    const std::uint32_t count = HexValue(line, 4, 2);
    if (length != 6 + 2 * static_cast<std::size_t>(count))
        return "FORMAT_ERROR";
    if (static_cast<std::uint64_t>(address) + count > image_->Size())
        return "DATA_OVERFLOW";
    Prepare(*image_, address, count);
    for (std::uint32_t i = 0; i < count; ++i)
        data_[i] = static_cast<std::uint8_t>(HexValue(line, 6 + 2 * std::size_t{i}, 2));
    return "OK";
}

bool CHexRecord::IsComplete() const {
    if (!coverage_)
        return false;
    for (std::uint32_t i = kRequiredFirstAddress / 8; i < coverage_->Size(); ++i)
        if (coverage_->GetByte(i) != 0xFF)
            return false;
    return true;
}

} // namespace kt
