// "SAVE.DAT", the reopen list: the files saved during the latest run, each
// with its code and caret line, after the twelve numbered marks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qz {

inline constexpr char kSaveDatStamp[] = "V01/L03 2000/02/01";
inline constexpr size_t kSaveDatStampSize = 18;
inline constexpr size_t kSavedMarkSize = 268;
inline constexpr size_t kSavedMarkCount = 12;
inline constexpr size_t kSaveDatHeaderSize = kSaveDatStampSize + kSavedMarkSize * kSavedMarkCount;

// A numbered mark as the file holds it: 32-bit used flag, path in 256 bytes
// (NUL-terminated), the window of the run that wrote it, the line.
struct SavedMark {
    int32_t used = 0;
    std::string path;
    uint32_t window = 0;
    int32_t line = 1;
    bool operator==(const SavedMark&) const = default;
};
using SavedMarks = std::array<SavedMark, kSavedMarkCount>;

// One saved file: L (bytes after it), code, caret line, eight blanks, path.
struct ReopenEntry {
    int32_t code = 1;
    int32_t line = 1;
    std::string path;
    bool operator==(const ReopenEntry&) const = default;
};

// The bytes of the twelve marks. A path that does not fit its 255 bytes is
// written as an unused mark: a cut path would name another file.
std::string EncodeMarks(const SavedMarks& marks);
std::string EncodeEntry(const ReopenEntry& e);

enum class SaveDatRead { Missing, Damaged, Ok };
// Reads the marks and the entries up to the end of the data or the first
// short or impossible entry. Damaged: another stamp, or the marks cut off.
SaveDatRead ReadSaveDat(const std::string& file, SavedMarks& marks, std::vector<ReopenEntry>& entries);

// The writer of one run: the first append starts the file afresh, each later
// one writes the marks again and adds its entry at the end.
class SaveDatWriter {
public:
    explicit SaveDatWriter(std::string file) : file_(std::move(file)) {}
    const std::string& File() const { return file_; }
    // False on an open or write failure.
    bool Append(const SavedMarks& marks, const ReopenEntry& e);
    // Whether this run has made the file (the run flag).
    bool Created() const { return created_; }

private:
    std::string file_;
    bool created_ = false;
};

}  // namespace qz
