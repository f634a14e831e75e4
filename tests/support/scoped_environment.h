#pragma once
// An environment variable set for one test.

#include <string>

namespace spurwerk::testing {

// Sets an environment variable while it lives and then restores the old
// value, so one test's setting never reaches the next.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    bool wasSet_;
    std::string old_;
};

}  // namespace spurwerk::testing
