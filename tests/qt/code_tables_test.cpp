// The code tables driven as a user would: arrows, clicks, pages, Enter and
// Esc, with what Enter typed recorded instead of a view.
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "qt/code_table_dlg.h"

using namespace qz;

class CodeTablesTest : public QObject {
    Q_OBJECT
private:
    std::vector<std::string> sent_;
    CodeTableDlg::SendFn Recorder() {
        return [this](const std::string& bytes) { sent_.push_back(bytes); };
    }
    static void Keys(QWidget* w, std::initializer_list<Qt::Key> keys) {
        for (Qt::Key k : keys) QTest::keyClick(w, k);
    }

private slots:
    void init() { sent_.clear(); }

    // The remembered code and face live for the whole run: this runs first.
    void asciiTableTypesTheChosenByteAndStaysOpen() {
        CAsciiTableDlg d(nullptr, Recorder());
        QCOMPARE(d.windowTitle(), QString("ＡＳＣＩＩコード表 "));
        QVERIFY(!d.isModal());
        QVERIFY(d.windowFlags().testFlag(Qt::Tool));
        QVERIFY(d.findChild<QLabel*>() &&
                d.findChild<QLabel*>()->text() == "改行：テキスト挿入($00,$81-$9F,$E0-$FC,$FFは入力できません)");
        // "Terminal" is not installed here: the fixed-pitch face stands in.
        QVERIFY(!QFontDatabase::families().contains("Terminal"));
        QCOMPARE(d.faceBox()->currentFont().family(),
                 QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));

        QCOMPARE(d.code(), uint8_t(0x00));
        Keys(d.grid(), {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down});
        QCOMPARE(d.code(), uint8_t(0x41));
        QTest::keyClick(d.grid(), Qt::Key_Return);
        QTest::keyClick(d.grid(), Qt::Key_Enter);
        QCOMPARE(sent_, (std::vector<std::string>{"A", "A"}));
        QVERIFY(d.isVisible());

        // Wrapping within the row and the column.
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(0, 5));
        QCOMPARE(d.code(), uint8_t(0x05));
        QTest::keyClick(d.grid(), Qt::Key_Left);
        QCOMPARE(d.code(), uint8_t(0xF5));
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(3, 0));
        QTest::keyClick(d.grid(), Qt::Key_Up);
        QCOMPARE(d.code(), uint8_t(0x3F));

        // A lead byte and NUL type nothing.
        sent_.clear();
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(8, 1));
        QCOMPARE(d.code(), uint8_t(0x81));
        QTest::keyClick(d.grid(), Qt::Key_Return);
        auto* refusal = d.findChild<QLabel*>("refusal");
        QVERIFY(refusal && refusal->text() == "このコードは入力できません");
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(0, 0));
        QVERIFY(refusal->text().isEmpty());  // another cell: the refusal is gone
        QTest::keyClick(d.grid(), Qt::Key_Return);
        QVERIFY(sent_.empty());
        QCOMPARE(refusal->text(), QString("このコードは入力できません"));
        // A half-width katakana byte is a character of its own.
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(11, 1));
        QTest::keyClick(d.grid(), Qt::Key_Return);
        QCOMPARE(sent_, std::vector<std::string>{"\xB1"});

        QTest::keyClick(d.grid(), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    }

    void asciiTableRemembersCodeAndFace() {
        QString other;
        {
            CAsciiTableDlg d(nullptr, Recorder());
            QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(6, 2));
            const int now = d.faceBox()->currentIndex();
            QVERIFY(d.faceBox()->count() > 1);
            d.faceBox()->setCurrentIndex(now == 0 ? 1 : 0);
            other = d.faceBox()->currentFont().family();
        }
        CAsciiTableDlg again(nullptr, Recorder());
        QCOMPARE(again.code(), uint8_t(0x62));
        QCOMPARE(again.faceBox()->currentFont().family(), other);
        QTest::keyClick(again.grid(), Qt::Key_Return);
        QCOMPARE(sent_, std::vector<std::string>{"b"});
    }

    void kanjiTableTurnsPagesShowsTheCodesAndTypesTheCharacter() {
        CKanjiTableDlg d(nullptr, Recorder());
        QCOMPARE(d.windowTitle(), QString("ＳＨＩＦＴ－ＪＩＳ漢字コード表 "));
        QVERIFY(!d.isModal());
        QVERIFY(d.windowFlags().testFlag(Qt::Tool));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto fields = [&d] {
            return QStringList{d.pageLabel()->text(), d.sjisField()->text(), d.jisField()->text(),
                               d.eucField()->text()};
        };
        QCOMPARE(fields(), (QStringList{"PAGE: 01/60", "8140", "2121", "A1A1"}));
        QTest::keyClick(d.grid(), Qt::Key_PageUp);  // already the first page
        QCOMPARE(d.code(), uint16_t(0x8140));

        for (int i = 0; i < 7; ++i) QTest::keyClick(d.grid(), Qt::Key_PageDown);
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(5, 15));
        QCOMPARE(fields(), (QStringList{"PAGE: 08/60", "889F", "3021", "B0A1"}));
        QTest::keyClick(d.grid(), Qt::Key_Return);
        QCOMPARE(sent_, std::vector<std::string>{"\x88\x9F"});
        QVERIFY(d.isVisible());

        // Trail byte 0x7F is no character: empty fields, nothing typed.
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(3, 15));
        QCOMPARE(fields(), (QStringList{"PAGE: 08/60", "", "", ""}));
        QTest::keyClick(d.grid(), Qt::Key_Return);
        QCOMPARE(sent_.size(), size_t(1));

        // Arrows stop at the edge; the page keeps the cell.
        QTest::mouseClick(d.grid(), Qt::LeftButton, {}, d.cellCentre(11, 15));
        QTest::keyClick(d.grid(), Qt::Key_Right);
        QTest::keyClick(d.grid(), Qt::Key_Down);
        QCOMPARE(d.code(), uint16_t(0x88FF));
        QTest::keyClick(d.grid(), Qt::Key_Up);
        QTest::keyClick(d.grid(), Qt::Key_PageDown);
        QCOMPARE(fields(), (QStringList{"PAGE: 09/60", "", "", ""}));
        QTest::keyClick(d.grid(), Qt::Key_Left);
        QCOMPARE(fields(), (QStringList{"PAGE: 09/60", "89EE", "3270", "B2F0"}));

        QTest::keyClick(d.grid(), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        CKanjiTableDlg again(nullptr, Recorder());
        QCOMPARE(again.code(), uint16_t(0x89EE));
    }
};

QTEST_MAIN(CodeTablesTest)
#include "code_tables_test.moc"
