#include "support/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <string>

#include "support/qt_text.h"

namespace spurwerk::gui {

bool UseQtTranslations(const std::string& languageCode) {
    static std::unique_ptr<QTranslator> installed;
    static std::string installedCode;
    // Installing sends every widget a language-change event: the start-up
    // asks for the same language twice, and the second costs nothing now.
    if (installed && installedCode == languageCode) return true;
    if (installed) QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    // Dates, numbers and the file types of Qt's dialogs in the same language.
    QLocale::setDefault(languageCode.empty() ? QLocale::system() : QLocale(Q(languageCode)));
    if (languageCode.empty() || languageCode == "en") return false;
    auto translator = std::make_unique<QTranslator>();
    // qt_xx loads qtbase_xx and the other modules' files it names.
    if (!translator->load("qt_" + Q(languageCode), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load("qtbase_" + Q(languageCode), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    installedCode = languageCode;
    return true;
}

}  // namespace spurwerk::gui
