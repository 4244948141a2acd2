// Reading and writing UTF-8 files through the strict Shift-JIS mapping, with
// the per-document memory of which form each two-form code was written in.
#include "document/utf8_convert.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "document/kanji_code.h"
#include "document/qzed_doc.h"
#include "document/text_access.h"

namespace qz {

namespace {

constexpr size_t kReadBlock = 256 * 1024;

constexpr const char* kKeptReadOnly = "\n保存で失われないよう、このファイルは読み取り専用で開きます";

// The character itself where it shows as one, and always its code.
std::string Shown(char32_t u) {
    std::string s;
    const bool visible = u >= 0xA0 && u != 0xFEFF && u != 0x2028 && u != 0x2029;
    if (visible) {
        char buf[4];
        s = "「" + std::string(buf, EncodeUtf8(u, buf)) + "」";
    }
    char code[16];
    std::snprintf(code, sizeof code, "(U+%04X)", unsigned(u));
    return s + code;
}

void PutSjis(char*& o, unsigned sjis) {
    if (sjis > 0xFF) *o++ = char(sjis >> 8);
    *o++ = char(sjis & 0xFF);
}

}  // namespace

bool Utf8Forms::Note(int index, bool other) {
    const Form f = other ? kOther : kUsual;
    if (Of(index) == kUnknown) Set(index, f);
    return Of(index) == f;
}

void Utf8Forms::NoteTyped(int index, bool other) {
    if (!Note(index, other)) Set(index, kBoth);
}

char32_t Utf8Forms::Written(int index) const {
    return Of(index) == kOther ? kTwoForms[index].other : kTwoForms[index].usual;
}

std::string Utf8ProblemMessage(const Utf8Problem& p) {
    const std::string line = std::to_string(p.line);
    switch (p.kind) {
    case Utf8Problem::kNoForm:
        return line + "行目の" + Shown(p.ch) + "はシフトJISで表せない文字です" + kKeptReadOnly;
    case Utf8Problem::kBothForms:
        return line + "行目の" + Shown(p.ch) + "は、このファイルで先に使われている" + Shown(p.earlier) +
               "とシフトJISでは同じ文字になります" + kKeptReadOnly;
    case Utf8Problem::kNotUtf8: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", p.byte);
        return line + "行目にUTF-8として正しくないバイト(" + hex + ")があります" + kKeptReadOnly;
    }
    case Utf8Problem::kNone: break;
    }
    return {};
}

void Utf8Reader::Note(Utf8Problem::Kind kind, char32_t ch, char32_t earlier, unsigned byte) {
    if (problem_.kind != Utf8Problem::kNone) return;
    problem_ = {kind, ch, earlier, byte, line_};
}

size_t Utf8Reader::Convert(const char* in, size_t n, char* out, bool atEnd, size_t* used) {
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    char* o = out;
    size_t i = 0;
    while (i < n && !ended_ && !notUtf8_) {
        const unsigned c = p[i];
        if (c < 0x80) {
            *o++ = char(c);
            ++i;
            if (c == '\n') ++line_;
            else if (c == 0x1A && stopAtEof_) ended_ = true;
            continue;
        }
        char32_t u;
        const int len = DecodeUtf8(p + i, n - i, &u);
        if (len < 0 && !atEnd) break;  // cut: taken again with the next buffer
        if (len <= 0) {
            if (strict_) {
                notUtf8_ = true;
                break;
            }
            Note(Utf8Problem::kNotUtf8, 0, 0, c);
            PutSjis(o, kGetaMark);
            ++i;
            continue;
        }
        if (u == 0xFEFF && offset_ + i == 0) {
            bom_ = true;
        } else if (const unsigned sjis = UnicodeToSjisChar(u); sjis == 0) {
            Note(Utf8Problem::kNoForm, u, 0, 0);
            PutSjis(o, kGetaMark);
        } else {
            bool other = false;
            const int index = TwoFormIndexOfUnicode(u, &other);
            if (index >= 0 && !forms_.Note(index, other))
                Note(Utf8Problem::kBothForms, u, forms_.Written(index), 0);
            PutSjis(o, sjis);
        }
        i += size_t(len);
    }
    if (ended_) i = n;  // what follows the end of the text is never looked at
    offset_ += i;
    *used = i;
    return size_t(o - out);
}

