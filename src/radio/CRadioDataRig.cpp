#include "CRadioDataRig.h"

#include "CFileFormatError.h"
#include "CRigEngine.h"

namespace kt {

CRadioDataRig::CRadioDataRig() : engine_(std::make_unique<CRigEngine>()) {}

CRadioDataRig::~CRadioDataRig() = default;

void CRadioDataRig::ReplaceEngine(std::unique_ptr<CRigEngine> engine) {
    engine_ = std::move(engine);
}

std::string CRadioDataRig::Command(std::string_view command) {
    return engine_->Command(command);
}

std::string CRadioDataRig::SaveCommand(const std::string& path) {
    return "FILE.SAVE.\"" + path + "\"";
}

std::string CRadioDataRig::LoadCommand(const std::string& path) {
    return "FILE.LOAD.\"" + path + "\"";
}

void CRadioDataRig::InitializeData() {
    Command("INITIALIZE");
    Command(SaveCommand(TempPath()));
}

// A path that cannot stand between the double quotes of a file command would
// make the engine use a different file than the one asked for; such a path is
// never sent.
bool CRadioDataRig::SaveFile(const std::string& path) {
    if (!CTempFile::IsSafeInCommand(path))
        return false;
    Command(SaveCommand(path));
    return true;
}

// Answers whether the engine took the file. A refused file has left the
// engine's image as it was, and nothing more is sent.
bool CRadioDataRig::LoadFile(const std::string& path) {
    if (!CTempFile::IsSafeInCommand(path))
        return false;
    if (Command(LoadCommand(path)) != "OK")
        return false;
    Command("HEAL");
    return true;
}

void CRadioDataRig::SaveTemp() {
    const std::string answer = Command(SaveCommand(TempPath()));
    if (answer != "OK")
        throw CFileFormatError(CFileFormatError::kMessage, answer);
}

void CRadioDataRig::LoadTemp() {
    const std::string answer = Command(LoadCommand(TempPath()));
    if (answer != "OK")
        throw CFileFormatError(CFileFormatError::kMessage, answer);
}

bool CRadioDataRig::IsModified() {
    return Command("EDIT_FLAG") == "ON";
}

void CRadioDataRig::SetModified(int modified) {
    Command(modified == 1 ? "EDIT_FLAG=ON" : "EDIT_FLAG=OFF");
}

} // namespace kt
