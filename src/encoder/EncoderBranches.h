#pragma once
// The branches of the argument builder: each turns its format's record into the option string.

#include "profiles/ProfileRecords.h"

#include <string>

namespace quillabe::args {

std::string AviArgs(const TAVISettings& s);
std::string MpegArgs(const TMPEGSettings& s);
std::string VobArgs(const TVobSettings& s);
std::string MovArgs(const TMovSettings& s);
std::string WmvArgs(const TWmvSettings& s);
std::string AsfArgs(const TAsfSettings& s);
std::string RmArgs(const TRmSettings& s);
std::string SwfArgs(const TSwfSettings& s);
std::string AacArgs(const TAacSettings& s);
std::string Ac3Args(const TAc3Settings& s);
std::string Mp2Args(const TMp2Settings& s);
std::string Mp3Args(const TMp3Settings& s);
std::string AmrArgs(const TAmrSettings& s);
std::string WavArgs(const TWavSettings& s);

} // namespace quillabe::args
