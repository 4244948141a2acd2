// Load-all and save-all of the settings record, driven by tables of value
// names and defaults so that both directions walk the same lists.
#include "settings/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/cp932.h"
#include "platform/paths.h"

namespace qz {

namespace {

std::string Fmt(const char* f, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, f, n);
    return buf;
}

// Per-type values. The defaults are given for types 1, 2, 3 and 4-6.
struct TypeField {
    const char* name;
    int TypeSettings::*i;
    std::string TypeSettings::*s;
    std::array<int, 4> idef;
    std::array<const char*, 4> sdef;
};

constexpr std::array<const char*, 4> kNoText{};

#define QZ_TI(n, a, b, c, d) TypeField{#n, &TypeSettings::n, nullptr, {a, b, c, d}, kNoText}
#define QZ_TI1(n, v) QZ_TI(n, v, v, v, v)
#define QZ_TS(n, a, b, c, d) TypeField{#n, nullptr, &TypeSettings::n, {}, {a, b, c, d}}

// FileTitle's default differs for each of the six types; it is filled in
// separately and stands here only for its place in the order.
const TypeField kTypeFields[] = {
    QZ_TI1(Columns, 240), QZ_TI1(Undo, 63), QZ_TI1(TabSp, 0), QZ_TI1(TabCr, 0),
    QZ_TI1(LineDisp, 0), QZ_TI1(Indent, 1), QZ_TI1(WidthLine, 0), QZ_TI1(WidthColumn, 0),
    QZ_TI1(LineType, 1), QZ_TI1(ScrollCount, 2), QZ_TI1(HLineType, 0), QZ_TI1(VLineType, 0),
    QZ_TI1(PageCount, 60),
    QZ_TS(FileTitle, "", "", "", ""),
    QZ_TS(TagsFile1, "TAGS", "TAGS", "TAGS", "TAGS"),
    QZ_TS(TagsFile2, "", "", "", ""),
    QZ_TS(TagsFile3, "", "", "", ""),
    QZ_TI(Efect, 1, 0, 1, 0), QZ_TI(Tabs, 4, 8, 4, 4), QZ_TI(Comment, 3, 260, 8, 0),
    QZ_TS(FileExt, "c,cpp,h", "asm,s,inc", "html,htm", ""),
    QZ_TS(Yoyakugo, "yoyaku_c.tbl", "yoyaku_asm.tbl", "yoyaku_htm.tbl", ""),
    QZ_TS(Template, "temp_c.key", "temp_asm.key", "temp_htm.key", ""),
    QZ_TI(RightTurn, 0, 0, 1, 0), QZ_TI(SpaceDisp, 0, 0, 1, 0), QZ_TI(Back_Col, 0, 0, 1, 0),
    // The assembler type is drawn on black like the C type, so its text and
    // line numbers are white too (black would vanish on its background).
    QZ_TI(Text_Col, 1, 1, 0, 1),
    // The selection colours default to the type's own text and back colours.
    QZ_TI1(SelBak_Col, -1), QZ_TI1(SelTxt_Col, -1),
    QZ_TI(Csr_Col, 6, 6, 13, 6), QZ_TI(CsrLine_Col, 5, 5, 12, 5), QZ_TI(Cr_Col, 5, 5, 12, 5),
    QZ_TI1(Tab_Col, 15), QZ_TI(LineNo_Col, 1, 1, 0, 1), QZ_TI(VLine_Col, 5, 5, 12, 5),
    QZ_TI1(FSpace_Col, 15), QZ_TI(ClickableURL, 0, 0, 1, 1), QZ_TI(Com_Col, 4, 4, 11, 4),
    QZ_TI1(UsrFunc_Col1, 7), QZ_TI1(UsrFunc_Col2, 3), QZ_TI1(UsrFunc_Col3, 2),
    QZ_TI1(UsrFunc_Col4, 9), QZ_TI(URL_Col, 2, 2, 9, 2), QZ_TI(EMail_Col, 2, 2, 9, 2),
};

const char* const kFileTitles[kFileTypes] = {
    "Ｃ／Ｃ＋＋言語ファイル", "アセンブラ言語ファイル", "ＨＴＭＬ言語ファイル",
    "リザーブ１",             "リザーブ２",             "その他",
};

struct EnvInt {
    const char* name;
    int EnvironSettings::*field;
    int def;
};
struct EnvText {
    const char* name;
    std::string EnvironSettings::*field;
    const char* def;
};

#define QZ_EI(n, d) EnvInt{#n, &EnvironSettings::n, d}
#define QZ_ES(n, d) EnvText{#n, &EnvironSettings::n, d}

// "CharCheck" starts at 1 here: EUC-JP was the Unix norm, and a file this
// editor saved as EUC should open as EUC again.
const EnvInt kEnvInts[] = {
    QZ_EI(MoveProhibit, 0), QZ_EI(DialogBar, 1), QZ_EI(DialogBarStyle, 1), QZ_EI(PfkeyBar, 2),
    QZ_EI(DefPrintType, 0), QZ_EI(PrtSelValid, 1), QZ_EI(FileDlgType, 1), QZ_EI(Resident, 0),
    QZ_EI(EndMode, 1), QZ_EI(BkgndMode, 1), QZ_EI(Search, 16), QZ_EI(Replace, 32),
    QZ_EI(MarkRestore, 0), QZ_EI(Mouse, 1), QZ_EI(MouseLSkip, 1), QZ_EI(BackupMode, 1),
    QZ_EI(RecycledMode, 0), QZ_EI(BackupCount, 1), QZ_EI(MRUCount, 16), QZ_EI(AsinMode, 4),
    QZ_EI(Asin4Type, 0), QZ_EI(PasteMode, 2), QZ_EI(FepMode, 0), QZ_EI(RuleLineMode, 0),
    QZ_EI(ExclusiveMode, 0), QZ_EI(Func_Sort, 0), QZ_EI(Func_DispMode, 0), QZ_EI(MouseWheel, 3),
    QZ_EI(ChildWnd_Max, 0), QZ_EI(ChildWnd_X, 95), QZ_EI(ChildWnd_Y, 95), QZ_EI(WriteEOF, 0),
    QZ_EI(ReadEND, 1), QZ_EI(CharCheck, 1), QZ_EI(Autobk_Mode, 3), QZ_EI(Autobk_Time, 10),
    QZ_EI(Autobk_Len, 1000), QZ_EI(Current_Mode, 1), QZ_EI(Explorer_Update, 2),
    QZ_EI(Netscape_Update, 2),
};

// Program names are those of a Linux desktop; their meaning is unchanged.
const EnvText kEnvTexts[] = {
    QZ_ES(EucDrive, ""),
    QZ_ES(BkgndFname, ""),
    QZ_ES(Current_Dir, ""),
    QZ_ES(WildCard, "*.c;*.h;*.soc;*.inc"),
    QZ_ES(BackupDir, ""),
    QZ_ES(CalcPrg, "gnome-calculator"),
    QZ_ES(ExplorerPrg, "firefox"),
    QZ_ES(NetscapePrg, "chromium"),
};

constexpr const char* kEnviron = "Environ";

int TypeColumn(int t) { return t <= 3 ? t - 1 : 3; }

void DefaultType(TypeSettings& ts, int t) {
    for (const TypeField& f : kTypeFields) {
        if (f.i) ts.*f.i = f.idef[TypeColumn(t)];
        else ts.*f.s = f.sdef[TypeColumn(t)];
    }
    ts.FileTitle = kFileTitles[t - 1];
    ts.SelBak_Col = ts.Text_Col;
    ts.SelTxt_Col = ts.Back_Col;
}

void DefaultEnviron(EnvironSettings& e) {
    for (const EnvInt& f : kEnvInts) e.*f.field = f.def;
    for (const EnvText& f : kEnvTexts) e.*f.field = f.def;
}

// --- fonts ---

struct FontInt {
    const char* name;
    int32_t LogFont::*field;
};
struct FontByte {
    const char* name;
    uint8_t LogFont::*field;
};
const FontInt kFontInts[] = {
    {"lfHeight", &LogFont::lfHeight},           {"lfWidth", &LogFont::lfWidth},
    {"lfEscapement", &LogFont::lfEscapement},   {"lfOrientation", &LogFont::lfOrientation},
    {"lfWeight", &LogFont::lfWeight},
};
const FontByte kFontBytes[] = {
    {"lfItalic", &LogFont::lfItalic},
    {"lfUnderline", &LogFont::lfUnderline},
    {"lfStrikeOut", &LogFont::lfStrikeOut},
    {"lfCharSet", &LogFont::lfCharSet},
    {"lfOutPrecision", &LogFont::lfOutPrecision},
    {"lfClipPrecision", &LogFont::lfClipPrecision},
    {"lfQuality", &LogFont::lfQuality},
    {"lfPitchAndFamily", &LogFont::lfPitchAndFamily},
};

void LoadFont(LogFont& f, Profile& p, const std::string& section, const std::string& prefix) {
    const LogFont d;
    for (const FontInt& fi : kFontInts)
        f.*fi.field = p.GetProfileInt(section, prefix + fi.name, d.*fi.field);
    for (const FontByte& fb : kFontBytes)
        f.*fb.field = static_cast<uint8_t>(p.GetProfileInt(section, prefix + fb.name, d.*fb.field));
    f.lfFaceName = Utf8PrefixBySjisBytes(
        p.GetProfileString(section, prefix + "lfFaceName", d.lfFaceName), kFaceNameBytes);
}

void SaveFont(const LogFont& f, Profile& p, const std::string& section, const std::string& prefix) {
    for (const FontInt& fi : kFontInts) p.WriteProfileInt(section, prefix + fi.name, f.*fi.field);
    for (const FontByte& fb : kFontBytes) p.WriteProfileInt(section, prefix + fb.name, f.*fb.field);
    p.WriteProfileString(section, prefix + "lfFaceName", f.lfFaceName);
}

// --- printer forms ---

struct PrinterInt {
    const char* name;
    int PrinterForm::*field;
};
const PrinterInt kPrinterInts[] = {
    {"AutoCal", &PrinterForm::AutoCal},         {"Split", &PrinterForm::Split},
    {"Number", &PrinterForm::Number},           {"Frame", &PrinterForm::Frame},
    {"DefPrint", &PrinterForm::DefPrint},       {"Up_Space", &PrinterForm::Up_Space},
    {"Down_Space", &PrinterForm::Down_Space},   {"Left_Space", &PrinterForm::Left_Space},
    {"Right_Space", &PrinterForm::Right_Space}, {"Max_Line", &PrinterForm::Max_Line},
    {"Max_Column", &PrinterForm::Max_Column},   {"Orientation", &PrinterForm::Orientation},
    {"PaperSize", &PrinterForm::PaperSize},     {"PaperLength", &PrinterForm::PaperLength},
    {"PaperWidth", &PrinterForm::PaperWidth},
};

std::string PrinterSection(int n) { return Fmt("Printer-%d", n); }
std::string DefaultPrinterTitle(int n) { return Fmt("設定-%d", n); }

// --- search texts: UTF-8 in the profile, Shift-JIS slots in memory ---

std::string LoadSlot(Profile& p, const char* section, const std::string& entry) {
    return std::string(SjisPrefix(Utf8ToSjis(p.GetProfileString(section, entry, "")),
                                  kHistorySlot - 1));
}
void SaveSlot(Profile& p, const char* section, const std::string& entry, const std::string& sjis) {
    p.WriteProfileString(section, entry, SjisToUtf8(sjis));
}

template <size_t N>
void LoadTextList(Profile& p, const char* section, const char* fmt, std::array<std::string, N>& a) {
    for (size_t i = 0; i < N; ++i) a[i] = p.GetProfileString(section, Fmt(fmt, int(i) + 1), "");
}
template <size_t N>
void SaveTextList(Profile& p, const char* section, const char* fmt,
                  const std::array<std::string, N>& a) {
    for (size_t i = 0; i < N; ++i) p.WriteProfileString(section, Fmt(fmt, int(i) + 1), a[i]);
}

}  // namespace

