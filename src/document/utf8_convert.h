// Files in UTF-8 (kanji code 4): read into the Shift-JIS store and written
// back byte for byte, or read with a problem that keeps the document from
// being saved over its file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/sjis_unicode.h"

namespace qz {

class CQzedDoc;
class TextAccess;

// Which Unicode form a document's file uses for each Shift-JIS code that has
// two (kTwoForms); a save writes that form, the usual one where none is known.
class Utf8Forms {
public:
    // kBoth: a typed or pasted text brought both forms of the code.
    enum Form : uint8_t { kUnknown = 0, kUsual = 1, kOther = 2, kBoth = 3 };
    Form Of(int index) const { return Form(forms_[size_t(index)]); }
    void Set(int index, Form f) { forms_[size_t(index)] = f; }
    // Notes the form of a character; false when the other one was noted
    // before (which stays noted).
    bool Note(int index, bool other);
    // The same for typed and pasted text, which notes both as kBoth.
    void NoteTyped(int index, bool other);
    char32_t Written(int index) const;
    bool operator==(const Utf8Forms&) const = default;

private:
    std::array<uint8_t, kTwoFormCount> forms_{};
};

// What keeps a UTF-8 file from coming back unchanged; the first one met.
struct Utf8Problem {
    enum Kind { kNone, kNoForm, kBothForms, kNotUtf8 };
    Kind kind = kNone;
    char32_t ch = 0;       // kNoForm, kBothForms: the character
    char32_t earlier = 0;  // kBothForms: the form the file used before it
    unsigned byte = 0;     // kNotUtf8: the first byte that is not UTF-8
    uint32_t line = 0;     // logical line, from 1
};

// The message shown when a file opens read-only because of a problem.
std::string Utf8ProblemMessage(const Utf8Problem& p);

// UTF-8 to Shift-JIS, a buffer at a time, noting the forms the file uses.
class Utf8Reader {
public:
    // strict: bytes that are not UTF-8 stop the reading (NotUtf8()); for a
    // file whose code was only guessed, which is then read another way.
    // Otherwise each such byte is a problem and reads as "〓".
    // stopAtEof: a 0x1A byte ends the text ("ReadEND" 0): it is passed on and
    // nothing after it is looked at.
    Utf8Reader(bool strict, bool stopAtEof) : strict_(strict), stopAtEof_(stopAtEof) {}

    // Converts up to n bytes of in into out, which holds at least 2 * n
    // bytes; returns the bytes written. *used tells how many input bytes were
    // taken: a sequence cut by the end of in is left for the next call unless
    // atEnd is set.
    size_t Convert(const char* in, size_t n, char* out, bool atEnd, size_t* used);

    bool NotUtf8() const { return notUtf8_; }
    bool Bom() const { return bom_; }
    const Utf8Forms& Forms() const { return forms_; }
    const Utf8Problem& Problem() const { return problem_; }

private:
    void Note(Utf8Problem::Kind kind, char32_t ch, char32_t earlier, unsigned byte);

    bool strict_, stopAtEof_;
    bool notUtf8_ = false, ended_ = false, bom_ = false;
    uint64_t offset_ = 0;  // input bytes taken so far
    uint32_t line_ = 1;
    Utf8Forms forms_;
    Utf8Problem problem_;
};

// How the reading of a whole file ended.
enum class Utf8ReadEnd { kDone, kStopped, kError, kNotUtf8 };
// Reads the open file fd from its present position to its end through
// reader, handing each converted block to feed; feed returns false to stop.
Utf8ReadEnd ReadUtf8File(int fd, Utf8Reader& reader, const std::function<bool(char*, size_t)>& feed);

// Shift-JIS to UTF-8 in the forms of `forms`, like the writing converters of
// kanji_convert.h: count bytes in, the bytes written left in count (at most
// kMaxUtf8Growth * count); returns 1 when the input ended after a lead byte
// (not with atEnd). A character without a Unicode form is left out, with the
// byte rules FindUnwritable names them by.
constexpr size_t kMaxUtf8Growth = 3;
int SjisToUtf8(const char* in, char* out, size_t& count, const Utf8Forms& forms, bool atEnd = false);
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Whole-text forms for tests and callers that hold all of it.
std::string DecodeUtf8ToSjis(std::string_view utf8, Utf8Reader& reader);
std::string EncodeSjisToUtf8(std::string_view sjis, const Utf8Forms& forms);

// Typed and pasted text: a UTF-8 document keeps one form per code, so text
// in the other form of a code the document still holds is refused, and so is
// text that brings both forms of one code. Returns
// -1 when the text may go in (the document's forms then take the ones it
// brings), else the index into kTwoForms of the first code in the way.
// Documents in other codes take the new forms where they know none yet, for a
// later save as UTF-8.
int AdmitForms(CQzedDoc& doc, const Utf8Forms& used);
// The message-area text for such a refusal.
std::string FormConflictMessage(int index, const Utf8Forms& used);

// Whether the Shift-JIS text holds the double-byte character code.
bool HoldsSjisChar(TextAccess& text, unsigned code);

}  // namespace qz
