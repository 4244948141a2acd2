// The OS command window's worker: one thread that runs one command line at a
// time through /bin/sh -c, with standard output and standard error written
// to the result files, and says when the files are complete.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace qz {

// Mode of a request: standard error to its own file (grep), or into the
// output file (user tools and typed commands).
enum class ShellErrors { kOwnFile = 1, kIntoOutput = 2 };

struct ShellRequest {
    std::string command;  // handed to /bin/sh -c as it is
    ShellErrors errors = ShellErrors::kIntoOutput;
    std::string workDir;  // where the command runs
    const void* target = nullptr;  // the view that receives the result
};

struct ShellResult {
    const void* target = nullptr;
    std::string errPath, outPath;  // appended in this order
    bool stopped = false;          // ended by Stop or Quit
};

class ShellWorker {
public:
    // folder holds the result files "ShellFp.out" and "ShellFp.err". notify
    // runs on the worker thread each time a result is ready; it must only
    // hand the news to the user-interface thread, which calls TakeResult.
    ShellWorker(std::string folder, std::function<void()> notify);
    ~ShellWorker();
    ShellWorker(const ShellWorker&) = delete;
    ShellWorker& operator=(const ShellWorker&) = delete;

    // Starts the thread (at start-up; a first request starts it too).
    void Start();
    // Hands a request over; false while one is pending or its result has not
    // been taken (one request at a time).
    bool Submit(ShellRequest request);
    // A request is pending, running or waiting to be taken.
    bool Busy() const;
    // Ends the running command and everything it started: the first call
    // asks politely (SIGTERM), a second one insists (SIGKILL).
    void Stop();
    // Ends the running command at once (SIGKILL) and waits until its result
    // is ready (the end of the run: the output still lands in its window).
    void Cancel();
    // The finished request's files, once.
    std::optional<ShellResult> TakeResult();
    // Stops any command and ends the thread; waits for it.
    void Quit();

    const std::string& OutPath() const { return outPath_; }
    const std::string& ErrPath() const { return errPath_; }

private:
    void StartLocked();
    void Run();
    void Execute(const ShellRequest& r);

    const std::string outPath_, errPath_;
    std::function<void()> notify_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;  // a request has finished
    std::thread thread_;
    std::optional<ShellRequest> request_;  // pending or running
    std::optional<ShellResult> result_;    // done, not yet taken
    pid_t child_ = -1;                     // the running command's process group
    int stops_ = 0;
    bool quit_ = false;
};

}  // namespace qz
