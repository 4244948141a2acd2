// Loads read in blocks of every small size, on the reading thread: a cut
// anywhere in a double-byte character, an escape sequence or a CR LF pair
// changes nothing, and the NUL, CR and 0x1A rules hold across the cuts.
#include <gtest/gtest.h>

#include <string>

#include "document/file_io.h"
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/qzed_doc.h"
#include "file_test_util.h"

namespace qz::test {
namespace {

using LoadBlockTest = FileTest;

// Shift-JIS with CR LF ends, kanji, half-width kana, a stray CR and a NUL.
std::string Source() {
    std::string s;
    for (int i = 0; i < 12; ++i) {
        s += "ab\x93\xfa\x96\x7b";  // 日本
        if (i % 3 == 0) s += "\xb1\xb2";
        if (i == 5) s += std::string("c\rd\0e", 5);
        s += "\r\n";
    }
    return s;
}

// What the loader keeps of converted text: CR and NUL dropped, 0x1A dropped
// or the end.
std::string Kept(const std::string& sjis, bool stopAtEof) {
    std::string out;
    for (char c : sjis) {
        if (c == 0x1A && stopAtEof) break;
        if (c != '\r' && c != '\0' && c != 0x1A) out += c;
    }
    return out;
}

TEST_F(LoadBlockTest, EveryBlockSizeReadsTheSameText) {
    for (int code : {kCodeSjis, kCodeEuc, kCodeJis}) {
        for (int readEnd : {0, 1}) {
            Env().ReadEND = readEnd;
            std::string file = EncodeFromSjis(code, Source());
            file.insert(file.size() / 2, "\x1A");
            file += "tail\x1A" "after";
            WriteWholeFile(Path("b.txt"), file);
            const std::string want = Kept(DecodeToSjis(code, file), readEnd == 0);
            for (size_t block : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 16, 17, 31, 64, 100, 511, 512, 513}) {
                SCOPED_TRACE(std::to_string(code) + " ReadEND " + std::to_string(readEnd) + " block " +
                             std::to_string(block));
                io_.SetReadBlock(block);
                CQzedDoc doc;
                ASSERT_EQ(io_.Load(doc, Path("b.txt"), code), 0);
                EXPECT_EQ(TextOf(doc), want);
                EXPECT_EQ(doc.File().lineEnd, kLineCrLf);
                EXPECT_EQ(doc.Store().Check(), "");
            }
        }
    }
}

TEST_F(LoadBlockTest, LineEndModeSeesOnlyKeptBytes) {
    Env().ReadEND = 0;
    WriteWholeFile(Path("lf.txt"), "a\nb\n\x1A" "c\r\n");  // the CR lies past the end of the text
    for (size_t block : {1, 2, 3, 4, 7}) {
        io_.SetReadBlock(block);
        CQzedDoc doc;
        ASSERT_EQ(io_.Load(doc, Path("lf.txt")), 0);
        EXPECT_EQ(TextOf(doc), "a\nb\n");
        EXPECT_EQ(doc.File().lineEnd, kLineLf) << block;
    }
}

}  // namespace
}  // namespace qz::test
