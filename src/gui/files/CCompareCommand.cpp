#include "CCompareCommand.h"

#include "CCompareDlg.h"
#include "CDocumentCommands.h"
#include "CImageComparison.h"
#include "CKTM220Doc.h"
#include "CM220Radio.h"

#include <QFileDialog>
#include <QFileInfo>

namespace kt {

bool CCompareCommand::CompareWithDialog() {
    const QString path = QFileDialog::getOpenFileName(dialogParent_, QStringLiteral("Compare With"),
                                                      QFileInfo(doc_.GetPathName()).absolutePath(),
                                                      CDocumentCommands::FileFilter());
    if (path.isEmpty())
        return false;
    return CompareWith(path);
}

bool CCompareCommand::CompareWith(const QString& path) {
    CM220Radio other;
    other.NewData();
    const CKTM220Doc::FileResult loaded = CKTM220Doc::LoadDataFile(other, path);
    if (!loaded.ok) {
        CDocumentCommands::ShowFileError(dialogParent_, loaded);
        return false;
    }
    const auto differences = CImageComparison::Compare(doc_.GetRadio(), other);
    CCompareDlg dialog(dialogParent_);
    dialog.SetDifferences(doc_.GetTitle(), QFileInfo(path).fileName(), differences);
    dialog.exec();
    return true;
}

} // namespace kt
