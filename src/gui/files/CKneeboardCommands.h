#pragma once

#include "CFileCommand.h"
#include "CKTM220Doc.h"
#include "CKneeboardCard.h"

#include <QString>

class QWidget;

namespace kt {

// File > "Print Kneeboard...": the card's size and colours, then the print
// dialog with the card's sheet chosen. The PDF of a card is written whole
// through the atomic replace, as the channel plan's is.
class CKneeboardCommands : public CFileCommand {
public:
    using CFileCommand::CFileCommand;

    // The card of the document as it stands.
    CKneeboardCard Card(const CKneeboardCard::Options& options) const;

    // Writes the card as a one-page PDF without dialogs or messages.
    static CKTM220Doc::FileResult ExportPdf(const CKneeboardCard& card, const QString& title,
                                            const QString& path);

    // The menu command, with its dialogs and a message box on failure;
    // answers whether the card was printed. The choice of card is kept for
    // the next time.
    bool PrintWithDialog();

private:
    CKneeboardCard::Options options_;
};

} // namespace kt
