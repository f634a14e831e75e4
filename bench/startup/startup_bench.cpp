// Starts Spurwerk and a minimal Qt Widgets program in pairs on the offscreen
// platform and prints the median times from process start until the window is
// shown (Spurwerk's with the device template loaded; each program reports that
// moment), and the median ratio of the pairs; for Spurwerk also the moment
// its mixer window shows the template (built after the main window is up).
// Each pair also starts the minimal program with one label in its window:
// what showing any text at all costs (fontconfig, a font face, glyphs), for
// reading the ratio.
// Usage: startup_bench [PAIRS]  (default 9)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
struct Times {
    double window = 0;  // ms from the start until the first window was reported
    double mixer = 0;
};
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    // A program folder of its own: options that skip the first-start questions.
    QTemporaryDir dir;
    QString program = dir.filePath("Spurwerk");
    QFile::copy(SPURWERK_PROGRAM, program);
    QFile::setPermissions(program, QFile::permissions(SPURWERK_PROGRAM));
    for (const char* name : {"PRJDATA_VorlageR16.ZDT", "EFXDATA_VorlageR16.ZDT", "Spurwerk_GUI_Deutsch.INI",
                             "Spurwerk_README_Deutsch.TXT"})
        QFile::copy(QString(SPURWERK_BIN_DIR) + "/" + name, dir.filePath(name));
    QFile options(dir.filePath("Spurwerk.INI"));
    options.open(QIODevice::WriteOnly);
    options.write("[Options]\r\nLanguageIndex=1\r\nSaveOptionsOnExit=0\r\n"
                  "[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    options.close();

    // Pairs, alternating which starts first; both on the offscreen platform.
    auto start = [](const QString& path, const QStringList& arguments = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SPURWERK_STARTUP_PROBE", "1");
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(path, arguments);
        // The first window, and (Spurwerk only) the mixer beside it.
        Times times;
        QByteArray output;
        while (process.waitForReadyRead(20000)) {
            output += process.readAllStandardOutput();
            const double ms = timer.nsecsElapsed() / 1e6;
            if (times.window == 0 && output.contains("shown\n")) times.window = ms;
            if (times.mixer == 0 && output.contains("mixer shown")) times.mixer = ms;
            if (times.window > 0 && (times.mixer > 0 || path == SPURWERK_MINIMAL)) break;
        }
        process.waitForFinished(10000);
        if (times.window == 0 || (path != SPURWERK_MINIMAL && times.mixer == 0)) {
            std::fprintf(stderr, "%s: the window was not reported\n", qPrintable(path));
            std::exit(1);
        }
        return times;
    };
    start(program), start(SPURWERK_MINIMAL);  // libraries and fonts into the cache
    std::vector<double> spurwerk, mixer, minimal, labelled, ratios, mixerRatios, labelRatios;
    for (int i = 0; i < runs; ++i) {
        Times s, m;
        if (i % 2 == 0) {
            s = start(program);
            m = start(SPURWERK_MINIMAL);
        } else {
            m = start(SPURWERK_MINIMAL);
            s = start(program);
        }
        const Times l = start(SPURWERK_MINIMAL, {"--label"});
        spurwerk.push_back(s.window), mixer.push_back(s.mixer), minimal.push_back(m.window), labelled.push_back(l.window);
        ratios.push_back(s.window / m.window), mixerRatios.push_back(s.mixer / m.window);
        labelRatios.push_back(l.window / m.window);
        std::printf("pair %d: Spurwerk %.1f ms (mixer %.1f ms), minimal window %.1f ms (with a label %.1f ms)\n", i + 1,
                    s.window, s.mixer, m.window, l.window);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("start-up to the window shown (offscreen), median of %d pairs:\n", runs);
    std::printf("  Spurwerk main window with template %.1f ms, minimal Qt window %.1f ms, ratio %.2f (aim <= 1.50)\n",
                median(spurwerk), median(minimal), median(ratios));
    std::printf("  the mixer window shown beside it %.1f ms, ratio %.2f\n", median(mixer), median(mixerRatios));
    std::printf("  the minimal window with one label %.1f ms, ratio %.2f (the cost of showing text at all)\n",
                median(labelled), median(labelRatios));
    return 0;
}
