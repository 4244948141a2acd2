// The file operations a save depends on, behind one interface so that tests
// can make a read, a write, a flush or a rename fail where a disk would.
#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace qz {

// Each returns what its POSIX namesake returns and leaves errno set on failure.
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual int Open(const std::string& path, int flags, mode_t mode);
    virtual ssize_t Read(int fd, void* bytes, size_t n);
    virtual ssize_t Write(int fd, const void* bytes, size_t n);
    virtual int Fsync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
};

// The plain system calls.
FileOps& PosixFileOps();

// Writes all n bytes, going on after short writes and EINTR. False on an
// error or when the device takes nothing more.
bool WriteAll(FileOps& ops, int fd, const char* bytes, size_t n);

// Renames from to to; across file systems (EXDEV) the file is copied with its
// mode and times, flushed, and the original removed, as a move between drives
// does. 0 on success; -1 with errno set, and nothing left under to, when the
// move cannot be completed (from then stays where it was).
int MoveFile(FileOps& ops, const std::string& from, const std::string& to);

}  // namespace qz
