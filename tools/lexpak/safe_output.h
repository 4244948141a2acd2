// The sorted dictionary's destination: written beside it under a temporary
// name and renamed into place only when the whole dictionary was written, so
// that a failure never leaves an existing dictionary half overwritten.
#pragma once

#include <cstdio>
#include <string>

namespace lexpak {

class SafeOutput {
public:
    explicit SafeOutput(std::string destination) : dest_(std::move(destination)) {}
    ~SafeOutput();  // an uncommitted temporary file is removed
    SafeOutput(const SafeOutput&) = delete;
    SafeOutput& operator=(const SafeOutput&) = delete;

    // The stream to write to, or nullptr when the destination cannot be
    // created (missing folder, a directory, not writable).
    FILE* Open();
    // Puts the written file in place; the stream must have been closed.
    bool Commit();

private:
    std::string dest_;
    std::string target_;  // the file that gets replaced (links resolved)
    std::string temp_;    // empty when writing straight to the destination
    FILE* file_ = nullptr;
    bool committed_ = false;
};

}  // namespace lexpak
