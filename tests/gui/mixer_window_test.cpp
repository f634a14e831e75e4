// The mixer window on real widgets: clicks, drags and typing reach the
// document's bytes, and the window shows the result.

#include <filesystem>
#include <memory>

#include "gui_fixture.h"
#include "mixer/file_picker_panel.h"
#include "mixer/mixer_slider.h"
#include "project/document_ops.h"
#include "mixer_fixture.h"
#include "scripted_dialogs.h"

using spurwerk::gui::FormCtrls;
using spurwerk::testing::Mixer;
using spurwerk::testing::ScriptedDialogs;
namespace fs = std::filesystem;
namespace sp = spurwerk;

namespace {

// Counts the main window's actions the mixer starts.
struct CountingActions : sp::MixerActions {
    int opened = 0, saved = 0;
    void OpenProjectFile() override { ++opened; }
    void QuickSave(const std::string&, int) override { ++saved; }
};

// What every control's widget and every strip panel shows, one line each
// (the controls of the strips hidden behind the all-strip aside).
QStringList Shown(FormCtrls& form) {
    QStringList lines;
    for (const sp::MixerControl& c : form.Model().Controls().All()) {
        if (c.strip > form.Model().Controls().TrackCount()) continue;
        QWidget* w = form.Widget(c.name);
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
        if (auto* box = qobject_cast<QAbstractButton*>(w)) text = box->text() + (box->isChecked() ? " [x]" : " [ ]");
        if (auto* edit = qobject_cast<QLineEdit*>(w)) text = edit->text();
        if (auto* slider = qobject_cast<QSlider*>(w)) text = QString::number(slider->value());
        const QPalette p = w->palette();
        lines << QString("%1 %2 %3 %4 %5 '%6' %7 %8 %9 %10 %11")
                     .arg(w->objectName(), w->parentWidget()->objectName())
                     .arg(w->geometry().x()).arg(w->geometry().y()).arg(w->width())
                     .arg(text, w->isVisibleTo(w->parentWidget()) ? "shown" : "hidden", w->isEnabled() ? "on" : "off",
                          p.color(QPalette::Window).name() + p.color(QPalette::WindowText).name() +
                              p.color(QPalette::Base).name(),
                          w->font().toString(), w->toolTip());
    }
    for (int k = 0; k <= form.Model().Controls().MaxStripIndex(); ++k) {
        QFrame* panel = form.StripPanel(k);
        lines << QString("strip %1 %2 %3 %4 %5 %6")
                     .arg(k).arg(panel->x()).arg(panel->isVisibleTo(panel->parentWidget()))
                     .arg(panel->isEnabled()).arg(panel->palette().color(QPalette::Window).name(), panel->toolTip());
    }
    return lines;
}

}  // namespace

class MixerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void ControlsAndMenuEntriesWriteTheirBytes();
    void FileFieldsPickerAndTrackCount();
    void KeysCarryTheirOwnModifiers();
    void RelayoutShowsWhatAWindowBuiltForTheCountShows();
};

