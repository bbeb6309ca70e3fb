#pragma once

#include "IArchive.h"

#include <QString>

class QIODevice;

// A document archive over an open file: the file being read when a document
// is opened, or the QSaveFile being written when it is saved. A failed read or
// write is kept, so that the document can refuse to use or commit the file.
class CFileArchive : public IArchive {
public:
    CFileArchive(QIODevice& device, bool storing) : device_(device), storing_(storing) {}

    bool IsStoring() const override { return storing_; }
    std::size_t Read(char* buffer, std::size_t max) override;
    void Write(const char* data, std::size_t size) override;

    bool Failed() const { return failed_; }
    // The device's reason of the first failure.
    const QString& ErrorText() const { return errorText_; }

private:
    void Fail();

    QIODevice& device_;
    bool storing_;
    bool failed_ = false;
    QString errorText_;
};
