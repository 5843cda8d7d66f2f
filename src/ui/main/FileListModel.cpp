#include "ui/main/FileListModel.h"

#include "ui/main/StateIcons.h"

#include <array>

namespace quillabe {

namespace {

constexpr std::array<std::string TFileItem::*, 16> kMediaFields = {
    &TFileItem::CompleteName, &TFileItem::FileSize,     &TFileItem::Format,
    &TFileItem::PlayTime,     &TFileItem::AudioCount,   &TFileItem::VideoCount,
    &TFileItem::VideoCodec,   &TFileItem::Width,        &TFileItem::Height,
    &TFileItem::VideoBitrate, &TFileItem::AspectRatio,  &TFileItem::FrameRate,
    &TFileItem::AudioCodec,   &TFileItem::AudioBitrate, &TFileItem::Channels,
    &TFileItem::SamplingRate,
};

constexpr std::array<const char*, FileListModel::kColumnCount> kCaptions = {
    "File Name",    "Complete Name:", "File Size:", "Format:",   "Play Time:",     "Audio Count:",
    "Video Count:", "Codec:",         "Width",      "Height",    "Bitrate:",       "Aspect Ratio:",
    "Frame Rate:",  "Codec:",         "Bitrate:",   "Channels:", "Sampling Rate:",
};

} // namespace

const std::string& MediaField(const TFileItem& item, int field) {
    return item.*kMediaFields.at(static_cast<size_t>(field));
}

FileListModel::FileListModel(ProbeFunction probe, QObject* parent)
    : QAbstractTableModel(parent), list_(std::move(probe)) {
    list_.SetChangeListener([this](const FileListChange& change) { OnChange(change); });
}

void FileListModel::OnChange(const FileListChange& change) {
    using Kind = FileListChange::Kind;
    const bool before = change.phase == FileListChange::Phase::AboutTo;
    switch (change.kind) {
    case Kind::Inserted:
        if (before)
            beginInsertRows({}, change.index, change.last);
        else
            endInsertRows();
        break;
    case Kind::Removed:
        if (before)
            beginRemoveRows({}, change.index, change.last);
        else
            endRemoveRows();
        break;
    case Kind::Moved:
        if (before)
            beginMoveRows({}, change.index, change.index, {}, change.destination);
        else
            endMoveRows();
        break;
    case Kind::Cleared:
        if (before)
            beginResetModel();
        else
            endResetModel();
        break;
    case Kind::StateChanged: {
        if (list_.Count() == 0)
            break;
        const int first = change.index < 0 ? 0 : change.index;
        const int last = change.index < 0 ? static_cast<int>(list_.Count()) - 1 : change.index;
        emit dataChanged(index(first, 0), index(last, 0), {Qt::DecorationRole, StateRole});
        break;
    }
    }
    if (!before)
        emit listChanged();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FileEntry& entry = list_.At(static_cast<size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return QString::fromStdString(entry.caption);
        return QString::fromStdString(MediaField(entry.item, index.column() - 1));
    case Qt::ToolTipRole:
        return index.column() == 0 ? QVariant(QString::fromStdString(entry.caption)) : QVariant();
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(StateIcon(entry.state)) : QVariant();
    case PathRole:
        return QByteArray::fromStdString(entry.caption);
    case StateRole:
        return static_cast<int>(entry.state);
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount)
        return ColumnCaption(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Entries are dragged within the list to reorder it; nobody edits them in place.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}

QString FileListModel::ColumnCaption(int column) {
    return QString::fromLatin1(kCaptions.at(static_cast<size_t>(column)));
}

} // namespace quillabe
