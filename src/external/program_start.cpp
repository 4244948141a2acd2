// Detached program starts through posix_spawn.
#include "external/program_start.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "external/shell_words.h"

extern char** environ;

namespace qz {

int StartDetached(const std::string& commandLine, const std::string& workDir) {
    std::vector<std::string> words;
    if (auto plain = PlainShellWords(commandLine)) words = std::move(*plain);
    else words = {"/bin/sh", "-c", commandLine};
    if (words.empty()) return ENOENT;
    if (!workDir.empty()) {
        struct stat st;
        if (stat(workDir.c_str(), &st) != 0) return errno;
        if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Its own process group: a Ctrl+C in the terminal that started the
    // editor does not reach the programs it started.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    // Nobody waits for it otherwise: reaped when it ends, never a zombie.
    if (rc == 0) std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return rc;
}

std::string StartErrorText(const char* text, int error) {
    char head[256];
    std::snprintf(head, sizeof head, "%s [%d]", text, error);
    return std::string(head) + "\n" + std::strerror(error);
}

}  // namespace qz
