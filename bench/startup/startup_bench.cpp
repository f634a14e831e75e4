// Starts Spurwerk and a minimal Qt Widgets program in pairs on the offscreen
// platform and prints the median times from process start until the window is
// shown (Spurwerk's with the device template loaded; each program reports that
// moment and ends), and the median ratio of the pairs.
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
    auto start = [](const QString& path) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SPURWERK_STARTUP_PROBE", "1");
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(path, {});
        bool shown = false;
        while (!shown && process.waitForReadyRead(20000)) shown = process.readAllStandardOutput().contains("shown");
        double ms = timer.nsecsElapsed() / 1e6;
        process.waitForFinished(10000);
        if (!shown) {
            std::fprintf(stderr, "%s: the window was not reported\n", qPrintable(path));
            std::exit(1);
        }
        return ms;
    };
    start(program), start(SPURWERK_MINIMAL);  // libraries and fonts into the cache
    std::vector<double> spurwerk, minimal, ratios;
    for (int i = 0; i < runs; ++i) {
        double s = 0, m = 0;
        if (i % 2 == 0) {
            s = start(program);
            m = start(SPURWERK_MINIMAL);
        } else {
            m = start(SPURWERK_MINIMAL);
            s = start(program);
        }
        spurwerk.push_back(s), minimal.push_back(m), ratios.push_back(s / m);
        std::printf("pair %d: Spurwerk %.1f ms, minimal window %.1f ms\n", i + 1, s, m);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("start-up to the window shown (offscreen), median of %d pairs:\n", runs);
    std::printf("  Spurwerk main window with template %.1f ms, minimal Qt window %.1f ms, ratio %.2f (aim <= 1.50)\n",
                median(spurwerk), median(minimal), median(ratios));
    return 0;
}
