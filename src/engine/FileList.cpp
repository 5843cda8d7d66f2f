#include "engine/FileList.h"

#include "base/PathUtils.h"
#include "core/MessageDialogs.h"
#include "core/TypeData.h"
#include "lang/Messages.h"
#include "mediainfo/MediaProbe.h"

#include <algorithm>

namespace quillabe {

FileList::FileList(ProbeFunction probe)
    : probe_(probe ? std::move(probe) : ProbeFunction(ProbeFile)) {}

AddResult FileList::AddFile(const std::string& path) {
    // An add made by the events the hook lets run does not run them again from inside.
    if (beforeAdd_ && !inBeforeAdd_) {
        inBeforeAdd_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{inBeforeAdd_};
        beforeAdd_();
    }
    if (!FileExists(path))
        return AddResult::Missing;
    if (!IsKnownInputType(ExtractFileExt(path)))
        return AddResult::UnknownType;
    if (IndexOf(path) >= 0)
        return AddResult::Duplicate;
    FileEntry entry;
    entry.item.FileName = ExtractFileName(path);
    entry.item.FilePath = ExtractFilePath(path);
    if (!probe_(path, entry.item)) {
        ShowMessageBox(FormatMsg(MSG_FORMAT_ERROR, {path}), Msg(MSG_Error), MB_ICONINFORMATION);
        return AddResult::Refused;
    }
    entry.caption = entry.item.FilePath + entry.item.FileName;
    entries_.push_back(std::move(entry));
    Notify(FileListChange::Kind::Inserted, static_cast<int>(entries_.size()) - 1);
    return AddResult::Added;
}

std::vector<AddResult> FileList::AddFiles(const std::vector<std::string>& paths) {
    // A copy: the hook may let a caller change what `paths` refers to.
    const std::vector<std::string> names = paths;
    std::vector<AddResult> results;
    results.reserve(names.size());
    for (const std::string& name : names)
        results.push_back(AddFile(name));
    return results;
}

void FileList::Clear() {
    entries_.clear();
    Notify(FileListChange::Kind::Cleared);
}

int FileList::IndexOf(const std::string& path) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].caption == path)
            return static_cast<int>(i);
    return -1;
}

void FileList::SetFileState(const std::string& path, TFileState state) {
    int index = IndexOf(path);
    if (index < 0)
        return;
    entries_[static_cast<size_t>(index)].state = state;
    Notify(FileListChange::Kind::StateChanged, index);
}

void FileList::ResetFileStates() {
    for (FileEntry& entry : entries_)
        entry.state = TFileState::Waiting;
    Notify(FileListChange::Kind::StateChanged, -1);
}

int FileList::DeleteEntries(std::vector<int> indices) {
    const int count = static_cast<int>(entries_.size());
    std::erase_if(indices, [count](int i) { return i < 0 || i >= count; });
    if (indices.empty())
        return -1;
    // From the last to the first, so the remaining indices stay valid.
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (int index : indices) {
        entries_.erase(entries_.begin() + index);
        Notify(FileListChange::Kind::Removed, index);
    }
    return SelectListItem(indices.back());
}

int FileList::MoveEntry(int from, int insertAt) {
    const int count = static_cast<int>(entries_.size());
    if (from < 0 || from >= count)
        return -1;
    insertAt = std::clamp(insertAt, 0, count);
    // Inserting the copy before the old entry, or right after it, leaves the order unchanged.
    const int to = insertAt > from ? insertAt - 1 : insertAt;
    if (to == from)
        return from;
    FileEntry moved = std::move(entries_[static_cast<size_t>(from)]);
    entries_.erase(entries_.begin() + from);
    entries_.insert(entries_.begin() + to, std::move(moved));
    Notify(FileListChange::Kind::Moved, from, to);
    return to;
}

int FileList::MoveListItem(int index, bool up) {
    const int count = static_cast<int>(entries_.size());
    if (index < 0 || index >= count)
        return -1;
    if ((up && index == 0) || (!up && index == count - 1))
        return index;
    return MoveEntry(index, up ? index - 1 : index + 2);
}

int FileList::SelectListItem(int index) const {
    if (entries_.empty() || index < 0)
        return -1;
    return std::min(index, static_cast<int>(entries_.size()) - 1);
}

std::string FileList::SummaryText() const {
    switch (entries_.size()) {
    case 0:
        return Msg(MSG_STATUS_NOFILES);
    case 1:
        return Msg(MSG_STATUS_ONEFILE);
    default:
        return FormatMsg(MSG_STATUS_FILES, {static_cast<long long>(entries_.size())});
    }
}

void FileList::Notify(FileListChange::Kind kind, int index, int to) {
    if (listener_)
        listener_(FileListChange{kind, index, to});
}

} // namespace quillabe
