// Helpers of the file load and save tests: a temporary folder per test, the
// settings record put back afterwards, file contents as strings, and a host
// that records what the file steps asked of it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/file_io.h"
#include "document/qzed_doc.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"

namespace qz::test {

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
unsigned ModeOf(const std::string& path);
// Sets the modification time of path to sec seconds after the epoch.
void SetFileTime(const std::string& path, long sec);
// The names in folder, "." and ".." left out, sorted.
std::vector<std::string> ListFolder(const std::string& folder);
// The document's whole text.
std::string TextOf(CQzedDoc& doc);
// Replaces the whole text as an edit would (modified flag and undo entries).
void ReplaceText(CQzedDoc& doc, const std::string& sjis);

class RecordingHost : public FileIoHost {
public:
    int waitDepth = 0, waitBegins = 0, resets = 0, closes = 0, reopens = 0;
    FileIo* io = nullptr;          // reopens through io->Load when set
    bool failReopen = false;

    void BeginWaitCursor() override { ++waitDepth, ++waitBegins; }
    void EndWaitCursor() override { --waitDepth; }
    bool ReopenDocument(CQzedDoc& doc, const std::string& path) override {
        ++reopens;
        return !failReopen && io && io->Load(doc, path) == 0;
    }
    void ResetViews(CQzedDoc&) override { ++resets; }
    void CloseFrames(CQzedDoc&) override { ++closes; }
};

// A fresh folder under the system's temporary folder, removed afterwards, and
// the settings record as a fresh start has it.
class FileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    EnvironSettings& Env() { return TheSettings().env; }

    std::string dir_;
    Settings saved_;
    fakes::FakeMessageBox box_;
    RecordingHost host_;
    FileIo io_{box_, &host_};
};

}  // namespace qz::test
