#pragma once
// The file list as a model: the queue of input files of a batch, in list order, with the rules by
// which files enter it and move in it. The main window's list view presents it; the console front
// end fills it the same way. Main thread only.

#include "core/FileItem.h"
#include "engine/ProgressView.h" // TFileState

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
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

// A change of the list, told twice: AboutTo before the entries change and Done after, with the
// same fields, so a Qt item model can call beginInsertRows/endInsertRows, beginRemoveRows/…,
// beginMoveRows/… and beginResetModel/… around it. A state change is told only when Done.
struct FileListChange {
    enum class Kind { Inserted, Removed, Moved, StateChanged, Cleared };
    enum class Phase { AboutTo, Done };
    Kind kind;
    Phase phase = Phase::Done;
    int index = -1; // Inserted, Removed, StateChanged: the entry (-1: all); Moved: where it was
    int last = -1;  // Inserted, Removed: the last of the neighbouring entries index..last
    int to = -1;    // Moved: where it is afterwards
    // Moved: the place before which it goes, counted before the move (beginMoveRows's
    // destinationChild): `to` + 1 when it moves down, `to` when it moves up.
    int destination = -1;
};

// Fills the media fields of the item for the path; false refuses the file.
using ProbeFunction = std::function<bool(const std::string& path, TFileItem& item)>;

class FileList {
public:
    // The real probe unless another is given.
    explicit FileList(ProbeFunction probe = {});
    // Listeners and the caption index refer to this very object.
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // Runs before each file is added, so a window can let queued events run (it may change the
    // list meanwhile; each add checks the list afresh).
    void SetBeforeAddHook(std::function<void()> hook) { beforeAdd_ = std::move(hook); }
    // Told before and after every change (see FileListChange), so a view never shows rows that
    // are gone. It must not change the list itself.
    void SetChangeListener(std::function<void(const FileListChange&)> listener) {
        listener_ = std::move(listener);
    }

    AddResult AddFile(const std::string& path);
    std::vector<AddResult> AddFiles(const std::vector<std::string>& paths);
    void Clear();

    size_t Count() const { return entries_.size(); }
    const FileEntry& At(size_t index) const { return entries_.at(index); }
    // Index of the entry whose caption equals the path exactly (letter case counts); -1 if none.
    // Captions are unique, and an index keeps this a constant-time look-up however long the list.
    int IndexOf(const std::string& path) const;

    // How often two captions were compared so far: the work of the duplicate test, which must
    // stay constant per file so that adding n files costs O(n), not O(n²).
    size_t CaptionComparisons() const { return comparisons_; }

    // The entry with exactly this caption takes the state; no entry, no change.
    void SetFileState(const std::string& path, TFileState state);
    void ResetFileStates(); // every entry back to Waiting

    // Selection rules. Each returns the index to select afterwards, -1 for none.
    // Removes the given entries (out-of-range indices are ignored) and selects the entry now at
    // the smallest removed index, or the new last one; nothing given, nothing happens (-1).
    // Neighbouring entries go as one run, from the last run to the first.
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
    struct CountingEqual {
        size_t* count;
        bool operator()(const std::string& a, const std::string& b) const {
            ++*count;
            return a == b;
        }
    };

    // Sets the index of the entries [first, last) to their places after a shift.
    void Reindex(size_t first, size_t last);
    // Tells the listener AboutTo, applies the change, tells it Done.
    template <typename Apply> void Announce(FileListChange change, Apply&& apply);
    void Notify(const FileListChange& change) const;

    ProbeFunction probe_;
    std::function<void()> beforeAdd_;
    bool inBeforeAdd_ = false;
    std::function<void(const FileListChange&)> listener_;
    std::vector<FileEntry> entries_;
    mutable size_t comparisons_ = 0;
    // Each entry's place by its caption, always in step with entries_.
    std::unordered_map<std::string, size_t, std::hash<std::string>, CountingEqual> positions_{
        0, std::hash<std::string>{}, CountingEqual{&comparisons_}};
};

} // namespace quillabe
