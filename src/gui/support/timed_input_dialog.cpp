#include "support/timed_input_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>

#include "settings/ui_texts.h"
#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QFrame* NewPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    return panel;
}

}  // namespace

TimedInputDialog::TimedInputDialog(TimedCountdown::Clock clock, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      countdown_(clock ? std::move(clock) : TimedCountdown::Clock(SteadyMs)) {
    setObjectName("FormTimedInput");
    setWindowTitle(Q(UiTxt(UiText::TimedCaption)));
    QFont font("Arial");
    font.setPixelSize(12);
    setFont(font);
    setFixedWidth(504);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QFrame* panelTop = NewPanel("PanelTop", this);
    panelTop->setFixedHeight(16);
    layout->addWidget(panelTop);

    QFrame* panelMessage = NewPanel("PanelMessage", this);
    auto* messageLayout = new QVBoxLayout(panelMessage);
    messageLayout->setContentsMargins(8, 0, 8, 0);
    labelMessage_ = new QLabel(panelMessage);
    labelMessage_->setObjectName("LabelMessage");
    labelMessage_->setAlignment(Qt::AlignCenter);
    labelMessage_->setWordWrap(true);
    labelMessage_->setTextFormat(Qt::PlainText);
    messageLayout->addWidget(labelMessage_);
    layout->addWidget(panelMessage, 1);

    panelMEInput_ = NewPanel("PanelMEInput", this);
    auto* inputLayout = new QVBoxLayout(panelMEInput_);
    inputLayout->setContentsMargins(8, 4, 8, 4);
    meInput_ = new QLineEdit(panelMEInput_);
    meInput_->setObjectName("MEInput");
    inputLayout->addWidget(meInput_);
    layout->addWidget(panelMEInput_);

    QFrame* panelControls = NewPanel("PanelControls", this);
    auto* buttons = new QHBoxLayout(panelControls);
    buttons->addStretch();
    buttonOk_ = new QPushButton(panelControls);
    buttonOk_->setObjectName("ButtonOk");
    buttonNo_ = new QPushButton(panelControls);
    buttonNo_->setObjectName("ButtonNo");
    buttonCancel_ = new QPushButton(panelControls);
    buttonCancel_->setObjectName("ButtonCancel");
    for (QPushButton* b : {buttonOk_, buttonNo_, buttonCancel_}) buttons->addWidget(b);
    buttons->addStretch();
    layout->addWidget(panelControls);

    panelRemaining_ = NewPanel("PanelRemaining", this);
    panelRemaining_->setAutoFillBackground(true);
    auto* remaining = new QHBoxLayout(panelRemaining_);
    remaining->setContentsMargins(8, 2, 8, 2);
    labelRemaining_ = new QLabel(panelRemaining_);
    labelRemaining_->setObjectName("LabelRemaining");
    labelRemainingTimeMsec_ = new QLabel(panelRemaining_);
    labelRemainingTimeMsec_->setObjectName("LabelRemainingTimeMsec");
    remaining->addStretch();
    remaining->addWidget(labelRemaining_);
    remaining->addWidget(labelRemainingTimeMsec_);
    remaining->addStretch();
    layout->addWidget(panelRemaining_);

    timer_ = new QTimer(this);
    timer_->setObjectName("TimerTimeOut");
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &TimedInputDialog::Tick);
    connect(buttonOk_, &QPushButton::clicked, this, [this] { Press(ResultOk); });
    connect(buttonNo_, &QPushButton::clicked, this, [this] { Press(ResultNo); });
    connect(buttonCancel_, &QPushButton::clicked, this, [this] { Press(ResultCancel); });
    connect(meInput_, &QLineEdit::textChanged, this, [this] { InputActivity(); });
    meInput_->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(panelRemaining_), static_cast<QWidget*>(labelRemaining_),
                       static_cast<QWidget*>(labelRemainingTimeMsec_)})
        w->installEventFilter(this);
}

