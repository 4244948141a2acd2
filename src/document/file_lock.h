// The document's advisory lock on its file: an open file description lock
// (fcntl F_OFD_SETLK) standing for the sharing modes of the lock handle.
#pragma once

#include <string>
#include <sys/types.h>

namespace qz {

// What other holders of locks on a file allow us, as the loader and the lock
// step need to know it.
enum class LockProbe {
    Free,          // nobody denies anything: a read-write open would be allowed
    DenyWriting,   // someone holds a shared lock: reading allowed, writing not
    DenyAll,       // someone holds an exclusive lock: neither
};

// Looks at the locks other open file descriptions hold on the whole of path.
// A file that cannot be opened at all reads as DenyAll.
LockProbe ProbeLocks(const std::string& path);

// The lock handle. Mode 1 takes a shared lock (others may read and take
// shared locks, nobody may take a write lock); any other nonzero mode takes an
// exclusive lock (others may take no lock at all). Advisory only: a program
// that does not ask for locks is not stopped.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Opens path and takes the lock of mode (nonzero). False when the open or
    // the lock fails; nothing is held then.
    bool Take(const std::string& path, int mode);
    void Release();

    bool Held() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }
    int Mode() const { return mode_; }
    // Whether the held lock is still on the file now found at its path (the
    // file may have been replaced since).
    bool StillOnPath() const;

private:
    int fd_ = -1;
    int mode_ = 0;
    std::string path_;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
};

}  // namespace qz
