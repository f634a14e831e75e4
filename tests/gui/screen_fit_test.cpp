// Every window on a 1366 x 768 screen, in both languages: it lies on the
// screen, each button can be reached, and the English windows show no German.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

#include "app/app_state.h"
#include "app/main_window.h"
#include "settings/language_choice.h"
#include "dialog_driver.h"
#include "gui_fixture.h"
#include "window_tour.h"

using spurwerk::testing::DialogDriver;
using spurwerk::testing::GuiFixture;
using spurwerk::testing::VisibleTexts;
using spurwerk::testing::VisitEveryWindow;

namespace {

void ChooseInBox(QComboBox* box, const QString& language) {
    int index = box->findText(language);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// The part of `w` its window shows: `r` clipped by every parent.
QRect ShownPart(QWidget* w, QWidget* window, QRect r) {
    for (QWidget* p = w; p != window && !r.isEmpty(); p = p->parentWidget())
        r = r.translated(p->pos()).intersected(p->parentWidget()->rect());
    return r;
}

// What must show of a button: all of it, but of a check box only its caption,
// since the mixer's row boxes are captions whose box lies beyond the strip.
QRect ClickArea(QAbstractButton* b) {
    auto* box = qobject_cast<QCheckBox*>(b);
    if (!box) return b->rect();
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    const Qt::Alignment align = QStyle::visualAlignment(box->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter);
    // Less a pixel each side: the bearings of the first and last letter.
    return box->style()->itemTextRect(box->fontMetrics(), contents, align, true, box->text()).adjusted(1, 0, -1, 0);
}

// The buttons that no position of the window's scroll bars shows whole.
QStringList UnreachableButtons(QWidget* window) {
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(window) && !b->size().isEmpty()) buttons << b;
    QList<QScrollBar*> bars;
    for (QScrollBar* bar : window->findChildren<QScrollBar*>())
        if (bar->isVisibleTo(window) && bar->maximum() > bar->minimum()) bars << bar;
    QSet<QAbstractButton*> seen;
    // Half a page per step: a button smaller than half the view shows whole at some step.
    std::function<void(int)> walk = [&](int depth) {
        if (depth == bars.size()) {
            QCoreApplication::processEvents();
            for (QAbstractButton* b : buttons)
                if (ShownPart(b, window, ClickArea(b)).size() == ClickArea(b).size()) seen.insert(b);
            return;
        }
        QScrollBar* bar = bars[depth];
        const int before = bar->value();
        const int step = std::max(1, bar->pageStep() / 2);
        for (int v = bar->minimum();; v = std::min(v + step, bar->maximum())) {
            bar->setValue(v);
            walk(depth + 1);
            if (v == bar->maximum()) break;
        }
        bar->setValue(before);
    };
    walk(0);
    QStringList unreachable;
    for (QAbstractButton* b : buttons)
        if (!seen.contains(b)) unreachable << window->objectName() + "." + b->objectName() + " \"" + b->text() + "\"";
    return unreachable;
}

QStringList OffTheScreen(QWidget* window) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (area.contains(frame)) return {};
    return {QString("%1 at %2,%3 %4x%5").arg(window->objectName()).arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())};
}

// Words of the German language file that its English counterpart never uses.
QSet<QString> GermanOnlyWords(const GuiFixture& f) {
    auto words = [](const QString& text) {
        QSet<QString> set;
        for (const auto& match : QRegularExpression("\\p{L}{4,}").globalMatch(text)) set.insert(match.captured().toLower());
        return set;
    };
    return words(QString::fromLatin1(f.ReadFile("Spurwerk_GUI_Deutsch.INI"))) -
           words(QString::fromLatin1(f.ReadFile("Spurwerk_GUI_English.INI")));
}

QStringList GermanTexts(QWidget* window, const QSet<QString>& german) {
    QStringList found;
    for (const QString& text : VisibleTexts(window)) {
        bool isGerman = text.contains(QRegularExpression("[äöüÄÖÜß]"));
        for (const auto& match : QRegularExpression("\\p{L}{4,}").globalMatch(text))
            isGerman |= german.contains(match.captured().toLower());
        if (isGerman) found << window->objectName() + ": " + text;
    }
    return found;
}

}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT
private slots:
    void EveryWindowFitsTheScreenAndShowsEveryButton();
    void EnglishWindowsShowNoGermanText();
};

void ScreenFitTest::EveryWindowFitsTheScreenAndShowsEveryButton() {
    QCOMPARE(QApplication::primaryScreen()->availableGeometry().size(), QSize(1366, 768));
    GuiFixture f;
    f.WriteFile("Spurwerk.INI", "[Options]\r\nLanguageIndex=1\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    DialogDriver driver;
    spurwerk::gui::SpurwerkApp& app = f.Start();
    app.Main().PanelSwitchExpertFunctionsClick();
    QStringList misfits;
    QStringList visited;
    for (const char* language : {"Deutsch", "English"}) {
        driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
        ChooseInBox(app.Main().LanguageBox(), language);
        QVERIFY(driver.Done());
        VisitEveryWindow(app, driver, [&](QWidget* window) {
            visited << window->objectName();
            misfits << OffTheScreen(window) << UnreachableButtons(window);
        });
        QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    }
    QCOMPARE(visited.size(), 18);
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join("\n")));
    QVERIFY2(driver.Unexpected().isEmpty(), qPrintable(driver.Unexpected().join("; ")));
}

void ScreenFitTest::EnglishWindowsShowNoGermanText() {
    GuiFixture f;
    // Started in English on an R24: its warning comes in English too.
    const auto entries = spurwerk::InitCBLanguage(f.Path("Spurwerk_GUI.INI").toStdString());
    const auto english = std::find(entries.begin(), entries.end(), "English") - entries.begin();
    f.WriteFile("Spurwerk.INI", "[Options]\r\nDevIsZoomR24=1\r\nLanguageIndex=" + QByteArray::number(english) +
                                    "\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    const QSet<QString> german = GermanOnlyWords(f);
    QVERIFY(german.contains("abbruch") && !german.contains("cancel"));
    QStringList found;
    auto check = [&](QWidget* window) {
        if (window->objectName() != "FormLanguage") found << GermanTexts(window, german);  // both languages by design
    };
    DialogDriver driver;
    driver.Then("MessageBox", [&](QWidget* box) {
        check(box);
        qobject_cast<QDialog*>(box)->accept();
    });
    spurwerk::gui::SpurwerkApp& app = f.Start();
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QCOMPARE(app.Main().LanguageBox()->itemText(app.State().mainOptions.LanguageIndex), QString("English"));
    app.Main().PanelSwitchExpertFunctionsClick();
    VisitEveryWindow(app, driver, check);
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join("; ")));
    QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
}

int main(int argc, char** argv) {
    // The offscreen platform takes its screen from a file: a 1366 x 768 laptop screen.
    QTemporaryDir dir;
    QFile config(dir.filePath("screen.json"));
    config.open(QIODevice::WriteOnly);
    config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    QApplication app(argc, argv);
    ScreenFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screen_fit_test.moc"
