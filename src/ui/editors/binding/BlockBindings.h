#pragma once
// The bindings of whole record blocks and of the header, keyed by prefix + block suffix as the
// profile files name the fields.

#include "profiles/SettingsBlocks.h"
#include "ui/editors/binding/BindingKinds.h"
#include "ui/editors/frame/ProfileEditorFrame.h"
#include "ui/editors/groups/AudioCodecGroups.h"
#include "ui/editors/groups/ChoiceGroup.h"
#include "ui/editors/groups/FrameRateGroup.h"
#include "ui/editors/groups/VideoBitrateGroup.h"
#include "ui/editors/groups/VideoSizeGroup.h"

#include <QCheckBox>
#include <QRadioButton>

namespace quillabe {

// The groups of one video codec page; exactly one of `size` and `fixedSize` is set.
struct VideoPageGroups {
    VideoBitrateGroup* bitrate;
    VideoSizeGroup* size;
    FixedSizeGroup* fixedSize;
    FrameRateGroup* frameRate;
    ChoiceGroup* aspect;
};

// Description, the time control and, for video formats, the General page's codec fields.
template <class R> void BindHeader(TProfileEditorFrame& frame, R& r) {
    auto& t = frame.Bindings();
    auto* time = frame.TimeControl();
    t.push_back(bind::Text("Description", frame.DescriptionEdit(), r, &R::Description));
    t.push_back(bind::Check("EnableTimeControl", time->EnableBox(), r, &R::EnableTimeControl));
    t.push_back(bind::Time("Duration", time, TimeBox::Duration, r, &R::Duration));
    t.push_back(bind::Time("StartTime", time, TimeBox::Start, r, &R::StartTime));
    if constexpr (requires { r.VideoCodec; }) {
        t.push_back(bind::ListIndex("VideoCodec", frame.VideoCodecList(), r, &R::VideoCodec));
        t.push_back(
            bind::Check("VideoSameQuality", frame.SameQualityBox(), r, &R::VideoSameQuality));
    }
    if constexpr (requires { r.AudioCodec; })
        t.push_back(bind::ListIndex("AudioCodec", frame.AudioCodecList(), r, &R::AudioCodec));
    if constexpr (requires { r.AudioDisableAudio; })
        t.push_back(
            bind::Check("AudioDisableAudio", frame.DisableAudioBox(), r, &R::AudioDisableAudio));
}

template <class R>
void BindVideoBlock(BindingTable& t, R& r, const VideoBlockMembers<R>& m,
                    const VideoPageGroups& g) {
    const std::string s(m.suffix);
    auto* bitrate = g.bitrate;
    t.push_back(bind::RadioPair("VideoBitRateUsePresert" + s, bitrate->PresetButton(),
                                bitrate->SpecifyButton(), r, m.usePresert));
    t.push_back(bind::Slider("VideoBitRatePreset" + s, bitrate->Slider(), r, m.preset));
    t.push_back(bind::Value(
        "VideoBitRateSpecify" + s, r, m.specify, [=](int32_t v) { bitrate->LoadSpecified(v); },
        [=] { return bitrate->Specified(); }));
    if (g.size) {
        if (m.sizeUseSource)
            t.push_back(bind::RadioPair("VideoSizeUseSource" + s, g.size->KeepButton(),
                                        g.size->ChangeButton(), r, m.sizeUseSource));
        t.push_back(bind::Number("VideoWidth" + s, g.size->WidthBox(), r, m.width));
        t.push_back(bind::Number("VideoHeight" + s, g.size->HeightBox(), r, m.height));
    } else {
        // The pair is one choice; either field loads it from both.
        auto* fixed = g.fixedSize;
        const auto loadPair = [=, &r](int32_t) { fixed->Load(r.*m.width, r.*m.height); };
        t.push_back(bind::Value("VideoWidth" + s, r, m.width, loadPair,
                                [=] { return fixed->Value().width; }));
        t.push_back(bind::Value("VideoHeight" + s, r, m.height, loadPair,
                                [=] { return fixed->Value().height; }));
    }
    auto* rate = g.frameRate;
    t.push_back(bind::RadioPair("VideoKeepFrameRate" + s, rate->AutoButton(), rate->ChangeButton(),
                                r, m.keepFrameRate));
    t.push_back(bind::ListIndex("VideoFrameRate" + s, rate->List(), r, m.frameRate));
    auto* aspect = g.aspect;
    t.push_back(bind::Value(
        "VideoAspect" + s, r, m.aspect, [=](uint8_t v) { aspect->Load(v); },
        [=] { return aspect->Value(); }));
}

template <class R>
void BindAudioBlock(BindingTable& t, R& r, const AudioBlockMembers<R>& m, AudioCodecGroups* g) {
    const std::string s(m.suffix);
    if (m.useAutoSet && g->Slider()) {
        t.push_back(
            bind::Check("AudioBitRateUseAutoSet" + s, g->AutoBitrateBox(), r, m.useAutoSet));
        t.push_back(bind::Slider("AudioBitRatePreset" + s, g->Slider(), r, m.preset));
    }
    t.push_back(bind::ListIndex("AudioSampleRate" + s, g->SampleRateList(), r, m.sampleRate));
    t.push_back(bind::ListIndex("AudioChannels" + s, g->ChannelsList(), r, m.channels));
}

} // namespace quillabe
