// The register of temporary copies, "regbk.dat": which file in the folder
// "TEMP" holds the last temporary save of which document path. It outlives a
// crash, so that the next start can offer the copies back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qz {

class FileOps;

// One 512-byte entry: 'O' used or 'F' free, the document path (at most 254
// bytes, NUL-terminated), 'B', the temporary path (the same). Paths are
// native strings.
struct RegisterEntry {
    bool used = false;
    std::string docPath;
    std::string tempPath;
    bool operator==(const RegisterEntry&) const = default;
};

inline constexpr size_t kRegisterEntrySize = 512;
inline constexpr size_t kRegisterPathMax = 254;

class TempRegister {
public:
    // folder holds "regbk.dat" and "TEMP".
    explicit TempRegister(std::string folder);
    // The writes of the register go through ops (tests make them fail).
    void SetFileOps(FileOps* ops) { ops_ = ops; }

    std::string File() const;     // folder/regbk.dat
    std::string TempDir() const;  // folder/TEMP

    // Unreadable: it exists but cannot be read (it is left as it is).
    enum class Read { Missing, Invalid, Unreadable, Ok };
    // Every entry in file order. A file with an entry that is neither free
    // nor used with its 'B', or whose copy is not one of ours (see OwnCopy),
    // is invalid and deleted on the spot. A short piece at the end (a write
    // cut off) is no entry.
    Read ReadAll(std::vector<RegisterEntry>& entries) const;
    // Replaces the file with these entries; the old file stays whole until
    // the new one is complete. False on a write error.
    bool WriteAll(const std::vector<RegisterEntry>& entries) const;
    // Deletes the file.
    void Remove() const;

    // The temporary path of docPath (SamePath): its entry, or a new copy
    // made in TEMP (prefix "qzm") and registered in the last free entry or
    // at the end. 0 with tempPath, -1 on failure (a path too long for an
    // entry, no TEMP folder, an unreadable file, a write error, after which
    // the file is as it was).
    int EntryFor(const std::string& docPath, std::string& tempPath) const;
    // Deletes the copy of docPath and frees its entry in place. 0, also when
    // there is no file or no entry; -1 when the file was invalid (deleted)
    // or unreadable.
    int Free(const std::string& docPath) const;

    // The file a temporary save writes before it replaces the copy.
    static std::string PartOf(const std::string& copy) { return copy + ".part"; }
    // Deletes a copy and what a cut-off save of it left.
    void DeleteCopy(const std::string& copy) const;

    // Whether path is a copy this register may write or delete: a file
    // directly in TEMP whose name begins with "qzm". Anything else named by
    // a register someone edited is never touched.
    bool OwnCopy(const std::string& path) const;

    // The bytes of one entry and back (tests and the file itself).
    static std::string Encode(const RegisterEntry& e);
    // False when the 512 bytes are not a valid entry.
    static bool Decode(const char* bytes, RegisterEntry& e);

private:
    std::string folder_;
    FileOps* ops_ = nullptr;
};

}  // namespace qz
