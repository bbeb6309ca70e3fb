#pragma once

#include "CSettingItem.h"
#include "SyncDirection.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kt {

class CMemoryImage;

// The transceiver's 18 common settings (beeps, scan, display, permissions,
// channel spacing, priority channel, opening text, clone comment), decoded from
// and encoded into the memory image, and the engine's "COMMON." commands.
class CCommonSettings {
public:
    // Image places of the settings.
    static constexpr std::uint32_t kCloneCommentAddress = 0x010;
    static constexpr int kCloneCommentLength = 16;
    static constexpr std::uint32_t kPermissionsAddress = 0x030;
    static constexpr std::uint32_t kFunctionsAddress = 0x031;
    static constexpr std::uint32_t kDisplayAddress = 0x032;
    static constexpr std::uint32_t kOpeningTextAddress = 0x038;
    static constexpr int kOpeningTextLength = 7;
    static constexpr std::uint32_t kPriorityChannelAddress = 0x040;
    static constexpr std::uint32_t kVfoFlagsAddress = 0x053;

    // Builds the 18 settings; the map starts not synced.
    CCommonSettings();
    CCommonSettings(const CCommonSettings&) = delete;
    CCommonSettings& operator=(const CCommonSettings&) = delete;

    void Add(std::unique_ptr<CSettingItem> item);
    std::size_t Count() const { return items_.size(); }
    CSettingItem& ItemAt(std::size_t i) { return *items_[i]; }
    // The first item with that name (any case), or null.
    CSettingItem* Find(const std::string& name);

    // Decodes when not synced, encodes when synced.
    void Sync(CMemoryImage& image);
    // Decodes or encodes every setting in table order, then marks the map synced.
    void Sync(SyncDirection direction, CMemoryImage& image);
    void Unsync() { synced_ = false; }
    bool IsSynced() const { return synced_; }

    // The "COMMON.<setting>[.<selector>][=<value>]" handler: answers the
    // setting's value after the command, or the empty text for anything else.
    // Works on the decoded values only.
    std::string Handle(const std::string& command);

private:
    std::vector<std::unique_ptr<CSettingItem>> items_;
    bool synced_ = false;
};

} // namespace kt
