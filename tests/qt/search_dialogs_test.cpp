// The search dialogs: their option word, the F1/F9 pastes, and searching and
// replacing through the frame's commands as a user would.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/profile.h"
#include "qt/document_window.h"
#include "qt/main_window.h"
#include "qt/search_dialogs.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

namespace {

QPushButton* Button(QWidget* dialog, const QString& label) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == label) return b;
    return nullptr;
}

QCheckBox* Box(QWidget* dialog, const QString& label) {
    for (QCheckBox* b : dialog->findChildren<QCheckBox*>())
        if (b->text() == label) return b;
    return nullptr;
}

std::string Text(CQzedDoc& doc) {
    std::string s(doc.GetTextLength(), '\0');
    doc.ReadText(1, s.data(), static_cast<uint32_t>(s.size()));
    return s;
}

}  // namespace

class SearchDialogsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    MemoryProfile profile_;
    fakes::FakeMessageBox boxes_;

    CQzedChild* Open(QzedMainWindow& w, const QByteArray& bytes) {
        const QString path = dir_.filePath("text.txt");
        return fakes::WriteAll(path, bytes) ? w.Documents().Open(path.toStdString()) : nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup() { QCOMPARE(qz::fakes::UnansweredModals(), 0); }

    void optionWordKeepsWhatTheDialogDoesNotShow() {
        std::array<std::string, 16> none{};
        // The replace box bit is the replace dialog's; the search dialog
        // hands it back untouched, with the style pair read from bit 16.
        SearchDialog d(nullptr, SearchDialog::kSearch, "a", {}, kOptCase | kOptReplaceBox | kOptSlateStyle, none, none);
        QCOMPARE(d.Options(), unsigned(kOptCase | kOptReplaceBox | kOptSlateStyle));
        // A regular expression turns escapes on and the wildcard off, and
        // locks both.
        QCheckBox* wild = Box(&d, QStringLiteral("？を任意の一文字とする(&?)"));
        QVERIFY(wild);
        wild->setChecked(true);
        Box(&d, QStringLiteral("正規表現で検索する(&R)"))->setChecked(true);
        QCOMPARE(d.Options() & (kOptRegex | kOptEscape | kOptWildcard), unsigned(kOptRegex | kOptEscape));
        QVERIFY(!wild->isEnabled());
        QVERIFY(!Box(&d, QStringLiteral("置き換え操作ＢＯＸを開く(&B)")));
    }

    void functionKeysPasteTheCaretRowAndTheClipboard() {
        std::array<std::string, 16> history{};
        history[0] = "old";
        SearchDialog d(nullptr, SearchDialog::kSearch, "", {}, 0, history, history);
        d.caretRow = [] { return std::string("row \x8a\xbf"); };
        d.clipboard = [] { return std::string("clip\r\nsecond"); };
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* combo = d.findChild<QComboBox*>();
        QCOMPARE(combo->itemText(0), QStringLiteral("old"));
        QTest::keyClick(combo, Qt::Key_F1);
        QCOMPARE(d.Text(), std::string("row \x8a\xbf"));
        QTest::keyClick(combo, Qt::Key_F9);
        QCOMPARE(d.Text(), std::string("clip"));
    }

    void searchFromTheDialogMovesTheCaretAndKeepsTheString() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "alpha\nbeta\ngamma beta\n");
        QVERIFY(child);
        TheSettings().env.Search = kOptSlateStyle;
        WhenModal([](QWidget* d) {
            d->findChild<QComboBox*>()->setEditText(QStringLiteral("beta"));
            Button(d, QStringLiteral("下に検索(&N)"))->click();
        });
        w.SearchCommand();
        CQzedView& v = child->ViewWidget()->View();
        QCOMPARE(v.CaretRow(), 2u);
        QCOMPARE(v.Highlight(), 4);
        QCOMPARE(TheSettings().searchKey, std::string("beta"));
        QCOMPARE(TheSettings().searchHistory[0], std::string("beta"));
        v.SearchNext();
        QCOMPARE(v.CaretRow(), 3u);
        QCOMPARE(v.CaretColumn(), 7);
    }

    void komStyleKeepsSearchingWithTheArrowKeys() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "x\nkey\nx\nkey\n");
        QVERIFY(child);
        TheSettings().env.Search = 0;  // the KOM style
        WhenModal([](QWidget* d) {
            d->findChild<QComboBox*>()->setEditText(QStringLiteral("key"));
            Button(d, QStringLiteral("下に検索(&N)"))->click();
        });
        w.SearchCommand();
        CQzedView& v = child->ViewWidget()->View();
        QCOMPARE(v.CaretRow(), 2u);
        QCOMPARE(w.MessagePane()->text(), QStringLiteral("[key]  <ESC>:終了  <↑><↓>:検索"));
        QWidget* canvas = child->ViewWidget()->Canvas();
        QTest::keyClick(canvas, Qt::Key_Down);
        QCOMPARE(v.CaretRow(), 4u);
        QTest::keyClicks(canvas, "zz");  // typing does not edit in the mode
        QVERIFY(!child->Doc().IsModified());
        QTest::keyClick(canvas, Qt::Key_Escape);
        QCOMPARE(v.SearchMode(), 0);
        QTest::keyClicks(canvas, "z");
        QVERIFY(child->Doc().IsModified());
        child->Doc().SetModifiedFlag(false);
    }

    void interactiveReplaceThroughTheDialogAndItsBox() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "a1 a2 a3 a4\n");
        QVERIFY(child);
        TheSettings().env.Replace = kOptReplaceBox;
        WhenModal([](QWidget* d) {
            const auto combos = d->findChildren<QComboBox*>();
            combos[0]->setEditText(QStringLiteral("a"));
            combos[1]->setEditText(QStringLiteral("b"));
            Button(d, QStringLiteral("下に置換(&N)"))->click();
        });
        w.ReplaceCommand();
        CQzedView& v = child->ViewWidget()->View();
        QCOMPARE(v.ReplaceMode(), 2);
        QWidget* canvas = child->ViewWidget()->Canvas();
        QTest::keyClick(canvas, Qt::Key_R);  // replace a1, on to a2
        QTest::keyClick(canvas, Qt::Key_S);  // skip a2
        QCOMPARE(Text(child->Doc()), std::string("b1 a2 a3 a4\n"));
        // The box below the match does what the keys do.
        QDialog* box = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == QStringLiteral("置き換え")) box = qobject_cast<QDialog*>(top);
        QVERIFY(box);
        Button(box, QStringLiteral("以降全て(&A)"))->click();
        QCOMPARE(Text(child->Doc()), std::string("b1 a2 b3 b4\n"));
        QCOMPARE(v.ReplaceMode(), 0);
        QVERIFY(!box->isVisible());
        child->Doc().SetModifiedFlag(false);
    }

    void unconvertibleSearchTextIsRefused() {
        std::array<std::string, 16> none{};
        SearchDialog d(nullptr, SearchDialog::kSearch, "", {}, 0, none, none);
        d.findChild<QComboBox*>()->setEditText(QString::fromUtf8("\xF0\x9F\x98\x80"));
        // The warning box answers itself; the dialog stays open.
        WhenModal([](QWidget* box) { QTimer::singleShot(0, box, [box] { box->close(); }); }, &d);
        d.show();
        Button(&d, QStringLiteral("下に検索(&N)"))->click();
        QCOMPARE(d.Result(), SearchDialog::kClosed);
        QVERIFY(d.isVisible());
    }

    void replaceAllFromTheDialogCountsAndEndsAtTheEnd() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "a-a-a\nb\n");
        QVERIFY(child);
        WhenModal([](QWidget* d) {
            const auto combos = d->findChildren<QComboBox*>();
            combos[0]->setEditText(QStringLiteral("a"));
            combos[1]->setEditText(QString::fromUtf8("漢"));
            Button(d, QStringLiteral("置き換え(&A)"))->click();
        });
        w.ReplaceAllCommand();
        QCOMPARE(Text(child->Doc()), std::string("\x8a\xbf-\x8a\xbf-\x8a\xbf\nb\n"));
        QCOMPARE(w.MessagePane()->text(), QStringLiteral("置き換え終了:[3] changed"));
        QCOMPARE(TheSettings().replaceRHistory[0], std::string("\x8a\xbf"));
        child->Doc().SetModifiedFlag(false);
    }

    void escapeWaitingInTheQueueStopsReplaceAllAndTypesNothing() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, QByteArray(1500, 'a') + "\n");
        QVERIFY(child);
        QWidget* canvas = child->ViewWidget()->Canvas();
        // The user pressed x and then Esc while the run went on.
        QCoreApplication::postEvent(canvas, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        QCoreApplication::postEvent(canvas, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        const long n = child->ViewWidget()->View().ReplaceAllFrom("a", "b", 0, 1, true);
        QVERIFY(n >= 0 && n < 1500);
        QCOMPARE(w.MessagePane()->text(), QStringLiteral("置き換えを中断しました:[%1] changed").arg(n));
        child->ViewWidget()->DiscardQueuedKeys();
        QTest::qWait(20);
        const std::string text = Text(child->Doc());
        QCOMPARE(text.find('x'), std::string::npos);
        QCOMPARE(static_cast<long>(std::count(text.begin(), text.end(), 'b')), n);
        child->Doc().SetModifiedFlag(false);
    }

    void closeAndReloadRequestedDuringReplaceAllWaitForIt() {
        QzedMainWindow w(profile_, nullptr, &boxes_);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, QByteArray(1500, 'a') + "\n");
        QVERIFY(child);
        QPointer<CQzedChild> alive(child);
        // Another program changes the file, the 60-second check comes due and
        // the user closes the window, all while the replace runs.
        QFile f(dir_.filePath("text.txt"));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        f.close();
        child->ViewWidget()->SetTimer(kExternalChangeTimer, 0);
        QTimer::singleShot(0, child, [child] { child->close(); });
        boxes_.shown.clear();
        boxes_.answers = {MbResult::No, MbResult::No};  // keep our text; do not save
        const long n = child->ViewWidget()->View().ReplaceAllFrom("a", "b", 0, 1, true);
        QCOMPARE(n, 1500L);
        QVERIFY(alive);
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(Text(child->Doc()), std::string(1500, 'b') + "\n");
        // Back in the event loop, both happen, in the order they came.
        QTRY_VERIFY(!alive);
        QCOMPARE(boxes_.shown.size(), size_t(2));
        QCOMPARE(boxes_.shown[0].text, std::string("このファイルは他のエディタで変更されています。再ロードしますか？"));
        QCOMPARE(boxes_.shown[1].buttons, MbButtons::YesNoCancel);
    }
};

QTEST_MAIN(SearchDialogsTest)
#include "search_dialogs_test.moc"
