// The temporary save, the reopen list and the recovery dialog in the editor:
// a view's tick writes the copy and lights the pane, closing gives the copy
// up, 32872 and "-q" open the files saved last time at their lines, the marks
// outlive the run, and dialog 183 answers Cancel and the recovery list.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include "document/temp_register.h"
#include "frame/commands.h"
#include "lang/jump_stack.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/qt_startup_host.h"
#include "qt/recovery_dlg.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::ReadAll;
using qz::fakes::WriteAll;

namespace {

QString Unique() { return "qzed-test-" + QUuid::createUuid().toString(QUuid::Id128); }

std::string TextOf(CQzedDoc& doc) {
    std::string s(doc.GetTextLength(), '\0');
    if (!s.empty()) s.resize(doc.ReadText(1, s.data(), uint32_t(s.size())));
    return s;
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QTemporaryDir state_;
    fakes::FakeMessageBox boxes_;

    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    TempRegister Register() const { return TempRegister(state_.path().toStdString()); }
    std::vector<RegisterEntry> Entries() const {
        std::vector<RegisterEntry> entries;
        Register().ReadAll(entries);
        return entries;
    }

    CQzedChild* Open(QzedMainWindow& w, const char* name, const QByteArray& bytes) {
        if (!WriteAll(dir_.filePath(name), bytes)) return nullptr;
        return w.Documents().Open(Path(name));
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(state_.isValid());
        // Every state file of these tests goes to a folder of their own.
        qputenv("QZED_HOME", state_.path().toUtf8());
        QCOMPARE(StateFolder(), state_.path().toStdString());
    }

    void init() {
        boxes_.shown.clear();
        boxes_.answers.clear();
        QVERIFY(QDir(state_.path()).removeRecursively());
        QVERIFY(QDir().mkpath(state_.path()));
    }

    void theFirstPaneSavesACopyAndLightsThePane() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "Autobk_Mode", 2);
        p.WriteProfileInt("Environ", "Autobk_Len", 3);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* c = Open(w, "a.txt", "x\r\n");
        QVERIFY(c);
        QWidget* canvas = c->ViewWidget()->Canvas();
        canvas->setFocus();
        QTest::keyClicks(canvas, "abc");

        // A second pane only stands ready: its ticks save nothing.
        c->SplitRows();
        QCOMPARE(c->Views().size(), size_t(2));
        QzedViewWidget* second = c->Views()[1];
        second->onTimer(kTempSaveTimer);
        second->onTimer(kTempSaveTimer);
        QVERIFY(Entries().empty());

