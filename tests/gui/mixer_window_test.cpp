// The mixer window on real widgets: clicks, drags and typing on the window,
// checked in the document bytes and in the widgets.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "mixer/file_picker_panel.h"
#include "mixer/form_ctrls.h"
#include "mixer/mixer_slider.h"
#include "mixer/status_shape.h"
#include "mixer/strip_layout.h"
#include "project/document_ops.h"
#include "scripted_dialogs.h"

using spurwerk::gui::FormCtrls;
using spurwerk::testing::ScriptedDialogs;
namespace fs = std::filesystem;
namespace sp = spurwerk;

namespace {

QColor Background(QWidget* w) { return w->palette().color(w->backgroundRole()); }

// One demo project copied into a scratch folder and loaded into a mixer window.
struct Mixer {
    QTemporaryDir dir;
    sp::ZDTDocument doc;
    ScriptedDialogs dialogs;
    std::unique_ptr<FormCtrls> form;

    explicit Mixer(const char* project = "PROJ001", sp::MixerOptions options = {}) {
        fs::path target = fs::path(dir.path().toStdString()) / project;
        fs::copy(fs::path(SPURWERK_DEMO_CARD) / project, target, fs::copy_options::recursive);
        form = std::make_unique<FormCtrls>(doc, dialogs, options);
        form->show();
        doc.ZDTFileToLoad = (target / "PRJDATA.ZDT").string();
        sp::DocumentContext context{doc, dialogs, form->Host(), ""};
        if (!sp::LoadZDTFile(context, false)) qFatal("demo project not loaded");
    }
    fs::path Audio() const { return fs::path(dir.path().toStdString()) / "PROJ001" / "AUDIO"; }
    QWidget* W(const char* name) const { return form->Widget(name); }
    template <class T>
    T* As(const char* name) const { return qobject_cast<T*>(form->Widget(name)); }
    int Byte(const char* control) const {
        return doc.ReadByte(form->Model().Controls().Control(control).Offset());
    }
};

QPoint HandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->value();
    option.sliderValue = slider->value();
    option.upsideDown = slider->invertedAppearance();
    option.tickPosition = slider->tickPosition();
    option.subControls = QStyle::SC_SliderHandle;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

// Whether the widget is the topmost one at its centre (not hidden behind a sibling panel).
bool InFront(QWidget* w) {
    QWidget* top = w->parentWidget()->childAt(w->geometry().center());
    return w->isVisible() && (top == w || w->isAncestorOf(top));
}

}  // namespace

class MixerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void StripGeometryFollowsTheLayoutTable();
    void FaderDragWritesItsByteAndMarksTheSlider();
    void SliderResetsByAltClickDoubleClickAndContextEntry();
    void CtrlClickUnmarksATrackForTheAllStrip();
    void StatusClicksReachTheMasks();
    void DraggingTrackTwoOntoFiveCopiesOrExchanges();
    void DraggingAFileFieldCopiesWithCtrlAndExchangesWithout();
    void TrackCountChangeRelaysOutAndScrolls();
    void PickerRenamesFileAndAssignment();
    void StereoLinkDisablesAndColoursThePartner();
    void PopupMenuEnablesByMarksAndRecordingEnd();
    void ChoosingAWavListLineOpensItsFileMenu();
    void ASmallScreenShowsTheWholeMixerThroughScrolling();
};