Settings::Settings() {
    for (int t = 1; t <= kFileTypes; ++t) DefaultType(type[t], t);
    DefaultEnviron(env);
    for (int n = 1; n <= kPrinterForms; ++n) printers[n - 1].Title = DefaultPrinterTitle(n);
    frameRect = DefaultFrameRect(800, 600);
}

Settings& TheSettings() {
    static Settings s;
    return s;
}

int* TypeInt(TypeSettings& t, std::string_view name) {
    for (const TypeField& f : kTypeFields)
        if (f.i && name == f.name) return &(t.*f.i);
    return nullptr;
}

std::string* TypeText(TypeSettings& t, std::string_view name) {
    for (const TypeField& f : kTypeFields)
        if (f.s && name == f.name) return &(t.*f.s);
    return nullptr;
}

int* EnvironInt(EnvironSettings& e, std::string_view name) {
    for (const EnvInt& f : kEnvInts)
        if (name == f.name) return &(e.*f.field);
    return nullptr;
}

std::string* EnvironText(EnvironSettings& e, std::string_view name) {
    for (const EnvText& f : kEnvTexts)
        if (name == f.name) return &(e.*f.field);
    return nullptr;
}

std::vector<std::string> TypeValueNames() {
    std::vector<std::string> out;
    for (const TypeField& f : kTypeFields) out.push_back(f.name);
    return out;
}