        QzedViewWidget* first = c->Views()[0];
        first->onTimer(kTempSaveTimer);  // armed
        QVERIFY(Entries().empty());
        first->onTimer(kTempSaveTimer);  // a quiet tick: the copy
        const std::vector<RegisterEntry> entries = Entries();
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].docPath, Path("a.txt"));
        QCOMPARE(ReadAll(QString::fromStdString(entries[0].tempPath)), QByteArray("abcx\r\n"));
        QVERIFY(c->Doc().IsModified());
        QCOMPARE(w.Frame().Panes().Get(kPaneTempSave), (PaneLook{"一時保存", kColourButtonText, kColourButtonFace}));
        QTRY_COMPARE(w.Frame().Panes().Get(kPaneTempSave), (PaneLook{"一時保存", kColourGrayText, kColourButtonFace}));

        // Closed without saving: the copy goes with the document.
        boxes_.answers = {MbResult::No};
        QVERIFY(c->close());
        QVERIFY(!QFile::exists(QString::fromStdString(entries[0].tempPath)));
        QCOMPARE(Entries().size(), size_t(1));
        QVERIFY(!Entries()[0].used);
    }

    void reopenOpensTheFilesOfTheLastRunAtTheirLines() {
        QByteArray lines;
        for (int i = 1; i <= 30; ++i) lines += QByteArray::number(i) + "\r\n";
        MemoryProfile p;
        p.WriteProfileInt("Environ", "EndMode", 3);
        {
            QzedMainWindow w(p, nullptr, &boxes_);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY(w.Frame().StateOf(cmdid::kReopenLast).enabled);
            CQzedChild* a = Open(w, "a.txt", lines);
            CQzedChild* b = Open(w, "b.txt", lines);
            QVERIFY(a && b);
            // a saved three times, b once in between.
            for (int line : {3, 7, 12}) {
                w.mdiArea()->setActiveSubWindow(a);
                a->ViewWidget()->View().GoToLine(uint32_t(line));
                QVERIFY(w.Frame().Execute(cmdid::kWriteOne));
                if (line == 7) {
                    w.mdiArea()->setActiveSubWindow(b);
                    QVERIFY(w.Frame().Execute(cmdid::kWriteOne));
                }
            }
            QVERIFY(w.Documents().CloseAll());
        }
        QVERIFY(QFile::remove(dir_.filePath("b.txt")));

        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.Frame().Execute(cmdid::kReopenLast));
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].text, "ファイルが開けませんでした\n" + Path("b.txt"));
        QCOMPARE(boxes_.shown[0].caption, std::string("ファイル開く"));
        QCOMPARE(w.Documents().Children().size(), size_t(1));
        CQzedChild* a = w.Documents().Children()[0];
        QCOMPARE(a->Path(), Path("a.txt"));
        QCOMPARE(a->ViewWidget()->View().LogicalLine(), 12u);
        QVERIFY(w.Documents().CloseAll());

        // "-q" at the start does the same.
        AppGlobals g;
        QtStartupHost host(p, g, Unique(), &boxes_);
        QCOMPARE(RunStartup(host, p, {"-q"}, g), StartResult::Started);
        QVERIFY(g.state.startedWithFiles);
        QCOMPARE(host.Frame()->Documents().Children().size(), size_t(1));
        QCOMPARE(host.Frame()->Documents().Children()[0]->ViewWidget()->View().LogicalLine(), 12u);
        host.Frame()->close();
    }

    void theMarksOutliveTheRunWithMarkRestore() {
        const NumberedMarks saved = TheMarks();
        MemoryProfile p;
        p.WriteProfileInt("Environ", "MarkRestore", 1);
        {
            QzedMainWindow w(p, nullptr, &boxes_);
            TheMarks().Clear();
            TheMarks().marks[1] = {1, Path("m.c"), &w, 8};
            w.close();
        }
        QCOMPARE(p.GetProfileInt("MarkJump", "EfectFlag2", 0), 1);
        QCOMPARE(p.GetProfileString("MarkJump", "FileName2", ""), Path("m.c"));
        QCOMPARE(p.GetProfileInt("MarkJump", "LineNumber2", 0), 8);
        TheMarks().Clear();
        {
            QzedMainWindow w(p, nullptr, &boxes_);
            QCOMPARE(TheMarks().marks[1], (JumpPlace{1, Path("m.c"), nullptr, 8}));
        }
        // Without bit 0 they are not read back.
        p.WriteProfileInt("Environ", "MarkRestore", 2);
        TheMarks().Clear();
        {
            QzedMainWindow w(p, nullptr, &boxes_);
            QCOMPARE(TheMarks().marks[1].used, 0);
        }
        TheMarks() = saved;
    }

    void cancelInTheRecoveryDialogEndsTheStart() {
        std::string copy;
        QCOMPARE(Register().EntryFor(Path("left.txt"), copy), 0);
        QVERIFY(WriteAll(QString::fromStdString(copy), "left over\r\n"));
        MemoryProfile p;
        AppGlobals g;
        QtStartupHost host(p, g, Unique(), &boxes_);
        bool seen = false;
        fakes::WhenModal([&](QWidget* m) {
            auto* d = qobject_cast<RecoveryDialog*>(m);
            QVERIFY(d);
            seen = true;
            QCOMPARE(d->windowTitle(), QStringLiteral("復旧"));
            QCOMPARE(d->Rows()->count(), 1);
            QVERIFY(d->Rows()->item(0)->text().endsWith(" " + dir_.filePath("left.txt")));
            QCOMPARE(d->Total()->text(), QStringLiteral("総数: 001"));
            QCOMPARE(d->Folder()->text(), "格納先ﾃﾞｨﾚｸﾄﾘ: " + state_.filePath("TEMP"));
            QCOMPARE(d->Button(RecoveryDialog::kCancel)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
            QVERIFY(d->Button(RecoveryDialog::kCancel)->isDefault());
            QCOMPARE(d->Button(RecoveryDialog::kMakeList)->text(), QStringLiteral("復旧リスト作成"));
            QCOMPARE(d->Button(RecoveryDialog::kDelete)->text(), QStringLiteral("削除"));
            QCOMPARE(d->Button(RecoveryDialog::kOpen)->text(), QStringLiteral("開く"));
            d->Button(RecoveryDialog::kCancel)->click();
        });
        QCOMPARE(RunStartup(host, p, {}, g), StartResult::Failed);
        QVERIFY(seen);
        QCOMPARE(Entries().size(), size_t(1));
        QCOMPARE(ReadAll(QString::fromStdString(copy)), QByteArray("left over\r\n"));
    }

    void theRecoveryListOpensAsTheFirstDocument() {
        std::string copy;
        QCOMPARE(Register().EntryFor(Path("left.txt"), copy), 0);
        QVERIFY(WriteAll(QString::fromStdString(copy), "left over\r\n"));
        const QString cwd = QDir::currentPath();
        MemoryProfile p;
        p.WriteProfileInt("Environ", "Current_Mode", 2);
        AppGlobals g;
        QtStartupHost host(p, g, Unique(), &boxes_);
        fakes::WhenModal([](QWidget* m) {
            auto* d = qobject_cast<RecoveryDialog*>(m);
            QVERIFY(d);
            d->Button(RecoveryDialog::kMakeList)->click();
        });
        QCOMPARE(RunStartup(host, p, {}, g), StartResult::Started);
        QDir::setCurrent(cwd);
        const std::vector<CQzedChild*> children = host.Frame()->Documents().Children();
        QCOMPARE(children.size(), size_t(1));
        QCOMPARE(children[0]->Path(), state_.filePath("TEMP/復旧リスト").toStdString());
        const std::string text = TextOf(children[0]->Doc());
        QVERIFY(text.find(FileNameOf(copy) + std::string(16 - FileNameOf(copy).size(), ' ') + " " +
                          Path("left.txt") + "\n") != std::string::npos);
        QVERIFY(!QFile::exists(QString::fromStdString(Register().File())));
        QVERIFY(QFile::exists(QString::fromStdString(copy)));
        host.Frame()->close();
    }
};

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
