// Laying out a loaded text on two cores: the second half starts from a
// guessed state and is corrected; the records must end exactly as a layout
// in one pass leaves them, whatever state the middle of the text is in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <string>
#include <vector>

#include "document/text_store.h"

namespace qz {
namespace {

constexpr size_t kBig = 700 * 1024;  // enough records for the second core

void LoadInPieces(TextStore& st, const std::string& s, size_t piece, bool layoutBetween) {
    st.LoadBegin(static_cast<uint32_t>(s.size()));
    for (size_t at = 0; at < s.size(); at += piece) {
        ASSERT_TRUE(st.LoadAppend(s.data() + at, static_cast<uint32_t>(std::min(piece, s.size() - at))));
        if (layoutBetween) st.LoadLayoutSome(7);
    }
    st.LoadEnd();
}

// Everything a record holds, in chain order.
std::vector<StoreRecord> Records(const TextStore& st) {
    std::vector<StoreRecord> v;
    for (uint32_t x = st.Head(); x; x = st.Record(x).NEXT) v.push_back(st.Record(x));
    return v;
}

void ExpectSameAsOnePass(TextStore& st) {
    ASSERT_EQ(st.Check(), "");
    const std::vector<StoreRecord> loaded = Records(st);
    const uint32_t rows = st.GetRowCount(), lines = st.GetLineEndCount();
    st.RelayoutAll();
    const std::vector<StoreRecord> again = Records(st);
    ASSERT_EQ(loaded.size(), again.size());
    for (size_t i = 0; i < loaded.size(); ++i)
        ASSERT_EQ(std::memcmp(&loaded[i], &again[i], sizeof(StoreRecord)), 0) << "record " << i + 1;
    EXPECT_EQ(st.GetRowCount(), rows);
    EXPECT_EQ(st.GetLineEndCount(), lines);
}

TEST(StoreLoad, SecondHalfFromAGuessedStateIsCorrected) {
    const std::string line = "int a; /* note */ b = c * d; // tail\n";
    std::string lines;
    while (lines.size() < kBig) lines += line;
    struct Case {
        const char* name;
        std::string text;
    };
    std::string comment = lines.substr(0, kBig / 3) + "/* " + std::string(kBig / 2, 'c') + " */\n" + lines.substr(0, kBig / 4);
    std::string longLine = lines.substr(0, kBig / 3) + std::string(kBig / 2, 'x') + "\n" + lines.substr(0, 1000);
    std::string kanji;
    while (kanji.size() < kBig) kanji += "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8e\x9a";  // 日本語の文字
    std::string markup = lines.substr(0, kBig / 2 - 3) + "<!-- " + std::string(5000, 'm') + " -->\n" + lines.substr(0, kBig / 2);
    std::string lineComment = lines.substr(0, kBig / 2 - 40) + "// " + std::string(3000, 'k') + "\n" + lines.substr(0, kBig / 2);
    const Case cases[] = {{"lines", lines}, {"block comment", comment}, {"long line", longLine},
                          {"kanji", kanji}, {"markup", markup}, {"line comment", lineComment}};
    for (const Case& c : cases) {
        for (int shift = 0; shift < 3; ++shift) {
            SCOPED_TRACE(std::string(c.name) + " shift " + std::to_string(shift));
            TextStore st;
            st.SetLayout(4, 80, 0x3 | 0x8);
            LoadInPieces(st, std::string(size_t(shift), 'q') + c.text, 65536, shift == 2);
            ExpectSameAsOnePass(st);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace qz