void MixerWindowTest::StripGeometryFollowsTheLayoutTable() {
    Mixer m;
    FormCtrls& f = *m.form;
    QCOMPARE(f.StripPanel(8)->x(), sp::StripLeft(8));
    QCOMPARE(f.StripsPanel()->width(), sp::StripsPanelWidth(16));
    QCOMPARE(f.StripPanel(16)->parentWidget()->objectName(), QString("PanelCtrlAll"));
    QCOMPARE(m.As<QLabel>("LabelTrackNr_17")->text(), QString("Alle/Bk1/Bk2"));
    QCOMPARE(m.As<QLabel>("LabelTrackNr_3")->text(), QString("Track 3"));
    QCOMPARE(Background(m.W("LabelTrackNr_3")), QColor(0, 0, 255));
    QCOMPARE(Background(f.StripPanel(0)), QColor(0, 0, 0));
    QCOMPARE(Background(f.StripPanel(9)), QColor(96, 96, 96));
    QCOMPARE(Background(f.StripPanel(16)), QColor(192, 192, 192));

    // The stereo box of track 1 reaches across the strip border; even tracks show none.
    QWidget* stereo1 = m.W("CBStereo_1");
    QCOMPARE(stereo1->parentWidget(), static_cast<QWidget*>(f.StripsPanel()));
    QCOMPARE(stereo1->geometry(), QRect(36, 98, 80, 14));
    QVERIFY(stereo1->isVisible());
    QVERIFY(!m.W("CBStereo_2")->isVisible());
    QCOMPARE(m.W("CBStereo_17")->parentWidget()->objectName(), QString("PanelCtrlAll"));
    QCOMPARE(m.W("CBStereo_17")->geometry(), QRect(4, 98, 60, 14));
    QVERIFY(InFront(m.W("CBStereo_1")) && InFront(m.W("CBStereo_17")));
    QCOMPARE(m.W("EDFileAss_17")->parentWidget()->objectName(), QString("PanelMasterTrackFileAss"));
    QCOMPARE(m.As<QLineEdit>("EDFileAss_17")->text(), QString("MASTR001.WAV"));

    // Band order: high, mid, low from the left unless the option reverses the screen order.
    QCOMPARE(m.W("CBEQxH_1")->x(), 8);
    QCOMPARE(m.W("CBEQxM_1")->x(), 28);
    QCOMPARE(m.W("CBEQxL_1")->x(), 48);
    sp::MixerOptions lmh;
    lmh.reverseEqualizerToLMH = true;
    Mixer reversed("PROJ001", lmh);
    QCOMPARE(reversed.W("CBEQxL_1")->x(), 8);
    QCOMPARE(reversed.W("CBEQxH_1")->x(), 48);
    auto bandLabel = [](FormCtrls& form) {
        for (QLabel* l : form.StripPanel(0)->findChildren<QLabel*>())
            if (l->text().contains("M")) return l->text();
        return QString();
    };
    QCOMPARE(bandLabel(f), QString("H   M   L"));
    QCOMPARE(bandLabel(*reversed.form), QString("L   M   H"));

    // Loading again keeps the widgets: values change, nothing is rebuilt.
    QPointer<QWidget> fader = m.W("TBFader_1");
    sp::DocumentContext context{m.doc, m.dialogs, f.Host(), ""};
    m.doc.ZDTFileToLoad = m.doc.LoadedZDTFileName;
    QVERIFY(sp::LoadZDTFile(context, false));
    QCOMPARE(m.W("TBFader_1"), fader.data());
}

void MixerWindowTest::FaderDragWritesItsByteAndMarksTheSlider() {
    Mixer m;
    auto* fader = m.As<sp::gui::MixerSlider>("TBFader_2");
    int before = fader->value();
    QCOMPARE(m.Byte("TBFader_2"), before);
    QVERIFY(!m.doc.DataChanged());
    QPoint handle = HandleCentre(fader);
    QTest::mousePress(fader, Qt::LeftButton, {}, handle);
    QTest::mouseMove(fader, handle + QPoint(-25, 0));
    QTest::mouseRelease(fader, Qt::LeftButton, {}, handle + QPoint(-25, 0));
    QVERIFY2(fader->value() < before, "the drag moved the fader");
    QCOMPARE(m.Byte("TBFader_2"), fader->value());
    QVERIFY(m.doc.DataChanged());
    QCOMPARE(fader->ChangeMark(), fader->value() != 0);
    QVERIFY(m.doc.ZDTData() != m.doc.CompareData());

    // Keys move it too, one step at a time.
    int value = fader->value();
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_Right);
    QCOMPARE(fader->value(), value + 1);
    QCOMPARE(m.Byte("TBFader_2"), value + 1);
}

