// The settings sheet's core: its binding table, copy-in and copy-back of
// every control, the number limits, the enabling rules and the two lists.
#include "settings/env_sheet_model.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <unistd.h>

using namespace qz;

namespace {

// A sheet on the defaults, with every control that depends on another one
// made editable.
SheetData EditableSheet() {
    Settings s;
    MemoryProfile p;
    SheetData d = CopyIntoSheet(s, p);
    for (int t = 1; t <= kFileTypes; ++t) d.type[t].Efect = 1;
    d.env.BackupMode = 1;
    d.env.Autobk_Mode = 3;
    d.env.AsinMode = 4;
    d.env.BkgndMode = 3;
    d.env.Current_Mode = 2;
    return d;
}

// The type a row is tried with: a per-type row on type 2, whose values
// differ from type 1's, so that a write to the wrong type shows.
int TypeFor(const Binding& b) { return IsPerTypePage(b.page) ? 2 : 0; }

using Reader = std::function<ControlValue(const Binding&)>;

// The controls as the page shows d, except one control set to v; the other
// radios of its setting are then not chosen, as in a real radio group.
Reader ShowingExcept(const SheetData& d, int type, const Binding& changed, const ControlValue& v) {
    return [&d, type, &changed, v](const Binding& b) {
        if (&b == &changed) return v;
        if (changed.kind == Bind::Radio && b.kind == Bind::Radio && std::string(b.setting) == changed.setting)
            return ControlValue{};
        return ReadControl(d, b, type);
    };
}

// Sets the setting of b in d to the value a changed control stands for, the
// long way round, for comparison.
void SetByHand(SheetData& d, const Binding& b, int type, int number, const std::string& text) {
    if (b.kind == Bind::Font) return;
    TypeSettings& ts = d.type[type ? type : 1];
    if (int* i = IsPerTypePage(b.page) ? TypeInt(ts, b.setting) : EnvironInt(d.env, b.setting)) *i = number;
    if (std::string* s = IsPerTypePage(b.page) ? TypeText(ts, b.setting) : EnvironText(d.env, b.setting)) *s = text;
}

int IntSetting(SheetData& d, const Binding& b, int type) {
    int* i = IsPerTypePage(b.page) ? TypeInt(d.type[type], b.setting) : EnvironInt(d.env, b.setting);
    return i ? *i : -999;
}

}  // namespace

TEST(EnvSheetTable, PagesInTabOrder) {
    const char* titles[] = {"編集機能", "画面表示", "ファイル", "ファイル登録", "その他１", "その他２"};
    const char* classes[] = {"CEnvPage1", "CEnvPage2", "CEnvPage7", "CEnvPage3", "CEnvPage5", "CEnvPage6"};
    const int dialogs[] = {143, 144, 167, 162, 164, 166};
    for (int page = 1; page <= kEnvPages; ++page) {
        EXPECT_STREQ(EnvPageOf(page).title, titles[page - 1]);
        EXPECT_STREQ(EnvPageOf(page).className, classes[page - 1]);
        EXPECT_EQ(EnvPageOf(page).dialog, dialogs[page - 1]);
    }
}

