#pragma once

#include "CChoiceList.h"
#include "CNumberList.h"
#include "CNumberSelect.h"
#include "CSelectValue.h"
#include "CTextValue.h"
#include "SyncDirection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kt {

class CMemoryImage;

// One common setting: its name, where its bits or bytes lie in the memory
// image, and its decoded value. A choice setting (BITNUM) owns its choice list,
// a numbered setting (SELNUM) its number list, a text setting (MEMNAME) a text.
class CSettingItem {
public:
    static constexpr int kKindEmpty = 0;
    static constexpr int kKindBitNumber = 1;
    static constexpr int kKindSelectNumber = 2;
    static constexpr int kKindMemoryName = 3;

    CSettingItem() = default;
    CSettingItem(const CSettingItem&) = delete; // the values refer to the item's own lists
    CSettingItem& operator=(const CSettingItem&) = delete;

    // "EMPTY", "BITNUM", "SELNUM" or "MEMNAME", any case; an unknown name changes
    // nothing and answers false. Creates the kind's value objects; BITNUM and
    // SELNUM also get start bit 7 and width 8.
    bool SetKind(const std::string& name);
    int Kind() const { return kind_; }

    void SetName(const std::string& name) { name_ = name; }
    const std::string& Name() const { return name_; }
    void SetAddress(std::uint32_t address) { address_ = address; }
    std::uint32_t Address() const { return address_; }
    void SetStartBit(int bit) { startBit_ = bit; }
    void SetWidth(int bits) { width_ = bits; }
    void SetWidthBytes(int bytes) { width_ = 8 * bytes; }
    int Width() const { return width_; }

    // The value objects of the item's kind; null for other kinds.
    CChoiceList* Choices() { return choices_.get(); }
    CNumberList* Numbers() { return numbers_.get(); }
    CNumberSelect* Number() { return number_.get(); }
    CTextValue* Text() { return text_.get(); }

    // Forwards the value part of a command to the value object; an EMPTY item
    // answers the empty text.
    std::string Command(const std::string& valuePart);
    // Moves the value between the item and its place in the image.
    void Sync(SyncDirection direction, CMemoryImage& image);

private:
    int kind_ = kKindEmpty;
    std::string name_;
    std::uint32_t address_ = 0;
    int startBit_ = 0;
    int width_ = 1;
    std::unique_ptr<CChoiceList> choices_;
    std::unique_ptr<CSelectValue> selection_;
    std::unique_ptr<CNumberList> numbers_;
    std::unique_ptr<CNumberSelect> number_;
    std::unique_ptr<CTextValue> text_;
};

} // namespace kt
