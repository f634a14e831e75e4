#pragma once
// The program's hints: tool tips that appear at once and stay 30 seconds.

#include <QObject>

class QApplication;

namespace spurwerk::gui {

constexpr int HintHideMs = 30000;

class InstantHints : public QObject {
    Q_OBJECT
public:
    // Installs the style and the event filter on the application.
    static void Install(QApplication& app);
    // Shows `text` as a hint at once, plain text as it is.
    static void ShowHint(const QPoint& globalPos, const QString& text, QWidget* widget);
    // A plain hint made safe from rich-text interpretation.
    static QString PlainHint(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace spurwerk::gui
