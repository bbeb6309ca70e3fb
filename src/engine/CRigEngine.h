#pragma once

#include "CBandPlan.h"
#include "CChannelTable.h"
#include "CClipboardSlot.h"
#include "CCommonSettings.h"
#include "CImageCommands.h"
#include "CMemoryImage.h"
#include "DefaultImage.h"

#include <string>
#include <string_view>

namespace kt {

// The engine: it owns the 512-byte memory image and everything decoded from
// it, and is the only thing that reads or changes them. Everything else hands
// it a command text and gets an answer text back; an empty answer means that
// no handler understood the command. Command never throws.
class CRigEngine {
public:
    CRigEngine();
    virtual ~CRigEngine();
    CRigEngine(const CRigEngine&) = delete;
    CRigEngine& operator=(const CRigEngine&) = delete;

    std::string Command(std::string_view command) noexcept;

    static constexpr int ModelNumber() { return kDataFileModel; }
    static constexpr int RevisionNumber() { return kDataFileRevision; }

private:
    // Offers the command to the image-wide, the channel and the common
    // settings handler in turn; the first non-empty answer wins.
    std::string Dispatch(std::string_view command);

    CBandPlan bandPlan_;
    CClipboardSlot clipboard_;
    CMemoryImage working_;
    CMemoryImage snapshot_; // the working image at the last "EDIT_FLAG=OFF"
    CCommonSettings settings_;
    CChannelTable table_;
    bool editFlag_ = false; // the image has changed since the snapshot
    CImageCommands imageCommands_;
};

} // namespace kt
