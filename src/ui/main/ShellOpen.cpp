#include "ui/main/ShellOpen.h"

#include "base/TextUtils.h"
#include "core/BusyCursor.h"

#include <QByteArray>
#include <QDesktopServices>

namespace quillabe {

namespace {
std::function<void(const QUrl&)>& handler() {
    static std::function<void(const QUrl&)> h;
    return h;
}
} // namespace

QUrl UrlFromLocalBytes(const std::string& path) {
    // QUrl::fromLocalFile would go through QString and turn bytes that are not UTF-8 into
    // replacement characters; the encoded form keeps every byte.
    const QByteArray encoded = QByteArray::fromStdString(path).toPercentEncoding("/");
    return QUrl::fromEncoded("file://" + encoded, QUrl::StrictMode);
}

std::string LocalBytesFromUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return {};
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return QByteArray::fromPercentEncoding(encoded).toStdString();
}

void ShellOpen(const std::string& target) {
    if (TrimView(target).empty())
        return;
    BusyScope busy;
    // A path opens as a file, exactly as named (blanks at its ends belong to the name); anything
    // else (an address, "mailto:…") as the URL it spells.
    const QUrl url = target.front() == '/'
                         ? UrlFromLocalBytes(target)
                         : QUrl(QString::fromStdString(Trim(target)), QUrl::TolerantMode);
    if (handler())
        handler()(url);
    else
        QDesktopServices::openUrl(url);
}

void SetShellOpenHandler(std::function<void(const QUrl&)> h) {
    handler() = std::move(h);
}

} // namespace quillabe
