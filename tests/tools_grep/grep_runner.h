// Runs the built qzgrep in a scratch folder and collects both of its outputs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace greptest {

struct GrepRun {
    int status = -1;   // exit status, -1 when the program did not exit normally
    std::string out;   // standard output
    std::string err;   // standard error
};

// A fresh folder under the system's temporary folder, removed afterwards.
class Scratch {
public:
    Scratch();
    ~Scratch();
    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to a file below the folder, creating its folders.
    void Put(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

GrepRun RunGrep(const std::vector<std::string>& args, const std::filesystem::path& cwd);

}  // namespace greptest
