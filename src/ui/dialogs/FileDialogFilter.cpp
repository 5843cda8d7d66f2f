#include "ui/dialogs/FileDialogFilter.h"

#include <QStringList>

namespace quillabe {

QString FileDialogFilter(const std::string& pipeFilter) {
    const QStringList parts = QString::fromStdString(pipeFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (i + 1 >= parts.size()) {
            if (!description.isEmpty())
                filters << description;
            break;
        }
        // The description's own "(…)" repeats the patterns for the eye; the dialog reads the
        // patterns from the parentheses, so they are rebuilt from the pattern entry.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace quillabe
