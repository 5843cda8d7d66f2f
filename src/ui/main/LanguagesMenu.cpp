#include "ui/main/LanguagesMenu.h"

#include "base/PathUtils.h"
#include "core/ProgramDir.h"
#include "core/StartupConstants.h"
#include "lang/LanguageMenu.h"
#include "lang/Messages.h"
#include "ui/main/MenuText.h"

#include <QAction>
#include <QActionGroup>

#include <algorithm>

namespace quillabe {

namespace {

// The file a click on the caption would load (the caption is the upper-cased name, and a "&" in
// it is dropped the way the switch drops it).
std::string languageFileOf(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return FindFileIgnoringCase(ProgramDir() + AddBackslash(LangDir), caption + ".ini");
}

bool readable(const std::string& path) {
    std::string text;
    return FileExists(path) && ReadFileText(path, text);
}

} // namespace

LanguagesMenu::LanguagesMenu(QWidget* parent) : QMenu(parent), group_(new QActionGroup(this)) {
    setObjectName("LanguagesMI");
    group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    ApplyLanguage();
}

void LanguagesMenu::ApplyLanguage() {
    setTitle(ShownText(MSG_LANG));
}

void LanguagesMenu::BuildLanguageMenu() {
    // Later, not now: a click on an item may be what rebuilds the menu.
    for (QAction* item : group_->actions()) {
        group_->removeAction(item);
        item->deleteLater();
    }
    clear();
    for (const LanguageMenuItem& language : quillabe::BuildLanguageMenu()) {
        auto* item = new QAction(MenuTextOf(language.caption), group_);
        item->setCheckable(true);
        item->setChecked(language.checked);
        item->setData(QByteArray::fromStdString(language.caption));
        connect(item, &QAction::triggered, this, [this, item] { LanguageMenuItemClick(item); });
        addAction(item);
    }
}

void LanguagesMenu::LanguageMenuItemClick(QAction* item) {
    const std::string caption = item->data().toByteArray().toStdString();
    if (!readable(languageFileOf(caption))) {
        // Switching would remember a language that cannot be loaded; keep the current one.
        BuildLanguageMenu();
        return;
    }
    quillabe::LanguageMenuItemClick(caption);
    ApplyLanguage();
    item->setChecked(true);
    emit languageChanged();
}

} // namespace quillabe
