// The rectangle calculation on any bytes: the evaluator never crashes, a
// success always carries a finite value and a failure leaves the result
// alone, the printed result reads back as the same number to 15 digits, and
// the box sum and the two displays stay within their texts.
#include <cmath>
#include <cstdint>
#include <string>

#include "calc/box_sum.h"
#include "calc/code_text.h"
#include "calc/expression.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    double value = 1234.5;
    if (qz::EvaluateExpression(text, &value) == 0) {
        FUZZ_CHECK(std::isfinite(value));
        const std::string shown = qz::FormatCalcResult(value, true);
        const std::string plain = qz::FormatCalcResult(value, false);
        FUZZ_CHECK(!plain.empty() && shown.compare(0, plain.size(), plain) == 0);
        // Beyond 1e308 the rounded digits may lie past the largest double.
        if (std::fabs(value) < 1e308) {
            double back = 0;
            FUZZ_CHECK(qz::EvaluateExpression(plain, &back) == 0);
            FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14);
        }
    } else {
        FUZZ_CHECK(value == 1234.5);
    }

    double total = 0;
    if (qz::SumCalcBox(text, &total) == 0) FUZZ_CHECK(std::isfinite(total));

    if (size > 0) {
        std::string message;
        qz::RadixDisplayText(text, data[0] % size, &message);
        FUZZ_CHECK(!message.empty());
        const std::string code = qz::CodeDisplayText(text.substr(0, 2));
        FUZZ_CHECK(!code.empty());
    }
    return 0;
}
