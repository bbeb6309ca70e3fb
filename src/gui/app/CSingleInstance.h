#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Lets one copy of the program run at a time: a lock file in the user's
// runtime folder marks the running copy. The lock of a copy that ended without
// releasing it (it crashed or was killed) is taken over.
class CSingleInstance {
public:
    // The lock file's path: "kt-m220.lock" in the runtime folder
    // ($XDG_RUNTIME_DIR), or in the temporary folder when there is none.
    static QString LockFilePath();

    // Takes the lock at path (LockFilePath when empty).
    explicit CSingleInstance(const QString& path = {});
    // Releases the lock when this copy holds it.
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // False when another copy runs. A lock that cannot be made at all (no
    // permission in the folder) does not keep the program from running.
    bool IsFirst() const { return first_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};
