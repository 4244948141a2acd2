// The main frame on Qt: labels and menus follow the held modifier, the
// function-key buttons send their keys with it, the window tabs, keys in the
// tabs, the panes of the active window, residence, and the bar state.
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMimeData>
#include <QDesktopServices>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QCheckBox>
#include <QSpinBox>
#include <QTreeWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "frame/commands.h"
#include "platform/profile.h"
#include "qt/bkgnd_wnd.h"
#include "qt/document_window.h"
#include "qt/frame_bars.h"
#include "qt/log_repeat_dlg.h"
#include "qt/file_list_dlg.h"
#include "view/key_log.h"
#include "qt/main_window.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;

// Takes the URLs the desktop would open.
class UrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    Q_INVOKABLE void Open(const QUrl& url) { opened << url; }
};

class FrameTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;

    CQzedChild* Open(QzedMainWindow& w, const QString& name, const QByteArray& bytes = "text\n") {
        const QString path = dir_.filePath(name);
        return fakes::WriteAll(path, bytes) ? w.Documents().Open(path.toStdString()) : nullptr;
    }
    static MemoryProfile Scheme(int scheme) {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "AsinMode", scheme);
        return p;
    }
    static QStringList MenuTitles(QzedMainWindow& w) {
        QStringList out;
        for (QAction* a : w.menuBar()->actions()) out << a->text();
        return out;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup() { QCOMPARE(qz::fakes::UnansweredModals(), 0); }

    void shiftHeldSwapsTheLabelsAndTheMenu() {
        MemoryProfile p = Scheme(1);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "shift.txt");
        QVERIFY(child);
        QWidget* canvas = child->ViewWidget()->Canvas();
        QCOMPARE(w.PfBar()->Button(0)->text(), QStringLiteral("MENU1"));
        QCOMPARE(MenuTitles(w).value(0), QStringLiteral("F1:MENU1 "));
        QTest::keyPress(canvas, Qt::Key_Shift, Qt::ShiftModifier);
        QCOMPARE(w.PfBar()->Button(0)->text(), QStringLiteral("記憶"));
        QCOMPARE(w.PfBar()->Button(6)->text(), QStringLiteral("電卓"));
        QCOMPARE(MenuTitles(w).value(0), QStringLiteral("F1:記憶     "));
        QTest::keyRelease(canvas, Qt::Key_Shift, Qt::NoModifier);
        QCOMPARE(w.PfBar()->Button(0)->text(), QStringLiteral("MENU1"));
        QTest::keyPress(canvas, Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(w.PfBar()->Button(4)->text(), QStringLiteral("ＩＥ"));
        QTest::keyRelease(canvas, Qt::Key_Control, Qt::NoModifier);
        QCOMPARE(MenuTitles(w).value(3), QStringLiteral("F4:MENU4 "));
    }

    void shiftClickOnF7StartsTheCalculator() {
        MemoryProfile p = Scheme(1);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Open(w, "calc.txt"));
        const QString marker = dir_.filePath("calculator-ran");
        TheSettings().env.CalcPrg = "touch " + marker.toStdString();
        w.PfBar()->show();
        QTest::mouseClick(w.PfBar()->Button(6), Qt::LeftButton, Qt::ShiftModifier);
        QTRY_VERIFY(QFile::exists(marker));
        // Without Shift, F7 cuts (nothing selected: nothing happens).
        QFile::remove(marker);
        QTest::mouseClick(w.PfBar()->Button(6), Qt::LeftButton, Qt::NoModifier);
        QTest::qWait(100);
        QVERIFY(!QFile::exists(marker));
    }

    void keysInTheTabsDoNothingWhileAWindowIsOpen() {
        MemoryProfile p = Scheme(2);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Open(w, "tabs-a.txt"));
        QVERIFY(Open(w, "tabs-b.txt"));
        QTabBar* tabs = w.DialogBar()->Tabs();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("1:tabs-a.txt"));
        QCOMPARE(tabs->currentIndex(), 1);
        tabs->setFocus();
        QTest::keyClick(tabs, Qt::Key_N, Qt::ControlModifier);  // new file in this scheme
        QCOMPARE(w.Documents().Children().size(), size_t(2));
        // Choosing a tab brings its window up.
        tabs->setCurrentIndex(0);
        QCOMPARE(w.Documents().Active()->Path(), dir_.filePath("tabs-a.txt").toStdString());
        QCOMPARE(w.Frame().List().Order().front(), static_cast<void*>(w.Documents().Active()));
    }

    void theModifiedMarkAndPanesFollowTheActiveDocument() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* a = Open(w, "pane-a.txt", "one\ntwo\nthree\n");
        QVERIFY(a);
        QTest::keyClick(a->ViewWidget()->Canvas(), Qt::Key_Down);
        QTest::keyClick(a->ViewWidget()->Canvas(), Qt::Key_Down);
        QTest::keyClicks(a->ViewWidget()->Canvas(), "x");
        QTRY_COMPARE(w.DialogBar()->Tabs()->tabText(0), QStringLiteral("*1:pane-a.txt"));
        QCOMPARE(w.Pane(kPaneModified)->text(), QStringLiteral("変更あり"));
        QCOMPARE(w.RowPane()->text(), QStringLiteral("0000003"));
        CQzedChild* b = Open(w, "pane-b.txt");
        QVERIFY(b);
        QTRY_COMPARE(w.RowPane()->text(), QStringLiteral("0000001"));
        QCOMPARE(w.Pane(kPaneModified)->text(), QStringLiteral("変更なし"));
        w.mdiArea()->setActiveSubWindow(a);
        QTRY_COMPARE(w.RowPane()->text(), QStringLiteral("0000003"));
        QCOMPARE(w.Pane(kPaneModified)->text(), QStringLiteral("変更あり"));
        a->Doc().SetModifiedFlag(false);
    }

    void theMessageOfAWindowStaysWithIt() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* a = Open(w, "msg-a.txt", "aaa\n");
        QVERIFY(a);
        a->ViewWidget()->View().ReplaceAllFrom("a", "b", 0, 1, true);
        QCOMPARE(w.MessagePane()->text(), QStringLiteral("置き換え終了:[3] changed"));
        CQzedChild* b = Open(w, "msg-b.txt");
        QVERIFY(b);
        QTRY_COMPARE(w.MessagePane()->text(), QString());
        w.mdiArea()->setActiveSubWindow(a);
        QTRY_COMPARE(w.MessagePane()->text(), QStringLiteral("置き換え終了:[3] changed"));
        a->Doc().SetModifiedFlag(false);
    }

    void residentCloseHidesAndKeepsRunning() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(Open(w, "resident.txt"));
        // The offscreen desktop has no tray: residence says so and stays off.
        w.AddTrayIcon();
        QVERIFY(!w.Frame().Resident());
        QVERIFY(w.MessagePane()->text().contains(QStringLiteral("常駐")));
        // Where the icon exists, the close box puts the editor away.
        w.Frame().SetResident(true);
        QVERIFY(!w.close());
        QVERIFY(w.isHidden());
        QVERIFY(w.Documents().Children().empty());
        // The end of residence really closes.
        w.show();
        QVERIFY(w.Frame().Execute(cmdid::kEndResidence));
        QVERIFY(w.isHidden());
    }

    void barStateComesBack() {
        MemoryProfile p = Scheme(1);
        {
            QzedMainWindow w(p, nullptr, &boxes_);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY(!w.PfBar()->isVisible());  // hidden on a first start
            QVERIFY(!w.ToolBar(1)->isVisible());
            QVERIFY(w.Frame().Execute(cmdid::kTogglePfKeyBar));
            w.ToolBar(1)->show();
            w.ToolBar(3)->hide();
            QVERIFY(w.close());
        }
        QzedMainWindow again(p, nullptr, &boxes_);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(again.PfBar()->isVisible());
        QVERIFY(again.ToolBar(1)->isVisible());
        QVERIFY(!again.ToolBar(3)->isVisible());
        QVERIFY(again.close());
    }

    void theExternalProgramsAreOffered() {
        MemoryProfile p = Scheme(1);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "parts.txt");
        QVERIFY(child);
        w.UpdateCommandStates();
        QAction* grep = nullptr;
        for (QAction* a : w.ToolBar(3)->actions())
            if (a->property("qzId").toInt() == cmdid::kGrep) grep = a;
        QVERIFY(grep);
        QVERIFY(grep->isEnabled());
        QVERIFY(grep->toolTip().startsWith(QStringLiteral("グローバルＧＲＥＰ")));
        // Ctrl+F10 opens the name at the caret with the associated program.
        UrlSink sink;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &sink, "Open");
        QTest::keyClick(child->ViewWidget()->Canvas(), Qt::Key_F10, Qt::ControlModifier);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(sink.opened, QList<QUrl>({QUrl::fromLocalFile(dir_.filePath("text"))}));
    }

    void everyBuiltCommandRuns() {
        // Each command whose part exists and that its menu offers runs: none
        // is left to the port unhandled. Dialogs it opens are closed at once.
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The programs the commands start are harmless ones; nothing opens
        // through the desktop.
        Settings& s = TheSettings();
        s.env.CalcPrg = s.env.ExplorerPrg = s.env.NetscapePrg = "true";
        qputenv("TERMINAL", "true");
        UrlSink sink;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &sink, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &sink, "Open");
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(QDialog::Rejected);
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* menu = qobject_cast<QMenu*>(top); menu && menu->isVisible()) menu->close();
        });
        closer.start(30);
        for (const CommandInfo& info : CommandTable()) {
            if (info.id == cmdid::kAppExit || info.id == cmdid::kEndResidence) continue;
            if (w.Documents().Children().empty()) QVERIFY(Open(w, "every.txt", "a\nb\n"));
            if (!w.Frame().StateOf(info.id).enabled) continue;  // shown disabled: not reachable
            boxes_.answers.assign(4, MbResult::No);
            QVERIFY2(w.Frame().Execute(info.id), qPrintable(QString::number(info.id)));
            for (CQzedChild* c : w.Documents().Children()) c->Doc().SetModifiedFlag(false);
        }
        closer.stop();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        // The OS windows it opened run nothing: they close without a question.
        for (CQzedChild* c : w.Documents().Children()) c->Doc().SetModifiedFlag(false);
    }

    void droppedFilesOpenAsDocuments() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QFile f(dir_.filePath("dropped.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("dropped\n");
        f.close();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir_.filePath("dropped.txt"))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.Documents().Children().size(), size_t(1));
        QVERIFY(w.Documents().Find(dir_.filePath("dropped.txt").toStdString()));
    }

    void theBackgroundTilesOnlyARealBitmap() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir_.filePath("tile.bmp"), "BMP"));
        QVERIFY(image.save(dir_.filePath("tile.png"), "PNG"));
        CBkgndWnd& bg = w.Background();
        QVERIFY(!bg.LoadBitmap(dir_.filePath("tile.png")));  // not "BM"
        QVERIFY(!bg.LoadBitmap(dir_.filePath("missing.bmp")));
        QVERIFY(bg.LoadBitmap(dir_.filePath("tile.bmp")));
        bg.SetMode(3);
        QCOMPARE(w.mdiArea()->background().textureImage().pixelColor(0, 0), QColor(Qt::red));
        bg.SetMode(1);
        QVERIFY(w.mdiArea()->background().textureImage().isNull());
    }

    void theLogIsRepeatedThroughItsDialogAndOfferedOnlyWhenItCanRun() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "repeat.txt", "\n");
        QVERIFY(child);
        TheKeyLog() = KeyLogData();
        QVERIFY(!w.Frame().StateOf(cmdid::kLogReplay).enabled);  // no log yet
        QVERIFY(w.Frame().Execute(cmdid::kLogRecord));
        QTest::keyClicks(child->ViewWidget()->Canvas(), "x");
        QVERIFY(!w.Frame().StateOf(cmdid::kLogRepeat).enabled);  // still recording
        QVERIFY(w.Frame().Execute(cmdid::kLogRecord));
        QVERIFY(w.Frame().StateOf(cmdid::kLogRepeat).enabled);
        fakes::WhenModal([](QWidget* d) {
            auto* dlg = qobject_cast<LogRepeatDialog*>(d);
            QVERIFY(dlg);
            QVERIFY(!dlg->HighSpeedBox()->isChecked());
            dlg->CountBox()->setValue(3);
            dlg->HighSpeedBox()->setChecked(true);
            dlg->findChild<QPushButton*>("runButton")->click();
        });
        QVERIFY(w.Frame().Execute(cmdid::kLogRepeat));
        std::string text(child->Doc().GetTextLength(), '\0');
        child->Doc().ReadText(1, text.data(), static_cast<uint32_t>(text.size()));
        QCOMPARE(text, std::string("xxxx\n"));
        QCOMPARE(p.GetProfileInt("Current", "LogrepHiSpeed", 0), 1);
        QCOMPARE(w.MessagePane()->text(), QStringLiteral("繰り返し終了:[3/3]"));
        child->Doc().SetModifiedFlag(false);
    }

    void theShippedIconsLoadAtBothSizes() {
        // The bars' icons are SVG: the icon engine must be there to draw them.
        for (const char* name : {"57601", "33042", "qzed32"}) {
            const QIcon icon(QStringLiteral(QZ_SOURCE_DATA_DIR "/icons/%1.svg").arg(name));
            for (int size : {16, 24}) {
                const QImage image = icon.pixmap(size, size).toImage();
                QVERIFY2(!image.isNull(), name);
                int ink = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) ink += qAlpha(image.pixel(x, y)) > 0;
                QVERIFY2(ink > size * size / 8, name);
            }
        }
    }

    void theWindowListSwitchesMarksAndBringsTheChosenWindowUp() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* a = Open(w, "list-a.txt");
        CQzedChild* b = Open(w, "list-b.txt");
        CQzedChild* c = Open(w, "list-c.txt");
        QVERIFY(a && b && c);
        b->Doc().SetModifiedFlag(true);
        fakes::WhenModal([](QWidget* d) {
            auto* dlg = qobject_cast<CFileListDlg*>(d);
            QVERIFY(dlg);
            QCOMPARE(dlg->list()->topLevelItemCount(), 3);
            QCOMPARE(dlg->totalLabel()->text(), QStringLiteral("総数: 03"));
            QCOMPARE(dlg->list()->topLevelItem(1)->text(2), QStringLiteral("あり"));
            dlg->list()->setCurrentItem(dlg->list()->topLevelItem(1));
            dlg->toggleModified();
            dlg->ok();
        });
        QTest::keyClick(c->ViewWidget()->Canvas(), Qt::Key_F9, Qt::ShiftModifier);  // the list
        QVERIFY(!b->Doc().IsModified());
        QCOMPARE(w.Documents().Active(), b);
        QTRY_COMPARE(w.DialogBar()->Tabs()->tabText(1), QStringLiteral("2:list-b.txt"));
    }

    void theAboutBoxNamesTheVersion() {
        MemoryProfile p = Scheme(4);
        QzedMainWindow w(p, nullptr, &boxes_);
        QString version, build;
        fakes::WhenModal([&](QWidget* d) {
            version = d->findChild<QLabel*>("versionLabel")->text();
            build = d->findChild<QLabel*>("buildLabel")->text();
            static_cast<QDialog*>(d)->accept();
        });
        QVERIFY(w.Frame().Execute(cmdid::kAbout));
        QCOMPARE(version, QStringLiteral("Version 1.49"));
        QVERIFY(build.startsWith(QStringLiteral("Build 1.49")));
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
