// The view window's drawing: rows land on the cell grid whatever the font's
// own advances, and scroll bars follow the view's ranges.
#include <QFontDatabase>
#include <QScrollBar>
#include <QtTest>

#include "document/qzed_doc.h"
#include "qt/view_widget.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"

using namespace qz;

namespace {

// Right-most column of row 1 whose pixels differ from the background.
int InkRight(const QImage& img, int rowHeight, QRgb back) {
    int right = -1;
    for (int y = 0; y < rowHeight && y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != back) right = std::max(right, x);
    return right;
}

}  // namespace

class ViewWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void doubleByteCharactersTakeTwoCells() {
        CQzedDoc doc;
        doc.NewText();
        // "ab" then 漢 in Shift-JIS, with no line-end mark after it.
        TheSettings().Type(1).TabCr = 0;
        const char text[] = "ab\x8a\xbf\n";
        doc.InsertText(1, text, 5, 0);
        doc.SetModifiedFlag(false);
        fakes::FakeMessageBox boxes;
        QzedViewWidget w(doc, boxes);
        w.resize(400, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int cw = w.View().CellWidth(), rh = w.View().RowHeight();
        const uint32_t b = kPalette[TheSettings().Type(1).Back_Col];
        const QRgb back = qRgb(b & 0xFF, (b >> 8) & 0xFF, (b >> 16) & 0xFF);
        const QImage img = w.Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int right = InkRight(img, rh - 1, back);
        // 漢 is drawn inside cells 3 and 4 and nothing follows it on the row.
        QVERIFY2(right >= 2 * cw && right < 4 * cw + 1, qPrintable(QString::number(right)));
    }

    void asciiIsDrawnWithALatinFaceOnTheGrid() {
        // The stored "FixedSys" is not installed here: Japanese text falls
        // back to a Japanese face, ASCII to a Latin monospaced one whose
        // glyphs ('"', '\\') are the programmer's, fitted to the cell.
        if (!QFontDatabase::families().contains("DejaVu Sans Mono")) QSKIP("DejaVu Sans Mono is not installed");
        CQzedDoc doc;
        doc.NewText();
        const char text[] = "\"\\\x8a\xbf\n";
        doc.InsertText(1, text, 5, 0);
        doc.SetModifiedFlag(false);
        fakes::FakeMessageBox boxes;
        QzedViewWidget w(doc, boxes);
        QCOMPARE(w.AsciiFont().family(), QString("DejaVu Sans Mono"));
        QVERIFY(QzedViewWidget::DisplayFont().family() != QString("DejaVu Sans Mono"));
        QVERIFY(QFontMetrics(w.AsciiFont()).horizontalAdvance('M') <= w.View().CellWidth());
        QVERIFY(QFontMetrics(w.AsciiFont()).height() <= w.View().RowHeight());
    }

    void guideLinesLeaveNoFragmentsBehind() {
        TheSettings().Type(1).VLineType = 2;
        TheSettings().Type(1).HLineType = 2;
        CQzedDoc doc;
        doc.NewText();
        std::string text;
        for (int i = 0; i < 60; ++i) text += "line " + std::to_string(i) + "\n";
        doc.InsertText(1, text.data(), static_cast<uint32_t>(text.size()), 0);
        doc.SetModifiedFlag(false);
        fakes::FakeMessageBox boxes;
        QzedViewWidget w(doc, boxes);
        w.resize(400, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Canvas()->setFocus();
        QTRY_VERIFY(w.Canvas()->hasFocus());
        // Lines drawn, rows repainted and scrolled under them, lines moved.
        for (int i = 0; i < 5; ++i) QTest::keyClick(w.Canvas(), Qt::Key_Down);
        QTest::keyClicks(w.Canvas(), "x");
        w.View().OnVScroll(CQzedView::kPageDown, 0);
        QTest::keyClick(w.Canvas(), Qt::Key_Right);
        w.View().OnVScroll(CQzedView::kLineUp, 0);
        w.View().OnKillFocus();  // the lines go
        const QImage after = w.Canvas()->grab().toImage();
        w.InvalidateAll();
        const QImage clean = w.Canvas()->grab().toImage();
        QCOMPARE(after, clean);
        TheSettings().Type(1).VLineType = 0;
        TheSettings().Type(1).HLineType = 0;
        doc.SetModifiedFlag(false);
    }

    void scrollBarsFollowTheView() {
        CQzedDoc doc;
        doc.NewText();
        std::string text;
        for (int i = 0; i < 200; ++i) text += "line\n";
        doc.InsertText(1, text.data(), static_cast<uint32_t>(text.size()), 0);
        fakes::FakeMessageBox boxes;
        QzedViewWidget w(doc, boxes);
        w.resize(400, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* vbar = w.findChildren<QScrollBar*>().value(0);
        for (QScrollBar* sb : w.findChildren<QScrollBar*>())
            if (sb->orientation() == Qt::Vertical) vbar = sb;
        QVERIFY(vbar);
        QVERIFY(vbar->maximum() > 0);
        w.View().PageDown();
        QCOMPARE(vbar->value(), static_cast<int>(w.View().TopRow()) - 1 + vbar->minimum());
        QVERIFY(w.View().TopRow() > 1);
    }
};

QTEST_MAIN(ViewWidgetTest)
#include "view_widget_test.moc"
