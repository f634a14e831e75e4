#pragma once
// Core texts are UTF-8 std::string with CR LF line breaks in captions; Qt
// widgets take QString with LF.

#include <QString>

#include <string>

#include "text/visible_text.h"

namespace spurwerk::gui {

inline QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string S(const QString& text) { return text.toUtf8().toStdString(); }

// A name read from a file, for a label or list: control characters as visible
// escapes ("\x1B") instead of invisible or layout-breaking ones.
inline QString QVisible(const std::string& text) { return Q(EscapeControlChars(text)); }

// A core text (CR LF or LF breaks) for a widget.
inline QString QLines(const std::string& text) { return Q(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).remove(QLatin1Char('\r')); }
// A window title with the place of the modified mark ("[*]", shown while
// setWindowModified is on); a "[*]" in the text itself stays literal.
inline QString QModifiableTitle(const std::string& text) {
    return Q(text).replace(QLatin1String("[*]"), QLatin1String("[*][*]")) + QLatin1String("[*]");
}
// A caption for the core: LF becomes CR LF.
inline std::string SCaption(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return S(t);
}

}  // namespace spurwerk::gui
