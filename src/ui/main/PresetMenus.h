#pragma once
// The preset menus of MP4 and 3GP: one radio item per preset file, whose data holds the file's
// path and whose "tag" property is 0 (MP4) or 1 (3GP). The MP4 menu shows what this build's
// brand offers; the MP4 submenu of the Output Format menu shows the same items followed by every
// other MP4 preset (PSP and the rest), so that each installed preset can be chosen. Both menus
// hold the same actions, so a check shows in both.

#include "profiles/PresetCatalogue.h"

#include <QObject>

#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace quillabe {

class PresetMenus : public QObject {
    Q_OBJECT
public:
    // The menus are made as popups of `menuParent`.
    PresetMenus(QWidget* menuParent, QObject* owner);
    ~PresetMenus() override;

    // Replaces every item with the presets of the catalogue.
    void Build(const PresetCatalogue& catalogue);
    void ApplyLanguage();

    QMenu* PopupMenuMP4() const { return popupMp4_; }
    QMenu* PopupMenu3GP() const { return popup3gp_; }
    // The submenus "To MP4" and "To 3GP" of the Output Format menu.
    QMenu* Mp4Submenu() const { return subMp4_; }
    QMenu* TgpSubmenu() const { return sub3gp_; }

    // The preset items of MP4 (tag 0: the MP4 menu's items, then the ones only the submenu
    // offers) or of 3GP (tag 1). An item's position is its index here.
    const std::vector<QAction*>& Items(int tag) const { return tag == 0 ? mp4Items_ : tgpItems_; }
    int PositionOf(QAction* item) const;
    // The first item of the tag whose preset file is `path`, or nullptr.
    QAction* ItemForPath(int tag, const std::string& path) const;
    // Unchecks every item of the tag.
    void UncheckAll(int tag);

    static std::string PathOf(const QAction* item);
    static int TagOf(const QAction* item);

signals:
    void itemClicked(QAction* item);

private:
    QAction* addItem(const TProfileItem& preset, int tag);
    void clear();

    QMenu* popupMp4_;
    QMenu* popup3gp_;
    QMenu* subMp4_;
    QMenu* sub3gp_;
    QActionGroup* mp4Group_;
    QActionGroup* tgpGroup_;
    std::vector<QAction*> mp4Items_;
    std::vector<QAction*> tgpItems_;
    std::vector<QAction*> placeholders_; // "No presets installed" in an empty submenu
};

} // namespace quillabe
