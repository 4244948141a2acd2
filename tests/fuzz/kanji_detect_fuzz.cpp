// Fuzz target: JIS and EUC detection, the "EucDrive" rule and the decision
// order on any bytes.
#include "document/kanji_code.h"
#include "document/kanji_detect.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz;
    // An exact-size copy so that a read past the sample is caught.
    std::unique_ptr<char[]> copy(new char[size ? size : 1]);
    if (size) std::memcpy(copy.get(), data, size);
    const std::string_view sample(copy.get(), size);
    const int jis = DetectJis(sample), euc = DetectEuc(sample);
    if ((jis != 0 && jis != 1) || (euc != 0 && euc != 1)) std::abort();
    // JIS needs 7-bit data, EUC evidence needs 8-bit bytes.
    if (jis && euc) std::abort();
    if (size > kDetectSampleSize &&
        (DetectJis(sample.substr(0, kDetectSampleSize)) != jis ||
         DetectEuc(sample.substr(0, kDetectSampleSize)) != euc))
        std::abort();
    // The first line is an "EucDrive" value, the second a path.
    const size_t nl = sample.find('\n');
    const std::string_view list = sample.substr(0, nl == std::string_view::npos ? size : nl);
    const std::string path(nl == std::string_view::npos ? std::string_view() : sample.substr(nl + 1, 256));
    const bool eucPath = IsEucPath(list, path);
    const int code = DecideKanjiCode(0, 0, 1, list, path, [&] { return std::string(sample); });
    const int want = eucPath ? kCodeEuc : jis ? kCodeJis : euc ? kCodeEuc : kCodeSjis;
    if (code != want) std::abort();
    return 0;
}
