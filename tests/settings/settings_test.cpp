#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/app_title.h"
#include "platform/cp932.h"

using namespace qz;

namespace {

// Records the order of writes on top of a memory profile.
class RecordingProfile : public MemoryProfile {
public:
    std::vector<std::string> writes;
    bool WriteProfileInt(std::string_view s, std::string_view e, int v) override {
        writes.push_back(std::string(s) + "/" + std::string(e));
        return MemoryProfile::WriteProfileInt(s, e, v);
    }
    bool WriteProfileString(std::string_view s, std::string_view e, std::string_view v) override {
        writes.push_back(std::string(s) + "/" + std::string(e));
        return MemoryProfile::WriteProfileString(s, e, v);
    }
    size_t IndexOf(const std::string& key) const {
        for (size_t i = 0; i < writes.size(); ++i)
            if (writes[i] == key) return i;
        return size_t(-1);
    }
};

Settings Loaded(Profile& p, int w = 1024, int h = 768) {
    Settings s;
    LoadAll(s, p, w, h);
    return s;
}

}  // namespace

TEST(Settings, FirstStartOnEmptyProfile) {
    MemoryProfile p;
    Settings s = Loaded(p);
    EXPECT_EQ(s.Type(1).FileTitle, "Ｃ／Ｃ＋＋言語ファイル");
    EXPECT_EQ(s.Type(2).FileTitle, "アセンブラ言語ファイル");
    EXPECT_EQ(s.Type(3).FileTitle, "ＨＴＭＬ言語ファイル");
    EXPECT_EQ(s.Type(6).FileTitle, "その他");
    EXPECT_EQ(s.Type(1).Yoyakugo, "yoyaku_c.tbl");
    EXPECT_EQ(s.Type(2).Template, "temp_asm.key");
    EXPECT_EQ(s.Type(3).FileExt, "html,htm");
    EXPECT_EQ(s.Type(2).Comment, 260);
    EXPECT_EQ(s.Type(2).Tabs, 8);
    for (int t = 4; t <= 6; ++t) {
        EXPECT_EQ(s.Type(t).FileExt, "");
        EXPECT_EQ(s.Type(t).Yoyakugo, "");
        EXPECT_EQ(s.Type(t).Efect, 0);
        EXPECT_EQ(s.Type(t).ClickableURL, 1);
    }
    // Selection colours are the type's text and back colours swapped in.
    EXPECT_EQ(s.Type(3).SelBak_Col, 0);
    EXPECT_EQ(s.Type(3).SelTxt_Col, 1);
    EXPECT_EQ(s.Type(1).TagsFile1, "TAGS");
    EXPECT_EQ(s.env.AsinMode, 4);
    EXPECT_EQ(s.env.WildCard, "*.c;*.h;*.soc;*.inc");
    EXPECT_EQ(s.displayFont, LogFont{});
    EXPECT_EQ(s.displayFont.lfPitchAndFamily, 0x31);
    EXPECT_EQ(s.printers[2].Title, "設定-3");
    EXPECT_EQ(s.printers[0].Header, "&L&N/&F&R&D &T");
    EXPECT_EQ(s.grepMode, 96);
    // The default user tools, and nothing else of the list, are written.
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle1"), "プロジェクトのビルド");
    EXPECT_EQ(p.GetProfileString("Environ", "ExecCurdir1"), "&T");
    EXPECT_EQ(p.GetProfileInt("Environ", "ExecUpdate1", -1), 2);
    EXPECT_EQ(p.GetProfileInt("Environ", "ExecOsWin1", -1), 1);
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle2"), "英和／和英辞書変換");
    EXPECT_EQ(p.GetProfileString("Environ", "ExecParam2"), "-C");
    EXPECT_FALSE(p.Has("Environ", "ExecTitle3"));
    EXPECT_EQ(p.Values().size(), 12u);
    EXPECT_EQ(LoadUserTools(p), DefaultUserTools());
}

TEST(Settings, DefaultToolsAreNotRewrittenWhenPresent) {
    MemoryProfile p;
    p.WriteProfileString("Environ", "ExecTitle1", "mine");
    Loaded(p);
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle1"), "mine");
    EXPECT_FALSE(p.Has("Environ", "ExecName1"));
}

