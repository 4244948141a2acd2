// Opening Japanese files through the frame's documents, typing into the view
// window as a user does, saving, and the save question when a window closes.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"

using namespace qz;
using qz::fakes::ReadAll;
using qz::fakes::WriteAll;

namespace {

void Commit(QWidget* target, const QString& text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(target, &e);
}

}  // namespace

class DocumentEditingTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    MemoryProfile profile_;
    fakes::FakeMessageBox boxes_;

    // Opens bytes as name, types "ab", Enter and a committed "漢" at the top,
    // saves, and returns the file's bytes.
    QByteArray EditAndSave(const QString& name, const QByteArray& bytes, QString* title) {
        const QString path = dir_.filePath(name);
        if (!WriteAll(path, bytes)) return "<unwritten>";
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) return "<unexposed>";
        CQzedChild* child = w.Documents().Open(path.toStdString());
        if (!child) return "<not opened>";
        QWidget* canvas = child->ViewWidget()->Canvas();
        canvas->setFocus();
        QTest::qWait(20);
        QTest::keyClicks(canvas, "ab");
        QTest::keyClick(canvas, Qt::Key_Return);
        // Text still being composed is not typed.
        QInputMethodEvent composing(QStringLiteral("かん"), {});
        QApplication::sendEvent(canvas, &composing);
        Commit(canvas, QStringLiteral("漢"));
        // The caret sits after 漢 on the second row, two cells from the left edge.
        const QRect caret = child->ViewWidget()->CaretRect();
        if (caret.isEmpty()) return "<no caret>";
        const int rh = child->ViewWidget()->View().RowHeight(), cw = child->ViewWidget()->View().CellWidth();
        if (caret.left() != 2 * cw || caret.top() < rh || caret.bottom() >= 2 * rh) return "<caret place>";
        *title = child->windowTitle();
        if (!child->Doc().IsModified()) return "<not modified>";
        w.FileSave();
        if (child->Doc().IsModified()) return "<still modified>";
        return ReadAll(path);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void shiftJisFileKeepsItsCode() {
        QString title;
        // 日本 in Shift-JIS; 漢 is 8ABF.
        const QByteArray got = EditAndSave("sjis.c", "\x93\xfa\x96\x7b\r\n", &title);
        QCOMPARE(got, QByteArray("ab\r\n\x8a\xbf\x93\xfa\x96\x7b\r\n"));
        QVERIFY2(title.contains("sjis.c"), qPrintable(title));
    }

    void eucFileIsWrittenBackInEuc() {
        QString title;
        profile_.WriteProfileInt("Environ", "CharCheck", 1);  // detect the code
        // 日本語です in EUC-JP, long enough to be told from Shift-JIS; 漢 is B4C1.
        const QByteArray euc = "\xc6\xfc\xcb\xdc\xb8\xec\xa4\xc7\xa4\xb9\r\n";
        const QByteArray got = EditAndSave("euc.txt", euc, &title);
        profile_.WriteProfileInt("Environ", "CharCheck", 0);
        QCOMPARE(got, QByteArray("ab\r\n\xb4\xc1") + euc);
    }

    void jisFileIsWrittenBackInJis() {
        QString title;
        profile_.WriteProfileInt("Environ", "CharCheck", 1);
        // 日本 in 7-bit JIS; 漢 is 3441.
        const QByteArray jis = "\x1b$BF|K\\\x1b(B\r\n";
        const QByteArray got = EditAndSave("jis.txt", jis, &title);
        profile_.WriteProfileInt("Environ", "CharCheck", 0);
        // The kanji run goes on through 日本: one shift in, one out.
        QCOMPARE(got, QByteArray("ab\r\n\x1b$B4AF|K\\\x1b(B\r\n"));
        QVERIFY2(title.contains("jis"), qPrintable(title));
    }

    void utf8FileIsWrittenBackInUtf8() {
        QString title;
        // 日本 in UTF-8, LF line ends: no Shift-JIS byte may land in the file.
        const QByteArray got = EditAndSave("utf8.txt", "\xe6\x97\xa5\xe6\x9c\xac\n", &title);
        QCOMPARE(got, QByteArray("ab\n\xe6\xbc\xa2\xe6\x97\xa5\xe6\x9c\xac\n"));
        QVERIFY2(title.endsWith("  [utf8, lf]"), qPrintable(title));
    }

    void utf8FileTakesTypedTextOnlyInTheFormsItWrites() {
        const QString path = dir_.filePath("wave.txt");
        QVERIFY(WriteAll(path, "a\xe3\x80\x9c\n"));  // a〜 with the wave dash U+301C
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = w.Documents().Open(path.toStdString());
        QVERIFY(child);
        QWidget* canvas = child->ViewWidget()->Canvas();
        // The fullwidth tilde is the same Shift-JIS character in another form.
        Commit(canvas, QString::fromUtf8("x\xef\xbd\x9e"));
        QVERIFY(!child->Doc().IsModified());
        QCOMPARE(w.MessagePane()->text(),
                 QString::fromUtf8("「～」(U+FF5E)は、このファイルでは「〜」(U+301C)と書かれる文字のため入力できません"));
        Commit(canvas, QString::fromUtf8("x\xe3\x80\x9c"));
        QVERIFY(child->Doc().IsModified());
        w.FileSave();
        QCOMPARE(ReadAll(path), QByteArray("x\xe3\x80\x9c" "a\xe3\x80\x9c\n"));
    }

    void characterWithoutShiftJisFormIsRefusedAloud() {
        const QString path = dir_.filePath("emoji.txt");
        QVERIFY(WriteAll(path, "x\r\n"));
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = w.Documents().Open(path.toStdString());
        QVERIFY(child);
        QWidget* canvas = child->ViewWidget()->Canvas();
        Commit(canvas, QString::fromUtf8("\xF0\x9F\x98\x80"));
        QVERIFY(!child->Doc().IsModified());
        QVERIFY(!w.MessagePane()->text().isEmpty());
        // What converts before the refused character is still typed.
        Commit(canvas, QString::fromUtf8("y\xF0\x9F\x98\x80"));
        QVERIFY(child->Doc().IsModified());
        child->Doc().SetModifiedFlag(false);
    }

    void closeAsksTheSaveQuestion() {
        const QString path = dir_.filePath("ask.txt");
        QVERIFY(WriteAll(path, "old\r\n"));
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = w.Documents().Open(path.toStdString());
        QVERIFY(child);
        QTest::keyClicks(child->ViewWidget()->Canvas(), "n");
        QVERIFY(child->Doc().IsModified());

        boxes_.shown.clear();
        boxes_.answers = {MbResult::Cancel};
        QVERIFY(!child->close());
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].text, std::string("ファイルの内容が変更されていますが保存しますか？"));
        QCOMPARE(boxes_.shown[0].caption, child->Path());
        QVERIFY(boxes_.shown[0].icon == MbIcon::Question);
        QVERIFY(boxes_.shown[0].buttons == MbButtons::YesNoCancel);
        QCOMPARE(ReadAll(path), QByteArray("old\r\n"));

        boxes_.answers = {MbResult::Yes};
        QPointer<CQzedChild> guard(child);
        QVERIFY(child->close());
        QCOMPARE(ReadAll(path), QByteArray("nold\r\n"));
        QTRY_VERIFY(guard.isNull());
        QVERIFY(w.Documents().Children().empty());
    }

    void closeWithNoLeavesTheFileAndEndsWithTheLastDocument() {
        const QString path = dir_.filePath("no.txt");
        QVERIFY(WriteAll(path, "keep\r\n"));
        QzedMainWindow w(profile_, nullptr, &boxes_);
        int lastClosed = 0;
        w.Documents().onLastClosed = [&] { ++lastClosed; };
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = w.Documents().Open(path.toStdString());
        QVERIFY(child);
        // Opening the same file again finds the open window.
        QCOMPARE(w.Documents().Open(dir_.filePath("./no.txt").toStdString()), child);
        QTest::keyClick(child->ViewWidget()->Canvas(), Qt::Key_Delete);
        boxes_.answers = {MbResult::No};
        QVERIFY(child->close());
        QCOMPARE(ReadAll(path), QByteArray("keep\r\n"));
        QCOMPARE(lastClosed, 1);
    }

    void closingTheFrameAsksEachModifiedDocumentOnce() {
        const QString a = dir_.filePath("fa.txt"), b = dir_.filePath("fb.txt");
        QVERIFY(WriteAll(a, "1\r\n") && WriteAll(b, "2\r\n"));
        boxes_.shown.clear();
        {
            QzedMainWindow w(profile_, nullptr, &boxes_);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            CQzedChild* ca = w.Documents().Open(a.toStdString());
            CQzedChild* cb = w.Documents().Open(b.toStdString());
            QVERIFY(ca && cb);
            QTest::keyClicks(ca->ViewWidget()->Canvas(), "x");
            QTest::keyClicks(cb->ViewWidget()->Canvas(), "y");
            // Cancel on the second keeps the editor and every document.
            boxes_.answers = {MbResult::No, MbResult::Cancel};
            QVERIFY(!w.close());
            QCOMPARE(boxes_.shown.size(), size_t(2));
            QCOMPARE(w.Documents().Children().size(), size_t(2));
            boxes_.answers = {MbResult::No, MbResult::No};
            QVERIFY(w.close());
            QCOMPARE(boxes_.shown.size(), size_t(4));
        }
        QCOMPARE(boxes_.shown.size(), size_t(4));
        QCOMPARE(ReadAll(a), QByteArray("1\r\n"));
        QCOMPARE(ReadAll(b), QByteArray("2\r\n"));
    }

    void newDocumentsAreNumbered() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString here = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        CQzedChild* a = w.Documents().NewDocument(dir_.path().toStdString());
        CQzedChild* b = w.Documents().NewDocument(dir_.path().toStdString());
        QDir::setCurrent(here);
        QVERIFY(a && b);
        QVERIFY2(QString::fromStdString(a->Path()).endsWith("Text1.txt"), a->Path().c_str());
        QVERIFY2(QString::fromStdString(b->Path()).endsWith("Text2.txt"), b->Path().c_str());
    }
};

QTEST_MAIN(DocumentEditingTest)
#include "document_editing_test.moc"
