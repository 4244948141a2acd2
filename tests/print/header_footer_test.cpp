// Header and footer codes.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "print/header_footer.h"

namespace qz {
namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return t;
}

const std::tm kNow = At(2024, 3, 5, 9, 7, 2);

HeaderFooterTexts Expand(const std::string& tmpl, const std::string& path = "/src/main.c", int page = 1,
                         int count = 1) {
    return ExpandHeaderFooter(tmpl, page, count, path, kNow);
}

TEST(HeaderFooter, DefaultHeaderAndFooter) {
    EXPECT_EQ(Expand("&L&N/&F&R&D &T"), (HeaderFooterTexts{"/src/main.c", "", "24/03/05 09:07:02"}));
    EXPECT_EQ(Expand("&C&G - &P", "/src/main.c", 3, 12), (HeaderFooterTexts{"", "12 - 3", ""}));
    // Years past 2099 still print two digits.
    EXPECT_EQ(ExpandHeaderFooter("&D", 1, 1, "", At(2105, 12, 31, 23, 59, 59)).left, "05/12/31");
}

TEST(HeaderFooter, AmpersandCodesAndUnknownCodes) {
    EXPECT_EQ(Expand("&&P").left, "&P");
    EXPECT_EQ(Expand("&Q").left, "Q");
    EXPECT_EQ(Expand("a&&&P").left, "a&1");
    // A lone '&' at the end has no code to form and prints nothing.
    EXPECT_EQ(Expand("end&").left, "end");
    // Codes are upper case: "&p" is an unknown code keeping its letter.
    EXPECT_EQ(Expand("&p").left, "p");
    // The byte after '&' starts a UTF-8 character: the character stays whole.
    EXPECT_EQ(Expand("&頁&P").left, "頁1");
}

TEST(HeaderFooter, SectionsCollectWhereverTheyAreSwitchedTo) {
    EXPECT_EQ(Expand("a&Cb&Rc&Ld&Ce"), (HeaderFooterTexts{"ad", "be", "c"}));
    EXPECT_EQ(Expand(""), (HeaderFooterTexts{}));
}

TEST(HeaderFooter, UntitledDocumentHasNoPathNameOrFileTime) {
    EXPECT_EQ(Expand("[&N][&F]&Y &H", ""), (HeaderFooterTexts{"[][]--/--/-- --:--:--", "", ""}));
}

TEST(HeaderFooter, DirectoryAndNameSplitAtTheLastSlash) {
    EXPECT_EQ(Expand("[&N][&F]", "/main.c").left, "[][main.c]");
    EXPECT_EQ(Expand("[&N][&F]", "/home/太郎/メモ.txt").left, "[/home/太郎][メモ.txt]");
    // A name without any folder gives neither part.
    EXPECT_EQ(Expand("[&N][&F]", "main.c").left, "[][]");
}

TEST(HeaderFooter, FileDateAndTimeComeFromTheFile) {
    const auto path = std::filesystem::temp_directory_path() / "qz_header_time.txt";
    std::ofstream(path) << "x";
    std::tm when = At(2023, 11, 9, 18, 4, 55);
    const time_t t = std::mktime(&when);
    const timeval times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
    EXPECT_EQ(Expand("&Y &H", path.string()).left, "23/11/09 18:04:55");
    std::filesystem::remove(path);
    // The same path once the file is gone.
    EXPECT_EQ(Expand("&Y &H", path.string()).left, "--/--/-- --:--:--");
}

}  // namespace
}  // namespace qz
