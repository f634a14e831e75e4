// Every window and dialog on a 1366 x 768 screen, in both languages: it lies on
// the screen, each button can be reached, each caption fits its widget, and the
// English windows show no German.

#include <QRegularExpression>
#include <QScreen>

#include <functional>

#include "app/language_window.h"
#include "dialog_driver.h"
#include "gui_fixture.h"
#include "settings/language_choice.h"
#include "settings/text_table.h"
#include "support/general_info_window.h"
#include "support/multi_line_button.h"
#include "ui/dialogs.h"

using namespace spurwerk;
using namespace spurwerk::testing;

namespace {

using WindowCheck = std::function<void(QWidget* window)>;

// Shows every window and dialog in turn (the main window with its expert panel
// open, the history and timed dialogs with all their parts) and checks each.
void VisitEveryWindow(gui::SpurwerkApp& app, DialogDriver& driver, const WindowCheck& check) {
    app.Main().ButtonSetCtrlsClick();
    for (QWidget* window : QWidgetList{&app.Main(), &app.Ctrls(), &app.FileList(), &app.ProjSerie(),
                                       &app.GeneralInfo(), &app.Language()}) {
        window->show();
        QCoreApplication::processEvents();
        check(window);
    }
    app.GeneralInfo().hide();
    app.Language().hide();
    // A dialog the program opens itself: checked when it appears, then closed.
    auto checkThenCancel = [&check](QWidget* dialog) {
        check(dialog);
        qobject_cast<QDialog*>(dialog)->reject();
    };
    driver.Then("FormHistInput", checkThenCancel);
    app.Main().ButtonLoadZDTFileClick();
    driver.Then("FormTimedInput", checkThenCancel);
    TimedInputRequest request{.buttons = TimedOk | TimedNo | TimedCancel, .caption = Txt(259),
                              .message = Txt(260), .editMask = {}, .showInput = true, .input = {},
                              .timeoutMs = 60000};
    app.State().dialogs.TimedInput(request);
    driver.Then("MessageBox", checkThenCancel);
    app.State().dialogs.Message(Txt(258), MessageButtons::YesNoNoToAllYesToAll);
    // A question with a list longer than the screen: cut, its buttons on the screen.
    std::string folders = Txt(106) + "\r\n\r\n";
    for (int n = 1; n <= 99; ++n) folders += "/media/card/PROJ" + std::to_string(100 + n).substr(1) + "/\r\n";
    driver.Then("MessageBox", checkThenCancel);
    app.State().dialogs.Message(folders + "\r\n" + Txt(107), MessageButtons::OkCancel);
}

QStringList OffTheScreen(QWidget* window) {
    const QRect frame = window->frameGeometry();
    if (window->screen()->availableGeometry().contains(frame)) return {};
    return {QString("%1 at %2,%3 %4x%5").arg(window->objectName()).arg(frame.x()).arg(frame.y())
                .arg(frame.width()).arg(frame.height())};
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
    QStyle* style = box->style();
    const QRect contents = style->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    const auto align = QStyle::visualAlignment(box->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter);
    // Less a pixel each side: the bearings of the first and last letter.
    return style->itemTextRect(box->fontMetrics(), contents, align, true, box->text()).adjusted(1, 0, -1, 0);
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
        for (int v = bar->minimum();; v = std::min(v + std::max(1, bar->pageStep() / 2), bar->maximum())) {
            bar->setValue(v);
            walk(depth + 1);
            if (v == bar->maximum()) break;
        }
        bar->setValue(before);
    };
    walk(0);
    QStringList unreachable;
    for (QAbstractButton* b : buttons)
        if (!seen.contains(b))
            unreachable << window->objectName() + "." + b->objectName() + " \"" + b->text() + "\"";
    return unreachable;
}

QSet<QString> Words(const QString& text) {
    QSet<QString> set;
    for (const auto& match : QRegularExpression("\\p{L}{4,}").globalMatch(text))
        set.insert(match.captured().toLower());
    return set;
}

// Captions of labels, buttons and check boxes larger than the room their widget
// gives them (each line must fit the width, a wrapped caption the height), and
// with the words only the German language file uses, the texts a user reads
// (title, captions, hints, entries of boxes) that are German.
QStringList TextFaults(QWidget* window, const QSet<QString>* german) {
    QStringList faults;
    QStringList texts{window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        texts << w->toolTip();
        if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
        if (auto* box = qobject_cast<QComboBox*>(w); box && !box->isEditable())
            for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        QString text;
        QRect room = w->rect().adjusted(2, 0, -2, 0);
        int flags = Qt::TextShowMnemonic;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            const int m = label->margin();
            room = label->contentsRect().adjusted(m, m, -m, -m);
            flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
        } else {
            continue;
        }
        texts << text;
        QStyle* style = w->style();
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            room.setLeft(style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w));
            room.setRight(w->width() - 1);
        } else if (qobject_cast<gui::MultiLineButton*>(w)) {
            room = w->rect().adjusted(4, 2, -4, -2);  // where it draws its wrapped caption
            flags |= Qt::TextWordWrap;
        }
        if (text.isEmpty() || Qt::mightBeRichText(text)) continue;
        const QRect needed = w->fontMetrics().boundingRect(QRect(0, 0, room.width(), 100000), flags, text);
        // One line may reach into the widget's border, as a fixed-height label's does;
        // more lines must fit, or the last one is cut off.
        const bool severalLines = needed.height() > w->fontMetrics().height();
        if (needed.width() > room.width() || (severalLines && needed.height() > room.height()))
            faults << QString("%1.%2 \"%3\" needs %4 x %5, has %6 x %7")
                          .arg(window->objectName(), w->objectName(), QString(text).replace('\n', "|"))
                          .arg(needed.width()).arg(needed.height()).arg(room.width()).arg(room.height());
    }
    for (const QString& text : german ? texts : QStringList())
        if (text.contains(QRegularExpression("[äöüÄÖÜß]")) || Words(text).intersects(*german))
            faults << window->objectName() + ": " + text;
    return faults;
}

}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT
private slots:
    void EveryWindowFitsInBothLanguagesAndEnglishShowsNoGerman();
    void QuestionsOpenCentredOverTheWindowThatAsks();
};

