#include "support/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

#include "support/qt_text.h"

namespace spurwerk::gui {

bool UseQtTranslations(const std::string& languageCode) {
    static std::unique_ptr<QTranslator> installed;
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
    return true;
}

}  // namespace spurwerk::gui
