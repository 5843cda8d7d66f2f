#include "ui/main/FormatSelection.h"

#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "engine/BatchController.h"
#include "lang/Messages.h"
#include "profiles/ProfileLists.h"
#include "ui/main/MenuText.h"
#include "ui/main/PresetMenus.h"
#include "ui/skin/SkinLayout.h"
#include "ui/skin/SkinPalette.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCursor>
#include <QMenu>
#include <QPalette>
#include <QWidget>

namespace quillabe {

namespace {

constexpr std::array<const char*, 16> kBoxNames = {
    "ComboBoxAviProfile", "ComboBoxMp4Profile", "ComboBoxTgpProfile", "ComboBoxMPEGProfile",
    "ComboBoxMovProfile", "ComboBoxWmvProfile", "ComboBoxRmProfile",  "ComboBoxSwfProfile",
    "ComboBoxVobProfile", "ComboBoxAsfProfile", "ComboBoxAacProfile", "ComboBoxAc3Profile",
    "ComboBoxMp2Profile", "ComboBoxMp3Profile", "ComboBoxAmrProfile", "ComboBoxWavProfile"};

constexpr std::array<MsgId, 16> kCaptions = {
    MSG_TOAVI, MSG_TOMP4, MSG_TO3GP, MSG_TOMPEG, MSG_TOMOV, MSG_TOWMV, MSG_TORM,  MSG_TOSWF,
    MSG_TOVOB, MSG_TOASF, MSG_TOAAC, MSG_TOAC3,  MSG_TOMP2, MSG_TOMP3, MSG_TOAMR, MSG_TOWAV};

// The order in which the boxes are filled at start-up.
constexpr std::array<TOutputFormat, 16> kFillOrder = {ofAVI, ofMP4, of3GP, ofMPEG, ofMOV, ofWMV,
                                                      ofRM,  ofSWF, ofAAC, ofAC3,  ofMP2, ofAMR,
                                                      ofWAV, ofMP3, ofVOB, ofASF};

// The other-formats menu, a null entry standing for a separator.
constexpr std::array<int, 9> kOtherFormatsMenu = {ofASF, ofVOB, -1,    ofAAC, ofAC3,
                                                  ofMP2, ofMP3, ofAMR, ofWAV};

// The Output Format menu: video formats, then audio.
constexpr std::array<int, 17> kOutputFormatMenu = {ofAVI, ofMP4, of3GP, ofMPEG, ofMOV, ofWMV,
                                                   ofRM,  ofSWF, ofASF, ofVOB,  -1,    ofAAC,
                                                   ofAC3, ofMP2, ofMP3, ofAMR,  ofWAV};

// The toolbar has a button for AVI to SWF; the other eight share "To Others".
constexpr bool isToolbarFormat(int format) {
    return format >= ofAVI && format <= ofSWF;
}

// The profile commands look at these in this order when the toolbar shows no format.
constexpr std::array<TOutputFormat, 8> kCheckedOrder = {ofAAC, ofAC3, ofMP2, ofAMR,
                                                        ofWAV, ofMP3, ofVOB, ofASF};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void applyFieldColours(QComboBox* box, const SkinPalette& skin) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, skin.field);
    p.setColor(QPalette::Button, skin.field);
    p.setColor(QPalette::Text, skin.fieldText);
    p.setColor(QPalette::ButtonText, skin.fieldText);
    p.setColor(QPalette::Highlight, skin.selection);
    p.setColor(QPalette::HighlightedText, skin.selectionText);
    box->setPalette(p);
}

} // namespace

