// File references in grep and tag lines, and where a tag jump goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lang/file_reference.h"
#include "lang_fakes.h"
#include "platform/paths.h"

namespace qz {
namespace {

using testing::Sjis;

std::pair<std::string, int32_t> Ref(const std::string& line, int column) {
    std::string name;
    int32_t number = -7;
    ParseFileReference(line, column, name, number);
    return {name, number};
}

TEST(ParseFileReferenceTest, GrepHitsAroundTheCaret) {
    const std::string hit = "src/main.c 120: x = 1;";
    EXPECT_EQ(Ref(hit, 0), std::make_pair(std::string("src/main.c"), 120));
    EXPECT_EQ(Ref(hit, 6), std::make_pair(std::string("src/main.c"), 120));
    // On the blank before the number the name is the number itself, and no
    // later token begins with a digit except the "1".
    EXPECT_EQ(Ref(hit, 10), std::make_pair(std::string("120"), 1));
    // On "x": the name is x and the number 1 follows.
    EXPECT_EQ(Ref(hit, 16), std::make_pair(std::string("x"), 1));
}

TEST(ParseFileReferenceTest, CompilerStyleColonsAndMissingNumbers) {
    EXPECT_EQ(Ref("/work/a.c:15: error", 0), std::make_pair(std::string("/work/a.c"), 15));
    EXPECT_EQ(Ref("a:7:", 0), std::make_pair(std::string("a"), 7));
    EXPECT_EQ(Ref("notes.txt", 3), std::make_pair(std::string("notes.txt"), 1));
    EXPECT_EQ(Ref("", 0), std::make_pair(std::string(), 1));
    EXPECT_EQ(Ref("   ", 1), std::make_pair(std::string(), 1));
    // A column past the end stands on the last character.
    EXPECT_EQ(Ref("f.c 3", 99), std::make_pair(std::string("3"), 1));
    EXPECT_EQ(Ref("see f.c", 7), std::make_pair(std::string("f.c"), 1));
    EXPECT_EQ(Ref("f.c ", 4), std::make_pair(std::string(), 1));
    // Every separator splits.
    EXPECT_EQ(Ref("<a.h>", 1), std::make_pair(std::string("a.h"), 1));
    for (char c : std::string(" \t'()<>[]+=;,|\r\n")) {
        EXPECT_EQ(Ref(std::string("x") + c + "9", 0), std::make_pair(std::string("x"), 9)) << int(c);
    }
    // A token such as "12abc" counts with its leading digits.
    EXPECT_EQ(Ref("f.c 12abc", 0), std::make_pair(std::string("f.c"), 12));
    EXPECT_EQ(Ref("f.c 99999999999", 0), std::make_pair(std::string("f.c"), INT32_MAX));
}

TEST(ParseFileReferenceTest, QuotedNamesKeepTheirBlanks) {
    EXPECT_EQ(Ref("\"My File.c\" 3: x", 0), std::make_pair(std::string("My File.c"), 3));
    EXPECT_EQ(Ref("\"My File.c\" 3: x", 4), std::make_pair(std::string("My File.c"), 3));
    // Quoted tag-file style name with a line.
    EXPECT_EQ(Ref("\"dir x/a b.c\" 10: int 'f'(", 0),
              std::make_pair(std::string("dir x/a b.c"), 10));
    // A colon separates even inside quotes.
    EXPECT_EQ(Ref("\"a:b\" 2", 0), std::make_pair(std::string("a"), 2));
}

TEST(ParseFileReferenceTest, TagLinesAndDoubleByteNames) {
    EXPECT_EQ(Ref("a.c 10: void 'Init'(", 0), std::make_pair(std::string("a.c"), 10));
    // 0x83 0x5B's second byte is '[', a separator when alone; 表 is 0x95 0x5C.
    std::string name = Sjis("データ表.c");
    EXPECT_EQ(Ref(name + " 4: x", 0), std::make_pair(name, 4));
    EXPECT_EQ(Ref(name + " 4: x", 3), std::make_pair(name, 4));
}

TEST(ParseFileReferenceTest, Utf8NamesEndingInNonAsciiCharacters) {
    // Read as Shift-JIS, the last byte of テスト would take the blank after it
    // as its trail byte and run the name into the line number.
    for (const std::string name : {"テスト", "dir/データー", "表", "über", "日本語.c"}) {
        const std::string line = name + " 12: int 'f'(";
        std::string got;
        int32_t number = 0;
        ParseFileReference(line, 0, got, number, ReferenceEncoding::kUtf8);
        EXPECT_EQ(got, name);
        EXPECT_EQ(number, 12) << name;
        ParseFileReference("\"" + name + " x.c\" 7: y", 2, got, number, ReferenceEncoding::kUtf8);
        EXPECT_EQ(got, name + " x.c");
        EXPECT_EQ(number, 7) << name;
    }
    // The same names in Shift-JIS still need their trail bytes stepped over
    // (ー is 0x81 0x5B, whose trail byte is '[').
    const std::string sjis = Sjis("データー");
    EXPECT_EQ(Ref(sjis + " 3: x", 0), std::make_pair(sjis, 3));
}

class TagJump : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("qz_tj_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "src");
        std::ofstream(dir_ / "src" / "main.c") << "x\n";
        std::ofstream(dir_ / "My File.c") << "x\n";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(TagJump, ResolvesAgainstTheDocumentFolder) {
    std::string doc = (dir_ / "out.txt").string();
    TagJumpTarget t = PrepareTagJump("src/main.c 120: x = 1;", 0, {}, doc);
    EXPECT_EQ(t.message, "");
    EXPECT_EQ(t.path, (dir_ / "src" / "main.c").string());
    EXPECT_EQ(t.line, 120);
    TagJumpTarget q = PrepareTagJump("\"My File.c\" 3: x", 2, {}, doc);
    EXPECT_EQ(q.path, (dir_ / "My File.c").string());
    EXPECT_EQ(q.line, 3);
    // An absolute name stands; ".." is resolved. The blank splits an unquoted
    // name, and the refusal shows the name as written.
    const std::string written = (dir_ / "src" / ".." / "My").string();
    TagJumpTarget a = PrepareTagJump(written + " File.c", 0, {}, doc);
    EXPECT_EQ(a.path, (dir_ / "My").string());
    EXPECT_EQ(a.message, "'" + written + "'が開けません");
    std::string quotedName = (dir_ / "src" / ".." / "My File.c").string();
    quotedName.insert(quotedName.begin(), '"');
    quotedName.push_back('"');
    TagJumpTarget b = PrepareTagJump(quotedName, 0, {}, doc);
    EXPECT_EQ(b.path, (dir_ / "My File.c").string());
    EXPECT_EQ(b.message, "");
}

TEST_F(TagJump, SelectionNamesTheFileAndRefusalsNameIt) {
    std::string doc = (dir_ / "src" / "x.c").string();
    TagJumpTarget s = PrepareTagJump("whatever 5", 0, "main.c", doc);
    EXPECT_EQ(s.message, "");
    EXPECT_EQ(s.path, (dir_ / "src" / "main.c").string());
    EXPECT_EQ(s.line, 5);
    EXPECT_EQ(PrepareTagJump("nothere.c 3", 0, {}, doc).message, "'nothere.c'が開けません");
    EXPECT_EQ(PrepareTagJump("   ", 0, {}, doc).message, "'<null>'が開けません");
    // A folder is refused too.
    EXPECT_EQ(PrepareTagJump("src 3", 0, {}, (dir_ / "a").string()).message, "'src'が開けません");
    // Untitled documents resolve against the current directory.
    EXPECT_EQ(ResolveJumpName("k.c", ""), FullPath(CurrentDirectory(), "k.c"));
}

}  // namespace
}  // namespace qz
