#include "CImageStore.h"

#include "CDataFileText.h"
#include "CScratchFile.h"

#include <CRigEngine.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

bool ReadWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

// The mode a new file gets from the umask, or the mode of the file it replaces.
mode_t ModeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

CImageStore::CImageStore() : engine_(std::make_unique<CRigEngine>()) {}
CImageStore::~CImageStore() = default;

bool CImageStore::FileCommand(const std::string& verb, const std::string& path,
                              std::string& error) {
    // The engine takes the path between double quotes, and its command key
    // ends at the first "=".
    if (path.find_first_of("\"=") != std::string::npos) {
        error = "a path with \" or = in it cannot be given to the engine: " + path;
        return false;
    }
    const std::string answer = engine_->Command("FILE." + verb + ".\"" + path + "\"");
    if (answer == "OK")
        return true;
    error = "FILE." + verb + " of " + path + " answers " +
            (answer.empty() ? std::string("nothing") : answer);
    return false;
}

bool CImageStore::Capture(SimImage& image, std::string& error) {
    CScratchFile file(CScratchFile::SystemFolder(), "kt-sim-");
    if (!file.Good()) {
        error = "cannot make a temporary file: " + std::string(std::strerror(errno));
        return false;
    }
    if (!FileCommand("SAVE", file.Path(), error))
        return false;
    std::string text;
    if (!ReadWhole(file.Path(), text)) {
        error = "cannot read the engine's file " + file.Path();
        return false;
    }
    SimImage captured{};
    if (!CDataFileText::Parse(text, captured, error)) {
        error = "the engine's file: " + error;
        return false;
    }
    image = captured;
    return true;
}

bool CImageStore::Initialize(SimImage& image, std::string& error) {
    const std::string answer = engine_->Command("INITIALIZE");
    if (answer != "OK") {
        error = "INITIALIZE answers " + (answer.empty() ? std::string("nothing") : answer);
        return false;
    }
    return Capture(image, error);
}

bool CImageStore::Load(const std::string& path, SimImage& image, std::string& error) {
    return FileCommand("LOAD", path, error) && Capture(image, error);
}

bool CImageStore::Save(const std::string& path, const SimImage& image, std::string& error) {
    CScratchFile input(CScratchFile::SystemFolder(), "kt-sim-");
    if (!input.Good()) {
        error = "cannot make a temporary file: " + std::string(std::strerror(errno));
        return false;
    }
    if (!WriteWhole(input.Path(), CDataFileText::Compose(image))) {
        error = "cannot write the temporary file " + input.Path();
        return false;
    }
    if (!FileCommand("LOAD", input.Path(), error))
        return false;

    const std::filesystem::path target(path);
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += '.';
    CScratchFile output(folder, prefix);
    if (!output.Good()) {
        error = "cannot make a file in " + folder + ": " + std::strerror(errno);
        return false;
    }
    if (!FileCommand("SAVE", output.Path(), error))
        return false;
    ::chmod(output.Path().c_str(), ModeFor(path));
    if (std::rename(output.Path().c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + std::strerror(errno);
        return false;
    }
    output.Keep();
    return true;
}
