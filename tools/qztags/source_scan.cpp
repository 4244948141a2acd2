// Reads a source in line pieces, filters each and writes its definitions.
#include "qztags/source_scan.h"

#include <unistd.h>

#include "qztags/line_filter.h"
#include "qztags/tag_classify.h"
#include "qztags/tag_writer.h"
#include "qztags/text_reader.h"

namespace qztags {

bool ScanSource(const std::string& path, const std::string& tag_name, TagWriter& out,
                FILE* echo) {
    std::string bytes;
    if (!TextReader::ReadSource(path, bytes)) return false;
    TextReader reader(std::move(bytes));
    ScanState state;  // a UTF-8 source has been read as Shift-JIS
    const std::string name =
        tag_name.find(' ') != std::string::npos ? '"' + tag_name + '"' : tag_name;
    std::string piece;
    long line_no = 0;
    while (reader.ReadPiece(piece, kPieceBytes)) {
        ++line_no;
        bool has_lf = !piece.empty() && piece.back() == '\n';
        if (has_lf) piece.pop_back();
        // The line buffer is a C string: a NUL byte ends what the filter sees.
        if (size_t nul = piece.find('\0'); nul != std::string::npos) piece.resize(nul);
        bool backslash = false;
        std::string top = FilterLine(state, piece, !has_lf, &backslash);
        ApplyDefineFilter(state, top, backslash);
        if (top.empty()) continue;
        if (echo) {
            std::fwrite(top.data(), 1, top.size(), echo);
            std::fputc('\n', echo);
        }
        if (auto marked = ClassifyLine(top)) out.Definition(name, line_no, *marked);
    }
    out.EmptyLine();
    return true;
}

}  // namespace qztags
