#include "ui/main/ProfileBoxes.h"

#include "profiles/ProfileLists.h"
#include "ui/main/FormatSelection.h"

#include <QComboBox>

namespace quillabe {

ProfileBoxes::ProfileBoxes(FormatSelection& formats, QWidget* mainWindow)
    : formats_(formats), mainWindow_(mainWindow) {}

// The commands act on the format the actions show; every answer below is about that format, so
// that name, count and path always describe the same box.
int ProfileBoxes::CurrentFormat() const {
    return formats_.FormatFromActionStates();
}

std::string ProfileBoxes::CurrentName() const {
    return formats_.CurrentProfileName(CurrentFormat());
}

int ProfileBoxes::Count() const {
    const QComboBox* box = formats_.ProfileBox(CurrentFormat());
    return box ? box->count() : 0;
}

void ProfileBoxes::Refill(int format, const std::optional<std::string>& nameToSelect) {
    formats_.FillProfileCombo(format, nameToSelect);
}

std::string ProfileBoxes::CurrentProfilePath() const {
    const int format = CurrentFormat();
    return ProfilePath(format, formats_.CurrentProfileName(format));
}

} // namespace quillabe