std::vector<std::string> EnvironValueNames() {
    std::vector<std::string> out;
    for (const EnvInt& f : kEnvInts) out.push_back(f.name);
    for (const EnvText& f : kEnvTexts) out.push_back(f.name);
    return out;
}

FrameRect DefaultFrameRect(int desktopWidth, int desktopHeight) {
    int w = std::min(desktopWidth, 700), h = std::min(desktopHeight, 500);
    FrameRect r;
    r.left = (desktopWidth - w) / 2;
    r.top = (desktopHeight - h) / 2;
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

void LoadAll(Settings& s, Profile& p, int desktopWidth, int desktopHeight) {
    for (int t = 1; t <= kFileTypes; ++t) {
        TypeSettings& ts = s.type[t];
        DefaultType(ts, t);
        const std::string sec = Fmt("Environ-Type%d", t);
        for (const TypeField& f : kTypeFields) {
            if (f.i) {
                int def = ts.*f.i;
                if (f.i == &TypeSettings::SelBak_Col) def = ts.Text_Col;
                if (f.i == &TypeSettings::SelTxt_Col) def = ts.Back_Col;
                ts.*f.i = p.GetProfileInt(sec, f.name, def);
            } else {
                ts.*f.s = p.GetProfileString(sec, f.name, ts.*f.s);
            }
        }
        if (ts.LineType == 4) ts.LineType = 1;
    }

    EnvironSettings& e = s.env;
    for (const EnvInt& f : kEnvInts) e.*f.field = p.GetProfileInt(kEnviron, f.name, f.def);
    for (const EnvText& f : kEnvTexts) e.*f.field = p.GetProfileString(kEnviron, f.name, f.def);
    e.BackupMode = e.BackupMode >= 1 ? 1 : 0;

    LoadFont(s.displayFont, p, "Display_Font", "");

    if (p.GetProfileString(kEnviron, "ExecTitle1", "").empty())
        SaveUserTools(p, DefaultUserTools());

    LoadTextList(p, "Recent File", "File%d", s.recentFiles);

    // The marks of the last run come back only when the user asked for them;
    // otherwise the run starts without marks.
    s.marks.fill(MarkEntry{});
    for (int n = 1; n <= kMarks && (e.MarkRestore & 1); ++n) {
        MarkEntry& m = s.marks[n - 1];
        m.EfectFlag = p.GetProfileInt("MarkJump", Fmt("EfectFlag%d", n), 0);
        m.FileName = p.GetProfileString("MarkJump", Fmt("FileName%d", n), "");
        m.LineNumber = p.GetProfileInt("MarkJump", Fmt("LineNumber%d", n), 1);
    }

    s.grepMode = p.GetProfileInt("Grep", "Mode", 96);
    s.grepOption = p.GetProfileString("Grep", "Option", "");
    LoadTextList(p, "Grep", "SearchPtn%d", s.grepSearchPtn);
    LoadTextList(p, "Grep", "FilePtn%d", s.grepFilePtn);

    s.qztagsMode = p.GetProfileInt("Qztags", "Mode", 0);
    LoadTextList(p, "Qztags", "FilePtn%d", s.qztagsFilePtn);

    s.searchKey = LoadSlot(p, "Search", "Key");
    for (int n = 1; n <= kHistories; ++n)
        s.searchHistory[n - 1] = LoadSlot(p, "Search", Fmt("History%d", n));
    s.replaceSKey = LoadSlot(p, "Replace", "SKey");
    s.replaceRKey = LoadSlot(p, "Replace", "RKey");
    s.replaceKeyGiven = !s.replaceSKey.empty();
    for (int n = 1; n <= kHistories; ++n) {
        s.replaceSHistory[n - 1] = LoadSlot(p, "Replace", Fmt("SHistory%d", n));
        s.replaceRHistory[n - 1] = LoadSlot(p, "Replace", Fmt("RHistory%d", n));
    }

    for (int n = 1; n <= kPrinterForms; ++n) {
        PrinterForm& f = s.printers[n - 1];
        f = PrinterForm{};
        const std::string sec = PrinterSection(n);
        f.Title = p.GetProfileString(sec, "Title", DefaultPrinterTitle(n));
        for (const PrinterInt& pi : kPrinterInts) f.*pi.field = p.GetProfileInt(sec, pi.name, f.*pi.field);
        f.Header = p.GetProfileString(sec, "Header", f.Header);
        f.Foter = p.GetProfileString(sec, "Foter", f.Foter);
        LoadFont(f.font, p, sec, "");
        LoadFont(f.headerFont, p, sec, "HD_");
    }

    const FrameRect d = DefaultFrameRect(desktopWidth, desktopHeight);
    s.windowStatus = p.GetProfileInt("WindowSize", "Status", kFrameNormal);
    s.frameRect.top = p.GetProfileInt("WindowSize", "Frame_top", d.top);
    s.frameRect.bottom = p.GetProfileInt("WindowSize", "Frame_bottom", d.bottom);
    s.frameRect.left = p.GetProfileInt("WindowSize", "Frame_left", d.left);
    s.frameRect.right = p.GetProfileInt("WindowSize", "Frame_right", d.right);
}

void SaveAll(const Settings& s, Profile& p, bool minimized, bool maximized) {
    const int status = minimized ? kFrameMinimized : maximized ? kFrameMaximized : kFrameNormal;
    p.WriteProfileInt("WindowSize", "Status", status);
    if (status == kFrameNormal) {
        p.WriteProfileInt("WindowSize", "Frame_top", s.frameRect.top);
        p.WriteProfileInt("WindowSize", "Frame_bottom", s.frameRect.bottom);
        p.WriteProfileInt("WindowSize", "Frame_left", s.frameRect.left);
        p.WriteProfileInt("WindowSize", "Frame_right", s.frameRect.right);
    }
    p.WriteProfileInt("App-System", "AppVersion", kAppVersion);

    for (int t = 1; t <= kFileTypes; ++t) {
        const TypeSettings& ts = s.type[t];
        const std::string sec = Fmt("Environ-Type%d", t);
        for (const TypeField& f : kTypeFields) {
            if (f.i) p.WriteProfileInt(sec, f.name, ts.*f.i);
            else p.WriteProfileString(sec, f.name, ts.*f.s);
        }
    }

    for (const EnvInt& f : kEnvInts) p.WriteProfileInt(kEnviron, f.name, s.env.*f.field);
    for (const EnvText& f : kEnvTexts) p.WriteProfileString(kEnviron, f.name, s.env.*f.field);

    SaveFont(s.displayFont, p, "Display_Font", "");
    SaveTextList(p, "Recent File", "File%d", s.recentFiles);

    p.WriteProfileInt("Grep", "Mode", s.grepMode);
    p.WriteProfileString("Grep", "Option", s.grepOption);
    SaveTextList(p, "Grep", "SearchPtn%d", s.grepSearchPtn);
    SaveTextList(p, "Grep", "FilePtn%d", s.grepFilePtn);

    p.WriteProfileInt("Qztags", "Mode", s.qztagsMode);
    SaveTextList(p, "Qztags", "FilePtn%d", s.qztagsFilePtn);

    for (int n = 1; n <= kMarks; ++n) {
        const MarkEntry& m = s.marks[n - 1];
        const bool used = m.EfectFlag == 1;
        p.WriteProfileInt("MarkJump", Fmt("EfectFlag%d", n), m.EfectFlag);
        p.WriteProfileString("MarkJump", Fmt("FileName%d", n), used ? m.FileName : "");
        p.WriteProfileInt("MarkJump", Fmt("LineNumber%d", n), used ? m.LineNumber : 1);
    }

    SaveSlot(p, "Search", "Key", s.searchKey);
    for (int n = 1; n <= kHistories; ++n)
        SaveSlot(p, "Search", Fmt("History%d", n), s.searchHistory[n - 1]);
    SaveSlot(p, "Replace", "SKey", s.replaceSKey);
    SaveSlot(p, "Replace", "RKey", s.replaceRKey);
    for (int n = 1; n <= kHistories; ++n) {
        SaveSlot(p, "Replace", Fmt("SHistory%d", n), s.replaceSHistory[n - 1]);
        SaveSlot(p, "Replace", Fmt("RHistory%d", n), s.replaceRHistory[n - 1]);
    }

    for (int n = 1; n <= kPrinterForms; ++n) {
        const PrinterForm& f = s.printers[n - 1];
        const std::string sec = PrinterSection(n);
        p.WriteProfileString(sec, "Title", f.Title);
        for (const PrinterInt& pi : kPrinterInts) p.WriteProfileInt(sec, pi.name, f.*pi.field);
        p.WriteProfileString(sec, "Header", f.Header);
        p.WriteProfileString(sec, "Foter", f.Foter);
        SaveFont(f.font, p, sec, "");
        SaveFont(f.headerFont, p, sec, "HD_");
    }
}

void SaveCurrentDirectory(Profile& p, const std::string& dir) {
    p.WriteProfileString("Current", "Directory", Utf8PrefixBySjisBytes(dir, 255));
}

bool ParseRecentFile(const std::string& entry, int& kanjiCode, std::string& path) {
    if (entry.size() < 3 || entry[0] < '0' || entry[0] > '9' || entry[1] != ' ') return false;
    kanjiCode = entry[0] - '0';
    path = entry.substr(2);
    return true;
}

void AddRecentFile(Settings& s, int kanjiCode, const std::string& path) {
    auto& list = s.recentFiles;
    size_t drop = list.size() - 1;
    for (size_t i = 0; i < list.size(); ++i) {
        int code;
        std::string p;
        if (ParseRecentFile(list[i], code, p) && SamePath(p, path)) {
            drop = i;
            break;
        }
    }
    for (size_t i = drop; i > 0; --i) list[i] = list[i - 1];
    list[0] = std::to_string(kanjiCode % 10) + " " + path;
}

void PushHistory(std::array<std::string, kHistories>& list, const std::string& sjis) {
    const std::string entry(SjisPrefix(sjis, kHistorySlot - 1));
    if (entry.empty()) return;
    size_t drop = list.size() - 1;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == entry) {
            drop = i;
            break;
        }
    }
    for (size_t i = drop; i > 0; --i) list[i] = list[i - 1];
    list[0] = entry;
}

