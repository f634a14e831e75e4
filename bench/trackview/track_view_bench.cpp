// The track view painted offscreen while it scrolls and zooms over a project
// of 16 tracks of 5 minutes each: frames per second against the 60 fps aim.
// Each frame is one step (a scroll by 80 pixels, or a zoom in or out by 2)
// and a full repaint of the canvas. Run with QT_QPA_PLATFORM=offscreen.
// Usage: track_view_bench [FRAMES]  (default 400)

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "project/document_ops.h"
#include "project/zdt_document.h"
#include "quiet_dialogs.h"
#include "test_bytes.h"
#include "test_files.h"
#include "test_wavs.h"
#include "trackview/track_canvas.h"
#include "trackview/track_view_window.h"

namespace fs = std::filesystem;
using spurwerk::gui::TrackViewWindow;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(40, std::atoi(argv[1])) : 400;
    constexpr int Tracks = 16;
    constexpr double Seconds = 300;

    // One 5-minute mono take, linked under 16 names: the view reads each
    // name as a file of its own, the disk holds it once.
    QTemporaryDir dir;
    const fs::path song = fs::path(dir.path().toStdString()) / "PROJ001";
    fs::create_directories(song / "AUDIO");
    spurwerk::testing::WriteSineWav(song / "AUDIO" / "TAKE01.WAV", {.rate = 44100}, Seconds, 0.5, 220);
    std::vector<std::string> names;
    for (int k = 0; k < Tracks; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "TAKE%02d.WAV", k + 1);
        names.push_back(name);
        if (k > 0) fs::create_hard_link(song / "AUDIO" / "TAKE01.WAV", song / "AUDIO" / name);
    }
    spurwerk::testing::WriteBytes(song / "PRJDATA.ZDT",
                                  spurwerk::testing::ProjectBytes({.name = "BENCH", .wavNames = names, .deviceDefaults = true}));

    spurwerk::ProjectSession session;
    QuietDialogs dialogs;
    session.ZDTFileToLoad = (song / "PRJDATA.ZDT").string();
    spurwerk::DocumentContext context{session, dialogs, ""};
    spurwerk::LoadZDTFile(context, false);

    TrackViewWindow view(session, dialogs);
    view.trackCount = [] { return Tracks; };
    view.resize(1280, 960);
    view.show();
    view.Reload();
    if (!view.WaitForOverviews(600000)) {
        std::fprintf(stderr, "the waveforms were not read\n");
        return 1;
    }
    QApplication::processEvents();
    QWidget* canvas = view.Canvas();

    // A cycle of 40 frames: 15 scrolls forward, 5 zooms in, 5 out, 15 scrolls back.
    auto step = [&](int frame) {
        const int phase = frame % 40;
        const auto pixels = static_cast<std::int64_t>(80 * view.Scale().msPerPixel);
        if (phase < 15) view.ScrollToMs(view.Scale().startMs + pixels);
        else if (phase < 20) view.Zoom(0.5);
        else if (phase < 25) view.Zoom(2.0);
        else view.ScrollToMs(view.Scale().startMs - pixels);
    };
    step(0), canvas->repaint();  // the first paint lays out the fonts
    std::vector<double> ms;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        const auto before = std::chrono::steady_clock::now();
        step(i);
        canvas->repaint();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::sort(ms.begin(), ms.end());
    const double fps = frames / seconds;
    std::printf("track view %dx%d, %d tracks of %.0f s, %d frames (scroll and zoom, full repaint):\n", canvas->width(),
                canvas->height(), Tracks, Seconds, frames);
    std::printf("  %.1f frames per second, ratio to the 60 fps aim %.2f (aim >= 1.00)\n", fps, fps / 60);
    std::printf("  frame time median %.2f ms, 95th percentile %.2f ms, slowest %.2f ms\n", ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], ms.back());
    return 0;
}
