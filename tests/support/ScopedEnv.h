#pragma once

#include <optional>
#include <string>

namespace kt {

// Sets (or, with nullptr, removes) an environment variable for the life of
// the object, and puts back what was there before. Programs a test starts
// inherit it. The time zone is re-read, so TZ may be set this way too.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace kt