std::vector<UserTool> DefaultUserTools() {
    return {
        {"プロジェクトのビルド", "make", "", "&T", 2, 1},
        {"英和／和英辞書変換", "lexpak", "-C", "", 0, 0},
    };
}

namespace {
// An upper bound on numbered entries, so a damaged profile cannot loop forever.
constexpr int kMaxUserTools = 256;
}

std::vector<UserTool> LoadUserTools(Profile& p) {
    std::vector<UserTool> tools;
    for (int n = 1; n <= kMaxUserTools; ++n) {
        UserTool t;
        t.title = p.GetProfileString(kEnviron, Fmt("ExecTitle%d", n), "");
        if (t.title.empty()) break;
        t.name = p.GetProfileString(kEnviron, Fmt("ExecName%d", n), "");
        t.param = p.GetProfileString(kEnviron, Fmt("ExecParam%d", n), "");
        t.curdir = p.GetProfileString(kEnviron, Fmt("ExecCurdir%d", n), "");
        t.update = p.GetProfileInt(kEnviron, Fmt("ExecUpdate%d", n), 0);
        t.osWin = p.GetProfileInt(kEnviron, Fmt("ExecOsWin%d", n), 0);
        tools.push_back(std::move(t));
    }
    return tools;
}

namespace {
void WriteUserTool(Profile& p, int n, const UserTool& t) {
    p.WriteProfileString(kEnviron, Fmt("ExecTitle%d", n), t.title);
    p.WriteProfileString(kEnviron, Fmt("ExecName%d", n), t.name);
    p.WriteProfileString(kEnviron, Fmt("ExecParam%d", n), t.param);
    p.WriteProfileString(kEnviron, Fmt("ExecCurdir%d", n), t.curdir);
    p.WriteProfileInt(kEnviron, Fmt("ExecUpdate%d", n), t.update);
    p.WriteProfileInt(kEnviron, Fmt("ExecOsWin%d", n), t.osWin);
}
}  // namespace