// A control bound twice, a setting name with no value behind it, a value of
// the record that no control edits: each shows here.
TEST(EnvSheetTable, EveryRowNamesARealSettingAndEverySettingHasItsRows) {
    std::set<std::pair<int, int>> seen;
    std::set<std::string> bound;
    TypeSettings t{};
    EnvironSettings e{};
    for (const Binding& b : EnvBindings()) {
        SCOPED_TRACE(std::to_string(b.page) + "/" + std::to_string(b.control) + " " + b.setting);
        EXPECT_TRUE(seen.insert({b.page, b.control}).second) << "bound twice";
        EXPECT_NE(b.page, kPageRegister);
        const bool text = b.kind == Bind::Text || b.kind == Bind::FileList || b.kind == Bind::Title;
        if (b.kind == Bind::Font) {
            EXPECT_STREQ(b.setting, "Display_Font");
        } else if (IsPerTypePage(b.page)) {
            EXPECT_TRUE(text ? TypeText(t, b.setting) != nullptr : TypeInt(t, b.setting) != nullptr);
        } else {
            EXPECT_TRUE(text ? EnvironText(e, b.setting) != nullptr : EnvironInt(e, b.setting) != nullptr);
        }
        if (b.kind == Bind::Number) {
            EXPECT_LT(b.value, b.max);
        }
        const bool perType = IsPerTypePage(b.page) && b.kind != Bind::Font;
        bound.insert((perType ? "type:" : "env:") + std::string(b.setting));
    }
    for (const std::string& name : TypeValueNames()) EXPECT_TRUE(bound.count("type:" + name)) << name;
    // "Environ" values kept by other dialogs or by no dialog at all.
    const std::set<std::string> elsewhere = {"MoveProhibit", "DefPrintType", "PrtSelValid", "Search", "Replace",
                                             "MarkRestore",  "RuleLineMode", "Func_Sort",   "Func_DispMode"};
    for (const std::string& name : EnvironValueNames())
        EXPECT_EQ(bound.count("env:" + name) == 0, elsewhere.count(name) == 1) << name;
    EXPECT_TRUE(bound.count("env:Display_Font"));
}

