// The recovery check, its dialog's rows and the recovery list.
#include "app/recovery.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "app/app_title.h"
#include "platform/cp932.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace qz {

namespace {

bool CopyExists(const std::string& copy, time_t* mtime = nullptr) {
    struct stat st {};
    if (::stat(copy.c_str(), &st) != 0) return false;
    if (mtime) *mtime = st.st_mtime;
    return true;
}

std::string LocalTime(time_t t) {
    struct tm tm {};
    localtime_r(&t, &tm);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

}  // namespace

RecoveryDialogData RecoveryRows(const std::vector<RegisterEntry>& entries, const std::string& tempDir) {
    RecoveryDialogData d;
    bool full = false;
    for (const RegisterEntry& e : entries) {
        time_t t;
        if (!e.used || !CopyExists(e.tempPath, &t)) continue;
        if (d.rows.size() == kRecoveryRows) {
            full = true;
            break;
        }
        d.rows.push_back(LocalTime(t) + " " + e.docPath);
    }
    char total[32];
    std::snprintf(total, sizeof total, "総数: %03d", int(d.rows.size()));
    d.total = full ? "総数:FULL" : total;
    d.folder = "格納先ﾃﾞｨﾚｸﾄﾘ: " + tempDir;
    return d;
}

std::string RecoveryListText(const std::vector<RegisterEntry>& entries) {
    std::string text;
    for (const char* line : {"#", "# ファイル復旧リスト", "#", "# 下記の対応表を元に手動で復旧してください。",
                             "# なお、必要なくなったﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙは手動で削除して下さい。", "#",
                             "ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ名   ｵﾘｼﾞﾅﾙﾌｧｲﾙ名"})
        text += Utf8ToSjis(line) + "\r\n";
    for (const RegisterEntry& e : entries) {
        if (!e.used) continue;
        char name[64];
        std::snprintf(name, sizeof name, "%-16s ", FileNameOf(e.tempPath).c_str());
        text += Utf8ToSjis(name) + Utf8ToSjis(e.docPath) + "\r\n";
    }
    return text;
}

int RecoveryAtStart(const TempRegister& reg, RecoveryUi& ui, MessageBox& box, std::string& listPath,
                    std::vector<RecoveredCopy>& toOpen) {
    toOpen.clear();
    std::vector<RegisterEntry> entries;
    if (reg.ReadAll(entries) != TempRegister::Read::Ok) return 0;
    const RecoveryDialogData data = RecoveryRows(entries, reg.TempDir());
    if (data.rows.empty()) {
        reg.Remove();
        return 0;
    }
    switch (ui.Ask(data)) {
    case RecoveryChoice::Cancel: return -1;
    case RecoveryChoice::Delete:
        for (const RegisterEntry& e : entries)
            if (e.used) reg.DeleteCopy(e.tempPath);
        reg.Remove();
        return 0;
    case RecoveryChoice::MakeList: {
        const std::string path = reg.TempDir() + "/" + recovery_msg::kListName;
        if (!WriteFileBytes(path, RecoveryListText(entries))) {
            box.Show(recovery_msg::kListFailed, kAppTitle, MbIcon::Stop, MbButtons::Ok);
            return -1;
        }
        reg.Remove();
        listPath = path;
        return 1;
    }
    case RecoveryChoice::Open: {
        // Entries whose copy is gone have nothing to give back: they go.
        bool dropped = false;
        for (RegisterEntry& e : entries) {
            if (!e.used) continue;
            if (CopyExists(e.tempPath)) {
                toOpen.push_back({e.tempPath, e.docPath});
            } else {
                e = RegisterEntry{};
                dropped = true;
            }
        }
        if (dropped) reg.WriteAll(entries);
        return 0;
    }
    }
    return 0;
}

}  // namespace qz
