// The open-files dialog over real documents: its columns, the mark buttons,
// OK, Cancel and a double click, and the messages of an empty or full list.
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "document/qzed_doc.h"
#include "qt/file_list_dlg.h"
#include "support/when_modal.h"

using namespace qz;
using qz::fakes::WhenModal;

class FileListDlgTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    std::vector<std::unique_ptr<CQzedDoc>> docs_;
    int windows_[40] = {};  // stand-ins for the windows the tabs carry

    // Three documents: a.c saved, b.txt and c.txt never saved; b and c modified.
    std::vector<FileListSource> ThreeWindows() {
        docs_.clear();
        std::vector<FileListSource> tabs;
        for (const char* name : {"a.c", "b.txt", "c.txt"}) {
            auto doc = std::make_unique<CQzedDoc>();
            doc->SetPathString(dir_.filePath(name).toStdString());
            tabs.push_back({&windows_[tabs.size()], static_cast<int>(tabs.size()) + 1, doc.get()});
            docs_.push_back(std::move(doc));
        }
        QFile f(dir_.filePath("a.c"));
        if (f.open(QIODevice::WriteOnly)) f.write("int a;\n");
        docs_[1]->SetModifiedFlag(true);
        docs_[2]->SetModifiedFlag(true);
        return tabs;
    }
    static QPushButton* Button(QWidget* d, const char* name) { return d->findChild<QPushButton*>(name); }
    static QStringList Column(const CFileListDlg& d, int column) {
        QStringList out;
        for (int row = 0; row < d.list()->topLevelItemCount(); ++row)
            out << d.list()->topLevelItem(row)->text(column);
        return out;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup() { QCOMPARE(qz::fakes::UnansweredModals(), 0); }

    void columnsRowsAndTheChosenRow() {
        FileListModel model(ThreeWindows(), 1);
        CFileListDlg d(nullptr, model);
        QCOMPARE(d.windowTitle(), QString("ファイルリスト"));
        QTreeWidgetItem* head = d.list()->headerItem();
        QStringList titles;
        for (int c = 0; c < head->columnCount(); ++c) titles << head->text(c);
        QCOMPARE(titles, (QStringList{"番号", "編集", "変更", "ｻｲｽﾞ", "ﾌｧｲﾙ日付", "ﾌｧｲﾙ名"}));
        QCOMPARE(Column(d, 0), (QStringList{"01", "02", "03"}));
        QCOMPARE(Column(d, 2), (QStringList{"なし", "あり", "あり"}));
        QCOMPARE(Column(d, 4)[1], QString("新規"));
        QVERIFY(Column(d, 4)[0].contains(QRegularExpression("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$")));
        QCOMPARE(Column(d, 5)[0], dir_.filePath("a.c"));
        QTreeWidgetItem* first = d.list()->topLevelItem(0);
        QCOMPARE(first->textAlignment(0) & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
        QCOMPARE(first->textAlignment(1) & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
        QCOMPARE(first->textAlignment(5) & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
        QCOMPARE(d.totalLabel()->text(), QString("総数: 03"));
        QCOMPARE(d.messageLabel()->text(), QString());
        QVERIFY(d.list()->topLevelItem(1)->isSelected());
        QVERIFY(Button(&d, "helpButton")->isEnabled());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // The path column alone is as wide as the list.
        QCOMPARE(d.list()->columnWidth(5), d.list()->viewport()->width());
    }

    void okWritesTheSwitchedMarksBackAndNamesTheChosenWindow() {
        std::vector<FileListSource> tabs = ThreeWindows();
        FileListModel model(tabs, 0);
        CFileListDlg d(nullptr, model);
        WhenModal([&](QWidget*) {
            d.list()->setCurrentItem(d.list()->topLevelItem(1));
            Button(&d, "modifiedButton")->click();
            Button(&d, "readOnlyButton")->click();
            QCOMPARE(Column(d, 2), (QStringList{"なし", "なし", "あり"}));
            QCOMPARE(Column(d, 1), (QStringList{"可能", "禁止", "可能"}));
            Button(&d, "okButton")->click();
        });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        // Nothing reaches a document before the caller applies.
        QVERIFY(docs_[1]->IsModified());
        QCOMPARE(model.Apply(), tabs[1].window);
        QVERIFY(!docs_[1]->IsModified());
        QVERIFY(docs_[1]->IsReadOnly());
        QVERIFY(docs_[2]->IsModified());
        QVERIFY(!docs_[0]->IsReadOnly());
    }

    void cancelAfterSwitchingLeavesEveryDocument() {
        FileListModel model(ThreeWindows(), 2);
        CFileListDlg d(nullptr, model);
        WhenModal([&](QWidget*) {
            for (int row = 0; row < 3; ++row) {
                d.list()->setCurrentItem(d.list()->topLevelItem(row));
                Button(&d, "modifiedButton")->click();
                Button(&d, "readOnlyButton")->click();
            }
            Button(&d, "cancelButton")->click();
        });
        QCOMPARE(d.exec(), int(QDialog::Rejected));
        QVERIFY(!docs_[0]->IsModified());
        QVERIFY(docs_[1]->IsModified());
        QVERIFY(docs_[2]->IsModified());
        for (auto& doc : docs_) QVERIFY(!doc->IsReadOnly());
    }

    void aDoubleClickChoosesItsRow() {
        std::vector<FileListSource> tabs = ThreeWindows();
        FileListModel model(tabs, 0);
        CFileListDlg d(nullptr, model);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTreeWidgetItem* third = d.list()->topLevelItem(2);
        const QPoint at = d.list()->visualItemRect(third).center();
        QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d.list()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(model.Chosen(), 2);
        QCOMPARE(model.Apply(), tabs[2].window);
    }

    void noWindowsOrTooManyAreSaidInTheMessageLine() {
        FileListModel none({{nullptr, 0, nullptr}}, 0);
        CFileListDlg empty(nullptr, none);
        QCOMPARE(empty.list()->topLevelItemCount(), 0);
        QCOMPARE(empty.totalLabel()->text(), QString("総数: 00"));
        QCOMPARE(empty.messageLabel()->text(), QString("ファイルはありません"));
        Button(&empty, "modifiedButton")->click();  // no row: nothing happens
        Button(&empty, "okButton")->click();
        QCOMPARE(empty.result(), int(QDialog::Accepted));
        QCOMPARE(none.Apply(), nullptr);

        docs_.clear();
        std::vector<FileListSource> tabs;
        for (int i = 0; i < 33; ++i) {
            docs_.push_back(std::make_unique<CQzedDoc>());
            tabs.push_back({&windows_[i], i + 1, docs_.back().get()});
        }
        FileListModel many(tabs, 0);
        CFileListDlg full(nullptr, many);
        QCOMPARE(full.list()->topLevelItemCount(), 32);
        QCOMPARE(full.totalLabel()->text(), QString("総数: 32"));
        QCOMPARE(full.messageLabel()->text(), QString("32個以上のファイルは処理出来ません"));
    }
};

QTEST_MAIN(FileListDlgTest)
#include "file_list_dlg_test.moc"
