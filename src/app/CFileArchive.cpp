#include "CFileArchive.h"

#include <QIODevice>

std::size_t CFileArchive::Read(char* buffer, std::size_t max) {
    if (failed_)
        return 0;
    const qint64 n = device_.read(buffer, static_cast<qint64>(max));
    if (n < 0) {
        Fail();
        return 0;
    }
    return static_cast<std::size_t>(n);
}

void CFileArchive::Write(const char* data, std::size_t size) {
    std::size_t done = 0;
    while (!failed_ && done < size) {
        const qint64 n = device_.write(data + done, static_cast<qint64>(size - done));
        if (n <= 0)
            Fail();
        else
            done += static_cast<std::size_t>(n);
    }
}

void CFileArchive::Fail() {
    if (!failed_)
        errorText_ = device_.errorString();
    failed_ = true;
}
