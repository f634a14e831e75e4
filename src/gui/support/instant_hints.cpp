#include "support/instant_hints.h"

#include <QApplication>
#include <QFont>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace spurwerk::gui {

namespace {

class HintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay || hint == SH_ToolTip_FallAsleepDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void InstantHints::Install(QApplication& app) {
    // The fonts of the window designs, mapped to the nearest ones other platforms have.
    QFont::insertSubstitutions("MS Sans Serif", {"Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans",
                                                 "Helvetica"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "Nimbus Sans", "Helvetica"});
    QFont::insertSubstitutions("Courier New", {"Liberation Mono", "Nimbus Mono PS", "Courier", "DejaVu Sans Mono"});
    app.setStyle(new HintStyle(app.style()->name()));
    app.installEventFilter(new InstantHints);
}

QString InstantHints::PlainHint(const QString& text) {
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    if (!Qt::mightBeRichText(plain)) return plain;
    return QStringLiteral("<p style='white-space:pre'>") + plain.toHtmlEscaped().replace('\n', "<br>") +
           QStringLiteral("</p>");
}

void InstantHints::ShowHint(const QPoint& globalPos, const QString& text, QWidget* widget) {
    QToolTip::showText(globalPos, PlainHint(text), widget, QRect(), HintHideMs);
}

bool InstantHints::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && !widget->toolTip().isEmpty()) {
            ShowHint(static_cast<QHelpEvent*>(event)->globalPos(), widget->toolTip(), widget);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace spurwerk::gui