void MixerWindowTest::SliderResetsByAltClickDoubleClickAndContextEntry() {
    Mixer m;
    auto* mid = m.As<sp::gui::MixerSlider>("TBEQMidHz_1");
    auto moveAway = [&] {
        mid->setValue(20);
        QCOMPARE(m.Byte("TBEQMidHz_1"), 20);
    };
    moveAway();
    m.dialogs.keys.alt = true;
    QTest::mouseClick(mid, Qt::LeftButton, Qt::AltModifier, QPoint(4, mid->height() / 2));
    m.dialogs.keys.alt = false;
    QCOMPARE(mid->value(), 14);
    QCOMPARE(m.Byte("TBEQMidHz_1"), 14);
    QVERIFY(!mid->ChangeMark());

    // A double click on the knob resets without Alt, which desktops take for moving windows.
    moveAway();
    QTest::mouseDClick(mid, Qt::LeftButton, {}, HandleCentre(mid));
    QCOMPARE(mid->value(), 14);
    QCOMPARE(m.Byte("TBEQMidHz_1"), 14);

    // So does the slider's context entry.
    moveAway();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto* reset = menu->findChild<QAction*>("SliderResetToDefault");
        QCOMPARE(reset->text(), QString("Auf Standardwert setzen"));
        reset->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), mid->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(mid, &event);
    QCOMPARE(m.Byte("TBEQMidHz_1"), 14);
    QCOMPARE(mid->value(), 14);
}

void MixerWindowTest::CtrlClickUnmarksATrackForTheAllStrip() {
    Mixer m;
    QLabel* label3 = m.As<QLabel>("LabelTrackNr_3");
    m.dialogs.keys.ctrl = true;
    QTest::mouseClick(label3, Qt::LeftButton, Qt::ControlModifier);
    m.dialogs.keys.ctrl = false;
    QVERIFY(Background(label3) != QColor(0, 0, 255));
    // Marks live in the window only; nor does a click on a strip's empty area write anything.
    QTest::mouseClick(label3, Qt::LeftButton);
    QTest::mouseClick(m.form->StripPanel(3), Qt::LeftButton, {}, QPoint(36, 570));
    QVERIFY(!m.doc.DataChanged());
    QWidget* bottom = m.form->findChild<QWidget*>("PanelBottom");
    QTest::mouseClick(bottom, Qt::LeftButton, {}, QPoint(bottom->width() - 10, 8));
    QVERIFY(m.doc.DataChanged());
    int fader3 = m.Byte("TBFader_3");

    auto* all = m.As<QSlider>("TBFader_17");
    all->setFocus();
    QTest::keyClick(all, Qt::Key_End);
    QCOMPARE(all->value(), 127);
    QCOMPARE(m.Byte("TBFader_1"), 127);
    QCOMPARE(m.As<QSlider>("TBFader_1")->value(), 127);
    QCOMPARE(m.Byte("TBFader_3"), fader3);
    QCOMPARE(m.As<QSlider>("TBFader_3")->value(), fader3);

    // A second Ctrl+click marks it again.
    m.dialogs.keys.ctrl = true;
    QTest::mouseClick(label3, Qt::LeftButton, Qt::ControlModifier);
    m.dialogs.keys.ctrl = false;
    QCOMPARE(Background(label3), QColor(0, 0, 255));
    // A plain click changes nothing.
    QTest::mouseClick(label3, Qt::LeftButton);
    QCOMPARE(Background(label3), QColor(0, 0, 255));
}

void MixerWindowTest::StatusClicksReachTheMasks() {
    Mixer m;
    auto* status1 = m.As<sp::gui::StatusShape>("ShStatus_1");
    // A click reaches the model: track 1 plays, two clicks arm it (the cycle itself is core's).
    QTest::mouseClick(status1, Qt::LeftButton);
    QTest::mouseClick(status1, Qt::LeftButton);
    QCOMPARE(status1->Fill(), QColor(255, 0, 0));
    QCOMPARE(m.doc.ReadByte(sp::layout::RecordMaskOffset) & 1, 1);
}

