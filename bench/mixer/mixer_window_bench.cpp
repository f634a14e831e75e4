// Loading a project into the mixer window (every control read and the window
// repainted) and a track-count relayout, as medians over many runs.
// Run with QT_QPA_PLATFORM=offscreen.

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "mixer/form_ctrls.h"
#include "project/document_ops.h"
#include "quiet_dialogs.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    spurwerk::ProjectSession session;
    QuietDialogs dialogs;
    spurwerk::gui::FormCtrls form(session, dialogs, spurwerk::MixerOptions{});
    form.show();
    app.processEvents();

    std::string projects[] = {std::string(SPURWERK_DEMO_CARD) + "/PROJ001/PRJDATA.ZDT",
                              std::string(SPURWERK_DEMO_CARD) + "/PROJ002/PRJDATA.ZDT"};
    int next = 0;
    auto load = [&] {
        session.ZDTFileToLoad = projects[next++ % 2];
        spurwerk::DocumentContext context{session, dialogs, ""};
        spurwerk::LoadZDTFile(context, false);
        form.repaint();
    };
    int count = 16;
    auto relayout = [&] {
        count = count == 16 ? 8 : 16;
        form.Model().Tracks().SetTrackCount(count);
        form.repaint();
    };
    load();
    double loadMs = MedianMs(runs, load);
    double relayoutMs = MedianMs(runs, relayout);
    std::printf("mixer window, %d runs each (median):\n", runs);
    std::printf("  load a project into the mixer and repaint: %8.2f ms\n", loadMs);
    std::printf("  track-count relayout (16 <-> 8) and repaint: %8.2f ms\n", relayoutMs);
    return 0;
}
