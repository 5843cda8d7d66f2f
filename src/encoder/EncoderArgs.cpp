#include "encoder/EncoderArgs.h"

#include "core/GlobalVars.h"
#include "core/OutputFormat.h"
#include "encoder/EncoderBranches.h"

#include <array>

namespace quillabe {

namespace {
struct Branch {
    void (*load)(const std::string& path);
    std::string (*build)();
};

template <auto& record, auto branch> std::string buildFrom() {
    return branch(record);
}

// By format index; MP4 and 3GP have no branch.
const std::array<Branch, kOutputFormatCount> kBranches = {{
    {LoadAviSettings, buildFrom<AviSettings, args::AviArgs>},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {LoadMpegSettings, buildFrom<MpegSettings, args::MpegArgs>},
    {LoadMovSettings, buildFrom<MovSettings, args::MovArgs>},
    {LoadWmvSettings, buildFrom<WmvSettings, args::WmvArgs>},
    {LoadRmSettings, buildFrom<RmSettings, args::RmArgs>},
    {LoadSwfSettings, buildFrom<SwfSettings, args::SwfArgs>},
    {LoadVobSettings, buildFrom<VobSettings, args::VobArgs>},
    {LoadAsfSettings, buildFrom<AsfSettings, args::AsfArgs>},
    {LoadAacSettings, buildFrom<AacSettings, args::AacArgs>},
    {LoadAc3Settings, buildFrom<Ac3Settings, args::Ac3Args>},
    {LoadMp2Settings, buildFrom<Mp2Settings, args::Mp2Args>},
    {LoadMp3Settings, buildFrom<Mp3Settings, args::Mp3Args>},
    {LoadAmrSettings, buildFrom<AmrSettings, args::AmrArgs>},
    {LoadWavSettings, buildFrom<WavSettings, args::WavArgs>},
}};
} // namespace

std::string BuildEncoderArgsFor(int format, const std::string& profilePath) {
    if (format < 0 || static_cast<size_t>(format) >= kBranches.size() || !kBranches[format].load)
        return {};
    kBranches[format].load(profilePath);
    return kBranches[format].build();
}

std::string BuildEncoderArgs(const std::string& profilePath) {
    return BuildEncoderArgsFor(GlobalVars.OutputFormat, profilePath);
}

} // namespace quillabe
