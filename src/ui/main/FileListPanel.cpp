#include "ui/main/FileListPanel.h"

#include "base/PathUtils.h"
#include "core/BusyCursor.h"
#include "core/GlobalVars.h"
#include "core/SystemSettings.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListView.h"
#include "ui/main/MediaPanel.h"
#include "ui/main/ShellOpen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QUrl>

namespace quillabe {

namespace {
// How long an add may go on before pending events run again: often enough that the window
// repaints and answers at once, rarely enough that adding stays at the probe's speed.
constexpr qint64 kAddEventIntervalMs = 20;
} // namespace

FileListPanel::FileListPanel(QWidget* parent, QLabel* summary, MediaPanel* media,
                             ProbeFunction probe)
    : QObject(parent), summary_(summary), media_(media) {
    setObjectName("FileListPanel");
    model_ = new FileListModel(std::move(probe), this);
    view_ = new FileListView(parent);
    view_->setObjectName("ListViewFiles");
    view_->setModel(model_);
    // Queued events (repaints, clicks, further drops) run between two files of one add, though
    // not before every file: a repaint of the window costs about as much as probing a small file.
    model_->List().SetBeforeAddHook([sinceEvents = QElapsedTimer()]() mutable {
        if (sinceEvents.isValid() && sinceEvents.elapsed() < kAddEventIntervalMs)
            return;
        QCoreApplication::processEvents();
        sinceEvents.start();
    });

    connect(model_, &FileListModel::listChanged, this, [this] {
        UpdateSummary();
        ShowSelectedFileInfo();
    });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListPanel::ShowSelectedFileInfo);
    connect(view_, &FileListView::entryDropped, this, &FileListPanel::MoveByDrag);
    connect(view_, &FileListView::entryDoubleClicked, this, &FileListPanel::PlaySource);
}

FileList& FileListPanel::List() {
    return model_->List();
}

void FileListPanel::AddFile(const std::string& path) {
    if (!stopped_)
        List().AddFile(path);
}

void FileListPanel::AddFiles(const std::vector<std::string>& paths) {
    // A copy: the events that run between two files may change what `paths` refers to.
    const std::vector<std::string> names = paths;
    for (const std::string& name : names)
        AddFile(name);
}

void FileListPanel::BrowseInputFiles(bool clearFirst) {
    const auto chosen =
        ChooseInputFiles(view_->window(), GlobalVars.LastInputOpenDir, nameFilters_);
    if (chosen && !chosen->empty()) {
        BusyScope busy;
        if (clearFirst)
            ClearFileList();
        AddFiles(*chosen);
        SelectListItem(static_cast<int>(List().Count()));
        GlobalVars.LastInputOpenDir = ExtractFilePath(chosen->front());
    }
    WriteInfoString("System", "LastInputOpenDir", GlobalVars.LastInputOpenDir);
}

void FileListPanel::AddDroppedUrls(const QList<QUrl>& urls) {
    // Taken as bytes before anything runs: the add lets events run, which may end the drop.
    std::vector<std::string> names;
    for (const QUrl& url : urls) {
        std::string name = LocalBytesFromUrl(url);
        if (!name.empty())
            names.push_back(std::move(name));
    }
    BusyScope busy;
    for (const std::string& name : names) {
        if (!DirectoryExists(name))
            AddFile(name);
    }
    UpdateSummary();
    SelectListItem(static_cast<int>(List().Count()));
}

void FileListPanel::DeleteSelected() {
    const std::vector<int> rows = view_->SelectedRows();
    if (rows.empty())
        return;
    const int select = List().DeleteEntries(rows);
    view_->SelectRow(select);
    PostSummaryRefresh();
}

void FileListPanel::ClearFileList() {
    List().Clear();
    UpdateSummary();
}

void FileListPanel::SelectAll() {
    view_->selectAll();
}

void FileListPanel::MoveSelected(bool up) {
    const int row = view_->FirstSelectedRow();
    if (row < 0)
        return;
    const int moved = List().MoveListItem(row, up);
    view_->SelectRow(moved);
}

void FileListPanel::MoveByDrag(int from, int insertAt) {
    const int moved = List().MoveEntry(from, insertAt);
    view_->SelectRow(moved);
    UpdateSummary();
}

void FileListPanel::SelectListItem(int index) {
    view_->SelectRow(List().SelectListItem(index));
}

void FileListPanel::SetFileState(const std::string& path, TFileState state) {
    List().SetFileState(path, state);
    UpdateSummary();
}

void FileListPanel::ResetFileStates() {
    List().ResetFileStates();
}

std::string FileListPanel::SelectedPath() const {
    const int row = view_->FirstSelectedRow();
    if (row < 0)
        return {};
    const TFileItem& item = model_->List().At(static_cast<size_t>(row)).item;
    return AddBackslash(item.FilePath) + item.FileName;
}

void FileListPanel::PlaySource() const {
    const std::string path = SelectedPath();
    if (!path.empty())
        ShellOpen(path);
}

void FileListPanel::UpdateSummary() {
    if (summary_)
        summary_->setText(QString::fromStdString(List().SummaryText()));
}

void FileListPanel::ShowSelectedFileInfo() {
    if (!media_)
        return;
    const int row = view_->FirstSelectedRow();
    media_->ShowItem(row < 0 ? nullptr : &List().At(static_cast<size_t>(row)).item);
}

void FileListPanel::UpdateVisibility() {
    if (media_)
        media_->setVisible(List().Count() > 0);
}

void FileListPanel::PostSummaryRefresh() {
    QMetaObject::invokeMethod(this, &FileListPanel::UpdateSummary, Qt::QueuedConnection);
}

} // namespace quillabe
