#include "profiles/ProfileRecords.h"

#include "core/OutputFormat.h"

#include <array>

namespace quillabe {

namespace {
template <auto& layoutFn> std::vector<std::string> recordKeys() {
    return layoutFn().RecordKeys();
}
template <auto& layoutFn> std::vector<std::string> loadKeys() {
    const auto& l = layoutFn();
    return l.KeysIn(l.loadOrder);
}
template <auto& layoutFn> std::vector<std::string> saveKeys() {
    const auto& l = layoutFn();
    return l.KeysIn(l.saveOrder);
}

#define QUILLABE_OPS(format, Fmt)                                                                  \
    ProfileRecordOps {                                                                             \
        format, Default##Fmt##Settings, Load##Fmt##Settings, Save##Fmt##Settings,                  \
            recordKeys<Fmt##SettingsLayout>, loadKeys<Fmt##SettingsLayout>,                        \
            saveKeys<Fmt##SettingsLayout>                                                          \
    }

const std::array<ProfileRecordOps, 14> kRecords = {
    QUILLABE_OPS(ofAVI, Avi), QUILLABE_OPS(ofMPEG, Mpeg), QUILLABE_OPS(ofMOV, Mov),
    QUILLABE_OPS(ofWMV, Wmv), QUILLABE_OPS(ofRM, Rm),     QUILLABE_OPS(ofSWF, Swf),
    QUILLABE_OPS(ofVOB, Vob), QUILLABE_OPS(ofASF, Asf),   QUILLABE_OPS(ofAAC, Aac),
    QUILLABE_OPS(ofAC3, Ac3), QUILLABE_OPS(ofMP2, Mp2),   QUILLABE_OPS(ofMP3, Mp3),
    QUILLABE_OPS(ofAMR, Amr), QUILLABE_OPS(ofWAV, Wav),
};
#undef QUILLABE_OPS
} // namespace

const ProfileRecordOps* FindProfileRecordOps(int format) {
    for (const auto& ops : kRecords)
        if (ops.format == format)
            return &ops;
    return nullptr;
}

} // namespace quillabe
