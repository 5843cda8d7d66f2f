#include "ui/main/FileListView.h"

#include "ui/main/StateIcons.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

namespace quillabe {

namespace {
// Only this list's own drags carry it; its payload is the dragged row.
constexpr const char* kRowMime = "application/x-quillabe-file-row";
constexpr int kFileNameColumnWidth = 460;
} // namespace

FileListView::FileListView(QWidget* parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // constant-time layout however many files are queued
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(kStateIconSize);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false); // drawn here: the entry goes before the row under the mouse
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setTextElideMode(Qt::ElideMiddle); // long paths keep their file name in sight
    setAllColumnsShowFocus(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    header()->setStretchLastSection(false);
}

void FileListView::setModel(QAbstractItemModel* model) {
    QTreeView::setModel(model);
    HideMediaColumns();
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &FileListView::HideMediaColumns);
}

void FileListView::HideMediaColumns() {
    if (!model())
        return;
    setColumnWidth(0, kFileNameColumnWidth);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < model()->columnCount(); ++c)
        setColumnHidden(c, true);
}

std::vector<int> FileListView::SelectedRows() const {
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int FileListView::FirstSelectedRow() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

void FileListView::SelectRow(int row) {
    if (!model() || !selectionModel())
        return;
    selectionModel()->clearSelection();
    if (row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

int FileListView::DropInsertPosition(const QPoint& viewportPos) const {
    const QModelIndex target = indexAt(viewportPos);
    if (target.isValid())
        return target.row();
    return model() ? model()->rowCount() : 0;
}

bool FileListView::IsOwnDrag(const QDropEvent* event) const {
    return event->source() == this && event->mimeData()->hasFormat(kRowMime);
}

void FileListView::startDrag(Qt::DropActions) {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    auto* mime = new QMimeData;
    mime->setData(kRowMime, QByteArray::number(current.row()));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(StateIcon(static_cast<TFileState>(0)).pixmap(kStateIconSize));
    // The move itself happens in dropEvent; nothing is removed here afterwards.
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    dropLineAt_ = -1;
    viewport()->update();
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    // Anything but our own entries (files from a file manager) goes on to the window.
    if (!IsOwnDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!IsOwnDrag(event)) {
        event->ignore();
        return;
    }
    // The base class scrolls near the edges; the acceptance and the drop line are ours.
    QTreeView::dragMoveEvent(event);
    dropLineAt_ = DropInsertPosition(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->accept();
    viewport()->update();
}

void FileListView::dragLeaveEvent(QDragLeaveEvent* event) {
    dropLineAt_ = -1;
    viewport()->update();
    QTreeView::dragLeaveEvent(event);
}

void FileListView::dropEvent(QDropEvent* event) {
    dropLineAt_ = -1;
    viewport()->update();
    if (!IsOwnDrag(event)) {
        event->ignore();
        return;
    }
    bool ok = false;
    const int from = event->mimeData()->data(kRowMime).toInt(&ok);
    if (!ok || !model() || from < 0 || from >= model()->rowCount()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    emit entryDropped(from, DropInsertPosition(event->position().toPoint()));
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        emit contextMenuWanted(event->globalPosition().toPoint());
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit entryDoubleClicked();
}

void FileListView::SetPlaceholderText(const QString& text) {
    placeholder_ = text;
    viewport()->update();
}

void FileListView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (model() && model()->rowCount() == 0 && !placeholder_.isEmpty()) {
        QPainter painter(viewport());
        QColor color = palette().color(QPalette::Text);
        color.setAlphaF(0.45);
        painter.setPen(color);
        painter.drawText(viewport()->rect().adjusted(12, 8, -12, -8),
                         Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
    }
    if (dropLineAt_ < 0 || !model())
        return;
    const int rows = model()->rowCount();
    int y = 0;
    if (dropLineAt_ < rows)
        y = visualRect(model()->index(dropLineAt_, 0)).top();
    else if (rows > 0)
        y = visualRect(model()->index(rows - 1, 0)).bottom() + 1;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(2, y, viewport()->width() - 3, y);
}

} // namespace quillabe
