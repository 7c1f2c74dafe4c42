#include "app/editor_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "app/editor_app.h"

namespace ze::app {

QLocale LocaleOf(const QString& language) {
    return language == QLatin1String("en") ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : QLocale(QLocale::Japanese, QLocale::Japan);
}

void EditorLanguage::Install(const QString& language, const std::string& programFolder) {
    const QLocale locale = LocaleOf(language);
    previousLocale_ = QLocale();
    // A Japanese default locale would give the type names of Qt's file dialog
    // (taken from the MIME database by the default locale) in Japanese under
    // English captions.
    QLocale::setDefault(locale);
    // Qt ships no English texts of its own (its sources are English), but a
    // qtbase_en file, where installed, carries the plural forms.
    qtInstalled_ = qtTexts_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                   QCoreApplication::installTranslator(&qtTexts_);
    if (language == QLatin1String("en")) {
        editorInstalled_ = editorTexts_.load(QString::fromStdString(
                               programFolder + "translations/" + kTranslationFile)) &&
                           QCoreApplication::installTranslator(&editorTexts_);
    }
}

EditorLanguage::~EditorLanguage() {
    if (editorInstalled_) {
        QCoreApplication::removeTranslator(&editorTexts_);
    }
    if (qtInstalled_) {
        QCoreApplication::removeTranslator(&qtTexts_);
    }
    QLocale::setDefault(previousLocale_);
}

}  // namespace ze::app
