// QtClipboard: converts at the border and marks what this program wrote, so
// that a paste can tell its own box text from another program's.
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
// The owner mark: this process's id, so that another copy of the editor is
// another program as far as the box rule goes.
const char* const kOwnerFormat = "application/x-qzed32-owner";

QByteArray OwnerMark() { return QByteArray::number(QCoreApplication::applicationPid()); }
}  // namespace

QString SjisClipToUnicode(const std::string& sjisCrLf) {
    std::string utf8;
    Cp932ToUtf8(sjisCrLf, utf8, nullptr, true);
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string UnicodeClipToSjis(const QString& textIn) {
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
    data->setData(kOwnerFormat, OwnerMark());
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

bool QtClipboard::GetText(std::string* sjisCrLf) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return false;
    *sjisCrLf = UnicodeClipToSjis(data->text());
    return true;
}

bool QtClipboard::OwnedByThisProgram() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->data(kOwnerFormat) == OwnerMark();
}

}  // namespace qz