TEST(EnvSheetTable, RadiosOfOneSettingStandForDifferentValues) {
    std::map<std::string, std::set<int>> values;
    for (const Binding& b : EnvBindings()) {
        if (b.kind != Bind::Radio) continue;
        const bool fresh = values[std::to_string(b.page) + b.setting].insert(b.value).second;
        EXPECT_TRUE(fresh) << b.setting << " " << b.value;
    }
    EXPECT_EQ(values["5AsinMode"], (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(values["6EndMode"], (std::set<int>{1, 2, 3}));
}

TEST(EnvSheetTable, BrowseButtonsFillTextFieldsOfTheirPage) {
    for (const BrowseButton& br : EnvBrowseButtons()) {
        const Binding* field = FindBinding(br.page, br.field);
        ASSERT_TRUE(field) << br.button;
        EXPECT_EQ(field->kind, Bind::Text);
        EXPECT_EQ(FindBinding(br.page, br.button), nullptr);
    }
    EXPECT_STREQ(EnvBrowseButtons().front().filter, "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|全てのﾌｧｲﾙ(*.*)|*.*||");
}

// Copying into the pages and straight back leaves everything as it was,
// including values no control can show (a type of its own, an end mode of 7).
TEST(EnvSheetCopy, RoundTripChangesNothing) {
    SheetData d = EditableSheet();
    d.type[2].Efect = 0;  // its controls disabled
    d.type[4].TabSp = 5;
    d.type[5].Text_Col = 20;
    d.env.EndMode = 7;
    d.env.Mouse = 2;
    d.env.Autobk_Mode = 2;
    d.env.BackupMode = 0;
    d.env.BackupCount = 40;  // out of range, but read-only now
    d.helps = {{"C", "/doc/c.chm"}};
    const SheetData before = d;
    for (int page = 1; page <= kEnvPages; ++page)
        for (int type = 1; type <= (IsPerTypePage(page) ? kFileTypes : 1); ++type) {
            const auto refused = WritePage(d, page, type, [&](const Binding& b) { return ReadControl(d, b, type); });
            EXPECT_FALSE(refused) << page << "/" << type << ": " << (refused ? refused->message : "");
        }
    EXPECT_EQ(d, before);
}

TEST(EnvSheetCopy, EachControlChangesExactlyItsSetting) {
    for (const Binding& b : EnvBindings()) {
        SCOPED_TRACE(std::to_string(b.page) + "/" + std::to_string(b.control) + " " + b.setting);
        SheetData d = EditableSheet();
        const int type = TypeFor(b);
        // For a radio, another one of its group is chosen first.
        for (const Binding& other : EnvBindings()) {
            if (b.kind == Bind::Radio && other.kind == Bind::Radio && other.page == b.page &&
                std::string(other.setting) == b.setting && other.value != b.value) {
                SetByHand(d, b, type, other.value, "");
                break;
            }
        }
        const SheetData start = d;
        SheetData expected = d;
        const int now = IntSetting(d, b, type ? type : 1);
        ControlValue v = ReadControl(d, b, type);
        int number = now;
        switch (b.kind) {
        case Bind::Check: v.number = !v.number, number = now ? 0 : 1; break;
        case Bind::NotOne: v.number = !v.number, number = now == 1 ? 0 : 1; break;
        case Bind::Radio: v.number = 1, number = b.value; break;
        case Bind::Bit: v.number = !v.number, number = now ^ b.value; break;
        case Bind::Number:
            number = now == b.max ? b.value : b.max;
            v.text = std::to_string(number);
            break;
        case Bind::Colour: v.number = number = (now + 1) % 16; break;
        case Bind::Font: v.font.lfFaceName = "IPAGothic", expected.displayFont = v.font; break;
        default: v.text += "x"; break;
        }
        SetByHand(expected, b, type, number, v.text);
        const auto refused = WritePage(d, b.page, type, ShowingExcept(d, type, b, v));
        EXPECT_FALSE(refused);
        EXPECT_EQ(d, expected);
        EXPECT_NE(d, start) << "the control changed nothing";
    }
}

TEST(EnvSheetCopy, OkCopiesBackTheRecordAndWritesBothLists) {
    Settings s;
    MemoryProfile p;
    SaveUserTools(p, {{"a", "make", "", "", 0, 0}, {"b", "b", "", "", 0, 0}, {"c", "c", "", "", 0, 0}});
    SaveHelpEntries(p, {{"h1", "/h1"}, {"h2", "/h2"}});
    SheetData d = CopyIntoSheet(s, p);
    ASSERT_EQ(d.tools.size(), 3u);
    ASSERT_EQ(d.helps.size(), 2u);
    d.type[3].Tabs = 2;
    d.env.MRUCount = 5;
    d.displayFont.lfHeight = -24;
    EntryList<UserTool>{d.tools, SIZE_MAX}.Delete(1);
    EntryList<HelpEntry>{d.helps, kMaxHelpEntries}.MoveDown(0);
    CopyBackFromSheet(d, s, p);
    EXPECT_EQ(s.Type(3).Tabs, 2);
    EXPECT_EQ(s.env.MRUCount, 5);
    EXPECT_EQ(s.displayFont.lfHeight, -24);
    // The list ends at the first empty title: the old third tool is gone.
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle2"), "c");
    EXPECT_EQ(p.GetProfileString("Environ", "ExecTitle3", "?"), "");
    EXPECT_EQ(LoadUserTools(p).size(), 2u);
    EXPECT_EQ(LoadHelpEntries(p), (std::vector<HelpEntry>{{"h2", "/h2"}, {"h1", "/h1"}}));
}

// Nothing is written while the sheet is open: Cancel leaves the profile alone.
TEST(EnvSheetCopy, CopyingInWritesNothing) {
    Settings s;
    MemoryProfile p;
    SaveUserTools(p, DefaultUserTools());
    const auto values = p.Values();
    SheetData d = CopyIntoSheet(s, p);
    d.tools.clear();
    EXPECT_EQ(p.Values(), values);
}

TEST(EnvSheetLimits, NumbersOutsideTheirRangeAreRefusedWithTheMessage) {
    const Binding& columns = *FindBinding(kPageEdit, 121);
    SheetData d = EditableSheet();
    ControlValue v;
    for (const char* bad : {"19", "241", "-5", "99999999999999999999"}) {
        v.text = bad;
        EXPECT_EQ(WriteControl(d, columns, 1, v), "20 から 240 までの整数を入力してください。") << bad;
    }
    for (const char* bad : {"", "abc", "12a", "1 2"}) {
        v.text = bad;
        EXPECT_EQ(WriteControl(d, columns, 1, v), kMsgNotANumber) << bad;
    }
    EXPECT_EQ(d.type[1].Columns, 240);
    for (const char* good : {"20", " 100 ", "240"}) {
        v.text = good;
        EXPECT_FALSE(WriteControl(d, columns, 1, v)) << good;
    }
    EXPECT_EQ(d.type[1].Columns, 240);
    EXPECT_EQ(d.type[2].Columns, 240);
    v.text = "0";
    EXPECT_EQ(WriteControl(d, *FindBinding(kPageFile, 352), 0, v), "1 から 9 までの整数を入力してください。");
    EXPECT_FALSE(WriteControl(d, *FindBinding(kPageFile, 353), 0, v));  // the menu may list no file
    EXPECT_EQ(d.env.MRUCount, 0);
}

TEST(EnvSheetLimits, TheFirstRefusedFieldOfAPageStopsIt) {
    SheetData d = EditableSheet();
    const SheetData before = d;
    auto read = [&](const Binding& b) {
        ControlValue v = ReadControl(d, b, 1);
        if (b.control == 148) v.text = "17";  // tabs 1-16
        if (b.control == 321) v.number = 1;   // a box is taken all the same
        return v;
    };
    const auto refused = WritePage(d, kPageEdit, 1, read);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->binding->control, 148);
    EXPECT_EQ(refused->message, "1 から 16 までの整数を入力してください。");
    EXPECT_EQ(d.type[1].Tabs, before.type[1].Tabs);
    EXPECT_EQ(d.type[1].TabSp, 1);
}

TEST(EnvSheetLimits, ReadOnlyFieldsAreNotChecked) {
    SheetData d = EditableSheet();
    d.env.BackupMode = 0;
    d.env.Autobk_Mode = 0;
    auto read = [&](const Binding& b) {
        ControlValue v = ReadControl(d, b, 0);
        if (b.kind == Bind::Number && b.control != 353) v.text = "0";
        return v;
    };
    EXPECT_FALSE(WritePage(d, kPageFile, 0, read));
    EXPECT_EQ(d.env.BackupCount, 1);
    EXPECT_EQ(d.env.Autobk_Time, 10);
    // Ticking the box in the same pass makes its field count.
    d.env.Autobk_Mode = 1;
    const auto refused = WritePage(d, kPageFile, 0, read);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->binding->control, 146);
}