int TimedInputDialog::Run(TimedInputRequest& request) {
    setWindowTitle(Q(request.caption));
    // The dialog lives on across language changes: its own captions are set on every call.
    buttonOk_->setText(Q(UiTxt(UiText::TimedOk)));
    buttonNo_->setText(Q(UiTxt(UiText::TimedNo)));
    buttonCancel_->setText(Q(UiTxt(UiText::TimedCancel)));
    labelRemaining_->setText(Q(UiTxt(UiText::TimedRemaining)));
    labelMessage_->setText(QLines(request.message));
    // A wrapped label asks its layout for too little height: reserve what the text needs.
    int messageWidth = width() - 16;
    labelMessage_->setMinimumSize(messageWidth, labelMessage_->heightForWidth(messageWidth));
    {
        guard_ = true;
        meInput_->setInputMask(Q(request.editMask));
        meInput_->setText(Q(request.input));
        meInput_->setModified(false);
        guard_ = false;
    }
    meInput_->setVisible(request.showInput);
    panelMEInput_->setFixedHeight(request.showInput ? meInput_->sizeHint().height() + 8 : 2);
    focusInput_ = request.focusInput;
    if (focusInput_) meInput_->selectAll();

    buttonOk_->setVisible(request.buttons & TimedOk);
    buttonNo_->setVisible(request.buttons & TimedNo);
    buttonCancel_->setVisible(request.buttons & TimedCancel);
    for (auto [button, code] : {std::pair{buttonNo_, int(ResultNo)}, std::pair{buttonOk_, int(ResultOk)},
                                std::pair{buttonCancel_, int(ResultCancel)}})
        button->setDefault(code == request.defaultResult);

    countdown_.Start(request.timeoutMs, request.defaultResult);
    ShowCountdown();
    panelRemaining_->setVisible(countdown_.PanelVisible());
    if (countdown_.Running()) timer_->start();
    adjustSize();

    // Non-modal: the other windows stay usable while this one waits.
    waiting_ = true;
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    loop_ = &loop;
    if (!countdown_.Finished()) loop.exec();
    loop_ = nullptr;
    waiting_ = false;

    timer_->stop();
    int result = countdown_.Result();
    if (result == ResultOk || result == ResultNo) request.input = S(meInput_->text());
    request.timeoutMs = static_cast<int>(countdown_.RemainingMs());
    hide();
    return result;
}

void TimedInputDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (focusInput_ && meInput_->isVisible()) {
        guard_ = true;
        meInput_->setFocus();
        guard_ = false;
    } else {
        int result = countdown_.Result();
        QPushButton* button = result == ResultNo ? buttonNo_ : result == ResultCancel ? buttonCancel_ : buttonOk_;
        if (button->isVisible()) button->setFocus();
    }
}

void TimedInputDialog::Tick() {
    countdown_.Tick(FocusedControl());
    ShowCountdown();
    if (countdown_.Finished()) Finish();
}

TimedCountdown::Focus TimedInputDialog::FocusedControl() const {
    QWidget* focus = focusWidget();
    if (focus == buttonOk_) return TimedCountdown::Focus::Ok;
    if (focus == buttonNo_) return TimedCountdown::Focus::No;
    if (focus == buttonCancel_) return TimedCountdown::Focus::Cancel;
    if (focus == meInput_) return TimedCountdown::Focus::Input;
    return TimedCountdown::Focus::None;
}

void TimedInputDialog::ShowCountdown() {
    labelRemainingTimeMsec_->setText(Q(countdown_.RemainingText()));
    QPalette palette = this->palette();
    if (countdown_.Warning()) palette.setColor(QPalette::Window, QColor(255, 0, 0));
    panelRemaining_->setPalette(palette);
}

void TimedInputDialog::InputActivity() {
    if (guard_ || !waiting_) return;
    countdown_.InputActivity();
    ShowCountdown();
}

void TimedInputDialog::Press(int result) {
    if (!waiting_) return;
    if (!meInput_->inputMask().isEmpty() && meInput_->isModified() && !meInput_->hasAcceptableInput()) {
        QMessageBox::warning(this, windowTitle(), Q(UiTxt(UiText::TimedInvalidInput)));
        return;
    }
    countdown_.Press(result);
    Finish();
}

void TimedInputDialog::Finish() {
    timer_->stop();
    if (loop_) loop_->quit();
}

void TimedInputDialog::reject() { Press(ResultCancel); }

void TimedInputDialog::closeEvent(QCloseEvent* event) {
    // Closed by the window system while waiting: counts as Cancel.
    if (waiting_ && !countdown_.Finished()) {
        countdown_.Close();
        Finish();
    }
    event->accept();
}

bool TimedInputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == meInput_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress)) {
        InputActivity();
    } else if (watched != meInput_ && event->type() == QEvent::MouseButtonPress && waiting_) {
        countdown_.TogglePause();
        if (countdown_.Running())
            timer_->start();
        else
            timer_->stop();
        ShowCountdown();
        return true;  // one click, one toggle: the panel must not see the label's click again
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace spurwerk::gui
