#pragma once
// The current output format and its profile or preset. Owns the seventeen profile boxes (one per
// format plus ComboBoxProfile, which lists the variants of the chosen MP4/3GP preset), the sixteen
// format actions with ActionToOthers, the other-formats menu, the MP4 and 3GP preset menus and the
// Output Format menu that reaches every format and preset without the toolbar.
//
// How the current format shows: of the nine toolbar actions (AVI, MP4, 3GP, MPEG, MOV, WMV, RM,
// SWF, Others) exactly one is disabled; when an other-formats entry is current, ActionToOthers is
// the disabled one and that entry's action is checked. Only the current format's box is visible.
//
// The main window creates it on the widget that holds the boxes, then at start-up calls
// LoadProfileLists() and RestoreStartupFormat(), and ApplyLanguage() with its own texts.

#include "profiles/PresetCatalogue.h"

#include <QObject>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QWidget;

namespace quillabe {

struct SkinLayout;
class PresetMenus;

class FormatSelection : public QObject {
    Q_OBJECT
public:
    // The boxes become children of `parent` at the layout's profile-box geometry.
    FormatSelection(QWidget* parent, const SkinLayout& layout);
    ~FormatSelection() override;

    // Start-up, once the profile folders exist: fills every format's box (each selects its first
    // profile), reads the preset catalogue of GlobalVars.PresetDir and builds the preset menus.
    void LoadProfileLists();
    // Start-up, after LoadProfileLists: makes GlobalVars.OutputFormat current; for MP4 and 3GP
    // with a saved GlobalVars.PresetFileName, lists that preset's variants and checks its item.
    void RestoreStartupFormat();
    // Copies the current message texts into the actions and menus.
    void ApplyLanguage();

    // Makes the format of a format action current (see above); the boxes keep their contents.
    void SelectFormat(QAction* action);
    // A preset item was chosen: lists its variants, checks it and makes MP4 or 3GP current.
    void PresetMenuItemClick(QAction* item);
    // A click on the hidden button area of the current format: reopens its menu at the cursor
    // (MP4 and 3GP their preset menus, the other-formats entries the other-formats menu).
    void FormatAreaClicked(int format);
    // Re-lists the format's profile folder into its box and selects the name (letter case
    // significant; none: the first profile; a name not listed: no selection).
    void FillProfileCombo(int format, const std::optional<std::string>& nameToSelect);

    // GlobalVars.OutputFormat, which SelectFormat keeps.
    int CurrentFormat() const;
    // The current format as the action states show it, -1 when they show none.
    int FormatFromActionStates() const;
    // The output extension with its dot; MP4 and 3GP take the selected variant's EXT.
    std::string GetOutputExtension() const;
    // The format's profile folder + the selected name + its profile extension.
    std::string CurrentProfilePath() const;
    // The selected profile name of a format's box, in its own bytes; empty without a selection.
    std::string CurrentProfileName(int format) const;
    // The selected variant of the chosen preset, if any.
    std::optional<TProfileDetailItem> SelectedPreset() const;

    // ActionToAVI ... ActionToWAV by format number; nullptr outside 0..15.
    QAction* FormatAction(int format) const;
    QAction* ActionToOthers() const { return actionToOthers_; }
    // A format's own profile box (MP4 and 3GP: the boxes of their profile folders, which are
    // filled but never shown).
    QComboBox* ProfileBox(int format) const;
    QComboBox* ComboBoxProfile() const { return comboBoxProfile_; }
    // The box that shows for the current format.
    QComboBox* CurrentProfileBox() const;
    QMenu* PopupMenuMP4() const;
    QMenu* PopupMenu3GP() const;
    QMenu* PopupMenuOtherFormats() const { return popupOthers_; }
    // "Output Format": a radio item per profile format and the MP4 and 3GP preset submenus, for
    // the main window's help and file-list menus.
    QMenu* OutputFormatMenu() const { return outputFormatMenu_; }
    const PresetMenus& Presets() const { return *presets_; }

    // The profile commands (edit, add, rename, delete, more): enabled except for MP4 and 3GP.
    void SetProfileCommandActions(std::vector<QAction*> actions);

signals:
    void formatChanged(int format);

private:
    void createActions();
    void createOutputFormatMenu();
    void fillPresetVariants(const std::string& presetPath);
    void syncOutputFormatMenu();

    std::array<QComboBox*, 16> boxes_{};
    QComboBox* comboBoxProfile_ = nullptr;
    std::vector<TProfileDetailItem> variants_; // the items of ComboBoxProfile
    std::array<QAction*, 16> formatActions_{};
    QAction* actionToOthers_ = nullptr;
    QActionGroup* otherFormatsGroup_ = nullptr;
    QMenu* popupOthers_ = nullptr;
    QMenu* outputFormatMenu_ = nullptr;
    QActionGroup* outputFormatGroup_ = nullptr;
    std::array<QAction*, 16> outputFormatItems_{}; // null for MP4 and 3GP (their submenus)
    PresetMenus* presets_ = nullptr;
    PresetCatalogue catalogue_;
    std::vector<QAction*> profileCommands_;
};

} // namespace quillabe
