// The OS command window's worker thread, running real commands through
// /bin/sh in a folder of its own.
#include "external/shell_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

namespace qz {
namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ShellWorkerTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qz_worker_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ + "/work");
        worker_ = std::make_unique<ShellWorker>(dir_, [this] {
            std::lock_guard<std::mutex> lock(m_);
            ++notices_;
            cv_.notify_all();
        });
        worker_->Start();
    }
    void TearDown() override {
        worker_.reset();
        std::filesystem::remove_all(dir_);
    }
    // A bound that only a broken worker reaches; it says nothing of speed.
    bool WaitNotices(int n) {
        std::unique_lock<std::mutex> lock(m_);
        return cv_.wait_for(lock, std::chrono::seconds(60), [&] { return notices_ >= n; });
    }
    ShellRequest Request(const std::string& command, ShellErrors errors = ShellErrors::kIntoOutput) {
        return {command, errors, dir_ + "/work", &target_};
    }

    std::string dir_;
    int target_ = 0;
    std::unique_ptr<ShellWorker> worker_;
    std::mutex m_;
    std::condition_variable cv_;
    int notices_ = 0;
};

TEST_F(ShellWorkerTest, RunsInItsFolderAndSeparatesErrorsInGrepMode) {
    ASSERT_TRUE(worker_->Submit(Request("pwd; echo oops >&2; read x; echo \"in=$x.\"", ShellErrors::kOwnFile)));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_TRUE(worker_->Busy());  // until the result is taken
    const auto r = worker_->TakeResult();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->target, &target_);
    EXPECT_FALSE(r->stopped);
    EXPECT_EQ(Read(r->outPath), dir_ + "/work\nin=.\n");
    EXPECT_EQ(Read(r->errPath), "oops\n");
    EXPECT_FALSE(worker_->Busy());
    EXPECT_FALSE(worker_->TakeResult().has_value());
}

TEST_F(ShellWorkerTest, ToolModeWritesErrorsIntoTheOutputFile) {
    ASSERT_TRUE(worker_->Submit(Request("echo a; echo b >&2; no_such_program_qz 2>/dev/null; echo c")));
    ASSERT_TRUE(WaitNotices(1));
    const auto r = worker_->TakeResult();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(Read(r->outPath), "a\nb\nc\n");
    EXPECT_EQ(Read(r->errPath), "");
}

TEST_F(ShellWorkerTest, OneRequestAtATime) {
    ASSERT_TRUE(worker_->Submit(Request("echo first")));
    EXPECT_FALSE(worker_->Submit(Request("echo second")));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_FALSE(worker_->Submit(Request("echo second")));  // the result is not taken yet
    ASSERT_TRUE(worker_->TakeResult().has_value());
    ASSERT_TRUE(worker_->Submit(Request("echo second")));
    ASSERT_TRUE(WaitNotices(2));
    EXPECT_EQ(Read(worker_->TakeResult()->outPath), "second\n");
}

TEST_F(ShellWorkerTest, StopEndsACommandThatNeverEndsWithWhatItStarted) {
    // The shell and its children ignore SIGTERM: the second stop insists.
    ASSERT_TRUE(worker_->Submit(Request("trap '' TERM; echo started; sleep 1000; sleep 1000")));
    for (int i = 0; i < 600 && Read(worker_->OutPath()) != "started\n"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(Read(worker_->OutPath()), "started\n");
    worker_->Stop();
    worker_->Stop();
    ASSERT_TRUE(WaitNotices(1));
    const auto r = worker_->TakeResult();
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->stopped);
    EXPECT_EQ(Read(r->outPath), "started\n");
}

TEST_F(ShellWorkerTest, AStopBeforeTheStartStillEndsTheCommand) {
    ASSERT_TRUE(worker_->Submit(Request("sleep 1000")));
    worker_->Stop();
    worker_->Stop();
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_TRUE(worker_->TakeResult()->stopped);
}

TEST_F(ShellWorkerTest, QuitWhileRunningEndsTheCommandAndTheThread) {
    ASSERT_TRUE(worker_->Submit(Request("sleep 1000")));
    worker_->Quit();
    EXPECT_FALSE(worker_->Submit(Request("echo late")));
}

TEST_F(ShellWorkerTest, CancelWaitsForTheResultOfAStoppedCommand) {
    ASSERT_TRUE(worker_->Submit(Request("trap '' TERM; echo x; sleep 1000")));
    worker_->Cancel();
    const auto r = worker_->TakeResult();
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->stopped);
    worker_->Cancel();  // nothing running: returns at once
    ASSERT_TRUE(worker_->Submit(Request("echo after")));
    ASSERT_TRUE(WaitNotices(2));
    EXPECT_EQ(Read(worker_->TakeResult()->outPath), "after\n");
}

TEST_F(ShellWorkerTest, AFolderThatIsGoneIsReportedInTheErrorFile) {
    ShellRequest r = Request("echo never", ShellErrors::kOwnFile);
    r.workDir = dir_ + "/gone";
    ASSERT_TRUE(worker_->Submit(r));
    ASSERT_TRUE(WaitNotices(1));
    const auto result = worker_->TakeResult();
    EXPECT_EQ(Read(result->outPath), "");
    EXPECT_NE(Read(result->errPath).find("/bin/sh: "), std::string::npos);
}

}  // namespace
}  // namespace qz
