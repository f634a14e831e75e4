#include "window_tour.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include "app/app_state.h"
#include "app/language_window.h"
#include "app/main_window.h"
#include "gui_fixture.h"
#include "lists/form_file_list.h"
#include "lists/form_proj_serie.h"
#include "mixer/form_ctrls.h"
#include "settings/text_table.h"
#include "support/general_info_window.h"
#include "support/multi_line_button.h"
#include "ui/dialogs.h"

namespace spurwerk::testing {

namespace {

void Visit(QWidget* window, const WindowCheck& check) {
    window->show();
    QCoreApplication::processEvents();
    check(window);
}

// A dialog the program opens itself: checked when it appears, then closed.
DialogDriver::Action CheckThenCancel(const WindowCheck& check) {
    return [check](QWidget* dialog) {
        check(dialog);
        if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
    };
}

}  // namespace

void VisitEveryWindow(gui::SpurwerkApp& app, DialogDriver& driver, const WindowCheck& check) {
    Visit(&app.Main(), check);
    app.Main().ButtonSetCtrlsClick();
    Visit(&app.Ctrls(), check);
    Visit(&app.FileList(), check);
    Visit(&app.ProjSerie(), check);
    for (QWidget* dialog : std::initializer_list<QWidget*>{&app.GeneralInfo(), &app.Language()}) {
        Visit(dialog, check);
        dialog->hide();
    }

    // The history dialog as the open button shows it: browse button and missing entries included.
    driver.Then("FormHistInput", CheckThenCancel(check));
    app.Main().ButtonLoadZDTFileClick();
    // The timed dialog with every button, the input field and the countdown.
    driver.Then("FormTimedInput", CheckThenCancel(check));
    TimedInputRequest request;
    request.buttons = TimedOk | TimedNo | TimedCancel;
    request.caption = Txt(259);
    request.message = Txt(260);
    request.showInput = true;
    request.timeoutMs = 60000;
    app.State().dialogs.TimedInput(request);
    driver.Then("MessageBox", CheckThenCancel(check));
    app.State().dialogs.Message(Txt(258), MessageButtons::YesNoNoToAllYesToAll);
}

QStringList CaptionsThatDoNotFit(QWidget* window) {
    QStringList misfits;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        QString text;
        QRect room;
        int flags = Qt::TextShowMnemonic;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            const int m = label->margin();
            room = label->contentsRect().adjusted(m, m, -m, -m);
            flags = label->wordWrap() ? Qt::TextWordWrap : 0;
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                QStyle* style = w->style();
                const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                                      style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
                room = w->rect().adjusted(indicator, 0, 0, 0);
            } else if (qobject_cast<gui::MultiLineButton*>(w)) {
                room = w->rect().adjusted(4, 2, -4, -2);  // where it draws its wrapped caption
                flags |= Qt::TextWordWrap;
            } else {
                room = w->rect().adjusted(2, 0, -2, 0);
            }
        } else {
            continue;
        }
        if (text.isEmpty() || Qt::mightBeRichText(text)) continue;
        const QRect needed = w->fontMetrics().boundingRect(QRect(0, 0, room.width(), 100000), flags, text);
        // One line may reach into the widget's border, as a fixed-height label's does;
        // more lines must fit, or the last one is cut off.
        const bool severalLines = needed.height() > w->fontMetrics().height();
        if (needed.width() > room.width() || (severalLines && needed.height() > room.height()))
            misfits << QString("%1.%2 \"%3\" needs %4x%5, has %6x%7")
                           .arg(window->objectName(), w->objectName(), QString(text).replace('\n', "|"))
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height());
    }
    return misfits;
}

QStringList VisibleTexts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
        if (auto* box = qobject_cast<QComboBox*>(w); box && !box->isEditable())
            for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    }
    texts.removeAll(QString());
    return texts;
}

}  // namespace spurwerk::testing
