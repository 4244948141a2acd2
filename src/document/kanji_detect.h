// Deciding the kanji code of a file being opened: the explicit choices, the
// "EucDrive" rule and the automatic detection of JIS and EUC.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qz {

// Detection looks at the first 16 blocks of 4096 bytes of a file.
constexpr size_t kDetectBlockSize = 4096;
constexpr size_t kDetectBlocks = 16;
constexpr size_t kDetectSampleSize = kDetectBlockSize * kDetectBlocks;

// sample: the file's first bytes (ReadKanjiSample); blocks are its 4096-byte
// pieces, and anything past 64 KB is ignored. Each returns 1 or 0.
// JIS: no byte with bit 7 set, and at least one ESC ( B, ESC ( J, ESC ( I or
// ESC $ B lying whole inside one block.
int DetectJis(std::string_view sample);
// EUC: the byte pairs fit EUC and at least one pair could not be Shift-JIS.
int DetectEuc(std::string_view sample);

// Reads up to kDetectSampleSize bytes from the start of the open file fd and
// leaves it positioned at its start. A read error ends the sample early.
std::string ReadKanjiSample(int fd);

// Whether "EucDrive" names the file's place. The value is a list of tokens
// separated by blanks, tabs, commas, semicolons or colons. A one-character
// token matches a path whose first character is that character (case
// ignored) - a drive letter, which a POSIX path never begins with. A token
// beginning with '/' names a folder: every file inside it, at any depth, is
// EUC. Other tokens are ignored. path should be absolute.
bool IsEucPath(std::string_view eucDrive, std::string_view path);

// The code a file is read with (1 Shift-JIS, 2 EUC, 3 JIS), in this order:
// the document's own code when it has one (reload, re-edit); an explicit
// code 1-3 (open dialog, recent-file entry, reopen list); the "EucDrive" rule;
// and, only when charCheck is 1, JIS then EUC detection over readSample();
// Shift-JIS otherwise. documentCode and explicitCode are 0 for none.
int DecideKanjiCode(int documentCode, int explicitCode, int charCheck,
                    std::string_view eucDrive, std::string_view path,
                    const std::function<std::string()>& readSample);

// The same on an open file, which is positioned at its start afterwards.
int DecideKanjiCode(int documentCode, int explicitCode, int charCheck,
                    std::string_view eucDrive, std::string_view path, int fd);

}  // namespace qz
