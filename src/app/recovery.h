// The crash-recovery check at start-up: temporary copies that the last run
// left registered are shown in dialog 183, which deletes them, writes a list
// for recovering them by hand, or opens them as documents.
#pragma once

#include <string>
#include <vector>

#include "document/temp_register.h"

namespace qz {

class MessageBox;

namespace recovery_msg {
inline constexpr const char* kListFailed = "復旧リストが作成できません。";
inline constexpr const char* kListName = "復旧リスト";
}  // namespace recovery_msg

inline constexpr size_t kRecoveryRows = 64;

// What the dialog shows (UTF-8).
struct RecoveryDialogData {
    std::vector<std::string> rows;  // "YYYY/MM/DD hh:mm:ss path", at most 64
    std::string total;              // "総数: %03d" or "総数:FULL"
    std::string folder;             // "格納先ﾃﾞｨﾚｸﾄﾘ: %s"
};

enum class RecoveryChoice { Cancel, MakeList, Delete, Open };

class RecoveryUi {
public:
    virtual ~RecoveryUi() = default;
    virtual RecoveryChoice Ask(const RecoveryDialogData& data) = 0;
};

// A copy the user chose to open, and the path its document had.
struct RecoveredCopy {
    std::string copy, docPath;
    bool operator==(const RecoveredCopy&) const = default;
};

// The dialog's rows: the used entries whose copy exists, in register order,
// each with its copy's modification time in local time.
RecoveryDialogData RecoveryRows(const std::vector<RegisterEntry>& entries, const std::string& tempDir);

// The recovery list in Shift-JIS with CR LF: the heading and one line per
// used entry, the copy's name padded to 16 and the document path.
std::string RecoveryListText(const std::vector<RegisterEntry>& entries);

// Runs the check: 0 nothing left over, the copies deleted, or (Open) the
// copies to open given back in toOpen, their entries kept until those
// documents close; 1 the list was written, listPath names it; -1 cancelled
// (the program does not start) or the list could not be written.
int RecoveryAtStart(const TempRegister& reg, RecoveryUi& ui, MessageBox& box, std::string& listPath,
                    std::vector<RecoveredCopy>& toOpen);

}  // namespace qz
