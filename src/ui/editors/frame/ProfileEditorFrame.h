#pragma once
// The window every profile editor shares: the description strip, the General page (codec lists,
// Same quality, Disable audio, time control), the Video and Audio pages whose inner codec pages
// follow the codec lists, and Save / Close. A format's declaration adds the codec pages, their
// bindings and their rules; this class walks them.

#include "lang/Messages.h"
#include "ui/editors/binding/FieldBinding.h"
#include "ui/editors/frame/ProfileEditor.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QVBoxLayout;

namespace quillabe {

class TimeControlGroup;

class TProfileEditorFrame : public TProfileEditor {
    Q_OBJECT
public:
    // `formatCaption` names the format in the window caption; without video the window has no
    // Video page, no video codec list, no Same quality and no Disable audio.
    TProfileEditorFrame(QWidget* owner, MsgId formatCaption, bool hasVideo);

    QLineEdit* DescriptionEdit() const { return description_; }
    TimeControlGroup* TimeControl() const { return time_; }
    QComboBox* VideoCodecList() const { return videoCodecs_; } // nullptr without video
    QComboBox* AudioCodecList() const { return audioCodecs_; }
    QCheckBox* DisableAudioBox() const { return disableAudio_; } // nullptr without video
    QCheckBox* SameQualityBox() const { return sameQuality_; }   // nullptr without video
    QTabWidget* Pages() const { return pages_; }
    QStackedWidget* VideoCodecPages() const { return videoStack_; }
    QStackedWidget* AudioCodecPages() const { return audioStack_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* CloseButton() const { return close_; }

    // A codec list entry and its inner page, headed "<entry> format properties"; the returned
    // layout takes the page's groups.
    QVBoxLayout* AddVideoCodecPage(const QString& entry);
    QVBoxLayout* AddAudioCodecPage(const QString& entry);
    // A further page after Audio (the MPEG editor's).
    void AddPage(QWidget* page, const QString& title);

    BindingTable& Bindings() { return bindings_; }
    // Rules that follow from the controls' values, applied in the order added on showing and
    // after loading; the frame's own (page selection, time control, disable audio) come last.
    void AddRule(std::function<void()> rule) { rules_.push_back(std::move(rule)); }
    // Entries still being edited when Save is pressed (time and size boxes) are finished first.
    void AddPendingEdit(std::function<void()> finish) { pending_.push_back(std::move(finish)); }

    void SettingsToControls() override;
    void ControlsToSettings() override;
    void ApplyRules();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildGeneralPage(bool hasVideo);
    QVBoxLayout* addCodecPage(QComboBox* list, QStackedWidget* stack, const QString& entry);
    void selectCodecPages();
    void applyDisableAudio();
    void refreshSizeHints();
    void save();

    QLineEdit* description_;
    TimeControlGroup* time_;
    QComboBox* videoCodecs_ = nullptr;
    QComboBox* audioCodecs_;
    QGroupBox* audioCodecGroup_;
    QCheckBox* disableAudio_ = nullptr;
    QCheckBox* sameQuality_ = nullptr;
    QTabWidget* pages_;
    QStackedWidget* videoStack_ = nullptr;
    QStackedWidget* audioStack_;
    QWidget* audioPage_;
    QPushButton* save_;
    QPushButton* close_;
    BindingTable bindings_;
    std::vector<std::function<void()>> rules_;
    std::vector<std::function<void()>> pending_;
};

} // namespace quillabe
