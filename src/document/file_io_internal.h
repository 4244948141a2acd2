// Pieces shared by the load, save and lock steps.
#pragma once

#include <cstdint>
#include <string>
#include <sys/stat.h>

#include "document/file_io.h"

namespace qz {

// Modification time of path in nanoseconds since the epoch; 0 when its status
// cannot be read.
int64_t FileTimeOf(const std::string& path);
int64_t FileTimeOf(const struct stat& st);

// Whether the file's attributes forbid writing: no write permission for us,
// or no write bit at all (what a read-only attribute looks like here, and
// what even the superuser is asked about).
bool AttributesForbidWriting(const std::string& path, const struct stat& st);

// Begins the host's wait cursor for the life of a file step.
class FileIo::WaitCursor {
public:
    explicit WaitCursor(FileIoHost* host) : host_(host) {
        if (host_) host_->BeginWaitCursor();
    }
    ~WaitCursor() {
        if (host_) host_->EndWaitCursor();
    }

private:
    FileIoHost* host_;
};

}  // namespace qz
