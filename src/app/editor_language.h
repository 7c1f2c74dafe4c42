#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>
#include <string>

namespace ze::app {

// The language the editor speaks, for the whole process: the editor's own
// texts (English from "translations/" beside the program; Japanese is the
// source), Qt's own texts in its dialogs (the standard buttons, the file
// dialog's captions) and the default locale, which also names the file types
// Qt's file dialog lists. All of it is undone when it goes.
class EditorLanguage {
public:
    EditorLanguage() = default;
    ~EditorLanguage();
    EditorLanguage(const EditorLanguage&) = delete;
    EditorLanguage& operator=(const EditorLanguage&) = delete;

    // language: "ja" or "en". programFolder ends with the separator.
    void Install(const QString& language, const std::string& programFolder);

    // Whether Qt's own translation for the language was found.
    bool HasQtTexts() const { return qtInstalled_; }
    bool HasEditorTexts() const { return editorInstalled_; }

private:
    QLocale previousLocale_;
    QTranslator qtTexts_;
    QTranslator editorTexts_;
    bool qtInstalled_ = false;
    bool editorInstalled_ = false;
};

// The locale that goes with a language the editor speaks.
QLocale LocaleOf(const QString& language);

}  // namespace ze::app
