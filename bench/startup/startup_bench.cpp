// Starts Spurwerk several times on the offscreen platform and prints the
// median time from process start until its main window is shown with the
// device template loaded (the program reports that moment and ends).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

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

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("SPURWERK_STARTUP_PROBE", "1");
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {});
        bool shown = false;
        while (!shown && process.waitForReadyRead(20000))
            shown = process.readAllStandardOutput().contains("shown");
        double ms = timer.nsecsElapsed() / 1e6;
        process.waitForFinished(10000);
        if (!shown) {
            std::fprintf(stderr, "run %d: the main window was not reported\n", i + 1);
            return 1;
        }
        times.push_back(ms);
        std::printf("run %d: %.1f ms\n", i + 1, ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to main window with template (offscreen), median of %d: %.1f ms\n", runs,
                times[times.size() / 2]);
    return 0;
}
