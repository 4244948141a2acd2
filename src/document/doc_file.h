// What a document knows about the file it was read from: code, line ends,
// lock and the time that tells of changes made by other programs.
#pragma once

#include <cstdint>

#include "document/file_lock.h"
#include "document/kanji_code.h"

namespace qz {

struct DocFile {
    // 0 until the first load decides it; a reload or re-edit keeps it.
    int kanjiCode = 0;
    int lineEnd = kLineCrLf;
    // A document that is not a plain file (the OS command window): no file
    // time check.
    bool special = false;
    // Modification time in nanoseconds since the epoch; 0 when unreadable.
    int64_t fileTime = 0;
    // The lock mode in force: "ExclusiveMode" taken at load, 0 after locking failed.
    int exclusiveMode = 0;
    FileLock lock;
    bool loaded = false;

    int Code() const { return kanjiCode ? kanjiCode : kCodeSjis; }
};

}  // namespace qz
