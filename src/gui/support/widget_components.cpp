#include "support/widget_components.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

#include "support/qt_text.h"

namespace spurwerk::gui {

namespace {

const char* const KindProperty = "componentKind";

ComponentKind KindOf(QObject* object) {
    QVariant marked = object->property(KindProperty);
    if (marked.isValid()) return static_cast<ComponentKind>(marked.toInt());
    if (auto* action = qobject_cast<QAction*>(object)) {
        (void)action;
        return ComponentKind::MenuItem;
    }
    if (qobject_cast<QCheckBox*>(object)) return ComponentKind::CheckBox;
    if (qobject_cast<QToolButton*>(object)) return ComponentKind::SpeedButton;
    if (qobject_cast<QAbstractButton*>(object)) return ComponentKind::Button;
    if (qobject_cast<QLabel*>(object)) return ComponentKind::Label;
    if (qobject_cast<QComboBox*>(object)) return ComponentKind::ComboBox;
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return edit->inputMask().isEmpty() ? ComponentKind::Edit : ComponentKind::MaskEdit;
    if (qobject_cast<QSpinBox*>(object)) return ComponentKind::SpinEdit;
    if (qobject_cast<QPlainTextEdit*>(object) || qobject_cast<QTextEdit*>(object)) return ComponentKind::Memo;
    if (qobject_cast<QListWidget*>(object)) return ComponentKind::ListBox;
    if (qobject_cast<QSlider*>(object)) return ComponentKind::TrackBar;
    if (qobject_cast<QGroupBox*>(object)) return ComponentKind::GroupBox;
    if (qobject_cast<QFrame*>(object)) return ComponentKind::Panel;
    return ComponentKind::Other;
}

QString TextOf(QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object)) return action->isSeparator() ? QStringLiteral("-") : action->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
    if (auto* box = qobject_cast<QComboBox*>(object)) return box->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(object)) return edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(object)) return group->title();
    return {};
}

QString HintOf(QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object)) return action->statusTip();
    if (auto* widget = qobject_cast<QWidget*>(object)) return widget->toolTip();
    return {};
}

void SetText(QObject* object, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (!action->isSeparator()) action->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(object)) {
        QSignalBlocker block(box);
        if (box->isEditable())
            box->setEditText(text);
        else if (int index = box->findText(text); index >= 0)
            box->setCurrentIndex(index);
    } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        edit->setText(text);
    }
}

void SetHint(QObject* object, const QString& hint) {
    if (auto* action = qobject_cast<QAction*>(object))
        action->setStatusTip(hint);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setToolTip(hint);
}

QList<QObject*> NamedDescendants(QWidget* window) {
    QList<QObject*> result;
    for (QObject* object : window->findChildren<QObject*>()) {
        if (object->objectName().isEmpty() || object->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (!object->isWidgetType() && !qobject_cast<QAction*>(object)) continue;
        result.push_back(object);
    }
    return result;
}

}  // namespace

void SetComponentKind(QObject* object, ComponentKind kind) { object->setProperty(KindProperty, static_cast<int>(kind)); }

GuiForm ComponentsOf(QWidget* window) {
    GuiForm form;
    form.name = S(window->objectName());
    for (QObject* object : NamedDescendants(window)) {
        GuiComponent component;
        component.name = S(object->objectName());
        component.kind = KindOf(object);
        component.text = SCaption(TextOf(object));
        component.hint = S(HintOf(object));
        form.components.push_back(std::move(component));
    }
    return form;
}

void ApplyComponents(QWidget* window, const GuiForm& form) {
    QList<QObject*> objects = NamedDescendants(window);
    for (const GuiComponent& component : form.components) {
        for (QObject* object : objects) {
            if (S(object->objectName()) != component.name) continue;
            if (TextOf(object) != QLines(component.text)) SetText(object, QLines(component.text));
            if (HintOf(object) != QLines(component.hint)) SetHint(object, QLines(component.hint));
            break;
        }
    }
}

WindowGeometry GeometryOf(const QWidget* window) {
    QPoint position = window->pos();
    return {position.x(), position.y(), window->width(), window->height()};
}

void ApplyGeometry(QWidget* window, const WindowGeometry& geometry) {
    window->move(geometry.left, geometry.top);
    if (geometry.width > 0 && geometry.height > 0) window->resize(geometry.width, geometry.height);
}

ScreenSize PrimaryScreenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {1024, 768};
    QRect r = screen->availableGeometry();
    return {r.width(), r.height(), r.x(), r.y()};
}

}  // namespace spurwerk::gui
