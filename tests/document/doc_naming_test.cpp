#include "document/doc_naming.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

using namespace qz;
namespace fs = std::filesystem;

TEST(DocNaming, FileTypeFromTheExtensionLists) {
    Settings s;
    EXPECT_EQ(ChooseFileType(s, "/src/a.CPP"), 1);
    EXPECT_EQ(ChooseFileType(s, "/src/x.h"), 1);
    EXPECT_EQ(ChooseFileType(s, "/src/boot.S"), 6);  // type 2 is not in force by default
    s.Type(2).Efect = 1;
    EXPECT_EQ(ChooseFileType(s, "/src/boot.S"), 2);
    EXPECT_EQ(ChooseFileType(s, "/www/index.html"), 3);
    EXPECT_EQ(ChooseFileType(s, "/src/Makefile"), 6);
    EXPECT_EQ(ChooseFileType(s, "/src/.cpp"), 6);  // a hidden file, not an extension
    // An empty item in a list takes names without an extension.
    s.Type(4).Efect = 1;
    s.Type(4).FileExt = "txt,";
    EXPECT_EQ(ChooseFileType(s, "/src/Makefile"), 4);
    // The first type in order wins.
    s.Type(4).FileExt = "c";
    EXPECT_EQ(ChooseFileType(s, "/src/a.c"), 1);
    s.Type(1).Efect = 0;
    EXPECT_EQ(ChooseFileType(s, "/src/a.c"), 4);
}

TEST(DocNaming, NewNamesSkipFilesAndOpenDocuments) {
    fs::path dir = fs::temp_directory_path() / ("qz_naming_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::set<std::string> open;
    auto isOpen = [&](const std::string& p) { return open.count(p) != 0; };
    const std::string d = dir.string();
    std::string n1 = NewDocumentName(d, isOpen);
    EXPECT_EQ(n1, d + "/Text1.txt");
    open.insert(n1);
    std::ofstream(dir / "Text2.txt") << "x";
    EXPECT_EQ(NewDocumentName(d, isOpen), d + "/Text3.txt");
    EXPECT_EQ(NewDocumentName(d + "/", isOpen), d + "/Text3.txt");
    EXPECT_EQ(NewDocumentName("/", nullptr).rfind("/Text", 0), 0u);
    fs::remove_all(dir);
}

TEST(DocNaming, TitleWithCodeLabel) {
    TitleInputs t;
    t.path = "/src/x.c";
    EXPECT_EQ(DocumentTitle(t), "/src/x.c");
    t.kanjiCode = 2;
    t.lineEnd = 1;
    EXPECT_EQ(DocumentTitle(t), "/src/x.c  [euc, lf]");
    t.minimized = true;
    EXPECT_EQ(DocumentTitle(t), "x.c");
    t.special = true;
    t.specialDirectory = "/home/u";
    EXPECT_EQ(DocumentTitle(t), "x.c(/home/u)");
    TitleInputs j;
    j.path = "/a";
    j.kanjiCode = 3;
    EXPECT_EQ(DocumentTitle(j), "/a  [jis, cr/lf]");
    j.kanjiCode = 1;
    j.lineEnd = 1;
    EXPECT_EQ(DocumentTitle(j), "/a  [sjis, lf]");
}
