#include "CommonSettingCommand.h"

#include "CAdvancedPage.h"
#include "CCommonPage.h"
#include "CM220Radio.h"
#include "CSettingSheet.h"
#include "CSpacingChange.h"
#include "ISettingSheetHost.h"
#include "SpacingChangeQuestion.h"

#include <optional>

namespace kt {

bool RunCommonSettingCommand(CM220Radio& radio, ISettingSheetHost& host) {
    CSettingSheet sheet(host.DialogParent(), host.StartPageIndex());
    // Both pages read their settings now, the Common page first. They are
    // declared after the sheet, so they leave it before it is destroyed.
    CCommonPage common(&radio);
    CAdvancedPage advanced(&radio);
    sheet.AddPage(&common);
    sheet.AddPage(&advanced);
    QObject::connect(&sheet, &CSettingSheet::PageChanged,
                     [&host](int index) { host.SetStartPageIndex(index); });

    // A new channel spacing that changes stored channels lists them and asks
    // first; No goes back to the sheet.
    bool accepted = false;
    bool spacingChanges = false;
    for (;;) {
        accepted = sheet.exec() == QDialog::Accepted;
        spacingChanges = accepted && advanced.SpacingChosen() != advanced.SpacingRead();
        if (!spacingChanges)
            break;
        const auto moves = CSpacingChange::Preview(radio, advanced.SpacingChosen());
        if (moves.empty() || AskSpacingChange(&sheet, advanced.SpacingChosen(), moves))
            break;
    }
    if (accepted) {
        std::optional<CSpacingChange> spacing;
        if (spacingChanges)
            spacing.emplace(radio);
        common.WriteBack();
        advanced.WriteBack();
        // Channels the new spacing holds stay on their carrier.
        if (spacing)
            spacing->HoldChannels(radio);
        host.SetDocumentModified();
        host.UpdateAllViews();
    }
    // The settings were changed one by one; the image follows at the heal.
    radio.Heal();
    host.RefreshAllRows();
    return accepted;
}

} // namespace kt
