// Template files: the outside/inside-body line machine with its messages, and
// inserting a snippet into a document.
#include "lang/template_table.h"

#include <cstdio>

#include "document/text_access.h"
#include "lang/text_lines.h"
#include "platform/cp932.h"
#include "platform/message_box.h"

namespace qz {

namespace {

const char kCaption[] = "テンプレート読み込み";

bool StartsNoCase(std::string_view line, std::string_view word) {
    if (line.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char a = line[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
        if (a != word[i]) return false;
    }
    return true;
}

bool IsKeySeparator(char c) { return c == '\t' || c == ':' || c == ' ' || c == '='; }

std::string WithLine(const char* format, int line) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, line);
    return buf;
}

// Body text is gathered in bounded pieces and handed to the slot whenever the
// next line would not fit. Whether the slot already holds a line is kept
// apart from its bytes, because empty lines add no bytes but still need their
// line feeds.
class BodyCollector {
public:
    void Begin(std::string* slotText, bool* slotHasLine) {
        slot_ = slotText;
        hasLine_ = slotHasLine;
        piece_.clear();
    }
    void AddLine(std::string_view line) {
        size_t need = line.size() + (*hasLine_ ? 1 : 0);
        if (piece_.size() + need > kTemplatePieceBytes) Flush();
        if (*hasLine_) piece_.push_back('\n');
        piece_.append(line);
        *hasLine_ = true;
    }
    void Flush() {
        if (slot_) slot_->append(piece_);
        piece_.clear();
    }
    void End() {
        Flush();
        slot_ = nullptr;
    }
    bool Open() const { return slot_ != nullptr; }

private:
    std::string* slot_ = nullptr;
    bool* hasLine_ = nullptr;
    std::string piece_;
};

}  // namespace

int TemplateSlotOfKey(char key) {
    if (key >= 'A' && key <= 'Z') return key - 'A';
    if (key >= 'a' && key <= 'z') return key - 'a';
    if (key >= '0' && key <= '9') return 26 + (key - '0');
    return -1;
}

char TemplateKeyOfSlot(int slot) {
    if (slot >= 0 && slot < 26) return static_cast<char>('A' + slot);
    if (slot >= 26 && slot < kTemplateSlots) return static_cast<char>('0' + slot - 26);
    return 0;
}

std::string TemplateButtonLabel(int slot) {
    char key = TemplateKeyOfSlot(slot);
    return key ? std::string{'&', key} : std::string();
}

std::array<std::string, kTemplateSlots> TemplateDialogTitles(const TemplateTable& table) {
    std::array<std::string, kTemplateSlots> titles;
    for (int k = 0; k < kTemplateSlots; ++k)
        if (table.slots[k].defined) titles[static_cast<size_t>(k)] = SjisToUtf8(table.slots[k].title);
    return titles;
}

const char kTemplateDialogNote[] =
    "ボタンに表示されているアルファベットを入力するだけで編集画面にテンプレートを挿入できます。\n"
    "また編集画面ではALT+A～Z,0～1で本ＢＯＸを開かなくても対応したテンプレートが挿入できます。";
const char kMsgWriteProtected[] = "このファイルは書き込み禁止です";

TemplateError ParseTemplateFile(std::string_view bytes, TemplateTable& table) {
    table.Clear();
    // One byte more than a line may hold, so that an overlong line shows.
    TextModeLines lines(bytes, kTemplateLineBytes);
    std::string piece;
    int lineNo = 0;
    int current = -1;
    BodyCollector body;
    std::array<bool, kTemplateSlots> slotHasLine{};
    auto fail = [&](std::string message) {
        table.Clear();
        return TemplateError{std::move(message), lineNo};
    };
    while (lines.Next(piece)) {
        ++lineNo;
        std::string_view l = piece;
        if (!l.empty() && l.back() == '\n') {
            l.remove_suffix(1);
        } else if (l.size() >= kTemplateLineBytes) {
            return fail(WithLine(
                "一行の文字数が５１２バイト超える場合は処理できません。(%d行目)", lineNo));
        }
        if (body.Open()) {
            if (StartsNoCase(l, "#end")) {
                body.End();
            } else if (!l.empty() && l[0] == '\t') {
                body.AddLine(l.substr(1));
            } else {
                return fail(WithLine(
                    "#startから#end間は必ず行の先頭にタブ１文字が必要です。(%d行目)", lineNo));
            }
            continue;
        }
        if (StartsNoCase(l, "#key")) {
            std::string_view rest = l.substr(4);
            size_t b = 0;
            while (b < rest.size() && IsKeySeparator(rest[b])) ++b;
            size_t e = b;
            while (e < rest.size() && !IsKeySeparator(rest[e])) ++e;
            int slot = e - b == 1 ? TemplateSlotOfKey(rest[b]) : -1;
            if (slot < 0) return fail(WithLine("#keyの文法エラー (%d行目)", lineNo));
            current = slot;
            table.slots[slot].defined = true;
        } else if (StartsNoCase(l, "#title")) {
            // A title before any "#key" has no slot to go to and is ignored.
            if (current < 0) continue;
            std::string_view rest = l.substr(6);
            size_t b = 0;
            while (b < rest.size() && IsKeySeparator(rest[b])) ++b;
            table.slots[current].title = std::string(SjisPrefix(rest.substr(b), kTemplateTitleBytes));
        } else if (StartsNoCase(l, "#start")) {
            if (current < 0)
                return fail(WithLine("#startの前に#keyが必要です。(%d行目)", lineNo));
            body.Begin(&table.slots[current].text, &slotHasLine[current]);
        } else if (l.size() >= 2 && l[0] == '/' && l[1] == '/') {
            // comment
        } else if (l.find_first_not_of(" \t") == std::string_view::npos) {
            // blank line
        } else {
            return fail(WithLine("文法エラー (%d行目)", lineNo));
        }
    }
    // A body left open at the end of the file is kept whole rather than losing
    // its last piece.
    if (body.Open()) body.End();
    return {};
}

bool LoadTemplateFile(const std::string& path, TemplateTable& table, MessageBox& box) {
    table.Clear();
    std::string bytes;
    switch (ReadWholeFile(path, bytes)) {
        case FileReadStatus::Missing:
            box.Show("テンプレートファイルがありません\n" + path, kCaption, MbIcon::Stop,
                     MbButtons::Ok);
            return false;
        case FileReadStatus::Unreadable:
            box.Show("テンプレートファイルがオープンできません\n" + path, kCaption, MbIcon::Stop,
                     MbButtons::Ok);
            return false;
        case FileReadStatus::Ok:
            break;
    }
    TemplateError error = ParseTemplateFile(bytes, table);
    if (!error.ok()) {
        box.Show(error.message, kCaption, MbIcon::Stop, MbButtons::Ok);
        return false;
    }
    return true;
}

uint32_t InsertTemplate(TextAccess& text, uint32_t p, const TemplateTable& table, int k) {
    if (k < 0 || k >= kTemplateSlots) return p;
    const TemplateSlot& slot = table.slots[k];
    if (!slot.defined || slot.text.empty()) return p;
    uint32_t n = static_cast<uint32_t>(slot.text.size());
    if (text.InsertText(p, slot.text.data(), n, 0) != n) return p;
    return p + n;
}

}  // namespace qz
