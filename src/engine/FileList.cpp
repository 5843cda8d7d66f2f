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

template <typename Apply> void FileList::Announce(FileListChange change, Apply&& apply) {
    change.phase = FileListChange::Phase::AboutTo;
    Notify(change);
    apply();
    change.phase = FileListChange::Phase::Done;
    Notify(change);
}

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
    const int index = static_cast<int>(entries_.size());
    Announce({.kind = FileListChange::Kind::Inserted, .index = index, .last = index}, [&] {
        positions_.emplace(entry.caption, entries_.size());
        entries_.push_back(std::move(entry));
    });
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
    Announce({.kind = FileListChange::Kind::Cleared}, [this] {
        entries_.clear();
        positions_.clear();
    });
}

int FileList::IndexOf(const std::string& path) const {
    const auto found = positions_.find(path);
    return found == positions_.end() ? -1 : static_cast<int>(found->second);
}

void FileList::SetFileState(const std::string& path, TFileState state) {
    int index = IndexOf(path);
    if (index < 0)
        return;
    entries_[static_cast<size_t>(index)].state = state;
    Notify({.kind = FileListChange::Kind::StateChanged, .index = index});
}

void FileList::ResetFileStates() {
    for (FileEntry& entry : entries_)
        entry.state = TFileState::Waiting;
    Notify({.kind = FileListChange::Kind::StateChanged, .index = -1});
}

int FileList::DeleteEntries(std::vector<int> indices) {
    const int count = static_cast<int>(entries_.size());
    std::erase_if(indices, [count](int i) { return i < 0 || i >= count; });
    if (indices.empty())
        return -1;
    // From the last run to the first, so the indices still to come stay valid; a run goes in one
    // step, so that clearing a long selection does not shift the rest once per entry.
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (size_t i = 0; i < indices.size();) {
        const int last = indices[i];
        while (i + 1 < indices.size() && indices[i + 1] == indices[i] - 1)
            ++i;
        const int first = indices[i++];
        Announce({.kind = FileListChange::Kind::Removed, .index = first, .last = last}, [&] {
            const auto begin = entries_.begin() + first;
            const auto end = entries_.begin() + last + 1;
            for (auto it = begin; it != end; ++it)
                positions_.erase(it->caption);
            entries_.erase(begin, end);
            Reindex(static_cast<size_t>(first), entries_.size());
        });
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
    const FileListChange change{
        .kind = FileListChange::Kind::Moved, .index = from, .to = to, .destination = insertAt};
    Announce(change, [&] {
        const auto at = [this](int i) { return entries_.begin() + i; };
        if (from < to)
            std::rotate(at(from), at(from + 1), at(to + 1));
        else
            std::rotate(at(to), at(from), at(from + 1));
        Reindex(static_cast<size_t>(std::min(from, to)),
                static_cast<size_t>(std::max(from, to)) + 1);
    });
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

void FileList::Reindex(size_t first, size_t last) {
    for (size_t i = first; i < last; ++i)
        positions_.find(entries_[i].caption)->second = i;
}

void FileList::Notify(const FileListChange& change) const {
    if (listener_)
        listener_(change);
}

} // namespace quillabe