TEST(Settings, CodeDetectionIsOnAtFirstStart) {
    // EUC was the Unix norm: an EUC file saved by the editor opens as EUC again.
    MemoryProfile empty;
    EXPECT_EQ(Loaded(empty).env.CharCheck, 1);
    MemoryProfile off;
    off.WriteProfileInt("Environ", "CharCheck", 0);
    EXPECT_EQ(Loaded(off).env.CharCheck, 0);
}

TEST(Settings, DefaultFrameRectangleIsCentred) {
    EXPECT_EQ(DefaultFrameRect(1024, 768), (FrameRect{134, 634, 162, 862}));
    EXPECT_EQ(DefaultFrameRect(1025, 769), (FrameRect{134, 634, 162, 862}));
    EXPECT_EQ(DefaultFrameRect(640, 480), (FrameRect{0, 480, 0, 640}));
    MemoryProfile p;
    EXPECT_EQ(Loaded(p, 1280, 900).frameRect, (FrameRect{200, 700, 290, 990}));
}

TEST(Settings, RoundTripWritesBackEveryValueAsRead) {
    MemoryProfile first;
    Settings a = Loaded(first);
    SaveAll(a, first, false, false);
    // Change every stored value so that no default can hide a lost value.
    MemoryProfile changed;
    for (const auto& [key, value] : first.Values()) {
        const auto& [sec, entry] = key;
        if (auto* i = std::get_if<int>(&value)) {
            int v = *i + 1;
            if (entry == "LineType") v = 2;     // 4 would read back as 1
            if (entry == "BackupMode") v = 0;   // held as 0 or 1
            if (entry.rfind("EfectFlag", 0) == 0) v = 1;
            if (entry == "Status") v = 0;
            changed.WriteProfileInt(sec, entry, v);
        } else {
            changed.WriteProfileString(sec, entry, std::get<std::string>(value) + "ｘ");
        }
    }
    Settings b = Loaded(changed);
    EXPECT_NE(a, b);
    EXPECT_EQ(b.Type(5).Columns, 241);
    EXPECT_EQ(b.Type(1).FileTitle, "Ｃ／Ｃ＋＋言語ファイルｘ");
    EXPECT_TRUE(b.replaceKeyGiven);
    MemoryProfile second;
    SaveAll(b, second, false, false);
    for (const auto& [key, value] : changed.Values()) {
        if (key.second.rfind("Exec", 0) == 0) continue;  // the tool list is written by the sheet
        ASSERT_TRUE(second.Has(key.first, key.second)) << key.first << "/" << key.second;
        if (key.second == "AppVersion") continue;
        EXPECT_EQ(second.Values().at(key), value) << key.first << "/" << key.second;
    }
    EXPECT_EQ(second.GetProfileInt("App-System", "AppVersion", 0), 149);
    EXPECT_EQ(Loaded(second), b);
}

TEST(Settings, ConversionsOnLoad) {
    MemoryProfile p;
    p.WriteProfileInt("Environ-Type2", "LineType", 4);
    p.WriteProfileInt("Environ", "BackupMode", 5);
    p.WriteProfileInt("Environ-Type1", "Text_Col", 9);
    p.WriteProfileInt("Environ-Type1", "Back_Col", 14);
    p.WriteProfileInt("Environ-Type3", "SelBak_Col", 3);
    Settings s = Loaded(p);
    EXPECT_EQ(s.Type(2).LineType, 1);
    EXPECT_EQ(s.env.BackupMode, 1);
    EXPECT_EQ(s.Type(1).SelBak_Col, 9);
    EXPECT_EQ(s.Type(1).SelTxt_Col, 14);
    EXPECT_EQ(s.Type(3).SelBak_Col, 3);
    SaveAll(s, p, false, false);
    EXPECT_EQ(p.GetProfileInt("Environ-Type2", "LineType", 0), 1);
    EXPECT_EQ(p.GetProfileInt("Environ", "BackupMode", 0), 1);
    p.WriteProfileInt("Environ", "BackupMode", -2);
    EXPECT_EQ(Loaded(p).env.BackupMode, 0);
}