FormatSelection::FormatSelection(QWidget* parent, const SkinLayout& layout) : QObject(parent) {
    const SkinPalette& skin = BuiltInSkin(layout.DefaultSkin);
    auto makeBox = [&](const char* name, const SkinRect& r) {
        auto* box = new QComboBox(parent);
        box->setObjectName(name);
        box->setGeometry(r.left, r.top, r.width, r.height);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        applyFieldColours(box, skin);
        box->setVisible(false);
        return box;
    };
    // The skin moves the AVI box only; the others keep the design place, like the layout says.
    for (int f = 0; f < kOutputFormatCount; ++f)
        boxes_[f] =
            makeBox(kBoxNames[f], f == ofAVI ? layout.ComboBoxAviProfile : kDesignProfileBox);
    comboBoxProfile_ = makeBox("ComboBoxProfile", kDesignProfileBox);

    presets_ = new PresetMenus(parent, this);
    connect(presets_, &PresetMenus::itemClicked, this, &FormatSelection::PresetMenuItemClick);
    createActions();
    createOutputFormatMenu();
    ApplyLanguage();
}

FormatSelection::~FormatSelection() = default;

void FormatSelection::createActions() {
    auto* parentWidget = qobject_cast<QWidget*>(parent());
    for (int f = 0; f < kOutputFormatCount; ++f) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromUtf8(kOutputFormats[f].action));
        formatActions_[f] = action;
    }
    actionToOthers_ = new QAction(this);
    actionToOthers_->setObjectName("ActionToOthers");

    popupOthers_ = new QMenu(parentWidget);
    popupOthers_->setObjectName("PopupMenuOtherFormats");
    otherFormatsGroup_ = new QActionGroup(this);
    // Optional: SelectFormat unchecks all eight when a toolbar format becomes current.
    otherFormatsGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int f : kOtherFormatsMenu) {
        if (f < 0) {
            popupOthers_->addSeparator();
            continue;
        }
        formatActions_[f]->setCheckable(true);
        otherFormatsGroup_->addAction(formatActions_[f]);
        popupOthers_->addAction(formatActions_[f]);
    }

    for (int f = 0; f < kOutputFormatCount; ++f) {
        QAction* action = formatActions_[f];
        if (IsPresetFormat(f))
            connect(action, &QAction::triggered, this, [this, f] { FormatAreaClicked(f); });
        else
            connect(action, &QAction::triggered, this, [this, action] { SelectFormat(action); });
    }
    connect(actionToOthers_, &QAction::triggered, this, [this] { FormatAreaClicked(ofVOB); });
}

void FormatSelection::createOutputFormatMenu() {
    outputFormatMenu_ = new QMenu(qobject_cast<QWidget*>(parent()));
    outputFormatMenu_->setObjectName("OutputFormatMenu");
    outputFormatGroup_ = new QActionGroup(this);
    outputFormatGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int f : kOutputFormatMenu) {
        if (f < 0) {
            outputFormatMenu_->addSeparator();
            continue;
        }
        if (IsPresetFormat(f)) {
            // The submenu's own entry carries the radio mark while MP4 or 3GP is current.
            QAction* entry = outputFormatMenu_->addMenu(f == ofMP4 ? presets_->Mp4Submenu()
                                                                   : presets_->TgpSubmenu());
            entry->setCheckable(true);
            outputFormatGroup_->addAction(entry);
            continue;
        }
        auto* item = new QAction(this);
        item->setCheckable(true);
        item->setObjectName(QString::fromUtf8(kOutputFormats[f].action) + "Item");
        outputFormatGroup_->addAction(item);
        outputFormatMenu_->addAction(item);
        outputFormatItems_[f] = item;
        // The same as the format's own action, which ignores triggers while it is disabled.
        connect(item, &QAction::triggered, this, [this, f] { SelectFormat(formatActions_[f]); });
    }
}

void FormatSelection::ApplyLanguage() {
    // The toolbar buttons paint their picture above the caption: the line breaks move it down.
    const std::string below = "\r\r\r\r";
    for (int f = 0; f < kOutputFormatCount; ++f) {
        const std::string caption = ShownMsg(kCaptions[f]);
        formatActions_[f]->setText(qs(isToolbarFormat(f) ? below + caption : caption));
        if (outputFormatItems_[f])
            outputFormatItems_[f]->setText(qs(caption));
    }
    actionToOthers_->setText(qs(below + ShownMsg(MSG_TOOTHERS)));
    outputFormatMenu_->setTitle(ShownText(MSG_OUTPUT_FORMAT));
    presets_->ApplyLanguage();
}

