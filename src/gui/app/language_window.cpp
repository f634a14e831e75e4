#include "app/language_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace spurwerk::gui {

LanguageWindow::LanguageWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName("FormLanguage");
    setWindowTitle("Sprache!  /  language!");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Wählen Sie eine Sprache!  /  Select a language!", this);
    label->setObjectName("Label1");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    layout->addWidget(label);
    panelCBLanguage_ = new QFrame(this);
    panelCBLanguage_->setObjectName("PanelCBLanguage");
    panelCBLanguage_->setLayout(new QHBoxLayout);
    panelCBLanguage_->setMinimumHeight(40);
    layout->addWidget(panelCBLanguage_);
    // Nothing in it grows: a fixed size leaves the window manager no
    // maximise or resize to offer.
    setFixedSize(QSize(340, 110).expandedTo(minimumSizeHint()));
}

}  // namespace spurwerk::gui
