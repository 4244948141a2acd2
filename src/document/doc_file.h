// What a document knows about the file it was read from: code, line ends,
// lock and the time that tells of changes made by other programs.
#pragma once

#include <cstdint>
#include <string>

#include "document/file_lock.h"
#include "document/kanji_code.h"
#include "document/utf8_convert.h"

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
    // Length in bytes at the same moment; -1 when unknown. Together with the
    // time it tells a save whether another program wrote the file meanwhile.
    int64_t fileSize = -1;
    // The lock mode in force: "ExclusiveMode" taken at load, 0 after locking failed.
    int exclusiveMode = 0;
    FileLock lock;
    bool loaded = false;
    // UTF-8 files: the form of each two-form code, and whether a byte order
    // mark came first; both are written back as they were found.
    Utf8Forms utf8Forms;
    bool utf8Bom = false;
    // The file the text was read from when it could not be read without
    // loss (a UTF-8 problem): the text is never saved over that file.
    std::string lossyFrom;

    int Code() const { return kanjiCode ? kanjiCode : kCodeSjis; }
    // Takes the time and size of the file as it is now (0 and -1 when its
    // status cannot be read).
    void Stamp(const std::string& path);
};

}  // namespace qz