void SaveUserTools(Profile& p, const std::vector<UserTool>& tools) {
    int n = 1;
    for (const UserTool& t : tools) WriteUserTool(p, n++, t);
    for (; n <= kMaxUserTools && !p.GetProfileString(kEnviron, Fmt("ExecTitle%d", n), "").empty(); ++n)
        WriteUserTool(p, n, UserTool{});
}

std::vector<HelpEntry> LoadHelpEntries(Profile& p) {
    std::vector<HelpEntry> list;
    for (int n = 1; n <= kMaxHelpEntries; ++n) {
        HelpEntry h;
        h.title = p.GetProfileString(kEnviron, Fmt("HelpTitle%d", n), "");
        if (h.title.empty()) break;
        h.file = p.GetProfileString(kEnviron, Fmt("HelpFile%d", n), "");
        list.push_back(std::move(h));
    }
    return list;
}

void SaveHelpEntries(Profile& p, const std::vector<HelpEntry>& entries) {
    int n = 1;
    for (const HelpEntry& h : entries) {
        if (n > kMaxHelpEntries) break;
        p.WriteProfileString(kEnviron, Fmt("HelpTitle%d", n), h.title);
        p.WriteProfileString(kEnviron, Fmt("HelpFile%d", n), h.file);
        ++n;
    }
    for (; n <= kMaxUserTools && !p.GetProfileString(kEnviron, Fmt("HelpTitle%d", n), "").empty(); ++n) {
        p.WriteProfileString(kEnviron, Fmt("HelpTitle%d", n), "");
        p.WriteProfileString(kEnviron, Fmt("HelpFile%d", n), "");
    }
}

}  // namespace qz
