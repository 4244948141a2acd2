#include "app/command_line.h"

#include <gtest/gtest.h>

#include "support/fake_message_box.h"

using namespace qz;

namespace {

struct Opened {
    std::string path;
    bool viewMode;
    uint32_t line;
    bool operator==(const Opened&) const = default;
};

class FakeHost : public CommandLineHost {
public:
    std::vector<Opened> opened;
    std::vector<std::string> failing;
    int reopened = 0;
    fakes::FakeMessageBox box;

    bool OpenFromCommandLine(const std::string& p, bool v, uint32_t l) override {
        for (const auto& f : failing)
            if (f == p) return false;
        opened.push_back({p, v, l});
        return true;
    }
    void ReopenPreviousRun() override { ++reopened; }
    MessageBox& Messages() override { return box; }
};

struct Parse {
    FakeHost host;
    StartState state;
    std::string outDir = "/chosen";
    void operator()(const std::vector<std::string>& args, bool withOutDir = true,
                    const std::string& base = "/work") {
        ParseCommandLine(base, args, withOutDir ? &outDir : nullptr, state, host);
    }
};

}  // namespace

TEST(CommandLine, LineOptionAppliesToEveryFile) {
    Parse r;
    r({"-10", "x.c", "y.c"});
    EXPECT_EQ(r.host.opened, (std::vector<Opened>{{"/work/x.c", false, 10}, {"/work/y.c", false, 10}}));
    EXPECT_TRUE(r.state.startedWithFiles);

    Parse zero;
    zero({"-0", "x.c"});
    EXPECT_EQ(zero.host.opened.at(0).line, 1u);
    Parse huge;
    huge({"-99999999999", "x.c"});
    EXPECT_EQ(huge.host.opened.at(0).line, 1u);
    Parse unknown;  // -abc is not an option we know: ignored, line stays 1
    unknown({"-abc", "x.c"});
    EXPECT_EQ(unknown.host.opened, (std::vector<Opened>{{"/work/x.c", false, 1}}));
}

TEST(CommandLine, OptionsAreKnownByTheirFirstTwoCharacters) {
    Parse r;
    r({"-Quick", "-view", "a.txt"});
    EXPECT_EQ(r.host.reopened, 1);
    EXPECT_TRUE(r.state.startedWithFiles);
    EXPECT_EQ(r.host.opened, (std::vector<Opened>{{"/work/a.txt", true, 1}}));

    Parse q;  // -q alone reopens the last run and counts as started with files
    q({"-q"});
    EXPECT_EQ(q.host.reopened, 1);
    EXPECT_TRUE(q.state.startedWithFiles);
    EXPECT_TRUE(q.host.opened.empty());

    Parse dash;  // a lone "-" is too short to be an option
    dash({"-", "a"});
    EXPECT_EQ(dash.host.opened.size(), 1u);
}

TEST(CommandLine, OptionsAfterANameAreNames) {
    Parse r;
    r({"x.c", "-v", "a b.txt"});
    EXPECT_EQ(r.host.opened, (std::vector<Opened>{{"/work/x.c", false, 1},
                                                  {"/work/-v", false, 1},
                                                  {"/work/a b.txt", false, 1}}));
    Parse dd;
    dd({"-v", "--", "-q"});
    EXPECT_EQ(dd.host.reopened, 0);
    EXPECT_EQ(dd.host.opened, (std::vector<Opened>{{"/work/-q", true, 1}}));
}

TEST(CommandLine, FullPathsAgainstTheBaseDirectory) {
    Parse r;
    r({"/src/x.c", "../y.c", "sub//./z.c"});
    EXPECT_EQ(r.host.opened.at(0).path, "/src/x.c");
    EXPECT_EQ(r.host.opened.at(1).path, "/y.c");
    EXPECT_EQ(r.host.opened.at(2).path, "/work/sub/z.c");
}

TEST(CommandLine, OutDirectoryFollowsTheFirstFileUnlessDashC) {
    Parse r;
    r({"/a/x.c", "/b/y.c"});
    EXPECT_EQ(r.outDir, "/a");
    Parse c;
    c({"-c", "/a/x.c"});
    EXPECT_EQ(c.outDir, "/work");
    Parse none;  // no names: the chosen directory stays
    none({"-v"});
    EXPECT_EQ(none.outDir, "/chosen");
    Parse handover;  // without an out-directory -c changes nothing
    handover({"-c", "x.c"}, false);
    EXPECT_EQ(handover.outDir, "/chosen");
    EXPECT_EQ(handover.host.opened.at(0).path, "/work/x.c");
}

TEST(CommandLine, FailureIsReportedPerNameAndParsingGoesOn) {
    Parse r;
    r.host.failing = {"/work/missing.c"};
    r({"missing.c", "ok.c"});
    ASSERT_EQ(r.host.box.shown.size(), 1u);
    EXPECT_EQ(r.host.box.shown[0].text, "ファイルが開けませんでした\n/work/missing.c");
    EXPECT_EQ(r.host.box.shown[0].caption, "ファイル開く");
    EXPECT_EQ(r.host.box.shown[0].icon, MbIcon::Stop);
    EXPECT_EQ(r.host.opened, (std::vector<Opened>{{"/work/ok.c", false, 1}}));
}

TEST(CommandLine, EmptyNameEndsTheParsing) {
    Parse r;
    r({"a.c", "", "b.c"});
    EXPECT_EQ(r.host.opened.size(), 1u);
    Parse empty;
    empty({});
    EXPECT_FALSE(empty.state.startedWithFiles);
}
