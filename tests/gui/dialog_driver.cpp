#include "dialog_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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

bool DialogDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched == handled_) handled_ = nullptr;
    return QObject::eventFilter(watched, event);
}

DialogDriver& DialogDriver::Then(const QString& objectName, Action action) {
    steps_.push_back({objectName, std::move(action)});
    return *this;
}

void DialogDriver::Poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == "FormTimedInput") dialog = w;
    }
    // Each appearance of a dialog is answered once; one opened on top of it is new.
    if (!dialog || dialog == handled_) return;
    handled_ = dialog;
    if (qEnvironmentVariableIsSet("SPURWERK_DRIVER_TRACE")) qWarning("dialog %s", qPrintable(dialog->objectName()));
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) text = ": " + box->text();
    if (steps_.empty() || steps_.front().name != dialog->objectName()) {
        if (willing && (qobject_cast<QMessageBox*>(dialog) || dialog->objectName() == "FormTimedInput")) {
            seen_ << dialog->objectName() + text;
            QPointer<QWidget> target = dialog;
            QTimer::singleShot(0, this, [target] {
                auto* box = qobject_cast<QMessageBox*>(target.data());
                for (auto button : {QMessageBox::YesToAll, QMessageBox::Yes, QMessageBox::Ok})
                    if (box && box->button(button)) return box->button(button)->click();
                if (target) ClickNamed("ButtonOk")(target);
            });
            return;
        }
        unexpected_ << dialog->objectName() + text;
        // Get it out of the way so the test can go on.
        if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
        return;
    }
    Step step = steps_.front();
    steps_.pop_front();
    seen_ << dialog->objectName() + text;
    QPointer<QWidget> target = dialog;
    QTimer::singleShot(0, this, [target, step] {
        if (target) step.action(target);
    });
}

DialogDriver::Action DialogDriver::Click(const QString& buttonText) {
    return [buttonText](QWidget* dialog) {
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            if (b->text().remove('&') == QString(buttonText).remove('&') && b->isVisible()) {
                b->click();
                return;
            }
        // A message box button named by its German caption, whatever language it shows.
        static const QList<QPair<QString, QMessageBox::StandardButton>> german{
            {"OK", QMessageBox::Ok},  {"Abbrechen", QMessageBox::Cancel},  {"Ja", QMessageBox::Yes},
            {"Nein", QMessageBox::No}, {"Ja, alle", QMessageBox::YesToAll}, {"Nein, keine", QMessageBox::NoToAll}};
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            for (const auto& [caption, standard] : german)
                if (caption == buttonText && box->button(standard)) {
                    box->button(standard)->click();
                    return;
                }
        qWarning("button %s not found", qPrintable(buttonText));
    };
}

DialogDriver::Action DialogDriver::ClickNamed(const QString& objectName) {
    return [objectName](QWidget* dialog) {
        if (auto* b = dialog->findChild<QAbstractButton*>(objectName)) b->click();
    };
}

DialogDriver::Action DialogDriver::EnterHist(const QString& text) {
    return [text](QWidget* dialog) {
        dialog->findChild<QComboBox*>("CBInput")->setEditText(text);
        dialog->findChild<QAbstractButton*>("OKBtn")->click();
    };
}

DialogDriver::Action DialogDriver::CancelDialog() {
    return [](QWidget* dialog) {
        if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
    };
}

DialogDriver::Action DialogDriver::ChooseLanguage(const QString& name) {
    return [name](QWidget* dialog) {
        auto* box = dialog->findChild<QComboBox*>("CBLanguage");
        int index = box->findText(name);
        box->setCurrentIndex(index);
        emit box->activated(index);
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
