// Deciding whether a file being opened is UTF-8, ahead of the Shift-JIS, EUC
// and JIS decision.
#pragma once

#include <string_view>

namespace qz {

// Whether the open file fd looks like UTF-8: valid UTF-8 with at least one
// multi-byte sequence in the first 64 KB piece of the file that holds a byte
// above 0x7F (so a long ASCII head hides nothing). The file is positioned at
// its start afterwards. Whether the rest is valid too shows while it is read.
bool FileLooksUtf8(int fd);

// The code a file is read with: the document's own code, then an explicit
// code 1-4, then UTF-8 for a file that looks like it (whatever "CharCheck"
// says: such bytes are almost never Shift-JIS, EUC or JIS text), then the
// decision among the other three (DecideKanjiCode). utf8 false leaves UTF-8
// out, for a file that turned out not to be UTF-8 after all.
int DecideFileCode(int documentCode, int explicitCode, int charCheck, std::string_view eucDrive,
                   std::string_view path, int fd, bool utf8 = true);

}  // namespace qz
