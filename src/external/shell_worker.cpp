// The worker thread of the OS command window.
#include "external/shell_worker.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace qz {

ShellWorker::ShellWorker(std::string folder, std::function<void()> notify)
    : outPath_(folder + "/ShellFp.out"), errPath_(folder + "/ShellFp.err"), notify_(std::move(notify)) {}

ShellWorker::~ShellWorker() { Quit(); }

void ShellWorker::Start() {
    std::lock_guard<std::mutex> lock(mutex_);
    StartLocked();
}

void ShellWorker::StartLocked() {
    if (!thread_.joinable() && !quit_) thread_ = std::thread([this] { Run(); });
}

bool ShellWorker::Submit(ShellRequest request) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (request_ || result_ || quit_) return false;
        StartLocked();
        request_ = std::move(request);
        stops_ = 0;
    }
    wake_.notify_one();
    return true;
}

bool ShellWorker::Busy() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_ || result_;
}

void ShellWorker::Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    // Counted before the start too: a command stopped that early is
    // signalled as soon as it exists.
    if (!request_) return;
    ++stops_;
    if (child_ > 0) kill(-child_, stops_ > 1 ? SIGKILL : SIGTERM);
}

void ShellWorker::Cancel() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!request_) return;
    stops_ = 2;
    if (child_ > 0) kill(-child_, SIGKILL);
    idle_.wait(lock, [this] { return !request_; });
}

std::optional<ShellResult> ShellWorker::TakeResult() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<ShellResult> r = std::move(result_);
    result_.reset();
    return r;
}

void ShellWorker::Quit() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        if (child_ > 0) kill(-child_, SIGKILL);
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void ShellWorker::Run() {
    for (;;) {
        ShellRequest r;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // Waiting here is the original's suspension: idle until a request
            // or the end of the run.
            wake_.wait(lock, [this] { return quit_ || (request_ && !result_ && child_ < 0); });
            if (quit_) return;
            r = *request_;
        }
        Execute(r);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            result_ = ShellResult{r.target, errPath_, outPath_, stops_ > 0 || quit_};
            request_.reset();
        }
        idle_.notify_all();
        if (notify_) notify_();
    }
}

void ShellWorker::Execute(const ShellRequest& r) {
    const int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0 || err < 0) {
        if (out >= 0) close(out);
        if (err >= 0) close(err);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, r.errors == ShellErrors::kOwnFile ? err : out, 2);
    if (!r.workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, r.workDir.c_str());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Its own process group, so that a stop reaches whatever it started.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attr, 0);
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setsigmask(&attr, &none);
    std::string command = r.command;
    char sh[] = "/bin/sh", dashC[] = "-c";
    char* argv[] = {sh, dashC, command.data(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, sh, &actions, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        // Said in the error file, which the window shows first.
        const std::string text = std::string("/bin/sh: ") + std::strerror(rc) + "\n";
        (void)!write(err, text.data(), text.size());
    } else {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            child_ = pid;
            // A stop or the end may have come before the spawn.
            if (quit_ || stops_ > 1) kill(-pid, SIGKILL);
            else if (stops_ == 1) kill(-pid, SIGTERM);
        }
        // Wait without reaping, so that a stop never signals a reused id.
        siginfo_t info;
        while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            child_ = -1;
        }
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    close(out);
    close(err);
}

}  // namespace qz
