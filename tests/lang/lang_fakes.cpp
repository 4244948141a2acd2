// Helpers shared by the language tests.
#include "lang_fakes.h"

#include "platform/cp932.h"

namespace qz::testing {

std::string Sjis(const std::string& utf8) { return Utf8ToSjis(utf8); }

}  // namespace qz::testing