Utf8ReadEnd ReadUtf8File(int fd, Utf8Reader& reader, const std::function<bool(char*, size_t)>& feed) {
    std::vector<char> buf(kReadBlock + 4), out(2 * (kReadBlock + 4));
    size_t have = 0;
    for (;;) {
        ssize_t r;
        do r = ::read(fd, buf.data() + have, kReadBlock);
        while (r < 0 && errno == EINTR);
        if (r < 0) return Utf8ReadEnd::kError;
        have += size_t(r);
        const bool atEnd = r == 0;
        size_t used = 0;
        const size_t n = reader.Convert(buf.data(), have, out.data(), atEnd, &used);
        if (reader.NotUtf8()) return Utf8ReadEnd::kNotUtf8;
        if (n && !feed(out.data(), n)) return Utf8ReadEnd::kStopped;
        if (atEnd) return Utf8ReadEnd::kDone;
        // At most 3 bytes of a cut sequence move to the front.
        std::copy(buf.begin() + long(used), buf.begin() + long(have), buf.begin());
        have -= used;
    }
}

int SjisToUtf8(const char* in, char* out, size_t& count, const Utf8Forms& forms, bool atEnd) {
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    const size_t n = count;
    char* o = out;
    size_t i = 0;
    int left = 0;
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            *o++ = char(c);
            ++i;
            continue;
        }
        if (IsHalfKana(c)) {
            if (const char32_t u = SjisCharToUnicode(c)) o += EncodeUtf8(u, o);
            ++i;
            continue;
        }
        if (i + 1 == n && !atEnd) {
            left = 1;
            break;
        }
        if (i + 1 == n || !IsSjisTrail(p[i + 1])) {
            ++i;  // a lead byte alone: what follows stands by itself
            continue;
        }
        const unsigned code = c << 8 | p[i + 1];
        char32_t u = SjisCharToUnicode(code);
        if (const int index = TwoFormIndexOfSjis(code); index >= 0) u = forms.Written(index);
        if (u) o += EncodeUtf8(u, o);
        i += 2;
    }
    count = size_t(o - out);
    return left;
}

std::string DecodeUtf8ToSjis(std::string_view utf8, Utf8Reader& reader) {
    std::string out(2 * utf8.size(), '\0');
    size_t used = 0;
    out.resize(reader.Convert(utf8.data(), utf8.size(), out.data(), true, &used));
    return out;
}

std::string EncodeSjisToUtf8(std::string_view sjis, const Utf8Forms& forms) {
    std::string out(kMaxUtf8Growth * sjis.size(), '\0');
    size_t count = sjis.size();
    SjisToUtf8(sjis.data(), out.data(), count, forms, true);
    out.resize(count);
    return out;
}

bool HoldsSjisChar(TextAccess& text, unsigned code) {
    const uint32_t total = text.GetTextLength();
    std::vector<char> buf(64 * 1024);
    for (uint32_t pos = 1; pos <= total;) {
        const uint32_t n = text.ReadText(pos, buf.data(), uint32_t(buf.size()));
        if (n == 0) break;
        const bool last = uint64_t(pos) + n > total;
        uint32_t i = 0;
        while (i < n) {
            const unsigned c = uint8_t(buf[i]);
            if (!IsSjisLeadClass(c)) {
                ++i;
                continue;
            }
            if (i + 1 == n && !last) break;  // the pair is read again with the next piece
            if (i + 1 < n && (c << 8 | uint8_t(buf[i + 1])) == code) return true;
            i += i + 1 < n && IsSjisTrail(uint8_t(buf[i + 1])) ? 2 : 1;
        }
        pos += i;
    }
    return false;
}

int AdmitForms(CQzedDoc& doc, const Utf8Forms& used) {
    Utf8Forms& mine = doc.File().utf8Forms;
    const bool strict = doc.File().Code() == kCodeUtf8;
    for (int i = 0; i < kTwoFormCount && strict; ++i) {
        const Utf8Forms::Form f = used.Of(i);
        if (f == Utf8Forms::kBoth) return i;
        if (f == Utf8Forms::kUnknown || f == mine.Of(i) || mine.Of(i) == Utf8Forms::kUnknown) continue;
        // A form the document no longer holds any character of may change.
        if (HoldsSjisChar(doc, kTwoForms[i].sjis)) return i;
    }
    for (int i = 0; i < kTwoFormCount; ++i) {
        const Utf8Forms::Form f = used.Of(i);
        if (f != Utf8Forms::kUnknown && f != Utf8Forms::kBoth && (strict || mine.Of(i) == Utf8Forms::kUnknown))
            mine.Set(i, f);
    }
    return -1;
}

std::string FormConflictMessage(int index, const Utf8Forms& used) {
    if (used.Of(index) == Utf8Forms::kBoth)
        return Shown(kTwoForms[index].usual) + "と" + Shown(kTwoForms[index].other) +
               "は、このファイルでは同じ文字になるため両方は入力できません";
    Utf8Forms theirs;
    theirs.Set(index, used.Of(index) == Utf8Forms::kOther ? Utf8Forms::kUsual : Utf8Forms::kOther);
    return Shown(used.Written(index)) + "は、このファイルでは" + Shown(theirs.Written(index)) +
           "と書かれる文字のため入力できません";
}

}  // namespace qz