TEST(EnvSheetRules, TypeControlsFollowTheirEfectBoxAndTypeSixAlwaysWorks) {
    SheetData d = EditableSheet();
    d.type[2].Efect = 0;
    d.type[6].Efect = 0;
    EXPECT_TRUE(StateOfControl(d, kPageEdit, 121, 1).enabled);
    EXPECT_FALSE(StateOfControl(d, kPageEdit, 121, 2).enabled);
    EXPECT_FALSE(StateOfControl(d, kPageEdit, 106, 2).enabled);
    EXPECT_TRUE(StateOfControl(d, kPageEdit, kEfectControl, 2).enabled);
    EXPECT_TRUE(StateOfControl(d, kPageEdit, kTypeListControl, 2).enabled);
    EXPECT_TRUE(StateOfControl(d, kPageEdit, 121, 6).enabled);
    EXPECT_FALSE(StateOfControl(d, kPageEdit, kEfectControl, 6).enabled);
    // The colours of a type are always at hand.
    EXPECT_TRUE(StateOfControl(d, kPageDisplay, 509, 2).enabled);
}

TEST(EnvSheetRules, FieldsReadOnlyWhileTheirChoiceIsOff) {
    SheetData d = EditableSheet();
    auto readOnly = [&](int page, int control) { return StateOfControl(d, page, control, 0).readOnly; };
    EXPECT_FALSE(readOnly(kPageFile, 351));
    d.env.BackupMode = 0;
    EXPECT_TRUE(readOnly(kPageFile, 351));
    EXPECT_TRUE(readOnly(kPageFile, 352));
    EXPECT_FALSE(readOnly(kPageFile, 325));
    d.env.Autobk_Mode = 2;
    EXPECT_TRUE(readOnly(kPageFile, 146));
    EXPECT_FALSE(readOnly(kPageFile, 147));
    d.env.Autobk_Mode = 1;
    EXPECT_FALSE(readOnly(kPageFile, 146));
    EXPECT_TRUE(readOnly(kPageFile, 147));
    d.env.BkgndMode = 2;
    EXPECT_TRUE(readOnly(kPageOther1, 107));
    d.env.Current_Mode = 1;
    EXPECT_TRUE(readOnly(kPageOther2, 107));
    EXPECT_FALSE(readOnly(kPageOther2, 412));
    d.env.AsinMode = 1;
    EXPECT_FALSE(StateOfControl(d, kPageOther1, 426, 0).enabled);
    d.env.AsinMode = 4;
    EXPECT_TRUE(StateOfControl(d, kPageOther1, 426, 0).enabled);
}

