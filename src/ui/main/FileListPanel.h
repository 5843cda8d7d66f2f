#pragma once
// The file list as the window shows it: the model, its list view, the summary line and the media
// panel kept in step, and the operations the window's commands run on them. Logic lives here
// rather than in the window so it can be driven without one.

#include "engine/FileList.h"

#include <QObject>
#include <QStringList>

#include <string>
#include <vector>

class QLabel;
class QUrl;
class QWidget;

namespace quillabe {

class FileListModel;
class FileListView;
class MediaPanel;

class FileListPanel : public QObject {
    Q_OBJECT
public:
    // Creates the list view ("ListViewFiles") on the parent; the summary label and the media
    // panel are the window's. The real probe unless another is given.
    FileListPanel(QWidget* parent, QLabel* summary, MediaPanel* media, ProbeFunction probe = {});

    FileListModel* Model() const { return model_; }
    FileListView* View() const { return view_; }
    FileList& List();

    // Adds the files in order; pending events run between them (at most every few milliseconds),
    // so the window stays responsive and may even change the list meanwhile.
    void AddFile(const std::string& path);
    void AddFiles(const std::vector<std::string>& paths);
    // Ends an add in progress after the current file (the window is closing); no add starts
    // afterwards.
    void StopAdding() { stopped_ = true; }
    // The open dialog: chosen files are added and the last one selected; the folder of the first
    // becomes the last input folder, which is written to the settings file whatever the answer.
    void BrowseInputFiles(bool clearFirst);
    // Files dropped from the desktop, in the order given; folders are skipped, not searched.
    void AddDroppedUrls(const QList<QUrl>& urls);

    void DeleteSelected();
    void ClearFileList();
    void SelectAll();
    void MoveSelected(bool up); // only the first selected entry moves
    void MoveByDrag(int from, int insertAt);
    void SelectListItem(int index);

    void SetFileState(const std::string& path, TFileState state);
    void ResetFileStates();

    // The first selected entry's full path; empty when nothing is selected.
    std::string SelectedPath() const;
    void PlaySource() const;

    void UpdateSummary();
    void ShowSelectedFileInfo();
    // The media panel shows exactly when the list has entries; checked when the window is idle.
    void UpdateVisibility();

    // The open dialog's filters, rebuilt whenever the window applies its language texts.
    void SetNameFilters(QStringList filters) { nameFilters_ = std::move(filters); }

private:
    void PostSummaryRefresh();

    FileListModel* model_;
    FileListView* view_;
    QLabel* summary_;
    MediaPanel* media_;
    QStringList nameFilters_;
    bool stopped_ = false;
};

} // namespace quillabe
