#pragma once
// The Languages submenu: one radio item per language file of the language folder. Choosing one
// loads its texts at once and emits languageChanged(), on which the main window copies the new
// texts into its controls.

#include <QMenu>

class QAction;
class QActionGroup;

namespace quillabe {

class LanguagesMenu : public QMenu {
    Q_OBJECT
public:
    explicit LanguagesMenu(QWidget* parent = nullptr);

    // Lists the language folder again; the item of the current LanguageFile is checked.
    void BuildLanguageMenu();
    // The submenu's own caption.
    void ApplyLanguage();
    // Switches to the item's language. A language whose file can no longer be read (removed
    // since the menu was built, or not a file at all) is not switched to: the texts and the
    // remembered language stay, and the menu is listed again.
    void LanguageMenuItemClick(QAction* item);

signals:
    void languageChanged();

private:
    QActionGroup* group_;
};

} // namespace quillabe