void MixerWindowTest::ControlsAndMenuEntriesWriteTheirBytes() {
    Mixer m;
    auto* fader = m.As<sp::gui::MixerSlider>("TBFader_2");
    int before = fader->value();
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_Left);
    QCOMPARE(m.Byte("TBFader_2"), before - 1);

    // A double click on the knob resets to the default.
    auto* mid = m.As<sp::gui::MixerSlider>("TBEQMidHz_1");
    mid->setValue(20);
    QTest::mouseDClick(mid, Qt::LeftButton);
    QCOMPARE(QPair(m.Byte("TBEQMidHz_1"), mid->value()), QPair(14, 14));
    // Alt+click resets too, on the knob as on the groove.
    for (bool onKnob : {true, false}) {
        mid->setValue(20);
        QStyleOptionSlider option;
        option.initFrom(mid);
        option.orientation = mid->orientation();
        option.minimum = mid->minimum();
        option.maximum = mid->maximum();
        option.sliderPosition = option.sliderValue = mid->value();
        option.tickPosition = mid->tickPosition();
        const QRect knob = mid->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, mid);
        const QPoint at = onKnob ? knob.center() : QPoint(knob.left() > mid->width() / 2 ? 4 : mid->width() - 4, knob.center().y());
        QTest::mouseClick(mid, Qt::LeftButton, Qt::AltModifier, at);
        QVERIFY2(m.Byte("TBEQMidHz_1") == 14 && mid->value() == 14, onKnob ? "knob" : "groove");
    }

    // Two clicks on the status arm track 1 (the cycle itself is core's).
    auto* status1 = m.As<QWidget>("ShStatus_1");
    QTest::mouseClick(status1, Qt::LeftButton);
    QTest::mouseClick(status1, Qt::LeftButton);
    QCOMPARE(m.doc.ReadByte(sp::layout::RecordMaskOffset) & 1, 1);

    // The stereo box links track 1 with 2, which is then disabled.
    auto* stereo1 = m.As<QCheckBox>("CBStereo_1");
    QTest::mouseClick(stereo1, Qt::LeftButton, {}, QPoint(6, 7));
    QVERIFY(!m.form->StripPanel(1)->isEnabled());
    m.form->Host().PrepareSave();
    QVERIFY(m.doc.ReadByte(sp::layout::StereoLinkOffset) & 1);

    // Ctrl+click unmarks track 3 for the all-strip.
    int fader3 = m.Byte("TBFader_3");
    QTest::mouseClick(m.As<QLabel>("LabelTrackNr_3"), Qt::LeftButton, Qt::ControlModifier);
    auto* all = m.As<QSlider>("TBFader_17");
    all->setFocus();
    QTest::keyClick(all, Qt::Key_End);
    QCOMPARE(QList({m.Byte("TBFader_1"), m.As<QSlider>("TBFader_1")->value(), m.Byte("TBFader_3")}),
             QList({127, 127, fader3}));

    QMenu* menu = m.form->Menu();
    QTest::mouseClick(m.form->findChild<QPushButton*>("ButtonPopupMenu"), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    menu->hide();
    // The end mark is set once; then the entry is off until undo takes the mark back.
    auto endMarkEntryOn = [menu](const char* entry) {
        menu->findChild<QAction*>(entry)->trigger();
        menu->popup(QPoint(0, 0));
        menu->hide();
        return menu->findChild<QAction*>("PMSetMarkAtProjEnd")->isEnabled();
    };
    m.dialogs.messageAnswers = {sp::ResultOk, sp::ResultOk};
    if (menu->findChild<QAction*>("PMDeleteAllProjMarks")->isEnabled())
        QVERIFY(endMarkEntryOn("PMDeleteAllProjMarks"));
    QVERIFY(!endMarkEntryOn("PMSetMarkAtProjEnd"));
    QVERIFY(menu->findChild<QAction*>("PMUndo")->text().startsWith("Rückgängig: Marke am Projekt-Ende"));
    QVERIFY(endMarkEntryOn("PMUndo"));
}

