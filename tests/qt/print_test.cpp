// Printing on Qt: a Japanese document printed to PDF and read back with
// pdftotext, a long run cancelled from its progress box, the layout dialog
// and the preview with its buttons.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "document/qzed_doc.h"
#include "frame/commands.h"
#include "platform/cp932.h"
#include "platform/profile.h"
#include "print/print_page.h"
#include "qt/document_window.h"
#include "qt/frame_bars.h"
#include "qt/main_window.h"
#include "qt/print_commands.h"
#include "qt/print_preview_dlg.h"
#include "qt/print_run.h"
#include "settings/settings.h"
#include "support/fake_message_box.h"
#include "support/qt_files.h"
#include "support/when_modal.h"

using namespace qz;

namespace {

// The lines of a Japanese C file, as the editor holds them (UTF-8 here).
const QStringList kJapaneseLines = {
    QStringLiteral("/* 印刷の確認 */"),
    QStringLiteral("#include <stdio.h>"),
    QStringLiteral("int main(void)"),
    QStringLiteral("{"),
    QStringLiteral("\tprintf(\"こんにちは、世界\\n\");  /* 挨拶 */"),
    QStringLiteral("\treturn 0;"),
    QStringLiteral("}"),
    QStringLiteral("// ｶﾀｶﾅ と 漢字 と ASCII"),
};

QByteArray Sjis(const QStringList& lines) {
    return QByteArray::fromStdString(Utf8ToSjis((lines.join('\n') + '\n').toStdString()));
}

// pdftotext's text of a PDF, page breaks as form feeds.
QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The non-empty lines of extracted text, trailing blanks dropped.
QStringList TextLines(const QString& text) {
    QStringList out;
    for (QString l : text.split('\n')) {
        while (!l.isEmpty() && (l.back().isSpace() || l.back() == '\f')) l.chop(1);
        while (!l.isEmpty() && l.front() == '\f') l.remove(0, 1);
        if (!l.isEmpty()) out << l;
    }
    return out;
}

// Text without any blank, for comparing what pdftotext spaced by guess.
QString Squeezed(QString s) {
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

QByteArray Numbered(int count) {
    QByteArray out;
    for (int i = 1; i <= count; ++i) out += "line " + QByteArray::number(i) + "\n";
    return out;
}

QString ExpandTabs(const QString& line, int width) {
    QString out;
    for (QChar c : line) {
        if (c == '\t') out += QString(width - out.size() % width, ' ');
        else out += c;
    }
    return out;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    fakes::FakeMessageBox boxes_;

    CQzedChild* Open(QzedMainWindow& w, const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        return fakes::WriteAll(path, bytes) ? w.Documents().Open(path.toStdString()) : nullptr;
    }
    static PrinterForm PlainForm() {
        PrinterForm f;
        f.AutoCal = 0;
        f.Max_Line = 20;
        f.Max_Column = 80;
        f.Header = "&L&F";
        f.Foter = "&C&P / &G";
        f.font.lfHeight = -12;
        f.headerFont.lfHeight = -12;
        return f;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void init() {
        TheSettings() = Settings();
        boxes_.shown.clear();
    }
    void cleanup() { QCOMPARE(fakes::UnansweredModals(), 0); }

    // Ctrl+P's dialog prints; with no printer installed the message comes and
    // a PDF file is offered instead; its text is the document's, line by line.
    void japaneseDocumentPrintsToPdfWithoutAPrinter() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed here");
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        TheSettings().printers[0] = PlainForm();
        TheSettings().printers[0].Number = 1;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "hello.c", Sjis(kJapaneseLines));
        QVERIFY(child);
        const QString pdf = dir_.filePath("hello-print.pdf");
        bool layoutSeen = false, fileSeen = false;
        fakes::WhenModal([&](QWidget* m) {
            layoutSeen = m->windowTitle().startsWith(QStringLiteral("印刷 (紙： "));
            fakes::WhenModal([&](QWidget* d) {
                auto* files = qobject_cast<QFileDialog*>(d);
                QVERIFY(files);
                fileSeen = true;
                fakes::TypeFileName(*files, pdf);
                static_cast<QDialog*>(files)->accept();
            }, m);
            m->findChild<QPushButton*>("printButton")->click();
        });
        QVERIFY(w.Frame().Execute(cmdid::kPrint));
        QVERIFY(layoutSeen);
        QVERIFY(fileSeen);
        QCOMPARE(boxes_.shown.size(), size_t(1));
        QCOMPARE(boxes_.shown[0].text, std::string(kMsgNoPrinter));
        QCOMPARE(boxes_.shown[0].caption, std::string(kCaptionNoPrinter));
        // The document's own rows are back.
        QVERIFY(!(child->Doc().GetWrapMode() & kWrapPrint));

        const QStringList got = TextLines(PdfText(pdf));
        QCOMPARE(got.size(), kJapaneseLines.size() + 2);
        QCOMPARE(got.first(), QStringLiteral("hello.c"));
        QCOMPARE(Squeezed(got.last()), QStringLiteral("1/1"));
        for (int i = 0; i < kJapaneseLines.size(); ++i) {
            const QString want = QString::asprintf("%05d ", i + 1) + ExpandTabs(kJapaneseLines[i], 4);
            // pdftotext guesses the blanks between faces; the characters and
            // their order are what must come back.
            QCOMPARE(Squeezed(got[i + 1]), Squeezed(want));
            QVERIFY2(got[i + 1].startsWith(QString::asprintf("%05d ", i + 1)), qPrintable(got[i + 1]));
        }
    }

    void sheetsBecomePagesAndARangePrintsOnlyItsSheets() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        CQzedChild* child = Open(w, "long.txt", Numbered(45));
        QVERIFY(child);
        for (auto [first, last, pages, top] : {std::tuple{1, 3, 3, "line 1"}, std::tuple{2, 3, 2, "line 21"}}) {
            const QString pdf = dir_.filePath(QStringLiteral("range%1.pdf").arg(first));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            ApplyFormToPrinter(PlainForm(), printer);
            {
                PrintJob job(child->Doc(), PlainForm(), std::tm{});
                QCOMPARE(job.SheetCount(), 3);
                QCOMPARE(RenderSheets(&w, printer, job, first, last, false), PrintOutcome::Done);
            }
            const QStringList sheets = PdfText(pdf).split('\f', Qt::SkipEmptyParts);
            QCOMPARE(TextLines(sheets.join('\f')).filter(QStringLiteral("line ")).size(), 45 - (first - 1) * 20);
            QCOMPARE(sheets.size(), pages);
            QCOMPARE(TextLines(sheets[0]).value(1), QString::fromLatin1(top));
            // The footer counts every sheet of the document.
            QCOMPARE(Squeezed(TextLines(sheets[0]).last()), QStringLiteral("%1/3").arg(first));
        }
    }

