#include "common/qt/sjis_qstring.h"

#include <QCoreApplication>
#include <QList>

#include "common/cp932.h"

namespace ze {

QString SjisToQString(std::string_view sjis) {
    return QString::fromStdString(Cp932ToUtf8(sjis));
}

std::optional<std::string> QStringToSjis(const QString& text, char32_t* unmappable) {
    std::string sjis = Utf8ToCp932(text.toStdString());
    if (sjis.find('?') == std::string::npos) {
        return sjis;
    }
    // A "?" came either from the text or from a character CP932 lacks.
    for (const char32_t c : text.toUcs4()) {
        if (c != U'?' && Utf8ToCp932(QString::fromUcs4(&c, 1).toStdString()) == "?") {
            if (unmappable != nullptr) {
                *unmappable = c;
            }
            return std::nullopt;
        }
    }
    return sjis;
}

std::string QStringToSjisForDisplay(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

std::string UnmappableValueMessage(char32_t c) {
    const QString code =
        QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0');
    return Utf8ToCp932(
        QCoreApplication::translate("Messages", "値にShift_JISで表せない文字(U+%1)は使えません。")
            .arg(code)
            .toStdString());
}

}  // namespace ze