void MixerWindowTest::DraggingTrackTwoOntoFiveCopiesOrExchanges() {
    Mixer m;
    FormCtrls& f = *m.form;
    // The drag starts after 20 pixels with the left button and no modifier.
    QWidget* started = nullptr;
    f.startDrag = [&](QWidget* source) { started = source; };
    QLabel* label2 = m.As<QLabel>("LabelTrackNr_2");
    QTest::mousePress(label2, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(label2, QPoint(20, 5));
    QVERIFY(!started);
    QTest::mouseMove(label2, QPoint(35, 5));
    QCOMPARE(started, static_cast<QWidget*>(label2));
    QTest::mouseRelease(label2, Qt::LeftButton, {}, QPoint(35, 5));

    QWidget* label5 = m.W("LabelTrackNr_5");
    QVERIFY(f.DragOver(label2, label5));
    QVERIFY(!f.DragOver(label2, m.W("EDFileAss_5")));
    QVERIFY(!f.DragOver(m.W("LabelTrackNr_17"), label5));

    auto* fader2 = m.As<QSlider>("TBFader_2");
    auto* fader5 = m.As<QSlider>("TBFader_5");
    fader2->setFocus();
    QTest::keyClick(fader2, Qt::Key_Home);
    fader5->setFocus();
    QTest::keyClick(fader5, Qt::Key_End);
    QCOMPARE(fader2->value(), 0);
    QCOMPARE(fader5->value(), 127);
    QString file2 = m.As<QLineEdit>("EDFileAss_2")->text();
    QString file5 = m.As<QLineEdit>("EDFileAss_5")->text();

    m.dialogs.messageAnswers = {sp::ResultCancel};
    f.DragDrop(label2, label5);
    QCOMPARE(fader5->value(), 127);

    m.dialogs.messageAnswers = {sp::ResultNo};
    f.DragDrop(label2, label5);
    QCOMPARE(fader2->value(), 127);
    QCOMPARE(fader5->value(), 0);
    QCOMPARE(m.Byte("TBFader_2"), 127);
    QCOMPARE(m.Byte("TBFader_5"), 0);
    QCOMPARE(m.As<QLineEdit>("EDFileAss_2")->text(), file5);
    QCOMPARE(m.As<QLineEdit>("EDFileAss_5")->text(), file2);

    m.dialogs.messageAnswers = {sp::ResultYes};
    f.DragDrop(label2, label5);
    QCOMPARE(fader5->value(), 127);
    QCOMPARE(fader2->value(), 127);
    QCOMPARE(m.As<QLineEdit>("EDFileAss_5")->text(), file5);
    QCOMPARE(m.dialogs.CountAsked("message"), 3);
}

void MixerWindowTest::DraggingAFileFieldCopiesWithCtrlAndExchangesWithout() {
    Mixer m;
    FormCtrls& f = *m.form;
    auto* field1 = m.As<QLineEdit>("EDFileAss_1");
    auto* field3 = m.As<QLineEdit>("EDFileAss_3");
    QCOMPARE(field1->text(), QString("TRACK01.WAV"));
    QCOMPARE(field3->text(), QString("TRACK03.WAV"));
    std::size_t offset1 = f.Model().Controls().Control("EDFileAss_1").Offset();
    std::size_t offset3 = f.Model().Controls().Control("EDFileAss_3").Offset();

    f.DragDrop(field1, field3);
    QCOMPARE(field1->text(), QString("TRACK03.WAV"));
    QCOMPARE(field3->text(), QString("TRACK01.WAV"));
    QCOMPARE(m.doc.ReadString(offset1, 11), std::string("TRACK03.WAV"));
    QCOMPARE(m.doc.ReadString(offset3, 11), std::string("TRACK01.WAV"));

    m.dialogs.keys.ctrl = true;
    f.DragDrop(field1, field3);
    m.dialogs.keys.ctrl = false;
    QCOMPARE(field1->text(), QString("TRACK03.WAV"));
    QCOMPARE(field3->text(), QString("TRACK03.WAV"));
    QCOMPARE(m.doc.ReadString(offset3, 11), std::string("TRACK03.WAV"));
    // The second claimant of a file is yellow.
    QCOMPARE(field3->palette().color(QPalette::Base), QColor(255, 255, 0));

    // Typing in a field writes the assignment.
    field1->setFocus();
    field1->selectAll();
    QTest::keyClicks(field1, "GIT.WAV");
    QCOMPARE(m.doc.ReadString(offset1, 7), std::string("GIT.WAV"));
    QCOMPARE(field1->palette().color(QPalette::Base), QColor(255, 0, 0));
}

void MixerWindowTest::TrackCountChangeRelaysOutAndScrolls() {
    Mixer m;
    FormCtrls& f = *m.form;
    QPointer<QWidget> fader1 = m.W("TBFader_1");
    m.dialogs.messageAnswers = {sp::ResultOk};
    m.dialogs.timedAnswers = {sp::ResultOk};
    m.dialogs.timedInputs = {"8"};
    f.ButtonSetTrackCountClick();
    QCOMPARE(f.Model().Controls().TrackCount(), 8);
    QCOMPARE(f.StripsPanel()->width(), 8 * 72 + 6);
    QCOMPARE(f.StripPanel(8)->parentWidget()->objectName(), QString("PanelCtrlAll"));
    QCOMPARE(m.As<QLabel>("LabelTrackNr_9")->text(), QString("Alle/Bk1/Bk2"));
    QVERIFY(!f.StripPanel(9)->isVisible());
    QVERIFY(f.StripPanel(7)->isVisible());
    QCOMPARE(m.W("EDFileAss_9")->parentWidget()->objectName(), QString("PanelMasterTrackFileAss"));
    QCOMPARE(m.As<QLineEdit>("EDFileAss_9")->text(), QString("MASTR001.WAV"));
    QCOMPARE(m.As<QLineEdit>("EDFileAss_1")->text(), QString("TRACK01.WAV"));
    QCOMPARE(f.Canvas()->width(), sp::FittedClientWidth(8));
    QVERIFY(!f.MoreTracksPanel()->isVisible());
    QCOMPARE(m.W("TBFader_1"), fader1.data());
    QVERIFY(InFront(m.W("CBStereo_9")));

    // Too narrow: the red panel shows, the scroll bar moves the strips left.
    f.resize(400, f.height());
    QVERIFY(f.MoreTracksPanel()->isVisible());
    QCOMPARE(f.StripsPanel()->x(), 0);
    f.StripScrollBar()->setValue(f.StripScrollBar()->maximum());
    QCOMPARE(f.StripsPanel()->x(), (f.Canvas()->width() - 72) - (8 * 72 + 6));
    QTest::mouseClick(f.MoreTracksPanel(), Qt::LeftButton);
    QCOMPARE(f.Canvas()->width(), sp::FittedClientWidth(8));
    QVERIFY(!f.MoreTracksPanel()->isVisible());
    QCOMPARE(f.StripsPanel()->x(), 0);

    // Back to 16: the former all-strip is track 9 again.
    m.dialogs.messageAnswers = {sp::ResultOk};
    m.dialogs.timedAnswers = {sp::ResultOk};
    m.dialogs.timedInputs = {"12"};
    f.ButtonSetTrackCountClick();
    QVERIFY(InFront(m.W("CBStereo_9")) && InFront(m.W("CBStereo_13")));  // the former all-strip's box too
    m.dialogs.messageAnswers = {sp::ResultOk};
    m.dialogs.timedAnswers = {sp::ResultOk};
    m.dialogs.timedInputs = {"40"};
    f.ButtonSetTrackCountClick();
    QCOMPARE(f.Model().Controls().TrackCount(), 16);
    QCOMPARE(m.As<QLabel>("LabelTrackNr_9")->text(), QString("Track 9"));
    QCOMPARE(f.StripPanel(8)->parentWidget(), static_cast<QWidget*>(f.StripsPanel()));
    QCOMPARE(f.StripPanel(8)->x(), 580);
}

void MixerWindowTest::PickerRenamesFileAndAssignment() {
    Mixer m;
    FormCtrls& f = *m.form;
    auto* field2 = m.As<QLineEdit>("EDFileAss_2");
    QTest::mouseDClick(field2, Qt::LeftButton);
    sp::gui::FilePickerPanel* picker = f.Picker();
    QVERIFY(picker->isVisible());
    QCOMPARE(picker->y(), 64);
    QCOMPARE(picker->x(), 72);
    QCOMPARE(picker->FileList()->count(), 5);
    QVERIFY(picker->CountLine()->text().startsWith("5 "));
    QCOMPARE(picker->NameEdit()->text(), QString("TRACK02.WAV"));

    // The window stays usable while the picker is open.
    auto* fader = m.As<QSlider>("TBFader_9");
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_Right);
    QCOMPARE(m.Byte("TBFader_9"), fader->value());

    QLineEdit* edit = picker->NameEdit();
    edit->setFocus();
    edit->setCursorPosition(0);
    edit->setSelection(0, 8);
    QTest::keyClicks(edit, "SO.O");
    QCOMPARE(picker->NameEdit()->text(), QString("SO_O.WAV"));
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(255, 0, 0));
    QVERIFY(picker->DoChangeButton()->text().contains("TRACK02.WAV --> SO_O.WAV"));
    QTest::mouseClick(picker->DoChangeButton(), Qt::LeftButton);
    QVERIFY(!picker->isVisible());
    QCOMPARE(field2->text(), QString("SO_O.WAV"));
    QVERIFY(fs::exists(m.Audio() / "SO_O.WAV"));
    QVERIFY(!fs::exists(m.Audio() / "TRACK02.WAV"));
    QCOMPARE(m.doc.ReadString(f.Model().Controls().Control("EDFileAss_2").Offset(), 8), std::string("SO_O.WAV"));

    // Choosing an existing file assigns it; Cancel leaves the field alone.
    QTest::mouseDClick(field2, Qt::LeftButton);
    QListWidget* list = picker->FileList();
    QListWidgetItem* track3 = list->findItems("TRACK03.WAV", Qt::MatchExactly).value(0);
    QVERIFY(track3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(track3).center());
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(255, 255, 0));
    QTest::mouseClick(picker->CancelButton(), Qt::LeftButton);
    QCOMPARE(field2->text(), QString("SO_O.WAV"));
    QTest::mouseDClick(field2, Qt::LeftButton);
    track3 = list->findItems("TRACK03.WAV", Qt::MatchExactly).value(0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(track3).center());
    QTest::mouseClick(picker->DoChangeButton(), Qt::LeftButton);
    QCOMPARE(field2->text(), QString("TRACK03.WAV"));
    QVERIFY(fs::exists(m.Audio() / "SO_O.WAV"));
}