void ScreenFitTest::EveryWindowFitsInBothLanguagesAndEnglishShowsNoGerman() {
    QCOMPARE(QApplication::primaryScreen()->availableGeometry().size(), QSize(1366, 768));
    GuiFixture f;
    // Started in English on an R24: its warning comes in English too.
    const auto entries = InitCBLanguage(f.Path("Spurwerk_GUI.INI").toStdString());
    const auto english = std::find(entries.begin(), entries.end(), "English") - entries.begin();
    f.WriteFile("Spurwerk.INI", "[Options]\r\nDevIsZoomR24=1\r\nLanguageIndex=" +
                                    QByteArray::number(english) +
                                    "\r\n[FormGeneralInfo]\r\nShowGeneralInfoAtProgStart=0\r\n");
    const QSet<QString> german = Words(QString::fromLatin1(f.ReadFile("Spurwerk_GUI_Deutsch.INI"))) -
                                 Words(QString::fromLatin1(f.ReadFile("Spurwerk_GUI_English.INI")));
    QVERIFY(german.contains("abbruch") && !german.contains("cancel"));
    QStringList found;
    QStringList visited;
    bool inEnglish = true;
    auto check = [&](QWidget* window) {
        visited << window->objectName();
        // The language window shows both languages by design.
        const bool checkGerman = inEnglish && window->objectName() != "FormLanguage";
        found << OffTheScreen(window) << UnreachableButtons(window)
              << TextFaults(window, checkGerman ? &german : nullptr);
        // The language window and the timed dialog have no title-bar buttons.
        const auto titleButtons = Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
        const bool bare = window->objectName() == "FormLanguage" || window->objectName() == "FormTimedInput";
        if (bare && (window->windowFlags() & titleButtons)) found << window->objectName() + " has title-bar buttons";
    };
    DialogDriver driver;
    driver.Then("MessageBox", [&](QWidget* box) {
        check(box);
        qobject_cast<QDialog*>(box)->accept();
    });
    gui::SpurwerkApp& app = f.Start();
    app.Main().PanelSwitchExpertFunctionsClick();
    VisitEveryWindow(app, driver, check);
    inEnglish = false;
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());  // shown after a choice in the box
    DialogDriver::ChooseLanguage("Deutsch")(&app.Main());
    VisitEveryWindow(app, driver, check);
    // Back to English: every text follows at once, none stays German.
    inEnglish = true;
    driver.Then("FormGeneralInfo", DialogDriver::CancelDialog());
    DialogDriver::ChooseLanguage("English")(&app.Main());
    VisitEveryWindow(app, driver, check);
    QCOMPARE(visited.size(), 1 + 3 * 10);  // the R24 warning at the start, then three tours
    QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
}

void ScreenFitTest::QuestionsOpenCentredOverTheWindowThatAsks() {
    GuiFixture f;
    gui::SpurwerkApp& app = f.StartQuiet();
    app.Main().move(520, 120);
    app.Ctrls().hide();
    QStringList found;
    auto centredOver = [&found](QWidget* owner) {
        return [&found, owner](QWidget* dialog) {
            const QPoint off = dialog->frameGeometry().center() - owner->frameGeometry().center();
            // Qt allows for a title bar it cannot know yet: near the centre, not on it.
            if (std::abs(off.x()) > 24 || std::abs(off.y()) > 48)
                found << QString("%1 is off %2,%3 from the centre of %4 (%5,%6 %7x%8)").arg(dialog->objectName()).arg(off.x())
                             .arg(off.y()).arg(owner->objectName()).arg(owner->x()).arg(owner->y()).arg(owner->width()).arg(owner->height());
            qobject_cast<QDialog*>(dialog)->reject();
        };
    };
    DialogDriver driver;
    for (QWidget* owner : QWidgetList{&app.Main(), &app.FileList()}) {
        owner->show();
        for (bool history : {true, false}) {
            owner->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(owner));
            driver.Then(history ? "FormHistInput" : "MessageBox", centredOver(owner));
            if (history) app.Main().ButtonLoadZDTFileClick();
            else app.State().dialogs.Message(Txt(258), MessageButtons::YesNo);
        }
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
}

int main(int argc, char** argv) {
    // The offscreen platform takes its screen from a file: a 1366 x 768 laptop screen.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" SPURWERK_GUI_TEST_DIR "/laptop_screen.json");
    QApplication app(argc, argv);
    ScreenFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screen_fit_test.moc"
