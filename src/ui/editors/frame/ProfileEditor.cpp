// Gives the editor seam's header a source of its own, so that its meta-object code is generated
// and compiled once, in this library.
#include "ui/editors/frame/ProfileEditor.h"