void MixerWindowTest::StereoLinkDisablesAndColoursThePartner() {
    Mixer m;
    FormCtrls& f = *m.form;
    // PROJ001 links 3+4 on load.
    QCOMPARE(Background(f.StripPanel(3)), QColor(128, 0, 0));
    QVERIFY(!f.StripPanel(3)->isEnabled());
    QVERIFY(!m.W("EDFileAss_4")->isEnabled());
    QCOMPARE(m.W("EDFileAss_4")->palette().color(QPalette::Base), QColor(0xFE, 0xD7, 0xFD));

    auto* stereo1 = m.As<QCheckBox>("CBStereo_1");
    QTest::mouseClick(stereo1, Qt::LeftButton, {}, QPoint(6, 7));
    QVERIFY(stereo1->isChecked());
    QCOMPARE(Background(stereo1), QColor(255, 0, 0));
    QCOMPARE(Background(f.StripPanel(1)), QColor(128, 0, 0));
    QVERIFY(!f.StripPanel(1)->isEnabled());
    QVERIFY(!m.W("EDFileAss_2")->isEnabled());
    // What the window shows is what a save writes.
    f.Host().PrepareSave();
    QVERIFY(m.doc.ReadByte(sp::layout::StereoLinkOffset) & 1);
    QCOMPARE(Background(f.StripPanel(1)), QColor(128, 0, 0));

    QTest::mouseClick(stereo1, Qt::LeftButton, {}, QPoint(6, 7));
    QVERIFY(!stereo1->isChecked());
    QCOMPARE(Background(f.StripPanel(1)), QColor(0, 0, 0));
    QVERIFY(f.StripPanel(1)->isEnabled());
    QVERIFY(m.W("EDFileAss_2")->isEnabled());
    QCOMPARE(m.doc.ReadByte(sp::layout::StereoLinkOffset) & 1, 0);

    // The all-strip's box links every marked pair.
    QTest::mouseClick(m.As<QCheckBox>("CBStereo_17"), Qt::LeftButton, {}, QPoint(6, 7));
    f.Host().PrepareSave();
    QCOMPARE(m.doc.ReadByte(sp::layout::StereoLinkOffset), 0xFF);
}

