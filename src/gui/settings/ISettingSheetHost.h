#pragma once

class QWidget;

namespace kt {

// What the Common Setting command needs of the main window: the start page it
// remembers, the document to mark and update, the channel list to refresh,
// and the window that owns the sheet. The view's commands implement it.
class ISettingSheetHost {
public:
    virtual ~ISettingSheetHost() = default;

    // The zero-based index of the page the Setting sheet opens on; 0 until the
    // user first switches pages. It lives as long as the view and is not saved.
    virtual int StartPageIndex() const = 0;
    // The user has just switched the open sheet to this page.
    virtual void SetStartPageIndex(int index) = 0;
    // After OK: the document counts as modified (its changes are asked to be saved).
    virtual void SetDocumentModified() = 0;
    // After OK: the document tells all its views to update themselves (the
    // channel list then refreshes all rows).
    virtual void UpdateAllViews() = 0;
    // After OK and after Cancel, once the image is healed: rebuild all 20 rows.
    virtual void RefreshAllRows() = 0;
    // The window that owns the sheet.
    virtual QWidget* DialogParent() = 0;
};

} // namespace kt
