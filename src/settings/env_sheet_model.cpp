// The settings sheet's copies, its copy-in and copy-back through the binding
// table, the limits of its number fields and the rules that enable controls.
#include "settings/env_sheet_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/paths.h"

namespace qz {

namespace {

const EnvPageInfo kPages[kEnvPages] = {
    {kPageEdit, "CEnvPage1", 143, "編集機能"},      {kPageDisplay, "CEnvPage2", 144, "画面表示"},
    {kPageFile, "CEnvPage7", 167, "ファイル"},      {kPageRegister, "CEnvPage3", 162, "ファイル登録"},
    {kPageOther1, "CEnvPage5", 164, "その他１"},    {kPageOther2, "CEnvPage6", 166, "その他２"},
};

// The type a per-type page shows, kept inside 1-6.
int TypeIndex(int fileType) { return std::clamp(fileType, 1, kFileTypes); }

int* IntOf(SheetData& d, const Binding& b, int fileType) {
    if (IsPerTypePage(b.page)) return TypeInt(d.type[TypeIndex(fileType)], b.setting);
    return EnvironInt(d.env, b.setting);
}

std::string* TextOf(SheetData& d, const Binding& b, int fileType) {
    if (IsPerTypePage(b.page)) return TypeText(d.type[TypeIndex(fileType)], b.setting);
    return EnvironText(d.env, b.setting);
}

// The whole text as an integer, blanks around it allowed; a number too
// long for it comes out as the largest one of its sign.
bool ParseInt(const std::string& text, long long* out) {
    const char* s = text.c_str();
    while (*s == ' ' || *s == '\t') ++s;
    if (!*s) return false;
    char* end = nullptr;
    const long long v = std::strtoll(s, &end, 10);
    if (end == s) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end) return false;
    *out = v;
    return true;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

const EnvPageInfo& EnvPageOf(int page) { return kPages[std::clamp(page, 1, kEnvPages) - 1]; }

bool IsPerTypePage(int page) { return page == kPageEdit || page == kPageDisplay; }

const Binding* FindBinding(int page, int control) {
    for (const Binding& b : EnvBindings())
        if (b.page == page && b.control == control) return &b;
    return nullptr;
}

SheetData CopyIntoSheet(const Settings& s, Profile& p) {
    SheetData d;
    d.type = s.type;
    d.env = s.env;
    d.displayFont = s.displayFont;
    d.helps = LoadHelpEntries(p);
    d.tools = LoadUserTools(p);
    return d;
}

void CopyBackFromSheet(const SheetData& d, Settings& s, Profile& p) {
    s.type = d.type;
    s.env = d.env;
    s.displayFont = d.displayFont;
    SaveHelpEntries(p, d.helps);
    SaveUserTools(p, d.tools);
}

ControlValue ReadControl(const SheetData& d, const Binding& b, int fileType) {
    // The accessors serve the writer too; nothing is written here.
    auto& data = const_cast<SheetData&>(d);
    ControlValue v;
    if (b.kind == Bind::Font) {
        v.font = d.displayFont;
        return v;
    }
    if (const int* i = IntOf(data, b, fileType)) {
        switch (b.kind) {
        case Bind::Check: v.number = *i != 0; break;
        case Bind::NotOne: v.number = *i != 1; break;
        case Bind::Radio: v.number = *i == b.value; break;
        case Bind::Bit: v.number = (*i & b.value) == b.value; break;
        default: v.number = *i; break;
        }
        if (b.kind == Bind::Number) v.text = std::to_string(*i);
    } else if (const std::string* t = TextOf(data, b, fileType)) {
        v.text = *t;
    }
    return v;
}

std::optional<std::string> WriteControl(SheetData& d, const Binding& b, int fileType, const ControlValue& v) {
    if (b.kind == Bind::Font) {
        d.displayFont = v.font;
        return std::nullopt;
    }
    if (std::string* t = TextOf(d, b, fileType)) {
        *t = v.text;
        return std::nullopt;
    }
    int* i = IntOf(d, b, fileType);
    if (!i) return std::nullopt;
    switch (b.kind) {
    // A ticked box keeps whatever non-zero value it stood for.
    case Bind::Check: *i = v.number ? (*i != 0 ? *i : 1) : 0; break;
    case Bind::NotOne: *i = v.number ? (*i != 1 ? *i : 0) : 1; break;
    case Bind::Radio:
        if (v.number) *i = b.value;
        break;
    case Bind::Bit: *i = v.number ? (*i | b.value) : (*i & ~b.value); break;
    case Bind::Colour:
        if (v.number >= 0 && v.number < 16) *i = v.number;
        break;
    case Bind::Number: {
        long long n = 0;
        if (!ParseInt(v.text, &n)) return std::string(kMsgNotANumber);
        if (n < b.value || n > b.max) return RangeMessage(b.value, b.max);
        *i = static_cast<int>(n);
        break;
    }
    default: break;
    }
    return std::nullopt;
}

std::optional<Refusal> WritePage(SheetData& d, int page, int fileType,
                                 const std::function<ControlValue(const Binding&)>& read) {
    auto isField = [](const Binding& b) { return b.kind == Bind::Number || b.kind == Bind::Text || b.kind == Bind::FileList; };
    for (const Binding& b : EnvBindings())
        if (b.page == page && !isField(b)) WriteControl(d, b, fileType, read(b));
    for (const Binding& b : EnvBindings()) {
        if (b.page != page || !isField(b)) continue;
        const ControlState st = StateOfControl(d, page, b.control, fileType);
        if (!st.enabled || st.readOnly) continue;
        if (std::optional<std::string> refused = WriteControl(d, b, fileType, read(b))) return Refusal{&b, *refused};
    }
    return std::nullopt;
}

const char kMsgNotANumber[] = "整数を入力してください。";

std::string RangeMessage(int least, int most) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d から %d までの整数を入力してください。", least, most);
    return buf;
}

ControlState StateOfControl(const SheetData& d, int page, int control, int fileType) {
    ControlState st;
    const EnvironSettings& e = d.env;
    switch (page) {
    case kPageEdit: {
        // A type's environment is edited only while it is in force; the
        // last type, which takes every other file, always is.
        const int type = TypeIndex(fileType);
        if (control == kEfectControl) st.enabled = type != kFileTypes;
        else if (control != kTypeListControl && control != 301)
            st.enabled = type == kFileTypes || d.type[type].Efect != 0;
        break;
    }
    case kPageFile:
        if (control == 351 || control == 352) st.readOnly = e.BackupMode == 0;
        if (control == 146) st.readOnly = !(e.Autobk_Mode & 1);
        if (control == 147) st.readOnly = !(e.Autobk_Mode & 2);
        break;
    case kPageOther1:
        if (control == 426) st.enabled = e.AsinMode == 4;
        if (control == 107 || control == 420) st.readOnly = e.BkgndMode != 3;
        break;
    case kPageOther2:
        if (control == 107) st.readOnly = e.Current_Mode != 2;
        break;
    default: break;
    }
    return st;
}

const char kMsgOldScheme[] =
    "『それなりにＴＡＬＶＥ風』は古い機能です。\n現在は機能Up及び動作確認を行っていません。\n"
    "また、将来的には消去する予定です。";
const char kCaptionOldScheme[] = "注意";

const char kMsgNoTitle[] = "タイトルを入力して下さい";

std::optional<std::string> CheckEntryTitle(const std::string& title) {
    if (title.find_first_not_of(" \t") == std::string::npos) return std::string(kMsgNoTitle);
    return std::nullopt;
}

std::vector<std::string> FilesMatching(const std::string& dir, std::string_view pattern) {
    std::vector<std::string> names, out;
    ListFolder(dir, names);
    const std::string want = Lower(pattern);
    for (const std::string& n : names)
        if (MatchWildcard(want, Lower(n))) out.push_back(n);
    return out;
}

const char* const kColourNames[16] = {
    "黒", "白", "青", "赤", "緑", "黄", "水色", "赤紫",
    "明るい灰色", "紺", "えび茶", "深緑", "オリーブ", "青緑", "紫", "灰色",
};

}  // namespace qz