void MixerWindowTest::PopupMenuEnablesByMarksAndRecordingEnd() {
    Mixer m;
    FormCtrls& f = *m.form;
    QMenu* menu = f.Menu();
    auto action = [&](const char* name) { return menu->findChild<QAction*>(name); };
    QTest::mouseClick(f.findChild<QPushButton*>("ButtonPopupMenu"), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    QVERIFY(action("PMQuickSaveZDTFile")->text().contains(QString::fromStdString(m.doc.LoadedZDTFileName)));
    QVERIFY(action("PMQuickSaveZDTFileAs")->text().endsWith("unter ..."));
    QVERIFY(action("PMLoadZDTFile")->isEnabled());
    bool hadMarks = action("PMDeleteAllProjMarks")->isEnabled();
    menu->hide();
    if (hadMarks) {
        m.dialogs.messageAnswers = {sp::ResultOk};
        action("PMDeleteAllProjMarks")->trigger();
    }

    // No marks: nothing to delete, the end mark can be set (the WAV files give a recording end).
    menu->popup(QPoint(0, 0));
    QVERIFY(!action("PMDeleteAllProjMarks")->isEnabled());
    QVERIFY(!action("PMDeleteProjMarksGTRecEnd")->isEnabled());
    QVERIFY(action("PMSetMarkAtProjEnd")->isEnabled());
    menu->hide();

    // Cancel leaves the marks alone; OK sets the end mark, which then cannot be set twice.
    m.dialogs.messageAnswers = {sp::ResultCancel};
    action("PMSetMarkAtProjEnd")->trigger();
    menu->popup(QPoint(0, 0));
    QVERIFY(action("PMSetMarkAtProjEnd")->isEnabled());
    menu->hide();
    m.dialogs.messageAnswers = {sp::ResultOk};
    action("PMSetMarkAtProjEnd")->trigger();
    menu->popup(QPoint(0, 0));
    QVERIFY(!action("PMSetMarkAtProjEnd")->isEnabled());
    QVERIFY(action("PMDeleteAllProjMarks")->isEnabled());
    menu->hide();
    QVERIFY(m.dialogs.messageAnswers.empty());

    // Undo and redo name the step, and are disabled with nothing to do.
    QVERIFY(action("PMUndo")->isEnabled());
    menu->popup(QPoint(0, 0));
    QCOMPARE(action("PMUndo")->text(), QString::fromStdString(sp::UndoCaption(m.doc)));
    QVERIFY(action("PMUndo")->text().startsWith(QString::fromUtf8("Rückgängig: Eine Marke")));
    QVERIFY(!action("PMRedo")->isEnabled());
    menu->hide();
    action("PMUndo")->trigger();
    action("PMUndo")->trigger();
    menu->popup(QPoint(0, 0));
    QVERIFY(!action("PMUndo")->isEnabled());
    QCOMPARE(action("PMRedo")->text(), QString::fromStdString(sp::RedoCaption(m.doc)));
    QVERIFY(action("PMRedo")->text().startsWith(QString::fromUtf8("Wiederholen: ")));
    menu->hide();
}

void MixerWindowTest::ChoosingAWavListLineOpensItsFileMenu() {
    Mixer m;
    QComboBox* box = m.form->WavListBox();
    QVERIFY(box->count() > 1);
    QVERIFY(box->currentText().contains("WAV-Dateien"));  // the header line, closed
    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) entries << a->text();
            menu->close();
        }
    });
    box->setFocus();
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(box->model()->index(1, 0)).center());
    QTRY_VERIFY(!entries.isEmpty());
    QVERIFY(entries.contains(QString::fromUtf8("Pfad kopieren")));
    QCOMPARE(box->currentIndex(), 0);
}

