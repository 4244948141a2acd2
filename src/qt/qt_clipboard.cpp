// QtClipboard: converts at the border and marks what this program wrote, so
// that a paste can tell its own box text from another program's and take its
// own bytes back unchanged.
#include "qt/qt_clipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include "platform/cp932.h"
#include "platform/sjis_unicode.h"

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

std::string UnicodeClipToSjis(const QString& textIn, long* replaced, Utf8Forms* forms) {
    if (replaced) *replaced = 0;
    if (forms) *forms = {};
    QString text = textIn;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    const int nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    // The strict mapping, as files are read: a look-alike would not come
    // back as it was when the text is saved as UTF-8.
    std::string out;
    out.reserve(size_t(text.size()) * 2);
    for (const char32_t u : text.toStdU32String()) {
        unsigned sjis = u < 0x80 ? unsigned(u) : UnicodeToSjisChar(u);
        if (sjis == 0) {
            sjis = 0x8145;  // "・"
            if (replaced) ++*replaced;
        }
        bool other = false;
        if (const int index = TwoFormIndexOfUnicode(u, &other); index >= 0 && forms) forms->NoteTyped(index, other);
        if (sjis == '\n') out += '\r';
        if (sjis > 0xFF) out += char(sjis >> 8);
        out += char(sjis & 0xFF);
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
    forms_ = {};
    if (EditorBytes(data, nullptr, sjisCrLf)) {
        if (replaced) *replaced = 0;
        return true;
    }
    if (!data || !data->hasText()) return false;
    *sjisCrLf = UnicodeClipToSjis(data->text(), replaced, &forms_);
    return true;
}

bool QtClipboard::OwnedByThisProgram() {
    QByteArray mark;
    return EditorBytes(QGuiApplication::clipboard()->mimeData(), &mark, nullptr) && mark == OwnerMark();
}

}  // namespace qz
