#include "dialog_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace spurwerk::testing {

DialogDriver::DialogDriver() {
    timer_ = new QTimer(this);
    timer_->setInterval(5);
    connect(timer_, &QTimer::timeout, this, &DialogDriver::Poll);
    timer_->start();
    // A reused dialog hides and shows again between two questions.
    qApp->installEventFilter(this);
}

DialogDriver::~DialogDriver() {
    QString left = steps_.empty() ? QString() : "waiting for " + steps_.front().name + "; ";
    QTest::qVerify(steps_.empty() && unexpected_.isEmpty(), "dialogs as expected",
                   qPrintable(left + "unexpected: " + unexpected_.join("; ")), __FILE__, __LINE__);
}

bool DialogDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched == handled_) handled_ = nullptr;
    return QObject::eventFilter(watched, event);
}

void DialogDriver::Poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
        // The timed dialog and a question that leaves a window usable block nothing.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && (w->objectName() == "FormTimedInput" || qobject_cast<QMessageBox*>(w))) dialog = w;
    }
    // Each appearance of a dialog is answered once; one opened on top of it is new.
    if (!dialog || dialog == handled_) return;
    handled_ = dialog;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    const QString seen = dialog->objectName() + (box ? ": " + box->text() : QString());
    Action action;
    if (!steps_.empty() && steps_.front().name == dialog->objectName()) {
        action = steps_.front().action;
        steps_.pop_front();
    } else if (willing && (box || dialog->objectName() == "FormTimedInput")) {
        action = [](QWidget* target) {
            auto* box = qobject_cast<QMessageBox*>(target);
            for (auto button : {QMessageBox::YesToAll, QMessageBox::Yes, QMessageBox::Ok})
                if (box && box->button(button)) return box->button(button)->click();
            ClickNamed("ButtonOk")(target);
        };
    } else {
        unexpected_ << seen;
        // Get it out of the way so the test can go on.
        if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
        return;
    }
    seen_ << seen;
    QPointer<QWidget> target = dialog;
    QTimer::singleShot(0, this, [target, action] {
        if (target) action(target);
    });
}

DialogDriver::Action DialogDriver::EnterHist(const QString& text) {
    return [text](QWidget* dialog) {
        dialog->findChild<QComboBox*>("CBInput")->setEditText(text);
        dialog->findChild<QAbstractButton*>("OKBtn")->click();
    };
}

DialogDriver::Action DialogDriver::ChooseLanguage(const QString& name) {
    return [name](QWidget* dialog) {
        auto* box = dialog->findChild<QComboBox*>("CBLanguage");
        box->setCurrentIndex(box->findText(name));
        emit box->activated(box->currentIndex());
    };
}

DialogDriver::Action DialogDriver::ChooseFolder(const QString& folder) {
    return [folder](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        // Nothing selected inside: the dialog answers with the folder it shows.
        chooser->setDirectory(folder);
        if (auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit")) edit->clear();
        QMetaObject::invokeMethod(chooser, "accept");
    };
}

}  // namespace spurwerk::testing