void MixerWindowTest::ASmallScreenShowsTheWholeMixerThroughScrolling() {
    Mixer m;
    FormCtrls& f = *m.form;
    // A 1366 x 768 laptop at 150 %: 910 x 512 minus the panel and the title bar.
    QSize available(910, 460);
    f.FitInto(available);
    QVERIFY(f.width() <= available.width() && f.height() <= available.height());
    QCOMPARE(f.Canvas()->height(), 64 + sp::strip::Height + 17);
    QScrollBar* vertical = f.ScrollArea()->verticalScrollBar();
    QVERIFY(vertical->maximum() > 0);
    vertical->setValue(vertical->maximum());
    QWidget* bottom = f.findChild<QWidget*>("PanelBottom");
    QPoint inView = bottom->mapTo(f.ScrollArea()->viewport(), QPoint(0, bottom->height()));
    QVERIFY(inView.y() <= f.ScrollArea()->viewport()->height());
    // Narrower than its strips: the red hint shows and the strips scroll sideways.
    QVERIFY(f.MoreTracksPanel()->isVisible());
    f.StripScrollBar()->setValue(f.StripScrollBar()->maximum());
    QVERIFY(f.StripsPanel()->x() < 0);
}

QTEST_MAIN(MixerWindowTest)
#include "mixer_window_test.moc"
