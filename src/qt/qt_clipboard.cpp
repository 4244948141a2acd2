// QtClipboard: converts at the border and marks what this program wrote, so
// that a paste can tell its own box text from another program's and take its
// own bytes back unchanged.
#include "qt/qt_clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <algorithm>
#include <string_view>

#include "platform/cp932.h"

namespace qz {

namespace {
// The owner mark, then a line feed and the Shift-JIS bytes as the views gave
// them. The mark is this process's id, so that another copy of the editor is
// another program as far as the box rule goes; the bytes are kept because
// the Unicode text cannot carry every byte of the text (NEC and IBM
// duplicates come back as their other code, bytes without a Unicode form not
// at all).
const char* const kOwnerFormat = "application/x-qzed32-owner";

QByteArray OwnerMark() { return QByteArray::number(QCoreApplication::applicationPid()); }

// The editor's own bytes on the clipboard (ours or another copy's); false when
// the text came from another program.
bool EditorBytes(const QMimeData* data, QByteArray* mark, std::string* sjisCrLf) {
    if (!data || !data->hasFormat(kOwnerFormat)) return false;
    const QByteArray raw = data->data(kOwnerFormat);
    const qsizetype lf = raw.indexOf('\n');
    if (lf < 0) return false;
    if (mark) *mark = raw.left(lf);
    if (sjisCrLf) {
        const QByteArray bytes = raw.mid(lf + 1);
        const qsizetype nul = bytes.indexOf('\0');
        sjisCrLf->assign(bytes.constData(), size_t(nul < 0 ? bytes.size() : nul));
    }
    return true;
}
}  // namespace

QString SjisClipToUnicode(const std::string& sjisCrLf) {
    std::string utf8;
    Cp932ToUtf8(sjisCrLf, utf8, nullptr, true);
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string UnicodeClipToSjis(const QString& textIn, long* replaced) {
    if (replaced) *replaced = 0;
    QString text = textIn;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    const int nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    const std::string utf8 = text.toStdString();
    // Whole runs convert at once; only the characters that fail are replaced.
    std::string sjis, part;
    std::string_view rest(utf8);
    while (!rest.empty()) {
        size_t bad = 0;
        if (Utf8ToCp932(rest, part, &bad)) {
            sjis += part;
            break;
        }
        if (bad > 0 && Utf8ToCp932(rest.substr(0, bad), part)) sjis += part;
        sjis += "\x81\x45";  // "・"
        if (replaced) ++*replaced;
        size_t skip = 1;
        while (bad + skip < rest.size() && (static_cast<uint8_t>(rest[bad + skip]) & 0xC0) == 0x80) ++skip;
        rest.remove_prefix(std::min(rest.size(), bad + skip));
    }
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 16);
    for (char c : sjis) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

QtClipboard& QtClipboard::Instance() {
    static QtClipboard clipboard;
    return clipboard;
}

bool QtClipboard::Empty() {
    QGuiApplication::clipboard()->clear();
    return true;
}

bool QtClipboard::SetText(const std::string& sjisCrLf) {
    auto* data = new QMimeData;
    data->setText(SjisClipToUnicode(sjisCrLf));
    data->setData(kOwnerFormat, OwnerMark() + '\n' + QByteArray::fromStdString(sjisCrLf));
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

bool QtClipboard::GetText(std::string* sjisCrLf, long* replaced) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (EditorBytes(data, nullptr, sjisCrLf)) {
        if (replaced) *replaced = 0;
        return true;
    }
    if (!data || !data->hasText()) return false;
    *sjisCrLf = UnicodeClipToSjis(data->text(), replaced);
    return true;
}

bool QtClipboard::OwnedByThisProgram() {
    QByteArray mark;
    return EditorBytes(QGuiApplication::clipboard()->mimeData(), &mark, nullptr) && mark == OwnerMark();
}

}  // namespace qz