TEST(Settings, SaveOrderAndFrameState) {
    RecordingProfile p;
    Settings s = Loaded(p);
    p.writes.clear();
    SaveAll(s, p, false, false);
    ASSERT_GE(p.writes.size(), 6u);
    EXPECT_EQ(p.writes[0], "WindowSize/Status");
    EXPECT_EQ(p.writes[1], "WindowSize/Frame_top");
    EXPECT_EQ(p.writes[5], "App-System/AppVersion");
    EXPECT_EQ(p.writes[6], "Environ-Type1/Columns");
    const char* order[] = {"Environ-Type6/EMail_Col", "Environ/MoveProhibit",
                           "Environ/NetscapePrg",     "Display_Font/lfFaceName",
                           "Recent File/File32",      "Grep/Mode",
                           "Qztags/FilePtn16",        "MarkJump/EfectFlag1",
                           "Search/Key",              "Replace/RHistory16",
                           "Printer-1/Title",         "Printer-8/HD_lfFaceName"};
    for (size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(p.IndexOf(order[i - 1]), p.IndexOf(order[i])) << order[i];
    EXPECT_EQ(p.writes.back(), "Printer-8/HD_lfFaceName");

    p.writes.clear();
    SaveAll(s, p, false, true);
    EXPECT_EQ(p.GetProfileInt("WindowSize", "Status", -1), 2);
    EXPECT_EQ(p.IndexOf("WindowSize/Frame_top"), size_t(-1));
    SaveAll(s, p, true, false);
    EXPECT_EQ(p.GetProfileInt("WindowSize", "Status", -1), 1);
}

TEST(Settings, MarksWriteNameAndLineOnlyWhenUsed) {
    MemoryProfile p;
    Settings s = Loaded(p);
    s.marks[0] = {1, "/src/a.c", 40};
    s.marks[1] = {0, "/src/b.c", 7};
    SaveAll(s, p, false, false);
    EXPECT_EQ(p.GetProfileString("MarkJump", "FileName1"), "/src/a.c");
    EXPECT_EQ(p.GetProfileInt("MarkJump", "LineNumber1", 0), 40);
    EXPECT_EQ(p.GetProfileString("MarkJump", "FileName2"), "");
    EXPECT_EQ(p.GetProfileInt("MarkJump", "LineNumber2", 0), 1);
}

TEST(Settings, MarksAreReadBackOnlyWhenRestoreBitZeroIsSet) {
    MemoryProfile p;
    p.WriteProfileInt("MarkJump", "EfectFlag3", 1);
    p.WriteProfileString("MarkJump", "FileName3", "/src/c.c");
    p.WriteProfileInt("MarkJump", "LineNumber3", 12);
    const MarkEntry saved{1, "/src/c.c", 12};
    for (int restore : {0, 2, 1, 3}) {
        p.WriteProfileInt("Environ", "MarkRestore", restore);
        Settings s;
        s.marks[5] = {1, "/stale.c", 9};  // nothing of an earlier load survives
        LoadAll(s, p, 800, 600);
        EXPECT_EQ(s.marks[2], (restore & 1) ? saved : MarkEntry{}) << restore;
        EXPECT_EQ(s.marks[5], MarkEntry{}) << restore;
    }
}

TEST(Settings, UserToolAndHelpListsEndAtTheFirstEmptyTitle) {
    MemoryProfile p;
    std::vector<UserTool> tools = {{"one", "a", "", "", 0, 0},
                                   {"two", "b", "", "", 1, 0},
                                   {"three", "c", "-x", "&T", 2, 1}};
    SaveUserTools(p, tools);
    EXPECT_EQ(LoadUserTools(p), tools);
    tools.erase(tools.begin() + 1);  // delete tool 2 of 3
    SaveUserTools(p, tools);
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle3", "?"), "");
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle2"), "three");
    EXPECT_EQ(LoadUserTools(p), tools);

    // A gap stops the read even with later entries present.
    p.WriteProfileString("Environ", "ExecTitle4", "orphan");
    EXPECT_EQ(LoadUserTools(p).size(), 2u);

    std::vector<HelpEntry> help;
    for (int i = 0; i < 11; ++i) {
        char title[8];
        std::snprintf(title, sizeof title, "h%d", i);
        help.push_back({title, "f"});
    }
    SaveHelpEntries(p, help);
    EXPECT_EQ(LoadHelpEntries(p).size(), 9u);
    EXPECT_FALSE(p.Has("Environ", "HelpTitle10"));
    SaveHelpEntries(p, {{"only", "x.chm"}});
    EXPECT_EQ(LoadHelpEntries(p), (std::vector<HelpEntry>{{"only", "x.chm"}}));
    EXPECT_EQ(p.GetProfileString("Environ", "HelpTitle9", "?"), "");
}

TEST(Settings, RecentFileList) {
    Settings s;
    AddRecentFile(s, 1, "/tmp/qz-a.c");
    AddRecentFile(s, 1, "/tmp/qz-b.c");
    AddRecentFile(s, 2, "/tmp/qz-a.c");  // same path again: moves up with the new code
    EXPECT_EQ(s.recentFiles[0], "2 /tmp/qz-a.c");
    EXPECT_EQ(s.recentFiles[1], "1 /tmp/qz-b.c");
    EXPECT_EQ(s.recentFiles[2], "");

    Settings full;
    for (int i = 1; i <= 32; ++i) AddRecentFile(full, 1, "/tmp/qz-f" + std::to_string(i));
    EXPECT_EQ(full.recentFiles[31], "1 /tmp/qz-f1");
    AddRecentFile(full, 3, "/tmp/qz-new");  // the 33rd drops the oldest
    EXPECT_EQ(full.recentFiles[0], "3 /tmp/qz-new");
    EXPECT_EQ(full.recentFiles[31], "1 /tmp/qz-f2");

    int code = 0;
    std::string path;
    ASSERT_TRUE(ParseRecentFile("3 /a b/c.txt", code, path));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(path, "/a b/c.txt");
    EXPECT_FALSE(ParseRecentFile("", code, path));
    EXPECT_FALSE(ParseRecentFile("x /a", code, path));
}

TEST(Settings, SearchSlotsHold255BytesOfWholeCharacters) {
    MemoryProfile p;
    std::string longKey(254, 'a');
    longKey += "漢字";  // 254 + 2 + 2 bytes in Shift-JIS
    p.WriteProfileString("Search", "Key", longKey);
    p.WriteProfileString("Replace", "SHistory2", "検索");
    Settings s = Loaded(p);
    EXPECT_EQ(s.searchKey.size(), 254u);
    EXPECT_EQ(s.replaceSHistory[1], "\x8C\x9F\x8D\xF5");
    EXPECT_FALSE(s.replaceKeyGiven);
    SaveAll(s, p, false, false);
    EXPECT_EQ(p.GetProfileString("Search", "Key"), std::string(254, 'a'));
    EXPECT_EQ(p.GetProfileString("Replace", "SHistory2"), "検索");
    EXPECT_EQ(p.GetProfileString("Replace", "SHistory3", "?"), "");

    std::array<std::string, kHistories> h{};
    PushHistory(h, "a");
    PushHistory(h, "b");
    PushHistory(h, "a");
    EXPECT_EQ(h[0], "a");
    EXPECT_EQ(h[1], "b");
    EXPECT_EQ(h[2], "");
    for (int i = 0; i < 20; ++i) PushHistory(h, std::to_string(i));
    EXPECT_EQ(h[0], "19");
    EXPECT_EQ(h[15], "4");
}

TEST(Settings, FaceNameIsCutToItsSlot) {
    MemoryProfile p;
    p.WriteProfileString("Display_Font", "lfFaceName", "ＭＳ ゴシックＭＳ ゴシックＭＳ ゴシック");
    Settings s = Loaded(p);
    EXPECT_LE(Utf8ToSjis(s.displayFont.lfFaceName).size(), 31u);
    EXPECT_EQ(s.displayFont.lfFaceName, "ＭＳ ゴシックＭＳ ゴシックＭＳ ");
}

TEST(AppTitle, TitleCarriesTheSchemeLabel) {
    EXPECT_EQ(FrameTitle(4), "QZ32 Editor  Version 1.49  ［ＫＯＭ風＋ＳＬＡＴＥ風］");
    EXPECT_EQ(FrameTitle(1), "QZ32 Editor  Version 1.49  ［ＫＯＭ風］");
    EXPECT_EQ(FrameTitle(2), "QZ32 Editor  Version 1.49  ［ＳＬＡＴＥ風］");
    EXPECT_EQ(FrameTitle(3), "QZ32 Editor  Version 1.49  ［ＴＡＬＶＥ風］");
    EXPECT_EQ(FrameTitle(0), FrameTitle(4));
    EXPECT_EQ(VersionText(), "Version 1.49");
}
