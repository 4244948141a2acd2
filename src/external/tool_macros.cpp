// Macro expansion of the user tools' templates.
#include "external/tool_macros.h"

#include "external/shell_words.h"
#include "platform/paths.h"

namespace qz {
namespace {

struct PathPieces {
    std::string dir, stem, ext, folder;
};

PathPieces Pieces(const std::string& path) {
    const PathParts parts = SplitPath(path);
    PathPieces p{parts.dir, parts.stem, parts.ext, {}};
    // The document's folder without its trailing separator; "/" stays.
    if (const size_t slash = path.rfind('/'); slash != std::string::npos)
        p.folder = slash == 0 ? "/" : path.substr(0, slash);
    return p;
}

// One pass over a template: literal bytes are copied, "&x" becomes what
// value gives for x (nothing: "x" itself); insert adapts each value to its
// place.
template <typename Value, typename Insert>
std::string Expand(const std::string& templ, Value value, Insert insert) {
    std::string out;
    ShellQuote where = ShellQuote::kNone;
    size_t copiedTo = 0;
    auto copy = [&](std::string_view literal) {
        where = ShellQuoteAfter(literal, where);
        out += literal;
    };
    auto flush = [&](size_t to) {
        copy(std::string_view(templ).substr(copiedTo, to - copiedTo));
        copiedTo = to;
    };
    for (size_t i = 0; i + 1 < templ.size(); ++i) {
        if (templ[i] != '&') continue;
        flush(i);
        const char code = templ[i + 1];
        copiedTo = i + 2;
        ++i;
        if (const std::string* v = value(code)) out += insert(*v, where);
        else copy(std::string_view(templ).substr(i, 1));  // "&&" and any other "&x": the x
    }
    flush(templ.size());
    return out;
}

}  // namespace

std::string ExpandToolParameters(const std::string& templ, const ToolContext& ctx) {
    const PathPieces p = Pieces(ctx.path);
    const std::string line = std::to_string(ctx.line), column = std::to_string(ctx.column);
    const std::string none;
    auto value = [&](char code) -> const std::string* {
        switch (code) {
        case 'T': return &ctx.path;
        case 'D': return &none;  // no drives here
        case 'P': return &p.dir;
        case 'F': return &p.stem;
        case 'E': return &p.ext;
        case 'L': return &line;
        case 'C': return &column;
        case 'W': return &ctx.word;
        case 'S': return &ctx.selection;
        case 'N': return &ctx.currentDir;
        default: return nullptr;
        }
    };
    return Expand(templ, value, [](const std::string& v, ShellQuote where) { return ShellInsert(v, where); });
}

std::string ExpandToolDirectory(const std::string& templ, const ToolContext& ctx) {
    const PathPieces p = Pieces(ctx.path);
    const std::string none;
    auto value = [&](char code) -> const std::string* {
        switch (code) {
        case 'T': return &p.folder;
        case 'D': return &none;
        case 'P': return &p.dir;
        case 'F': return &p.stem;
        case 'N': return &ctx.currentDir;
        default: return nullptr;
        }
    };
    return Expand(templ, value, [](const std::string& v, ShellQuote) { return v; });
}

std::string ToolCommandLine(const UserTool& tool, const ToolContext& ctx) {
    if (tool.param.empty()) return tool.name;
    return tool.name + " " + ExpandToolParameters(tool.param, ctx);
}

std::string AssociatedTarget(const std::string& name) {
    const bool address = name.find('@') != std::string::npos && name.find('.') != std::string::npos;
    if (address && name.rfind("mailto:", 0) != 0) return "mailto:" + name;
    return name;
}

}  // namespace qz