void FormatSelection::LoadProfileLists() {
    for (TOutputFormat f : kFillOrder)
        FillProfileCombo(f, std::nullopt);
    catalogue_ = PresetCatalogue{};
    LoadPresetCatalogue(GlobalVars.PresetDir, catalogue_);
    presets_->Build(catalogue_);
}

void FormatSelection::RestoreStartupFormat() {
    int format =
        GlobalVars.OutputFormat < kOutputFormatCount ? int(GlobalVars.OutputFormat) : int(ofAVI);
    const std::string& path = GlobalVars.PresetFileName;
    if (IsPresetFormat(format) && !path.empty()) {
        int tag = format == ofMP4 ? 0 : 1;
        int& index = tag == 0 ? GlobalVars.Mp4PresetIndex : GlobalVars.TgpPresetIndex;
        const auto& items = presets_->Items(tag);
        // The stored position may be stale (preset files removed, or never stored): the item
        // checked is the one that holds the saved preset, and none when no item does.
        QAction* item = index >= 0 && static_cast<size_t>(index) < items.size() &&
                                PresetMenus::PathOf(items[static_cast<size_t>(index)]) == path
                            ? items[static_cast<size_t>(index)]
                            : presets_->ItemForPath(tag, path);
        if (!item) {
            // A 3GP preset saved while the start-up format is MP4 (or the other way round):
            // the format whose menu holds the preset is the one that converts with it.
            if (QAction* other = presets_->ItemForPath(1 - tag, path)) {
                tag = 1 - tag;
                format = tag == 0 ? ofMP4 : of3GP;
                item = other;
            }
        }
        fillPresetVariants(path);
        if (item) {
            item->setChecked(true);
            (tag == 0 ? GlobalVars.Mp4PresetIndex : GlobalVars.TgpPresetIndex) =
                presets_->PositionOf(item);
        } else {
            presets_->UncheckAll(tag);
        }
    }
    SelectFormat(formatActions_[format]);
}

void FormatSelection::SelectFormat(QAction* action) {
    int format = -1;
    for (int f = 0; f < kOutputFormatCount; ++f)
        if (formatActions_[f] == action)
            format = f;
    if (format < 0)
        return;
    for (int f = 0; f < kOutputFormatCount; ++f) {
        if (isToolbarFormat(f))
            formatActions_[f]->setEnabled(true);
        else
            formatActions_[f]->setChecked(false);
    }
    actionToOthers_->setEnabled(true);
    if (isToolbarFormat(format)) {
        action->setEnabled(false);
    } else {
        action->setChecked(true);
        actionToOthers_->setEnabled(false);
    }
    QComboBox* front = IsPresetFormat(format) ? comboBoxProfile_ : boxes_[format];
    for (QComboBox* box : boxes_)
        box->setVisible(box == front);
    comboBoxProfile_->setVisible(comboBoxProfile_ == front);
    front->raise();
    GlobalVars.OutputFormat = static_cast<uint8_t>(format);
    for (QAction* command : profileCommands_)
        command->setEnabled(!IsPresetFormat(format));
    syncOutputFormatMenu();
    emit formatChanged(format);
}

void FormatSelection::syncOutputFormatMenu() {
    const int format = GlobalVars.OutputFormat;
    for (int f = 0; f < kOutputFormatCount; ++f)
        if (outputFormatItems_[f])
            outputFormatItems_[f]->setChecked(f == format);
    presets_->Mp4Submenu()->menuAction()->setChecked(format == ofMP4);
    presets_->TgpSubmenu()->menuAction()->setChecked(format == of3GP);
}

void FormatSelection::PresetMenuItemClick(QAction* item) {
    const int tag = PresetMenus::TagOf(item);
    if (tag != 0 && tag != 1)
        return;
    const std::string path = PresetMenus::PathOf(item);
    fillPresetVariants(path);
    item->setChecked(true);
    SelectFormat(formatActions_[tag == 0 ? ofMP4 : of3GP]);
    (tag == 0 ? GlobalVars.Mp4PresetIndex : GlobalVars.TgpPresetIndex) = presets_->PositionOf(item);
    GlobalVars.PresetFileName = path;
}

