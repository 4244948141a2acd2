// The Qt view window on 50 MB of generated source (offscreen): the first
// screen after opening, Ctrl+End, a scroll-bar drag from top to bottom in
// 400 steps and 300 characters typed at the end, each step painted at once.
// Prints the median and the worst step of each in milliseconds; a frame
// is 16 ms.
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/qzed_doc.h"
#include "gen_corpus.h"
#include "platform/message_box.h"
#include "qt/view_widget.h"
#include "settings/settings.h"

namespace {

class SilentBox : public qz::MessageBox {
public:
    qz::MbResult Show(const std::string&, const std::string&, qz::MbIcon, qz::MbButtons) override {
        return qz::MbResult::Ok;
    }
};

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s %6zu steps  median %7.3f ms  worst %7.3f ms\n", what, ms.size(), ms[ms.size() / 2],
                ms.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string text = qzbench::GenerateSjisCSource(50u << 20);
    qz::CQzedDoc doc(1);
    QElapsedTimer clock;
    clock.start();
    doc.LoadBegin(text.size());
    doc.LoadAppend(text.data(), static_cast<uint32_t>(text.size()));
    doc.LoadEnd();
    std::printf("%-34s %.1f ms (store only, no file)\n", "fill and lay out 50 MB", clock.nsecsElapsed() / 1e6);

    SilentBox box;
    clock.restart();
    qz::QzedViewWidget w(doc, box);
    w.resize(1000, 800);
    w.show();
    w.Canvas()->repaint();
    Report("open: first screen", {clock.nsecsElapsed() / 1e6});

    clock.restart();
    w.View().FileEnd();
    w.Canvas()->repaint();
    Report("Ctrl+End: last screen", {clock.nsecsElapsed() / 1e6});

    QScrollBar* bar = nullptr;
    for (QScrollBar* sb : w.findChildren<QScrollBar*>())
        if (sb->orientation() == Qt::Vertical) bar = sb;
    std::vector<double> drag;
    if (bar) {
        bar->setSliderDown(true);
        for (int i = 0; i <= 400; ++i) {
            clock.restart();
            bar->setSliderPosition(bar->minimum() + int((long long)(bar->maximum() - bar->minimum()) * i / 400));
            w.Canvas()->repaint();
            drag.push_back(clock.nsecsElapsed() / 1e6);
        }
        bar->setSliderDown(false);
        Report("scroll-bar drag, top to bottom", drag);
    }

    w.View().FileEnd();
    std::vector<double> typing;
    for (int i = 0; i < 300; ++i) {
        clock.restart();
        w.View().OnChar(static_cast<uint8_t>(i % 40 == 39 ? '\n' : 'a' + i % 26));
        w.Canvas()->repaint();
        typing.push_back(clock.nsecsElapsed() / 1e6);
    }
    Report("typing at the end", typing);
    return 0;
}
