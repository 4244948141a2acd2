// Runs a built console program in a scratch folder and collects what it did.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tooltest {

struct RunResult {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;  // standard output
};

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Runs program with the arguments (no shell, each one word) in cwd, feeding
// input on standard input; env entries "NAME=value" are added to the
// environment.
RunResult Run(const std::string& program, const std::vector<std::string>& args,
              const std::filesystem::path& cwd, const std::string& input = "",
              const std::vector<std::string>& env = {});

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace tooltest
