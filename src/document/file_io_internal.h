// Pieces shared by the load, save and lock steps.
#pragma once

#include <cstdint>
#include <string>
#include <sys/stat.h>

#include "document/file_io.h"

namespace qz {

class CQzedDoc;
class FileOps;

// Modification time of path in nanoseconds since the epoch; 0 when its status
// cannot be read.
int64_t FileTimeOf(const std::string& path);
int64_t FileTimeOf(const struct stat& st);

// Whether the file's attributes forbid writing: no write permission for us,
// or no write bit at all (what a read-only attribute looks like here, and
// what even the superuser is asked about).
bool AttributesForbidWriting(const std::string& path, const struct stat& st);

// Writes the whole text of doc to fd as a save does: converted to code, line
// feeds as CR LF unless lineEnd is kLineLf, a 0x1A byte at the end when
// writeEof. False on a write error.
bool WriteText(CQzedDoc& doc, FileOps& ops, int fd, int code, int lineEnd, bool writeEof);

// Flushes the folder of path, so that a rename into it survives a power cut.
void SyncFolder(const std::string& path);

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
