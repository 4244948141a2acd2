// Split windows, second windows on one document, the clipboard as other
// programs see it, and the check for changes made by other programs.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

#include "platform/cp932.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/ext_file_dlg.h"
#include "qt/main_window.h"
#include "qt/qt_clipboard.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"
#include "view/clipboard.h"

using namespace qz;
using qz::fakes::WriteAll;
using qz::fakes::WhenModal;

namespace {

std::string Text(CQzedDoc& doc) {
    std::string s(doc.GetTextLength(), '\0');
    doc.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
    return s;
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    MemoryProfile profile_;
    fakes::FakeMessageBox boxes_;

    CQzedChild* OpenIn(QzedMainWindow& w, const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        if (!WriteAll(path, bytes)) return nullptr;
        return w.Documents().Open(path.toStdString());
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup() { QCOMPARE(qz::fakes::UnansweredModals(), 0); }

    void splitPanesShareTheTextAndKeepTheirCarets() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.resize(800, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = OpenIn(w, "split.txt", "one\ntwo\nthree\n");
        QVERIFY(child);
        child->SplitRows();
        child->SplitColumns();
        QCOMPARE(child->Rows(), 2);
        QCOMPARE(child->Columns(), 2);
        const auto views = child->Views();
        QCOMPARE(views.size(), size_t(4));
        QCOMPARE(w.Documents().ViewCount(child->Doc()), 4);
        QTest::qWait(20);

        // Typing in the lower right pane changes the one text; the caret of
        // the upper left pane stays where it was.
        views[3]->Canvas()->setFocus();
        QTest::keyClick(views[3]->Canvas(), Qt::Key_Down);
        QTest::keyClicks(views[3]->Canvas(), "X");
        QCOMPARE(Text(child->Doc()), std::string("one\nXtwo\nthree\n"));
        QCOMPARE(views[3]->View().CaretRow(), 2u);
        QCOMPARE(views[0]->View().CaretRow(), 1u);
        QCOMPARE(child->ViewWidget(), views[3]);

        // The first click into another pane of the window places its caret
        // (only a click that switches windows is swallowed).
        const int rowHeight = views[0]->View().RowHeight();
        QTest::mouseClick(views[0]->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2 * rowHeight + 2));
        QTRY_VERIFY(views[0]->Canvas()->hasFocus());
        QCOMPARE(views[0]->View().CaretRow(), 3u);
        QTest::keyClicks(views[0]->Canvas(), "Y");
        QCOMPARE(Text(child->Doc()), std::string("one\nXtwo\nYthree\n"));

        // Unsplitting drops the panes of the second row and column; the
        // focused one was among them, so the first pane takes over.
        child->SplitRows();
        child->SplitColumns();
        QCOMPARE(child->Views().size(), size_t(1));
        QCOMPARE(child->ViewWidget(), views[0]);
        child->Doc().SetModifiedFlag(false);
    }

    void secondWindowClosesWithoutAskingTheLastAsks() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* first = OpenIn(w, "two.txt", "abc\n");
        QVERIFY(first);
        CQzedChild* second = w.Documents().NewWindow(first);
        QVERIFY(second && second != first);
        QCOMPARE(&second->Doc(), &first->Doc());
        QCOMPARE(w.Documents().Documents().size(), size_t(1));
        QTest::keyClicks(second->ViewWidget()->Canvas(), "z");
        QCOMPARE(Text(first->Doc()), std::string("zabc\n"));

        boxes_.shown.clear();
        QVERIFY(second->close());
        QVERIFY(boxes_.shown.empty());
        boxes_.answers = {MbResult::No};
        QVERIFY(first->close());
        QCOMPARE(boxes_.shown.size(), size_t(1));
    }

    void clipboardCrossesAsUnicodeWithLineFeeds() {
        // Shift-JIS CR LF in, Unicode LF out, and back; a foreign character
        // without a Shift-JIS form becomes a middle dot, never a gap.
        QCOMPARE(SjisClipToUnicode("a\x8a\xbf\r\nb"), QString::fromUtf8("a漢\nb"));
        QCOMPARE(UnicodeClipToSjis(QString::fromUtf8("a漢\r\nb\rc")), std::string("a\x8a\xbf\r\nb\r\nc"));
        QCOMPARE(UnicodeClipToSjis(QString::fromUtf8("x\xF0\x9F\x98\x80y")), std::string("x\x81\x45y"));
        // No look-alikes: the yen sign is the full-width yen, never a backslash;
        // the forms of two-form characters are noted for a UTF-8 document.
        Utf8Forms forms;
        long replaced = 0;
        QCOMPARE(UnicodeClipToSjis(QString::fromUtf8("\\¥〜é"), &replaced, &forms),
                 std::string("\\\x81\x8F\x81\x60\x81\x45"));
        QCOMPARE(replaced, 1L);
        QCOMPARE(forms.Of(7), Utf8Forms::kOther);  // ¥
        QCOMPARE(forms.Of(1), Utf8Forms::kOther);  // 〜
        UnicodeClipToSjis(QString::fromUtf8("〜～"), nullptr, &forms);
        QCOMPARE(forms.Of(1), Utf8Forms::kBoth);
        QCOMPARE(forms.Of(7), Utf8Forms::kUnknown);

        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = OpenIn(w, "clip.txt", "line1\nline2\nrest\n");
        QVERIFY(child);
        CQzedView& v = child->ViewWidget()->View();
        v.StartCommandSelection();
        v.RowsDown(2);
        v.Copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("line1\nline2\n"));
        QVERIFY(QtClipboard::Instance().OwnedByThisProgram());

