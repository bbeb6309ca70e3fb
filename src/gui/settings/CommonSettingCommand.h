#pragma once

namespace kt {

class CM220Radio;
class ISettingSheetHost;

// The View menu's "&Common Setting..." command: opens the "Setting" sheet with
// its " Common " and " Advanced " pages on the host's start page, and keeps the
// start page up to date as the user switches pages.
//
// OK: a new channel spacing that changes stored channels first asks whether to
// change them (listing each); No returns to the sheet. Then both pages send all
// their settings (Common first), the channels the new spacing holds go to the
// designator of their carrier, the document is
// marked modified and its views are updated. OK and Cancel alike then heal the
// whole image ("HEAL") and refresh all rows. Nothing reaches the radio while
// the sheet is open except the questions the pages ask.
//
// Returns whether the sheet ended with OK.
bool RunCommonSettingCommand(CM220Radio& radio, ISettingSheetHost& host);

} // namespace kt
