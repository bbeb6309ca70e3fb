#include "CSettingItem.h"

#include "CMemoryImage.h"
#include "TextFields.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace kt {

namespace {
constexpr std::array<std::string_view, 4> kKindNames = {"EMPTY", "BITNUM", "SELNUM", "MEMNAME"};
constexpr int kDefaultStartBit = 7;
constexpr int kDefaultWidth = 8;
} // namespace

bool CSettingItem::SetKind(const std::string& name) {
    int kind = -1;
    for (std::size_t i = 0; i < kKindNames.size(); ++i)
        if (EqualsNoCase(name, kKindNames[i]))
            kind = static_cast<int>(i);
    if (kind < 0)
        return false;

    kind_ = kind;
    selection_.reset();
    choices_.reset();
    number_.reset();
    numbers_.reset();
    text_.reset();
    // Both kinds of list start from the same place in the image.
    if (kind_ == kKindBitNumber || kind_ == kKindSelectNumber) {
        startBit_ = kDefaultStartBit;
        width_ = kDefaultWidth;
    }
    switch (kind_) {
    case kKindBitNumber:
        choices_ = std::make_unique<CChoiceList>();
        selection_ = std::make_unique<CSelectValue>(*choices_);
        break;
    case kKindSelectNumber:
        numbers_ = std::make_unique<CNumberList>();
        number_ = std::make_unique<CNumberSelect>(*numbers_);
        break;
    case kKindMemoryName:
        text_ = std::make_unique<CTextValue>();
        break;
    default:
        break;
    }
    return true;
}

std::string CSettingItem::Command(const std::string& valuePart) {
    switch (kind_) {
    case kKindBitNumber:
        return selection_->Command(valuePart);
    case kKindSelectNumber:
        return number_->Command(valuePart);
    case kKindMemoryName:
        return text_->Command(valuePart);
    default:
        return {};
    }
}

void CSettingItem::Sync(SyncDirection direction, CMemoryImage& image) {
    const bool decode = direction == SyncDirection::Decode;
    switch (kind_) {
    case kKindBitNumber:
        if (decode)
            selection_->SelectValue(image.ReadBits(address_, startBit_, width_));
        else
            image.WriteBits(address_, startBit_, width_, selection_->Value());
        break;
    case kKindSelectNumber:
        if (decode)
            number_->SetValue(image.ReadBits(address_, startBit_, width_));
        else
            image.WriteBits(address_, startBit_, width_, static_cast<unsigned>(number_->Value()));
        break;
    case kKindMemoryName: {
        const auto length = static_cast<std::size_t>(std::max(width_ / 8, 0));
        if (decode) {
            // Zero-filled: a run that does not fit the image reads as no text.
            std::vector<std::uint8_t> bytes(length, 0);
            if (length > 0)
                image.Read(address_, bytes.data(), length);
            const std::string text(bytes.begin(), bytes.end());
            text_->Set(text); // stops at the first zero byte
        } else {
            std::string text = text_->Get();
            text.resize(length, ' ');
            if (length > 0)
                image.Write(address_, reinterpret_cast<const std::uint8_t*>(text.data()), length);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace kt
