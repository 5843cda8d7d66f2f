#pragma once
// A video format's editor as a declaration: its record, its caption, and per codec list entry the
// page that entry selects (suffix, block, bitrate table, size list or fixed sizes, frame rates,
// aspect choices) and the audio pages. BuildVideoEditor makes the window from it.

#include "profiles/SettingsBlocks.h"
#include "ui/editors/binding/BlockBindings.h"
#include "ui/editors/frame/ProfileEditorFrame.h"
#include "ui/editors/groups/EditorText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <span>
#include <string_view>

namespace quillabe {

// Data the declarations of several formats share.
namespace editor_tables {
// The frame sizes of the size list on most video pages.
inline constexpr std::array<FrameSize, 13> StandardFrameSizes{{{320, 240},
                                                               {352, 240},
                                                               {352, 288},
                                                               {384, 288},
                                                               {480, 480},
                                                               {480, 576},
                                                               {640, 368},
                                                               {640, 480},
                                                               {704, 480},
                                                               {704, 576},
                                                               {720, 480},
                                                               {720, 576},
                                                               {1280, 720}}};

// H.263 knows only these frame sizes; "352 x 288" is the default choice.
inline constexpr std::array<SizeChoice, 3> H263FrameSizes{{{"VideoSize128_96", {128, 96}},
                                                           {"VideoSize176_144", {176, 144}},
                                                           {"VideoSize352_288", {352, 288}}}};
// ... and these aspects.
inline constexpr std::array H263Aspects{
    Choice{"AutoSetAspect", "", 0, MSG_ASPECT_AUTO}, Choice{"Aspect11", "1:1", 1},
    Choice{"Aspect43", "4:3", 2}, Choice{"Aspect119", "11:9", 3}, Choice{"Aspect169", "16:9", 4}};

// AC3 bitrate slider ranges by sample-rate entry.
inline constexpr std::array<SliderRange, 4> Ac3RangesBySampleRate{
    {{1, 12}, {1, 12}, {2, 14}, {2, 14}}};

} // namespace editor_tables

template <class R> struct VideoPageDecl {
    MsgId entry;                    // the codec list's entry
    std::string_view controlSuffix; // names the page's controls
    VideoBlockMembers<R> block;     // the fields, named by the block's suffix
    VideoBitrateSetup bitrate;
    std::span<const editor_tables::FrameSize> sizes;            // the standard size group's list
    std::span<const editor_tables::SizeChoice> fixedSizes = {}; // instead: fixed sizes
    size_t fixedSizeDefault = 0;
    std::span<const std::string_view> frameRates = editor_tables::FrameRateList;
    std::span<const editor_tables::Choice> aspects = editor_tables::StandardAspects;
    bool evenSizes = true; // false: leaving a size box only keeps it within 2..1600
};

template <class R> struct AudioPageDecl {
    MsgId entry;
    std::string_view controlSuffix;
    AudioBlockMembers<R> block;
    AudioPageSetup page;
};

template <class R> struct VideoEditorDecl {
    MsgId format;
    R* record;
    std::span<const VideoPageDecl<R>> videoPages; // in codec list order
    std::span<const AudioPageDecl<R>> audioPages;
};

template <class R>
void BuildVideoEditor(TProfileEditorFrame& frame, const VideoEditorDecl<R>& decl) {
    R& r = *decl.record;
    BindHeader(frame, r);
    for (const auto& p : decl.videoPages) {
        const QString suffix = qs(p.controlSuffix);
        auto* layout = frame.AddVideoCodecPage(MsgText(p.entry));
        VideoPageGroups g{};
        g.bitrate = new VideoBitrateGroup(suffix, p.bitrate);
        if (p.fixedSizes.empty())
            g.size = new VideoSizeGroup(suffix, p.sizes, p.evenSizes);
        else
            g.fixedSize = new FixedSizeGroup(suffix, p.fixedSizes, p.fixedSizeDefault);
        g.frameRate = new FrameRateGroup(suffix, p.frameRates);
        g.aspect = new ChoiceGroup("GroupBoxAspect", MSG_ASPECT, suffix, p.aspects);
        auto* row = new QHBoxLayout;
        row->addWidget(g.size ? static_cast<QWidget*>(g.size) : g.fixedSize, 3);
        row->addWidget(g.frameRate, 2);
        row->addWidget(g.aspect, 1);
        layout->addWidget(g.bitrate);
        layout->addLayout(row);
        BindVideoBlock(frame.Bindings(), r, p.block, g);
        frame.AddRule([g] {
            g.bitrate->ApplyEnabling();
            g.frameRate->ApplyEnabling();
            if (g.size)
                g.size->ApplyEnabling();
        });
        if (g.size)
            frame.AddPendingEdit([size = g.size] { size->FinishPendingEdit(); });
    }
    for (const auto& p : decl.audioPages) {
        auto* layout = frame.AddAudioCodecPage(MsgText(p.entry));
        auto* groups = new AudioCodecGroups(qs(p.controlSuffix), p.page);
        layout->addWidget(groups);
        BindAudioBlock(frame.Bindings(), r, p.block, groups);
        frame.AddRule([groups] { groups->ApplyRules(); });
    }
    frame.AddPendingEdit([time = frame.TimeControl()] { time->FinishPendingEdit(); });
    frame.ApplyRules();
}

} // namespace quillabe
