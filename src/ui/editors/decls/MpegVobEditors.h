#pragma once
// The MPEG and VOB editors (formats 3 and 8). The MPEG editor offers free MPEG-1/MPEG-2 settings
// or a disc preset (VCD, SVCD, DVD) whose choices hide what the disc fixes; the VOB editor is a
// plain MPEG-2 editor.

#include "profiles/MpegVobSettings.h"
#include "ui/editors/decls/VideoEditorDecl.h"
#include "ui/editors/frame/ProfileEditorFrame.h"

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QStackedWidget;
class QWidget;

namespace quillabe {

const VideoEditorDecl<TMPEGSettings>& MpegEditorDecl();
const VideoEditorDecl<TVobSettings>& VobEditorDecl();

class TfrmMPEGProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmMPEGProfile(QWidget* owner);

    QCheckBox* UsePresetBox() const { return usePreset_; }
    QButtonGroup* PresetTypes() const { return presetType_; }
    QButtonGroup* TargetFormats() const { return targetFormat_; }
    QComboBox* Mpeg1AudioList() const { return audioMpeg1_; }
    QComboBox* Mpeg2AudioList() const { return audioMpeg2_; }
    QStackedWidget* AudioCodecGroups() const { return audioGroups_; }
    QWidget* DvdPage() const { return dvdPage_; }

    void SettingsToControls() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGeneralPage();
    void buildDvdPage();
    void applyPresetRule();
    void applyAudioGroupRule();
    void selectAudioPage();

    QCheckBox* usePreset_;
    QButtonGroup* presetType_;
    QButtonGroup* targetFormat_;
    QWidget* presetChoices_;
    QComboBox* audioMpeg1_;
    QComboBox* audioMpeg2_;
    QStackedWidget* audioGroups_;
    QWidget* dvdPage_;
};

class TfrmVobProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmVobProfile(QWidget* owner);
};

// The editor of the format, or none when the format is not one of these.
std::unique_ptr<TProfileEditor> CreateMpegVobEditor(int formatIndex, QWidget* owner);

} // namespace quillabe
