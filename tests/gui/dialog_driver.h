#pragma once
// Answers the dialogs the windows open: each step waits for a dialog with the
// given object name (modal ones and the non-modal timed dialog) and acts on it.
// A willing driver answers the message boxes and timed dialogs no step expects
// with Yes to all, Yes or OK. When it goes, it fails the running test if a step
// is left or a dialog came that no step expected.

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>

class QTimer;

namespace spurwerk::testing {

class DialogDriver : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void(QWidget*)>;
    DialogDriver();
    ~DialogDriver() override;

    // When a dialog named `objectName` appears, run `action` on it.
    DialogDriver& Then(const QString& objectName, Action action) {
        steps_.push_back({objectName, std::move(action)});
        return *this;
    }

    // Common answers.
    static Action Answer(QMessageBox::StandardButton button) {  // a message box button
        return [button](QWidget* box) { qobject_cast<QMessageBox*>(box)->button(button)->click(); };
    }
    static Action ClickNamed(const QString& name) {
        return [name](QWidget* dialog) { dialog->findChild<QAbstractButton*>(name)->click(); };
    }
    static Action CancelDialog() {
        return [](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); };
    }
    static Action EnterHist(const QString& text);       // history dialog: type and OK
    static Action ChooseLanguage(const QString& name);  // also the main window's box
    static Action ChooseFolder(const QString& folder);  // the folder chooser: accept `folder`

    bool willing = false;

    bool Done() const { return steps_.empty(); }
    QStringList Seen() const { return seen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Poll();

    struct Step {
        QString name;
        Action action;
    };
    std::deque<Step> steps_;
    QPointer<QWidget> handled_;
    QStringList unexpected_;
    QStringList seen_;
    QTimer* timer_;
};

}  // namespace spurwerk::testing