void MixerWindowTest::FileFieldsPickerAndTrackCount() {
    Mixer m;
    auto* field1 = m.As<QLineEdit>("EDFileAss_1");
    auto* field3 = m.As<QLineEdit>("EDFileAss_3");
    QVERIFY(m.form->DragOver(field1, field3));
    m.form->DragDrop(field1, field3, sp::KeyState{.ctrl = true});  // Ctrl held at the drop copies
    QCOMPARE(field3->text(), QString("TRACK01.WAV"));
    QCOMPARE(m.Text("EDFileAss_3", 11), std::string("TRACK01.WAV"));

    field1->setFocus();
    field1->selectAll();
    QTest::keyClicks(field1, "GIT.WAV");
    QCOMPARE(m.Text("EDFileAss_1", 7), std::string("GIT.WAV"));
    QCOMPARE(field1->palette().color(QPalette::Base), QColor(255, 0, 0));  // no such file

    // The picker renames the file and its assignment.
    auto* field2 = m.As<QLineEdit>("EDFileAss_2");
    QTest::mouseDClick(field2, Qt::LeftButton);
    sp::gui::FilePickerPanel* picker = m.form->Picker();
    QLineEdit* edit = picker->NameEdit();
    QCOMPARE(edit->text(), QString("TRACK02.WAV"));
    edit->setFocus();
    edit->setSelection(0, 8);
    QTest::keyClicks(edit, "SO.O");
    QVERIFY(picker->DoChangeButton()->text().contains("TRACK02.WAV --> SO_O.WAV"));
    QTest::mouseClick(picker->DoChangeButton(), Qt::LeftButton);
    QCOMPARE(field2->text(), QString("SO_O.WAV"));
    QVERIFY(fs::exists(fs::path(m.dir.path().toStdString()) / "PROJ001" / "AUDIO" / "SO_O.WAV"));
    QCOMPARE(m.Text("EDFileAss_2", 8), std::string("SO_O.WAV"));

    FormCtrls& f = *m.form;
    // A narrower window lays out its top panel anew: nothing lies over another control.
    for (int width : {1000, 800, 700, 656}) {
        f.resize(width, f.height());
        QVERIFY(f.MoreTracksPanel()->isVisible());
        QWidget* top = f.findChild<QFrame*>("PanelTop");
        QList<QPair<QString, QRect>> shown;
        for (QWidget* w : top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisibleTo(top) && w->objectName() != "Panel2") shown.append({w->objectName(), w->geometry()});
        QWidget* efx = top->findChild<QFrame*>("Panel2");
        for (QLabel* label : efx->findChildren<QLabel*>())  // what the effects panel shows of its labels
            shown.append({label->objectName(), label->geometry().translated(efx->pos()).intersected(efx->geometry())});
        QStringList overlaps;
        for (int i = 0; i < shown.size(); ++i)
            for (int j = i + 1; j < shown.size(); ++j)
                if (shown[i].second.intersects(shown[j].second)) overlaps << shown[i].first + "/" + shown[j].first;
        QVERIFY2(overlaps.isEmpty(), qPrintable(QString::number(width) + ": " + overlaps.join(", ")));
    }
    // The track count button lays out the strips.
    m.dialogs.messageAnswers = {sp::ResultOk};
    m.dialogs.timedAnswers = {sp::ResultOk};
    m.dialogs.timedInputs = {"8"};
    QTest::mouseClick(f.findChild<QPushButton*>("ButtonSetTrackCount"), Qt::LeftButton);
    QCOMPARE(m.As<QLabel>("LabelTrackNr_9")->text(), QString("Alle/Bk1/Bk2"));
    QCOMPARE(m.As<QLineEdit>("EDFileAss_9")->text(), QString("MASTR001.WAV"));

    // Too narrow: the red panel shows, the scroll bar moves the strips left.
    f.resize(400, f.height());
    QVERIFY(f.MoreTracksPanel()->isVisible());
    f.StripScrollBar()->setValue(f.StripScrollBar()->maximum());
    QVERIFY(f.StripsPanel()->x() < 0);
}

// A quick key press ends before its command runs: the keys are those of the
// press, not the keyboard's state afterwards (the scripted dialogs report none).
void MixerWindowTest::KeysCarryTheirOwnModifiers() {
    Mixer m;
    auto actions = std::make_unique<CountingActions>();
    CountingActions& counted = *actions;
    m.form->SetActions(std::move(actions));
    m.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m.form.get()));
    QTest::keyClick(m.form.get(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(m.form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(m.form.get(), Qt::Key_L);
    QCOMPARE(QPair(counted.opened, counted.saved), QPair(1, 1));
}

// A relayout shows only its end state: every widget then shows what a window
// built for that track count on the same document shows.
void MixerWindowTest::RelayoutShowsWhatAWindowBuiltForTheCountShows() {
    Mixer m;
    for (int count : {8, 16, 3, 12, 1}) {
        m.form->Model().Tracks().SetTrackCount(count);
        sp::MixerOptions options;
        options.trackCount = count;
        FormCtrls fresh(m.session, m.dialogs, options);
        fresh.Model().Controls().ReadAll();
        const QStringList relaid = Shown(*m.form), built = Shown(fresh);
        QCOMPARE(relaid.size(), built.size());
        for (int i = 0; i < relaid.size(); ++i) QCOMPARE(relaid[i], built[i]);
    }
}

QTEST_MAIN(MixerWindowTest)
#include "mixer_window_test.moc"
