#pragma once
// Qt's own texts (file dialog, standard buttons) and its locale (dates, file
// types) in the language in use.

#include <string>

namespace spurwerk::gui {

// Installs Qt's translations for `languageCode` ("de", "en", ...), replacing
// those installed before; an empty or unknown code leaves Qt's English. The
// default locale follows the code. Returns whether a translation was found.
bool UseQtTranslations(const std::string& languageCode);

}  // namespace spurwerk::gui
