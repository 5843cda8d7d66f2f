#pragma once
// The Qt item model over the engine's file list. It owns the list and turns its before/after
// change notices into Qt's begin/end calls, so a view never shows a row that is gone. Column 0
// is the full path with the state icon; columns 1 to 16 are the media fields, in the probe's
// order (hidden in the window, there for anyone who reads the model).

#include "engine/FileList.h"

#include <QAbstractTableModel>

namespace quillabe {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The entry's full path as its bytes (QByteArray), whatever the encoding of the name.
    static constexpr int PathRole = Qt::UserRole + 1;
    static constexpr int StateRole = Qt::UserRole + 2; // TFileState as an int
    static constexpr int kColumnCount = 17;

    // The real probe unless another is given.
    explicit FileListModel(ProbeFunction probe = {}, QObject* parent = nullptr);

    FileList& List() { return list_; }
    const FileList& List() const { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The column captions of the list ("File Name", "Complete Name:", ...), in column order.
    static QString ColumnCaption(int column);

signals:
    // After every change of the list has been applied (the summary and the panel follow it).
    void listChanged();

private:
    void OnChange(const FileListChange& change);

    FileList list_;
};

// The sixteen media fields of an item in column order (column 1 is index 0).
const std::string& MediaField(const TFileItem& item, int field);

} // namespace quillabe