TEST(EnvSheetLists, ButtonsMoveTheChosenRow) {
    std::vector<HelpEntry> rows = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    EntryList<HelpEntry> list{rows, kMaxHelpEntries};
    EXPECT_EQ(list.MoveUp(0), 0);
    EXPECT_EQ(list.MoveDown(2), 2);
    EXPECT_EQ(list.MoveDown(0), 1);
    EXPECT_EQ(rows[1].title, "a");
    EXPECT_EQ(list.MoveUp(1), 0);
    EXPECT_EQ(list.Change(1, {"B", "2"}), 1);
    EXPECT_EQ(list.Change(3, {"X", "9"}), -1);
    EXPECT_EQ(list.Delete(2), 1);  // the last row: the one before is chosen
    EXPECT_EQ(list.Delete(0), 0);
    EXPECT_EQ(rows, (std::vector<HelpEntry>{{"B", "2"}}));
    EXPECT_EQ(list.Delete(0), -1);
    EXPECT_EQ(list.Delete(0), -1);
    for (int i = 0; i < kMaxHelpEntries; ++i) EXPECT_EQ(list.Add({"h", "f"}), i);
    EXPECT_FALSE(list.CanAdd());
    EXPECT_EQ(list.Add({"ten", "f"}), -1);
    EXPECT_EQ(rows.size(), size_t(kMaxHelpEntries));
}

TEST(EnvSheetLists, AnEntryNeedsATitle) {
    EXPECT_EQ(CheckEntryTitle(""), kMsgNoTitle);
    EXPECT_EQ(CheckEntryTitle("  "), kMsgNoTitle);
    EXPECT_FALSE(CheckEntryTitle("ビルド"));
}

TEST(EnvSheetFiles, TableListsMatchTheExtensionInAnyCase) {
    char dir[] = "/tmp/qz_env_sheetXXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    const std::string d = dir;
    for (const char* n : {"yoyaku_c.tbl", "MY.TBL", "temp_c.key", "x.tblx", "tbl"}) std::ofstream(d + "/" + n) << "x";
    EXPECT_EQ(FilesMatching(d, "*.TBL"), (std::vector<std::string>{"MY.TBL", "yoyaku_c.tbl"}));
    EXPECT_EQ(FilesMatching(d, "*.KEY"), (std::vector<std::string>{"temp_c.key"}));
    EXPECT_TRUE(FilesMatching(d + "/none", "*.TBL").empty());
    for (const char* n : {"yoyaku_c.tbl", "MY.TBL", "temp_c.key", "x.tblx", "tbl"}) std::remove((d + "/" + n).c_str());
    rmdir(dir);
}
