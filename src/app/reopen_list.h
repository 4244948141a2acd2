// The reopen list of a run ("SAVE.DAT") and the numbered marks kept across
// runs: every save appends its file, command 32872 and "-q" open the files
// of the latest run again.
#pragma once

#include <cstdint>
#include <string>

#include "document/save_dat.h"

namespace qz {

class MessageBox;
struct Settings;

namespace reopen_msg {
inline constexpr const char* kCannotCreate = "ファイルが作成できませんでした";
inline constexpr const char* kDamaged = "'SAVE.DT'が壊れているかファイル版数が違うため読めません";
inline constexpr const char* kCannotOpen = "ファイルが開けませんでした\n";
inline constexpr const char* kOpenCaption = "ファイル開く";
}  // namespace reopen_msg

// How the listed files are opened.
class ReopenHost {
public:
    virtual ~ReopenHost() = default;
    // Opens path as an ordinary document with code as its explicit code (0
    // detects), activates it instead when it is open, and puts the caret of
    // its view on line. False when it could not be opened or no longer exists.
    virtual bool OpenForReopen(const std::string& path, int code, uint32_t line) = 0;
};

class ReopenList {
public:
    // file: the list; by default "SAVE.DAT" in the state folder as it is now.
    explicit ReopenList(MessageBox& box, std::string file = {});

    const std::string& File() const { return writer_.File(); }
    // A save of path (or an unchanged document closed by the save-and-close
    // command): its code and the caret line of its first view, with the
    // marks as they are now. A failure is reported.
    void Append(const std::string& path, int code, uint32_t line);
    // Opens every listed file in turn; a file that cannot be opened is
    // reported and the rest still open. With "MarkRestore" bit 1 the marks
    // come back too.
    void Reopen(ReopenHost& host);

private:
    MessageBox& box_;
    SaveDatWriter writer_;
};

// The numbered marks and the settings record's "MarkJump": read back at the
// start with "MarkRestore" bit 0, written at every settings save.
void RestoreMarksAtStart(const Settings& s);
void StoreMarks(Settings& s);

}  // namespace qz
