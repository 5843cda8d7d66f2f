#pragma once
// What the profile commands need of each of the fourteen profile formats: its settings record's
// operations, its profile folder and extension, and how its editor window is made.

#include "profiles/ProfileRecords.h"
#include "ui/editors/frame/ProfileEditor.h"

#include <memory>
#include <string>

class QWidget;

namespace quillabe {

using ProfileEditorMaker = std::unique_ptr<TProfileEditor> (*)(int formatIndex, QWidget* owner);

struct ProfileFormat {
    int format;
    std::string_view name; // "AVI", for messages
    const ProfileRecordOps* record;
    ProfileEditorMaker createEditor;

    // GetProfileExt of the format's directory name, without a dot ("avo").
    std::string Extension() const;
    // The format's profile folder with its trailing separator (ProfileDirs).
    std::string Folder() const;
};

// The format's entry; nullptr for MP4, 3GP and indexes outside the sixteen formats.
const ProfileFormat* FindProfileFormat(int format);

} // namespace quillabe
