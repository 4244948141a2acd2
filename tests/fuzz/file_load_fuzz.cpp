// Fuzz target for the loader: any bytes as a Shift-JIS, EUC or JIS file,
// read in blocks of 1 to 64 bytes (so on the reading thread, with every
// character, escape and CR LF cut somewhere) and in the usual large blocks;
// both must give the converted text with the byte rules applied, and a
// sound store.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "document/file_io.h"
#include "document/kanji_code.h"
#include "document/kanji_convert.h"
#include "document/qzed_doc.h"
#include "fuzz_util.h"
#include "platform/message_box.h"
#include "settings/settings.h"

namespace {

class QuietBox : public qz::MessageBox {
public:
    qz::MbResult Show(const std::string&, const std::string&, qz::MbIcon, qz::MbButtons) override {
        return qz::MbResult::Ok;
    }
};

const std::string& FilePath() {
    static const std::string path = [] {
        const char* t = std::getenv("TMPDIR");
        std::string p = std::string(t && *t ? t : "/tmp") + "/qz-load-fuzz-XXXXXX";
        const int fd = ::mkstemp(p.data());
        FUZZ_CHECK(fd >= 0);
        ::close(fd);
        return p;
    }();
    return path;
}

std::string TextOf(qz::CQzedDoc& doc) {
    std::string s(doc.GetTextLength(), '\0');
    doc.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int code = 1 + data[0] % 3;
    const bool stopAtEof = data[0] & 4;
    const size_t block = 1 + data[1] % 64;
    const std::string file(reinterpret_cast<const char*>(data + 2), size - 2);
    {
        const int fd = ::open(FilePath().c_str(), O_WRONLY | O_TRUNC);
        FUZZ_CHECK(fd >= 0 && ::write(fd, file.data(), file.size()) == ssize_t(file.size()));
        ::close(fd);
    }
    qz::TheSettings().env.ReadEND = stopAtEof ? 0 : 1;
    std::string want;
    bool lf = false, cr = false;
    for (char c : qz::DecodeToSjis(code, file)) {
        if (c == 0x1A && stopAtEof) break;
        if (c == '\r') cr = true;
        if (c == '\n') lf = true;
        if (c != '\r' && c != '\0' && c != 0x1A) want += c;
    }
    QuietBox box;
    qz::FileIo io(box);
    for (size_t b : {block, size_t(256 * 1024)}) {
        io.SetReadBlock(b);
        qz::CQzedDoc doc(1);
        FUZZ_CHECK(io.Load(doc, FilePath(), code) == 0);
        FUZZ_CHECK(TextOf(doc) == want);
        FUZZ_CHECK(doc.File().lineEnd == (lf && !cr ? qz::kLineLf : qz::kLineCrLf));
        FUZZ_CHECK(doc.Store().Check().empty());
    }
    return 0;
}
