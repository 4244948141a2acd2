// Process start and file helpers of the console program tests.
#include "tool_runner.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tooltest {
namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "qztooltest-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    path_ = tmpl;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const fs::path& cwd, const std::string& input, const std::vector<std::string>& env) {
    ScratchDir io;
    const std::string in_path = io / "stdin", out_path = io / "stdout";
    WriteFile(in_path, input);

    std::vector<std::string> envs;
    for (char** e = environ; *e; ++e) envs.emplace_back(*e);
    for (const std::string& e : env) envs.push_back(e);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : envs) envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = fork();
    if (pid == 0) {
        int in = open(in_path.c_str(), O_RDONLY);
        int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || chdir(cwd.c_str()) != 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    RunResult r;
    int st = 0;
    if (pid > 0 && waitpid(pid, &st, 0) == pid && WIFEXITED(st)) r.status = WEXITSTATUS(st);
    r.out = ReadFile(out_path);
    return r;
}

}  // namespace tooltest
