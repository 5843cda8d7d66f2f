#include "ui/main/ToolkitTranslation.h"

#include "lang/LanguageFile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quillabe {

bool TranslateToolkit(std::string_view languageFile) {
    static std::unique_ptr<QTranslator> current;
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    const std::string_view code = LanguageCodeOf(languageFile);
    if (code.empty() || code == "en")
        return false;
    auto translator = std::make_unique<QTranslator>();
    const QString name = "qtbase_" + QString::fromLatin1(code.data(), qsizetype(code.size()));
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    current = std::move(translator);
    return true;
}

} // namespace quillabe
