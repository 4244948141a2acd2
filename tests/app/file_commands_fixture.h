// The fixture of the lifecycle and file command tests: a temporary folder,
// the fake frames, and the real file steps.
#pragma once

#include <sys/stat.h>

#include "app/file_commands.h"
#include "document/file_test_util.h"
#include "fake_frame_host.h"
#include "platform/paths.h"

namespace qz::test {

class FileCommandsTest : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        frames_.io = &fio_;
    }

    std::string Canon(const std::string& name) const { return CanonicalPath(Path(name)); }

    // A window on a file holding content, read as the open command reads it.
    CQzedDoc& OpenFile(const std::string& name, const std::string& content, FakeFrame** frame = nullptr) {
        WriteWholeFile(Path(name), content);
        CQzedDoc& doc = frames_.NewDoc();
        EXPECT_TRUE(commands_.Lifecycle().OpenDocument(doc, Path(name)));
        FakeFrame* f = frames_.AddFrame(doc);
        if (frame) *frame = f;
        return doc;
    }
    CQzedDoc& OpenModified(const std::string& name, const std::string& content, const std::string& text) {
        CQzedDoc& doc = OpenFile(name, content);
        ReplaceText(doc, text);
        return doc;
    }
    // A modified document whose save fails: its path is a folder.
    CQzedDoc& OpenUnsavable(const std::string& name) {
        CQzedDoc& doc = OpenModified(name, "old", "new");
        ::unlink(Path(name).c_str());
        ::mkdir(Path(name).c_str(), 0700);
        return doc;
    }
    void AnswerDialog(const std::string& name, int index) {
        frames_.dialogAnswers.push_back(SaveTypeAnswer{Path(name), index});
    }

    FakeFrameHost frames_;
    FileIo fio_{box_, &frames_};
    FileCommands commands_{box_, fio_, frames_};
};

}  // namespace qz::test
