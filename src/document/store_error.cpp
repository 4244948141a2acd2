// The text store's fatal path: a broken chain is dumped to CORE.QZ in the
// program folder, the user is told what to send, and the process ends.
#include <cstdio>
#include <cstdlib>

#include "document/text_store.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace qz {

std::string TextStore::InternalErrorMessage(int code, const std::string& i1, const std::string& i2,
                                            const std::string& i3) {
    char head[64];
    std::snprintf(head, sizeof head, "バグ発生(%d)\n\n", code);
    std::string m = head;
    m += "＜情報＞\n\n";
    m += i1 + "\n" + i2 + "\n" + i3 + "\n\n";
    m += "上記情報と本ソフト格納ディレクトリ内に作成される\n";
    m += "                    CORE.QZ\n";
    m += "を添えて作者に連絡して下さい";
    return m;
}

std::string TextStore::DumpText() const {
    std::string out;
    char line[160];
    // Written as a text-mode file would be: every line feed becomes CR LF.
    auto put = [&out](const char* s, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            if (s[i] == '\n') out += '\r';
            out += s[i];
        }
    };
    auto putLine = [&](int len) { put(line, static_cast<size_t>(len)); };
    putLine(std::snprintf(line, sizeof line, "MAKE:%d FATNO:%d SIZE:%d CR:%d DCR:%d\n", cursor_.MAKE,
                          static_cast<int>(cursor_.FATNO), static_cast<int>(cursor_.SIZE),
                          static_cast<int>(cursor_.CR), static_cast<int>(cursor_.DCR)));
    const std::string stars(63, '*');
    for (uint32_t c = 0; c < chunkCount_ && chunks_[c].allocated; ++c) {
        for (uint32_t s = 0; s < kChunkRecords; ++s) {
            const StoreRecord& r = chunks_[c].records[s];
            if (!r.used) continue;
            put(stars.data(), stars.size());
            put("\n", 1);
            putLine(std::snprintf(line, sizeof line,
                                  "* SIZE:%3d CR:%3d DCR:%3d COM:%d [ TOP:%d COL:%3d KAN:%d CHR:%02X ] *\n",
                                  static_cast<int>(r.SIZE), static_cast<int>(r.CR), static_cast<int>(r.DCR),
                                  r.COM, r.TOP, r.COL, r.KAN, static_cast<unsigned>(r.CHR)));
            putLine(std::snprintf(line, sizeof line, "* NOW:%6d NEXT:%6d BEFORE:%6d                        *\n",
                                  static_cast<int>(r.NOW), static_cast<int>(r.NEXT),
                                  static_cast<int>(r.BEFORE)));
            put(stars.data(), stars.size());
            put("\n", 1);
            uint32_t size = r.SIZE > kRecordText ? kRecordText : r.SIZE;
            put(reinterpret_cast<const char*>(r.text), size);
            put("<END>\n", 6);
        }
    }
    return out;
}

namespace {

// Shows the message and ends the process as the original program did.
class DefaultFatal : public FatalHandler {
public:
    explicit DefaultFatal(MessageBox* box) : box_(box) {}
    void ShowAndEnd(const std::string* message) override {
        if (message && box_) box_->Show(*message, "システムエラー", MbIcon::Stop, MbButtons::Ok);
        std::abort();
    }

private:
    MessageBox* box_;
};

}  // namespace

void TextStore::InternalError(int code, const std::string& i1, const std::string& i2, const std::string& i3) {
    errorCode_ = code;
    errorInfo_[0] = i1.substr(0, kInfoTextMax);
    errorInfo_[1] = i2.substr(0, kInfoTextMax);
    errorInfo_[2] = i3.substr(0, kInfoTextMax);
    DefaultFatal fallback(box_);
    FatalHandler* handler = fatal_ ? fatal_ : &fallback;

    MakeFolders(StateFolder());
    const std::string path = StateFolder() + "/CORE.QZ";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        handler->ShowAndEnd(nullptr);
        std::abort();
    }
    const std::string dump = DumpText();
    std::fwrite(dump.data(), 1, dump.size(), f);
    std::fclose(f);
    const std::string message = InternalErrorMessage(code, errorInfo_[0], errorInfo_[1], errorInfo_[2]);
    handler->ShowAndEnd(&message);
    std::abort();  // a handler must not return into a broken store
}

}  // namespace qz
