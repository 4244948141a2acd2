// The CP932 <-> UTF-8 converter on arbitrary bytes in both directions: the
// lossy form always gives valid UTF-8, and whatever converts to Shift-JIS
// converts back to a text with that same Shift-JIS form. (A few characters,
// such as the cent sign, take the form of their full-width twin, so the
// Unicode text itself need not come back unchanged.)
#include <cstdint>
#include <string>

#include "fuzz_util.h"
#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = qz::SjisToUtf8(in);
    FUZZ_CHECK(IsValidUtf8(utf8));
    std::string strict;
    size_t bad = SIZE_MAX;
    if (!qz::Cp932ToUtf8(in, strict, &bad)) FUZZ_CHECK(bad < size);

    std::string sjis;
    bad = SIZE_MAX;
    if (qz::Utf8ToCp932(in, sjis, &bad)) {
        std::string back;
        FUZZ_CHECK(qz::Cp932ToUtf8(sjis, back));
        std::string again;
        FUZZ_CHECK(qz::Utf8ToCp932(back, again));
        FUZZ_CHECK(again == sjis);
    } else {
        FUZZ_CHECK(bad < size);
    }

    for (size_t max : {size_t(0), size_t(1), size / 2, size}) {
        std::string_view p = qz::SjisPrefix(in, max);
        FUZZ_CHECK(p.size() <= max);
        FUZZ_CHECK(p.size() + 1 >= std::min(max, size));
    }
    return 0;
}
