#include "ui/main/PresetMenus.h"

#include "lang/Messages.h"
#include "ui/main/MenuText.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QVariant>

#include <algorithm>

namespace quillabe {

namespace {
constexpr const char* kTagProperty = "tag";
}

PresetMenus::PresetMenus(QWidget* menuParent, QObject* owner)
    : QObject(owner), popupMp4_(new QMenu(menuParent)), popup3gp_(new QMenu(menuParent)),
      subMp4_(new QMenu(menuParent)), sub3gp_(new QMenu(menuParent)),
      mp4Group_(new QActionGroup(this)), tgpGroup_(new QActionGroup(this)) {
    popupMp4_->setObjectName("PopupMenuMP4");
    popup3gp_->setObjectName("PopupMenu3GP");
    subMp4_->setObjectName("OutputFormatMP4");
    sub3gp_->setObjectName("OutputFormat3GP");
    mp4Group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    tgpGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    ApplyLanguage();
}

PresetMenus::~PresetMenus() = default;

std::string PresetMenus::PathOf(const QAction* item) {
    return item ? item->data().toByteArray().toStdString() : std::string();
}

int PresetMenus::TagOf(const QAction* item) {
    return item ? item->property(kTagProperty).toInt() : -1;
}

int PresetMenus::PositionOf(QAction* item) const {
    const auto& items = Items(TagOf(item));
    auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

QAction* PresetMenus::ItemForPath(int tag, const std::string& path) const {
    for (QAction* item : Items(tag))
        if (PathOf(item) == path)
            return item;
    return nullptr;
}

void PresetMenus::UncheckAll(int tag) {
    for (QAction* item : Items(tag))
        item->setChecked(false);
}

QAction* PresetMenus::addItem(const TProfileItem& preset, int tag) {
    auto* item = new QAction(MenuTextOf(preset.Title), this);
    item->setCheckable(true);
    // The path stays in its own bytes: a file name need not be valid UTF-8.
    item->setData(QByteArray::fromStdString(preset.PresetPath));
    item->setStatusTip(QString::fromStdString(preset.PresetPath));
    item->setProperty(kTagProperty, tag);
    (tag == 0 ? mp4Group_ : tgpGroup_)->addAction(item);
    (tag == 0 ? mp4Items_ : tgpItems_).push_back(item);
    connect(item, &QAction::triggered, this, [this, item] { emit itemClicked(item); });
    return item;
}

void PresetMenus::clear() {
    for (QMenu* menu : {popupMp4_, popup3gp_, subMp4_, sub3gp_})
        menu->clear();
    for (auto* list : {&mp4Items_, &tgpItems_, &placeholders_}) {
        for (QAction* item : *list)
            delete item;
        list->clear();
    }
}

void PresetMenus::Build(const PresetCatalogue& catalogue) {
    clear();
    const std::vector<TProfileItem> menuPresets = Mp4PresetMenu(catalogue);
    for (const auto& preset : menuPresets) {
        QAction* item = addItem(preset, 0);
        popupMp4_->addAction(item);
        subMp4_->addAction(item);
    }
    // The MP4 presets the brand leaves out of its menu: still MP4 presets, so the submenu
    // offers them after the menu's own.
    bool separated = menuPresets.empty();
    for (const auto* list :
         {&catalogue.IPodPresetList, &catalogue.PspPresetList, &catalogue.OtherPresetList}) {
        for (const auto& preset : *list) {
            const bool inMenu =
                std::any_of(menuPresets.begin(), menuPresets.end(), [&](const TProfileItem& p) {
                    return p.PresetPath == preset.PresetPath;
                });
            if (inMenu)
                continue;
            if (!separated) {
                subMp4_->addSeparator();
                separated = true;
            }
            subMp4_->addAction(addItem(preset, 0));
        }
    }
    for (const auto& preset : TgpPresetMenu(catalogue)) {
        QAction* item = addItem(preset, 1);
        popup3gp_->addAction(item);
        sub3gp_->addAction(item);
    }
    for (QMenu* sub : {subMp4_, sub3gp_}) {
        if (!sub->isEmpty())
            continue;
        auto* none = new QAction(this);
        none->setEnabled(false);
        sub->addAction(none);
        placeholders_.push_back(none);
    }
    ApplyLanguage();
}

void PresetMenus::ApplyLanguage() {
    subMp4_->setTitle(ShownText(MSG_TOMP4));
    sub3gp_->setTitle(ShownText(MSG_TO3GP));
    for (QAction* none : placeholders_)
        none->setText(ShownText(MSG_NO_PRESETS));
}

} // namespace quillabe
