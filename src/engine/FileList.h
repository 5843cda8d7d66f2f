#pragma once
// The file list as a model: the queue of input files of a batch, in list order, with the rules by
// which files enter it and move in it. The main window's list view presents it; the console front
// end fills it the same way. Main thread only.

#include "core/FileItem.h"
#include "engine/ProgressView.h" // TFileState

#include <functional>
#include <string>
#include <vector>

namespace quillabe {

struct FileEntry {
    std::string caption; // the full path: item.FilePath + item.FileName
    TFileState state = TFileState::Waiting;
    TFileItem item; // travels with the entry when it moves
};

enum class AddResult {
    Added,
    Missing,     // no file at the path (a folder is not a file)
    UnknownType, // the extension is not a known input type
    Duplicate,   // an entry with exactly this caption exists
    Refused,     // the probe refused the file; the user was told
};

struct FileListChange {
    enum class Kind { Inserted, Removed, Moved, StateChanged, Cleared };
    Kind kind;
    int index = -1; // Inserted, Removed, StateChanged: the entry (-1: all); Moved: where it was
    int to = -1;    // Moved: where it is now
};

// Fills the media fields of the item for the path; false refuses the file.
using ProbeFunction = std::function<bool(const std::string& path, TFileItem& item)>;

class FileList {
public:
    // The real probe unless another is given.
    explicit FileList(ProbeFunction probe = {});

    // Runs before each file is added, so a window can let queued events run (it may change the
    // list meanwhile; each add checks the list afresh).
    void SetBeforeAddHook(std::function<void()> hook) { beforeAdd_ = std::move(hook); }
    // Told after every change, so a view can refresh. It must not change the list itself.
    void SetChangeListener(std::function<void(const FileListChange&)> listener) {
        listener_ = std::move(listener);
    }

    AddResult AddFile(const std::string& path);
    std::vector<AddResult> AddFiles(const std::vector<std::string>& paths);
    void Clear();

    size_t Count() const { return entries_.size(); }
    const FileEntry& At(size_t index) const { return entries_.at(index); }
    // Index of the entry whose caption equals the path exactly (letter case counts); -1 if none.
    int IndexOf(const std::string& path) const;

    // The entry with exactly this caption takes the state; no entry, no change.
    void SetFileState(const std::string& path, TFileState state);
    void ResetFileStates(); // every entry back to Waiting

    // Selection rules. Each returns the index to select afterwards, -1 for none.
    // Removes the given entries (out-of-range indices are ignored) and selects the entry now at
    // the smallest removed index, or the new last one; nothing given, nothing happens (-1).
    int DeleteEntries(std::vector<int> indices);
    // Moves the entry one place up or down; the first entry up and the last down stay (and stay
    // selected). Only one entry moves: the caller passes the first selected one.
    int MoveListItem(int index, bool up);
    // Moves the entry as a copy inserted at `insertAt` (a position counted before the old entry is
    // removed, 0..Count()) followed by removing the old one, as a drag reorder does.
    int MoveEntry(int from, int insertAt);
    // The index clamped to the last entry; -1 when the list is empty or the index is negative.
    int SelectListItem(int index) const;

    // "Summary: No files" / "Summary: One file" / "Summary: %d files".
    std::string SummaryText() const;

private:
    void Notify(FileListChange::Kind kind, int index = -1, int to = -1);

    ProbeFunction probe_;
    std::function<void()> beforeAdd_;
    bool inBeforeAdd_ = false;
    std::function<void(const FileListChange&)> listener_;
    std::vector<FileEntry> entries_;
};

} // namespace quillabe