    void longRunStopsAtItsProgressBoxAndLeavesNoFile() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        CQzedChild* child = Open(w, "huge.txt", Numbered(20000));
        QVERIFY(child);
        const QString pdf = dir_.filePath("cancelled.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        PrinterForm form = PlainForm();
        form.Max_Line = 10;
        bool cancelled = false;
        fakes::WhenModal([&](QWidget* m) {
            auto* progress = qobject_cast<QProgressDialog*>(m);
            QVERIFY(progress);
            QVERIFY(progress->labelText().endsWith(QStringLiteral(" / 2000 ページ")));
            progress->cancel();
            cancelled = true;
        });
        PrintJob job(child->Doc(), form, std::tm{});
        QCOMPARE(job.SheetCount(), 2000);
        QCOMPARE(RenderSheets(&w, printer, job, 1, job.SheetCount(), false, 0), PrintOutcome::Cancelled);
        QVERIFY(cancelled);
        QVERIFY(!QFile::exists(pdf));
    }

    void declinedOrFailedPdfIsReportedNotPrinted() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed here");
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        CQzedChild* child = Open(w, "fail.txt", "text\n");
        QVERIFY(child);
        int relayouts = 0;
        PrintContext ctx{&w, &boxes_, &child->Doc(), [&] { ++relayouts; }, {}, [](const QString&) { return QString(); }};
        QVERIFY(!PrintDocument(ctx, PlainForm()));
        QCOMPARE(boxes_.shown.size(), size_t(1));
        // A file that cannot be written says so instead of passing for printed.
        const QString bad = dir_.filePath("no-such-folder/out.pdf");
        ctx.askPdfFile = [&](const QString&) { return bad; };
        QVERIFY(!PrintDocument(ctx, PlainForm()));
        QCOMPARE(boxes_.shown.size(), size_t(3));
        QCOMPARE(boxes_.shown[2].text, std::string(kMsgPrintFailed));
        QCOMPARE(boxes_.shown[2].caption, bad.toStdString());
        QCOMPARE(relayouts, 1);
        QVERIFY(!(child->Doc().GetWrapMode() & kWrapPrint));
    }

    void previewPagesZoomsAndHidesTheBars() {
        MemoryProfile p;
        p.WriteProfileInt("Environ", "DialogBar", 2);
        QzedMainWindow w(p, nullptr, &boxes_);
        TheSettings().printers[0] = PlainForm();
        w.show();
        w.PfBar()->show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "pages.txt", Numbered(45));
        QVERIFY(child);
        QVERIFY(w.PfBar()->isVisible());
        QVERIFY(w.DialogBar() && w.DialogBar()->isVisible());
        bool checked = false;
        fakes::WhenModal([&](QWidget* m) {
            auto* d = qobject_cast<PrintPreviewDialog*>(m);
            QVERIFY(d);
            QVERIFY(d->windowTitle().startsWith(QStringLiteral("印刷プレビュー (紙： ")));
            QVERIFY(d->windowTitle().endsWith(QStringLiteral("  印刷方向： 縦)")));
            QVERIFY(!w.PfBar()->isVisible());
            QVERIFY(!w.DialogBar()->isVisible());
            QPrintPreviewWidget* preview = d->Preview();
            QTRY_COMPARE(preview->pageCount(), 3);
            auto click = [d](const char* name) { d->findChild<QPushButton*>(name)->click(); };
            QCOMPARE(preview->currentPage(), 1);
            click("lastButton");
            QCOMPARE(preview->currentPage(), 3);
            QCOMPARE(d->CurrentSheet(), 3);
            click("previousButton");
            QCOMPARE(preview->currentPage(), 2);
            click("firstButton");
            QCOMPARE(preview->currentPage(), 1);
            const qreal zoom = preview->zoomFactor();
            click("zoomInButton");
            QVERIFY(preview->zoomFactor() > zoom);
            click("zoomOutButton");
            click("zoomOutButton");
            QVERIFY(preview->zoomFactor() < zoom);
            checked = true;
            click("cancelButton");
        });
        QVERIFY(w.Frame().Execute(cmdid::kPreview));
        QVERIFY(checked);
        QVERIFY(w.PfBar()->isVisible());
        QVERIFY(w.DialogBar()->isVisible());
        QVERIFY(!(child->Doc().GetWrapMode() & kWrapPrint));
        // A bar hidden before the preview stays hidden after it.
        w.PfBar()->hide();
        fakes::WhenModal([](QWidget* m) { m->findChild<QPushButton*>("cancelButton")->click(); });
        QVERIFY(w.Frame().Execute(cmdid::kPreview));
        QVERIFY(!w.PfBar()->isVisible());
        QVERIFY(w.DialogBar()->isVisible());
    }

    // A long document is previewed a stretch of sheets at a time; the page
    // buttons move over the whole document.
    void previewPagesBeyondItsStretch() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        CQzedChild* child = Open(w, "stretch.txt", Numbered(140));
        QVERIFY(child);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        PrintJob job(child->Doc(), PlainForm(), std::tm{});
        QCOMPARE(job.SheetCount(), 7);
        PrintPreviewDialog d(&w, job, printer, 3);
        d.show();
        QTRY_COMPARE(d.Preview()->pageCount(), 3);
        auto click = [&d](const char* name) { d.findChild<QPushButton*>(name)->click(); };
        QCOMPARE(d.CurrentSheet(), 1);
        for (int i = 0; i < 3; ++i) click("nextButton");
        QCOMPARE(d.CurrentSheet(), 4);
        QCOMPARE(d.Preview()->currentPage(), 2);  // sheets 3 to 5
        click("lastButton");
        QCOMPARE(d.CurrentSheet(), 7);
        QCOMPARE(d.Preview()->pageCount(), 3);
        click("nextButton");
        QCOMPARE(d.CurrentSheet(), 7);
        click("previousButton");
        QCOMPARE(d.CurrentSheet(), 6);
        click("firstButton");
        QCOMPARE(d.CurrentSheet(), 1);
        click("previousButton");
        QCOMPARE(d.CurrentSheet(), 1);
        QCOMPARE(d.LastOutcome(), PrintOutcome::Done);
    }

    void previewsPrintButtonPrints() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed here");
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        TheSettings().printers[0] = PlainForm();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CQzedChild* child = Open(w, "from-preview.txt", Numbered(25));
        QVERIFY(child);
        const QString pdf = dir_.filePath("from-preview.pdf");
        fakes::WhenModal([&](QWidget* m) {
            fakes::WhenModal([&](QWidget* d) {
                auto* files = qobject_cast<QFileDialog*>(d);
                QVERIFY(files);
                fakes::TypeFileName(*files, pdf);
                static_cast<QDialog*>(files)->accept();
            }, m);
            m->findChild<QPushButton*>("printButton")->click();
        });
        QVERIFY(w.Frame().Execute(cmdid::kPreview));
        QCOMPARE(PdfText(pdf).split('\f', Qt::SkipEmptyParts).size(), 2);
    }

    void layoutDialogLimitsCodesTitleAndSaving() {
        MemoryProfile p;
        QzedMainWindow w(p, nullptr, &boxes_);
        TheSettings().env.DefPrintType = 1;
        bool checked = false;
        fakes::WhenModal([&](QWidget* m) {
            QVERIFY(m->windowTitle().startsWith(QStringLiteral("印刷 (紙： ")));
            auto* lines = m->findChild<QLineEdit*>("linesEdit");
            auto* columns = m->findChild<QLineEdit*>("columnsEdit");
            auto* message = m->findChild<QLabel*>("messageLabel");
            auto* header = m->findChild<QLineEdit*>("headerEdit");
            // No document: the layout can be set, nothing printed.
            QVERIFY(!m->findChild<QPushButton*>("printButton")->isEnabled());
            QVERIFY(!m->findChild<QPushButton*>("previewButton")->isEnabled());
            // Automatic: computed, not typed.
            QVERIFY(m->findChild<QCheckBox*>("autoBox")->isChecked());
            QVERIFY(lines->isReadOnly());
            QVERIFY(lines->text().toInt() >= 10);
            const int autoColumns = columns->text().toInt();
            m->findChild<QRadioButton*>("numberOn")->setChecked(true);
            QCOMPARE(columns->text().toInt(), autoColumns - 6);
            m->findChild<QCheckBox*>("autoBox")->setChecked(false);
            QVERIFY(!lines->isReadOnly());
            lines->setText("5");
            emit lines->editingFinished();
            QCOMPARE(lines->text(), QStringLiteral("10"));
            QCOMPARE(message->text(), QStringLiteral("行数が最低行数を下回ります（用紙をはみ出す恐れがあります）"));
            columns->setText("300");
            emit columns->editingFinished();
            QCOMPARE(columns->text(), QStringLiteral("240"));
            QCOMPARE(message->text(), QStringLiteral("桁数が最高桁数を上回ります（240桁以上は印字できません）"));
            // ">>" lists the codes; one chosen goes in at the cursor.
            header->setText("&L");
            header->setCursorPosition(2);
            QTimer::singleShot(50, [] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu) return;
                for (QAction* a : menu->actions())
                    if (a->text() == QStringLiteral("&&P\t=ページ番号")) a->trigger();
                menu->close();
            });
            m->findChild<QPushButton*>("headerCodes")->click();
            QCOMPARE(header->text(), QStringLiteral("&L&P"));
            // The title is edited in its own small dialog.
            fakes::WhenModal([](QWidget* t) {
                t->findChild<QLineEdit*>()->setText(QStringLiteral("横長"));
                qobject_cast<QDialog*>(t)->accept();
            }, m);
            m->findChild<QPushButton*>("titleButton")->click();
            QCOMPARE(m->findChild<QComboBox*>("formCombo")->currentText(), QStringLiteral("横長"));
            // Printer setup: the paper and orientation reach the title and the form.
            fakes::WhenModal([](QWidget* setup) {
                auto* landscape = setup->findChild<QRadioButton*>("landscape");
                auto* sizes = setup->findChild<QComboBox*>("pageSizeCombo");
                QVERIFY(landscape && sizes);
                const int a3 = sizes->findText(QStringLiteral("A3"), Qt::MatchStartsWith);
                QVERIFY(a3 >= 0);
                sizes->setCurrentIndex(a3);
                landscape->click();
                qobject_cast<QDialog*>(setup)->accept();
            }, m);
            m->findChild<QPushButton*>("setupButton")->click();
            QCOMPARE(m->windowTitle(), QStringLiteral("印刷 (紙： A3 297 × 420 mm  印刷方向： 横)"));
            m->findChild<QPushButton*>("saveButton")->click();
            checked = true;
            m->findChild<QPushButton*>("closeButton")->click();
        });
        QVERIFY(w.Frame().Execute(cmdid::kPrintLayout));
        QVERIFY(checked);
        const PrinterForm& saved = TheSettings().printers[1];
        QCOMPARE(saved.Title, std::string("横長"));
        QCOMPARE(saved.AutoCal, 0);
        QCOMPARE(saved.Number, 1);
        QCOMPARE(saved.Max_Line, 10);
        QCOMPARE(saved.Max_Column, 240);
        QCOMPARE(saved.Header, std::string("&L&P"));
        QCOMPARE(saved.PaperSize, 8);
        QCOMPARE(saved.Orientation, 2);
        QCOMPARE(saved.PaperWidth, 2970);
        QCOMPARE(saved.PaperLength, 4200);
        QCOMPARE(TheSettings().printers[0].Title, std::string("設定-1"));
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