void FormatSelection::fillPresetVariants(const std::string& presetPath) {
    comboBoxProfile_->setUpdatesEnabled(false);
    comboBoxProfile_->clear();
    variants_ = LoadPresetItems(presetPath);
    for (const auto& variant : variants_)
        comboBoxProfile_->addItem(qs(variant.Title));
    comboBoxProfile_->setCurrentIndex(variants_.empty() ? -1 : 0);
    comboBoxProfile_->setUpdatesEnabled(true);
}

void FormatSelection::FormatAreaClicked(int format) {
    QMenu* menu = nullptr;
    if (format == ofMP4)
        menu = PopupMenuMP4();
    else if (format == of3GP)
        menu = PopupMenu3GP();
    else if (format >= 0 && format < kOutputFormatCount && !isToolbarFormat(format))
        menu = popupOthers_;
    if (menu)
        menu->popup(QCursor::pos());
}

void FormatSelection::FillProfileCombo(int format, const std::optional<std::string>& nameToSelect) {
    QComboBox* box = ProfileBox(format);
    if (!box)
        return;
    const std::vector<std::string> names = ListProfileNames(format);
    box->setUpdatesEnabled(false);
    box->clear();
    // The name's own bytes travel with the item: the text shown may not spell a non-UTF-8 name.
    for (const auto& name : names)
        box->addItem(qs(name), QByteArray::fromStdString(name));
    box->setCurrentIndex(SelectProfileIndex(names, nameToSelect));
    box->setUpdatesEnabled(true);
}

int FormatSelection::CurrentFormat() const {
    return GlobalVars.OutputFormat;
}

int FormatSelection::FormatFromActionStates() const {
    for (int f = ofAVI; f <= ofSWF; ++f)
        if (!formatActions_[f]->isEnabled())
            return f;
    for (TOutputFormat f : kCheckedOrder)
        if (formatActions_[f]->isChecked())
            return f;
    return -1;
}

std::string FormatSelection::GetOutputExtension() const {
    const std::optional<TProfileDetailItem> preset = SelectedPreset();
    return quillabe::GetOutputExtension(CurrentFormat(), preset ? &*preset : nullptr);
}

std::string FormatSelection::CurrentProfileName(int format) const {
    QComboBox* box = ProfileBox(format);
    if (!box || box->currentIndex() < 0)
        return {};
    return box->itemData(box->currentIndex()).toByteArray().toStdString();
}

std::string FormatSelection::CurrentProfilePath() const {
    const int format = CurrentFormat();
    return ProfilePath(format, CurrentProfileName(format));
}

std::optional<TProfileDetailItem> FormatSelection::SelectedPreset() const {
    const int index = comboBoxProfile_->currentIndex();
    if (index < 0 || static_cast<size_t>(index) >= variants_.size())
        return std::nullopt;
    return variants_[static_cast<size_t>(index)];
}

QAction* FormatSelection::FormatAction(int format) const {
    return format >= 0 && format < kOutputFormatCount ? formatActions_[format] : nullptr;
}

QComboBox* FormatSelection::ProfileBox(int format) const {
    return format >= 0 && format < kOutputFormatCount ? boxes_[format] : nullptr;
}

QComboBox* FormatSelection::CurrentProfileBox() const {
    const int format = CurrentFormat();
    return IsPresetFormat(format) ? comboBoxProfile_ : ProfileBox(format);
}

QMenu* FormatSelection::PopupMenuMP4() const {
    return presets_->PopupMenuMP4();
}

QMenu* FormatSelection::PopupMenu3GP() const {
    return presets_->PopupMenu3GP();
}

void FormatSelection::SetProfileCommandActions(std::vector<QAction*> actions) {
    profileCommands_ = std::move(actions);
    const int format = CurrentFormat();
    for (QAction* command : profileCommands_)
        command->setEnabled(!IsPresetFormat(format));
}

} // namespace quillabe