        // Text another program put there is no longer ours, and pastes
        // with its line ends made the editor's.
        QApplication::clipboard()->setText(QString::fromUtf8("外\r\n"));
        QVERIFY(!QtClipboard::Instance().OwnedByThisProgram());
        v.FileEnd();
        v.Paste();
        QCOMPARE(Text(child->Doc()), std::string("line1\nline2\nrest\n\x8a\x4f\n"));
        child->Doc().SetModifiedFlag(false);
    }

    void clipboardGivesTheEditorItsOwnBytesBack() {
        // NEC and IBM duplicates, bytes with no Unicode form at all, an
        // unassigned code and a user-defined character: none survives a trip
        // through Unicode unchanged.
        const std::string odd = "\x87\x9a|\xed\x40|\x80|\xa0|\xfd|\x85\x40|\xf0\x40|\xfb\xfc\n";
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = OpenIn(w, "odd.txt", QByteArray::fromStdString(odd));
        QVERIFY(child);
        CQzedView& v = child->ViewWidget()->View();
        const size_t boxes = boxes_.shown.size();
        v.SelectAll();
        v.Copy();
        QVERIFY(QtClipboard::Instance().OwnedByThisProgram());
        // Other programs get Unicode text.
        QVERIFY(QApplication::clipboard()->text().startsWith(QString::fromUtf8("∵|")));
        v.FileEnd();
        v.Paste();
        QCOMPARE(Text(child->Doc()), odd + odd);
        QCOMPARE(boxes_.shown.size(), boxes);

        // Another copy of the editor is another program for the box rule,
        // but its bytes come across as they are.
        auto* data = new QMimeData;
        data->setText(QStringLiteral("?"));
        data->setData("application/x-qzed32-owner", QByteArray("1\n\x87\x9a\r\nz"));
        QApplication::clipboard()->setMimeData(data);
        QVERIFY(!QtClipboard::Instance().OwnedByThisProgram());
        std::string got;
        long replaced = -1;
        QVERIFY(QtClipboard::Instance().GetText(&got, &replaced));
        QCOMPARE(got, std::string("\x87\x9a\r\nz"));
        QCOMPARE(replaced, 0L);

        // Plain text of another program: the characters it loses are counted.
        QApplication::clipboard()->setText(QString::fromUtf8("x\xF0\x9F\x98\x80y\xF0\x9F\x98\x81"));
        QVERIFY(QtClipboard::Instance().GetText(&got, &replaced));
        QCOMPARE(got, std::string("x\x81\x45y\x81\x45"));
        QCOMPARE(replaced, 2L);
        child->Doc().SetModifiedFlag(false);
    }

    void outsideChangeIsOfferedOnceAndReloads() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = OpenIn(w, "outside.txt", "before\r\n");
        QVERIFY(child);
        // Another program writes the file a little later.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        QVERIFY(WriteAll(dir_.filePath("outside.txt"), "after\r\n"));
        boxes_.shown.clear();
        boxes_.answers = {MbResult::Yes};
        w.Documents().CheckAllExternalChanges();
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].text, std::string("このファイルは他のエディタで変更されています。再ロードしますか？"));
        QCOMPARE(Text(child->Doc()), std::string("after\n"));
        // Asked once per change.
        w.Documents().CheckAllExternalChanges();
        QCOMPARE(boxes_.shown.size(), size_t(1));
    }

    void recentFilesAreListedNewestFirstAndReopenWithTheirCode() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* a = OpenIn(w, "recent-a.txt", "a\n");
        CQzedChild* b = OpenIn(w, "recent-b.txt", "b\n");
        QVERIFY(a && b);
        const std::string pathA = a->Path();
        QCOMPARE(TheSettings().recentFiles[0], "1 " + b->Path());
        QCOMPARE(TheSettings().recentFiles[1], "1 " + pathA);
        a->close();
        // The first function-key popup holds the file commands and the list.
        QMenu* file = w.menuBar()->actions().value(0)->menu();
        QVERIFY(file);
        QCOMPARE(file->title(), QStringLiteral("F1:MENU1 "));
        emit file->aboutToShow();
        QAction* second = nullptr;
        for (QAction* act : file->actions())
            if (act->text() == QStringLiteral("&2: ") + QString::fromStdString(pathA)) second = act;
        QVERIFY(second);
        second->trigger();
        QVERIFY(w.Documents().Find(pathA));
        QCOMPARE(TheSettings().recentFiles[0], "1 " + pathA);
    }

    void openingSeveralStopsAtTheFirstFailure() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        CQzedChild* first = OpenIn(w, "ok-1.txt", "1\n");
        QVERIFY(first);
        const QString after = dir_.filePath("ok-2.txt");
        QFile f(after);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        // A folder in place of a file cannot be loaded.
        QVERIFY(QDir(dir_.path()).mkpath("folder.txt"));
        const size_t opened = w.Documents().OpenChosen(
            {first->Path(), dir_.filePath("folder.txt").toStdString(), after.toStdString()}, 0, false);
        QCOMPARE(opened, size_t(1));
        QVERIFY(!w.Documents().Find(after.toStdString()));
        QCOMPARE(w.Documents().Children().size(), size_t(1));
    }

    void saveAsThroughTheCodeDialogWritesEucAndRetitles() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = OpenIn(w, "plain.txt", "\x8a\xbf\r\n");
        QVERIFY(child);
        const QString target = dir_.filePath("as-euc.txt");
        WhenModal([&](QWidget* d) {
            auto* dlg = qobject_cast<CExtFileDlg*>(d);
            QVERIFY(dlg);
            dlg->setCodeIndex(4);  // EUC with LF
            fakes::TypeFileName(*dlg, "as-euc.txt");
            static_cast<QDialog*>(dlg)->accept();
        });
        QVERIFY(w.Documents().Commands().Execute(cmd::kFileSaveAs));
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\xb4\xc1\n"));
        QCOMPARE(child->Path(), target.toStdString());
        QVERIFY2(child->windowTitle().endsWith("[euc, lf]"), qPrintable(child->windowTitle()));
        QVERIFY(!child->Doc().IsModified());
    }

    void quitAllAsksOnceAndDropsEveryChange() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* a = OpenIn(w, "qa.txt", "a\n");
        CQzedChild* b = OpenIn(w, "qb.txt", "b\n");
        QVERIFY(a && b);
        QTest::keyClicks(a->ViewWidget()->Canvas(), "x");
        boxes_.shown.clear();
        boxes_.answers = {MbResult::Yes};
        w.Documents().Commands().Execute(cmd::kFileQuitAll);
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].caption, std::string("全ファイル中止"));
        QVERIFY(w.Documents().Children().empty());
        QFile f(dir_.filePath("qa.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("a\n"));
    }

    void keysReachTheSchemeDispatcher() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = OpenIn(w, "keys.txt", "one\ntwo\n");
        QVERIFY(child);
        QWidget* canvas = child->ViewWidget()->Canvas();
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);      // delete row
        QCOMPARE(Text(child->Doc()), std::string("two\n"));
        QTest::keyClick(canvas, Qt::Key_Escape, Qt::ShiftModifier);   // undo
        QCOMPARE(Text(child->Doc()), std::string("one\ntwo\n"));
        QTest::keyClick(canvas, Qt::Key_End);
        QTest::keyClick(canvas, Qt::Key_Backspace);
        QCOMPARE(Text(child->Doc()), std::string("on\ntwo\n"));
        // Alt+letters are template keys here, not the menu bar's mnemonics.
        QTest::keyClick(canvas, Qt::Key_F, Qt::AltModifier);
        QVERIFY(!QApplication::activePopupWidget());
        // Shift+F4 opens a second window on the document.
        QTest::keyClick(canvas, Qt::Key_F4, Qt::ShiftModifier);
        QCOMPARE(w.Documents().Children().size(), size_t(2));
        child->Doc().SetModifiedFlag(false);
    }

    void newWindowsCascadeAndFollowTheSizeSettings() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TheSettings().env.ChildWnd_X = 50;
        TheSettings().env.ChildWnd_Y = 40;
        TheSettings().env.ChildWnd_Max = 0;
        CQzedChild* a = w.Documents().NewDocument(dir_.path().toStdString());
        CQzedChild* b = w.Documents().NewDocument(dir_.path().toStdString());
        const QSize room = w.mdiArea()->viewport()->size();
        QCOMPARE(a->width(), room.width() / 2);
        QCOMPARE(a->height(), room.height() * 40 / 100);
        QCOMPARE(a->pos(), QPoint(0, 0));
        QVERIFY(b->pos().x() > 0 && b->pos().x() == b->pos().y());
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
