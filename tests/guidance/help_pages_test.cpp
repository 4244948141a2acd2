// The help pages: the key tables the build wrote into them agree with the
// dispatcher's key tables, and the pages link only to parts that exist.
#include "app/key_code.h"
#include "app/key_dispatch.h"
#include "frame/commands.h"
#include "frame/help_keys.h"
#include "tools/tool_runner.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

namespace qz {
namespace {

const std::string kSource = std::string(QZ_SOURCE_DATA_DIR) + "/help/";
const std::string kBuilt = std::string(QZ_PROGRAM_DIR) + "/help/";
const char* const kPages[] = {"index.html", "environ.htm", "function1.htm"};

// Every key of a scheme's rows in the two tables, frame rows first.
std::set<int> TableKeys(int scheme) {
    std::set<int> keys;
    size_t n = 0;
    const FrameKeyRow* frame = FrameKeyTable(&n);
    for (size_t i = 0; i < n; ++i)
        for (uint16_t k : frame[i].keys[scheme - 1])
            if (k) keys.insert(k);
    const ViewKeyRow* view = ViewKeyTable(&n);
    for (size_t i = 0; i < n; ++i)
        for (uint16_t k : view[i].keys[scheme - 1])
            if (k) keys.insert(k);
    return keys;
}

TEST(HelpKeyTables, EveryKeyOfTheTablesIsListedOnceWithAFunction) {
    for (int scheme = 1; scheme <= kKeySchemes; ++scheme) {
        const std::vector<KeyTableRow> rows = SchemeKeyRows(scheme);
        std::map<std::string, std::string> listed;
        for (const KeyTableRow& r : rows) {
            EXPECT_FALSE(r.function.empty()) << "scheme " << scheme << " " << r.key;
            EXPECT_TRUE(listed.emplace(r.key, r.function).second) << "scheme " << scheme << " " << r.key;
        }
        const std::set<int> keys = TableKeys(scheme);
        for (int k : keys) EXPECT_TRUE(listed.count(KeyName(k))) << "scheme " << scheme << " " << KeyName(k);
        EXPECT_EQ(rows.size(), keys.size() + 2) << scheme;  // and the two ranges
    }
}

TEST(HelpKeyTables, KeysNameWhatTheyReach) {
    auto function = [](int scheme, int code) {
        for (const KeyTableRow& r : SchemeKeyRows(scheme))
            if (r.key == KeyName(code)) return r.function;
        return std::string();
    };
    EXPECT_EQ(function(1, KeyF(7)), "切り取り");
    EXPECT_EQ(function(2, Ctrl(KeyLetter('C'))), "コピー");
    EXPECT_EQ(function(2, KeyF(1)), "関数ガイダンス");
    EXPECT_EQ(function(3, kKeyEnd), "目次");
    EXPECT_EQ(function(1, kKeyEnd), "最大化／元のサイズ");  // the frame's row, not the view's
    EXPECT_EQ(function(1, Ctrl(KeyLetter('S'))), "１文字左へ");
    EXPECT_EQ(function(1, KeyF(1)).rfind("メニュー「", 0), 0u);
    EXPECT_EQ(function(2, Alt(KeyLetter('F'))).rfind("メニュー「ファイル", 0), 0u);
}

TEST(HelpPages, TheBuiltPagesAreTheSourcesWithTheTablesOfTheseKeys) {
    for (const char* page : kPages) {
        const std::string source = tooltest::ReadFile(kSource + page);
        const std::string built = tooltest::ReadFile(kBuilt + page);
        ASSERT_FALSE(source.empty()) << page;
        EXPECT_EQ(built, ExpandHelpPage(source)) << page << ": rebuild the help pages";
        EXPECT_EQ(built.find("<!--@"), std::string::npos) << page;
    }
    const std::string index = tooltest::ReadFile(kBuilt + "index.html");
    for (int scheme = 1; scheme <= kKeySchemes; ++scheme) {
        const size_t at = index.find("id=\"keys" + std::to_string(scheme) + "\"");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(index.find(KeyTableHtml(scheme), at), index.find("<table class=\"keys\">", at)) << scheme;
    }
}

TEST(HelpPages, MarkersExpandAndUnknownOnesStay) {
    EXPECT_EQ(ExpandHelpPage("a<!--@keys 2-->b"), "a" + KeyTableHtml(2) + "b");
    EXPECT_EQ(ExpandHelpPage("<!--@menu 4-->"), MenuHtml(4));
    EXPECT_EQ(ExpandHelpPage("<!--@keys 5--><!-- note --><!--@x"), "<!--@keys 5--><!-- note --><!--@x");
    EXPECT_NE(MenuHtml(2).find("<li>ファイル"), std::string::npos);
}

TEST(HelpPages, LinksAndTheAnchorsTheDialogsOpenExist) {
    std::map<std::string, std::set<std::string>> ids;
    const std::regex id("id=\"([^\"]+)\"");
    for (const char* page : kPages) {
        const std::string text = tooltest::ReadFile(kBuilt + page);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), id); it != std::sregex_iterator(); ++it)
            ids[page].insert((*it)[1]);
    }
    // The dialogs' help buttons and the settings sheet's pages.
    for (const char* anchor : {"marks", "filelist", "funclist", "print", "search", "guidance", "recovery", "tools"})
        EXPECT_TRUE(ids["function1.htm"].count(anchor)) << anchor;
    for (int page = 1; page <= 6; ++page) EXPECT_TRUE(ids["environ.htm"].count("page" + std::to_string(page)));
    // Every link between the pages lands on an anchor.
    const std::regex link("href=\"([a-z0-9]+\\.html?)?(#([^\"]+))?\"");
    for (const char* page : kPages) {
        const std::string text = tooltest::ReadFile(kBuilt + page);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1].length() ? (*it)[1].str() : std::string(page);
            ASSERT_TRUE(ids.count(target)) << page << " -> " << it->str();
            if ((*it)[3].length()) {
                EXPECT_TRUE(ids[target].count((*it)[3])) << page << " -> " << it->str();
            }
        }
    }
}

}  // namespace
}  // namespace qz
