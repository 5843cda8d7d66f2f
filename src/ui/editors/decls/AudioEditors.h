#pragma once
// The six audio editors (formats 10 to 15): no Video page, the audio codec list on the General
// page and one codec page per list entry, declared in AudioEditors.cpp.

#include "profiles/AudioSettings.h"
#include "ui/editors/frame/ProfileEditorFrame.h"

#include <memory>

class QWidget;

namespace quillabe {

// The editor of the format, or none when the format is not one of these.
std::unique_ptr<TProfileEditor> CreateAudioEditor(int formatIndex, QWidget* owner);

class TfrmAacProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmAacProfile(QWidget* owner);
};

class TfrmAc3Profile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmAc3Profile(QWidget* owner);
};

class TfrmMp2Profile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmMp2Profile(QWidget* owner);
};

class TfrmMp3Profile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmMp3Profile(QWidget* owner);
};

// Choosing the wide-band codec warns that many players cannot play it.
class TfrmAmrProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmAmrProfile(QWidget* owner);
};

class TfrmWavProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmWavProfile(QWidget* owner);
};

} // namespace quillabe
