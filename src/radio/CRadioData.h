#pragma once

#include "CIdentityRecord.h"
#include "CTempFile.h"

#include <string>

namespace kt {

class IArchive;

// The base of the objects through which the document, the views and the clone
// exchanges reach a transceiver's data. It fixes the operations every radio
// data object offers and moves the document's file contents through a private
// temporary data file, so that the document never needs to know the data file
// format. The base itself holds no memory image: its data operations do nothing.
class CRadioData {
public:
    CRadioData();
    virtual ~CRadioData();
    CRadioData(const CRadioData&) = delete;
    CRadioData& operator=(const CRadioData&) = delete;

    virtual const char* RuntimeClassName() const { return "CRadioData"; }
    // Reads or writes the document through the temporary file. Throws
    // CFileFormatError when the contents are not accepted or the temporary
    // file cannot be used; the document is then left as it was.
    virtual void Serialize(IArchive& archive);
    virtual void NewData();
    virtual void InitializeData() {}
    virtual bool SaveFile(const std::string& /*path*/) { return true; }
    // Whether the file was taken.
    virtual bool LoadFile(const std::string& /*path*/) { return true; }
    virtual void OnFileLoaded() {}
    virtual void SaveTemp() {}
    virtual void LoadTemp() {}
    virtual void OnTempLoaded() {}
    virtual bool IsModified() { return modified_; }
    // The flag becomes true exactly when the argument is 1.
    virtual void SetModified(int modified) { modified_ = (modified == 1); }
    virtual bool AcceptIdentity(const CIdentityRecord& /*identity*/) { return true; }
    virtual std::string GetModelName() const { return "Model Machine"; }
    virtual std::string GetModelComment() const { return "Model Comment"; }
    virtual const CIdentityRecord& GetIdentity() const { return identity_; }
    virtual bool CheckIdentity(const CIdentityRecord& /*identity*/, bool /*checkOnly*/) {
        return true;
    }
    virtual void ResetIdentity();

    // Used by the document around the clone exchanges: load a data file that a
    // clone read wrote (false, and nothing changed, when it is not taken), and
    // save the contents into the file a clone write sends.
    bool LoadDataFile(const std::string& path);
    void SaveDataFile(const std::string& path);

    const std::string& TempPath() const { return temp_.Path(); }

protected:
    CIdentityRecord& Identity() { return identity_; }

private:
    void WriteArchiveFromTemp(IArchive& archive);
    void ReadArchiveIntoTemp(IArchive& archive);

    CTempFile temp_;
    bool modified_ = false;
    CIdentityRecord identity_;
};

} // namespace kt
