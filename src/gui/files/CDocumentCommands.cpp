#include "CDocumentCommands.h"

#include "CPlainMessageBox.h"
#include "CStringTable.h"
#include "CommandIds.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace kt {

QString CDocumentCommands::FileFilter() {
    return CStringTable::DocumentString(3).replace(QLatin1String("(*.VKF)"),
                                                   QLatin1String("(*.vkf *.VKF)")) +
           QStringLiteral(";;All Files (*)");
}

void CDocumentCommands::ShowFileError(QWidget* parent, const CKTM220Doc::FileResult& result) {
    CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                         result.message, QMessageBox::Ok, parent);
    box.setInformativeText(result.detail);
    box.exec();
}

bool CDocumentCommands::SaveModified() {
    if (!doc_.IsModified())
        return true;
    const QString text = CStringTable::Text(StringId::kAskToSave).arg(doc_.GetTitle());
    CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle), text,
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, dialogParent_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return FileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool CDocumentCommands::FileNew() {
    if (!SaveModified())
        return false;
    return doc_.OnNewDocument();
}

bool CDocumentCommands::FileOpen() {
    const QString path =
        QFileDialog::getOpenFileName(dialogParent_, QStringLiteral("Open"),
                                     QFileInfo(doc_.GetPathName()).absolutePath(), FileFilter());
    if (path.isEmpty())
        return false;
    return OpenDocumentFile(path);
}

bool CDocumentCommands::OpenDocumentFile(const QString& path) {
    if (!SaveModified())
        return false;
    const CKTM220Doc::FileResult result = doc_.OnOpenDocument(path);
    if (!result.ok)
        ShowFileError(dialogParent_, result);
    return result.ok;
}

bool CDocumentCommands::FileSave() {
    if (doc_.GetPathName().isEmpty())
        return FileSaveAs();
    return DoSave(doc_.GetPathName());
}

bool CDocumentCommands::FileSaveAs() {
    QFileDialog dialog(dialogParent_, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(FileFilter().split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(CStringTable::DocumentString(4).mid(1));
    if (doc_.GetPathName().isEmpty())
        dialog.selectFile(doc_.GetTitle() + CStringTable::DocumentString(4));
    else
        dialog.selectFile(doc_.GetPathName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return DoSave(dialog.selectedFiles().constFirst());
}

bool CDocumentCommands::DoSave(const QString& path) {
    const CKTM220Doc::FileResult result = doc_.OnSaveDocument(path);
    if (!result.ok)
        ShowFileError(dialogParent_, result);
    return result.ok;
}

bool CDocumentCommands::StepHistory(bool back) {
    const bool possible = back ? doc_.CanUndo() : doc_.CanRedo();
    const bool done = doc_.StepHistory(back);
    if (!done && possible) {
        CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                             back ? QStringLiteral("The last edit could not be undone.")
                                  : QStringLiteral("The edit could not be redone."),
                             QMessageBox::Ok, dialogParent_);
        box.setInformativeText(QStringLiteral("The channels and settings are as they were."));
        box.exec();
    }
    return done;
}

} // namespace kt
