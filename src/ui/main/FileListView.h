#pragma once
// The list view of the file list: one visible column (the path with its state icon), no header,
// several entries selectable, whole rows, no in-place editing. Entries are reordered by dragging
// them within the list; drags from elsewhere (files from a file manager) are left to the window.

#include <QTreeView>

#include <vector>

namespace quillabe {

class FileListView : public QTreeView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Selected rows in ascending order.
    std::vector<int> SelectedRows() const;
    int FirstSelectedRow() const; // -1 when nothing is selected
    // Deselects all, then selects, focuses and shows the row (-1: nothing selected).
    void SelectRow(int row);

    // Where a drop at this viewport position puts the dragged entry: before the entry under it,
    // or after the last entry when there is none under it (a position counted before removal).
    int DropInsertPosition(const QPoint& viewportPos) const;

    // Shown in the middle of the empty list: how files get in.
    void SetPlaceholderText(const QString& text);
    QString PlaceholderText() const { return placeholder_; }

signals:
    // A dragged entry was dropped: move the entry `from` to `insertAt` (see DropInsertPosition).
    void entryDropped(int from, int insertAt);
    // The right button was pressed on the list, after the click's selection took effect.
    void contextMenuWanted(const QPoint& globalPos);
    void entryDoubleClicked();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool IsOwnDrag(const QDropEvent* event) const;
    void HideMediaColumns();

    int dropLineAt_ = -1; // insert position shown while an entry is dragged; -1 none
    QString placeholder_;
};

} // namespace quillabe
