// Fuzzes the template file parser: any bytes give either templates within
// their limits or an error with every slot cleared.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lang/template_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    qz::TemplateTable t;
    qz::TemplateError e = qz::ParseTemplateFile(bytes, t);
    for (const auto& slot : t.slots) {
        if (!e.ok() && (slot.defined || !slot.title.empty() || !slot.text.empty())) std::abort();
        if (slot.title.size() > qz::kTemplateTitleBytes) std::abort();
        if (!slot.defined && !slot.text.empty()) std::abort();
    }
    if (!e.ok() && e.line < 1) std::abort();
    return 0;
}
