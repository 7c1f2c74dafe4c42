#include "panels/user_text_translator.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <string>

#include "model/user_text.h"

namespace ze::panels {

namespace {

std::string Translate(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

// A translator installed or removed later makes the texts the model keeps
// built be built again.
class LanguageWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange) {
            SetTextTranslator(&Translate);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void TranslateUserTexts() {
    SetTextTranslator(&Translate);
    // One watch per application object, which owns it.
    static QCoreApplication* watched = nullptr;
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && application != watched) {
        application->installEventFilter(new LanguageWatch(application));
        watched = application;
    }
}

}  // namespace ze::panels
