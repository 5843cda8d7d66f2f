#pragma once
// The four commands on the profiles of the current format (edit, add, rename, delete) and the
// profile menu. They exist once for all fourteen profile formats: what differs per format comes
// from ProfileFormats, and the boxes are reached through ProfileBoxAccess.
//
// The main window creates one instance with its ProfileBoxes and binds its five actions.

#include "ui/editors/frame/ProfileBoxAccess.h"
#include "ui/editors/frame/ProfileEditor.h"

#include <QMenu>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;

namespace quillabe {

struct ProfileFormat;

class ProfileCommands : public QObject {
    Q_OBJECT
public:
    explicit ProfileCommands(std::unique_ptr<ProfileBoxAccess> boxes, QObject* parent = nullptr);
    ~ProfileCommands() override;

    // Connects the actions to the commands and builds PopupMenuProfile (Add..., separator,
    // Delete, Rename...) from them; `more` opens that menu at the mouse cursor.
    void Bind(QAction* edit, QAction* add, QAction* rename, QAction* del, QAction* more);

    void EditProfile();
    void AddProfile();
    void RenameProfile();
    void DeleteProfile();
    void ShowProfileMenu();

    QMenu* PopupMenuProfile() const { return popupMenu_; }
    ProfileBoxAccess& Boxes() const { return *boxes_; }

    // Replaces how editors are made (tests); an empty function restores the formats' own.
    using EditorMaker = std::function<std::unique_ptr<TProfileEditor>(int format, QWidget* owner)>;
    void SetEditorMaker(EditorMaker maker) { editorMaker_ = std::move(maker); }

private:
    // The current format's entry; nullptr for MP4, 3GP or no format.
    const ProfileFormat* currentFormat() const;
    // The format's editor centred over the main window; nullptr after telling the user that the
    // format has no editor yet.
    std::unique_ptr<TProfileEditor> makeEditor(const ProfileFormat& format) const;
    // Saves the record; false after telling the user why the file could not be written.
    bool saveRecord(const ProfileFormat& format, const std::string& path) const;

    std::unique_ptr<ProfileBoxAccess> boxes_;
    EditorMaker editorMaker_;
    QPointer<QMenu> popupMenu_;
};

} // namespace quillabe
