#include "ui/main/FileDialogs.h"

#include <QFile>
#include <QFileDialog>

namespace quillabe {

namespace {

FileDialogHooks& hooks() {
    static FileDialogHooks h;
    return h;
}

QString fromBytes(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string toBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

QStringList QtNameFilters(std::string_view openFilter) {
    const QStringList parts =
        QString::fromStdString(std::string(openFilter)).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // Everything is "*" here: a name without a dot is a file too.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        filters << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(),
                                                 patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

std::optional<std::vector<std::string>>
ChooseInputFiles(QWidget* owner, const std::string& startDir, const QStringList& nameFilters) {
    if (hooks().inputFiles)
        return hooks().inputFiles(startDir, nameFilters);
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    // Our filter names already say which patterns they hold.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDirectory(fromBytes(startDir));
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<std::string> names;
    for (const QString& name : dialog.selectedFiles())
        names.push_back(toBytes(name));
    return names;
}

std::optional<std::string> ChooseFolder(QWidget* owner, const std::string& title,
                                        const std::string& start) {
    if (hooks().folder)
        return hooks().folder(title, start);
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QString::fromStdString(title), fromBytes(start), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return std::nullopt;
    return toBytes(chosen);
}

void SetFileDialogHooks(FileDialogHooks h) {
    hooks() = std::move(h);
}

} // namespace quillabe
