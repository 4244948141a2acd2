#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"

using namespace qz;
namespace fs = std::filesystem;

namespace {

class FakeStartup : public StartupHost {
public:
    std::vector<std::string> log;
    bool running = false, unreachable = false, iconic = false, workerOk = true;
    int recovery = 0;
    std::string recoveryPath;
    std::vector<std::string> handedArgs;
    std::vector<std::string> opened;
    Profile* profile = nullptr;
    fakes::FakeMessageBox box;

    bool AcquireStartLock() override { return log.push_back("lock"), true; }
    void ReleaseStartLock() override { log.push_back("unlock"); }
    HandOver HandOverToRunningInstance(const std::string&, const std::vector<std::string>& a) override {
        log.push_back("handover?");
        if (unreachable) return HandOver::Unreachable;
        if (running) handedArgs = a;
        return running ? HandOver::Done : HandOver::NoInstance;
    }
    bool BecomeRunningInstance() override { return log.push_back("listen"), true; }
    bool CreateFrame() override {
        log.push_back("frame");
        LoadAll(TheSettings(), *profile, 1024, 768);
        return true;
    }
    void ShowFrame(FrameShow how) override {
        log.push_back(how == FrameShow::Maximized ? "show-max"
                      : how == FrameShow::Hidden  ? "hide"
                                                  : "show");
    }
    bool StartedIconicOrMaximized() override { return iconic; }
    bool StartWorker() override { return log.push_back("worker"), workerOk; }
    int RecoveryCheck(std::string& path) override {
        log.push_back("recovery");
        path = recoveryPath;
        return recovery;
    }
    void AddTrayIcon() override { log.push_back("tray"); }
    bool OpenFromCommandLine(const std::string& p, bool, uint32_t) override {
        opened.push_back(p);
        return true;
    }
    void ReopenPreviousRun() override {}
    MessageBox& Messages() override { return box; }
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = CurrentDirectory();
        dir_ = fs::temp_directory_path() / ("qz_startup_" + std::to_string(getpid()));
        fs::create_directories(dir_ / "last");
        fs::create_directories(dir_ / "files");
        host_.profile = &profile_;
        SetCurrentDirectory(dir_.string());
    }
    void TearDown() override {
        SetCurrentDirectory(saved_);
        fs::remove_all(dir_);
        TheSettings() = Settings();
    }
    StartResult Start(const std::vector<std::string>& args) {
        return RunStartup(host_, profile_, args, globals_);
    }
    std::string saved_;
    fs::path dir_;
    MemoryProfile profile_;
    FakeStartup host_;
    AppGlobals globals_;
};

}  // namespace

TEST_F(StartupTest, SecondStartHandsOverAndEnds) {
    host_.running = true;
    EXPECT_EQ(Start({"a.txt"}), StartResult::HandedOver);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"lock", "handover?", "unlock"}));
    EXPECT_EQ(host_.handedArgs, std::vector<std::string>{"a.txt"});

    // A running editor that never answers: this start ends, no second frame.
    host_.log.clear();
    host_.running = false;
    host_.unreachable = true;
    EXPECT_EQ(Start({"a.txt"}), StartResult::Failed);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"lock", "handover?", "unlock"}));
}

TEST_F(StartupTest, OrderOfAFirstStart) {
    profile_.WriteProfileInt("WindowSize", "Status", 2);
    EXPECT_EQ(Start({}), StartResult::Started);
    EXPECT_EQ(host_.log, (std::vector<std::string>{"lock", "handover?", "frame", "listen", "show-max",
                                                   "worker", "recovery", "unlock"}));
    EXPECT_FALSE(globals_.state.startedWithFiles);
    EXPECT_EQ(globals_.osWindowWorkPath, CurrentDirectory() + "/$SHELWIN");
}

TEST_F(StartupTest, ResidentStartedIconicIsHiddenWithTrayIcon) {
    profile_.WriteProfileInt("Environ", "Resident", 1);
    host_.iconic = true;
    Start({});
    EXPECT_EQ(host_.log[4], "hide");
    EXPECT_EQ(host_.log.back(), "tray");
    EXPECT_TRUE(globals_.resident);
}

TEST_F(StartupTest, WorkingDirectoryRules) {
    profile_.WriteProfileString("Current", "Directory", (dir_ / "last").string());
    Start({});
    EXPECT_EQ(CurrentDirectory(), fs::canonical(dir_ / "last").string());
    EXPECT_EQ(globals_.startDirectory, CurrentDirectory());
}

TEST_F(StartupTest, FirstFileFolderBecomesTheCurrentDirectoryUnlessDashC) {
    profile_.WriteProfileString("Current", "Directory", (dir_ / "last").string());
    Start({"files/x.c"});
    EXPECT_EQ(host_.opened, std::vector<std::string>{fs::canonical(dir_).string() + "/files/x.c"});
    EXPECT_EQ(CurrentDirectory(), fs::canonical(dir_ / "files").string());
    EXPECT_TRUE(globals_.state.startedWithFiles);

    SetCurrentDirectory(dir_.string());
    FakeStartup other;
    other.profile = &profile_;
    AppGlobals g;
    RunStartup(other, profile_, {"-c", "files/x.c"}, g);
    EXPECT_EQ(CurrentDirectory(), fs::canonical(dir_).string());
}

TEST_F(StartupTest, FixedStartDirectoryWithCurrentMode2) {
    profile_.WriteProfileInt("Environ", "Current_Mode", 2);
    profile_.WriteProfileString("Environ", "Current_Dir", (dir_ / "files").string());
    profile_.WriteProfileString("Current", "Directory", (dir_ / "last").string());
    Start({});
    EXPECT_EQ(CurrentDirectory(), fs::canonical(dir_ / "files").string());
}

TEST_F(StartupTest, RecoveredFileIsOpenedFromItsFolder) {
    host_.recovery = 1;
    host_.recoveryPath = (dir_ / "files" / "r.txt").string();
    Start({"ignored.c"});
    EXPECT_EQ(host_.opened, std::vector<std::string>{fs::canonical(dir_ / "files").string() + "/r.txt"});
    EXPECT_EQ(CurrentDirectory(), fs::canonical(dir_ / "files").string());
}

TEST_F(StartupTest, FailuresReleaseTheLock) {
    host_.recovery = -1;
    EXPECT_EQ(Start({}), StartResult::Failed);
    EXPECT_EQ(host_.log.back(), "unlock");
    FakeStartup noWorker;
    noWorker.profile = &profile_;
    noWorker.workerOk = false;
    AppGlobals g;
    EXPECT_EQ(RunStartup(noWorker, profile_, {}, g), StartResult::Failed);
    EXPECT_EQ(noWorker.log.back(), "unlock");
}

TEST(StartupPaths, OsWindowWorkPath) {
    EXPECT_EQ(OsWindowWorkPath("/home/u"), "/home/u/$SHELWIN");
    EXPECT_EQ(OsWindowWorkPath("/"), "/$SHELWIN");
}
