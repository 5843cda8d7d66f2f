// The preset catalogue. Any file is filed as a preset (into exactly one list), its variants are
// listed and each variant's extension and command templates are read; the output name a variant
// gives stays in the output folder.

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "core/OutputFormat.h"
#include "engine/BatchController.h"
#include "fuzz/FuzzSupport.h"
#include "profiles/PresetCatalogue.h"

#include <string>

using namespace quillabe;
using quillabe::fuzz::Printable;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile(
        "presets/preset.ini", std::string_view(reinterpret_cast<const char*>(data), size));

    PresetCatalogue catalogue;
    AddPresetFile(path, catalogue);
    const size_t filed = catalogue.TgpPresetList.size() + catalogue.IPodPresetList.size() +
                         catalogue.PspPresetList.size() + catalogue.OtherPresetList.size();
    FUZZ_CHECK(filed == 1, "filed " + std::to_string(filed) + " times");
    (void)Mp4PresetMenu(catalogue);

    for (const TProfileDetailItem& item : LoadPresetItems(path)) {
        FUZZ_CHECK(item.PresetPath == path && StartsWith(item.SectionName, "Item"),
                   "variant section " + Printable(item.SectionName));
        const std::string ext = PresetItemExt(item);
        const std::string outputName = ChangeFileExt("clip.avi", GetOutputExtension(ofMP4, &item));
        FUZZ_CHECK(ExtractFileName(outputName) == outputName, "the extension " + Printable(ext) +
                                                                  " makes the output name " +
                                                                  Printable(outputName));
        (void)PresetCommandTemplates(item);
    }
    return 0;
}
