#include "CommonSettingCommand.h"

#include "CAdvancedPage.h"
#include "CCommonPage.h"
#include "CM220Radio.h"
#include "CSettingSheet.h"
#include "ISettingSheetHost.h"

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

    const bool accepted = sheet.exec() == QDialog::Accepted;
    if (accepted) {
        common.WriteBack();
        advanced.WriteBack();
        host.SetDocumentModified();
        host.UpdateAllViews();
    }
    // The settings were changed one by one; the image follows at the heal.
    radio.Heal();
    host.RefreshAllRows();
    return accepted;
}
