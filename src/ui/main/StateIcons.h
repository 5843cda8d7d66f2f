#pragma once
// The four state icons of the file list, 20 × 18, drawn by code so they stay sharp at any
// screen density: film strip (Waiting), orange arrow (Converting), green tick (Done), red cross
// (Failed).

#include "engine/ProgressView.h" // TFileState

#include <QIcon>
#include <QSize>

namespace quillabe {

inline constexpr QSize kStateIconSize(20, 18);

// The icon of a state, cached; it renders itself for whatever device pixel ratio asks.
const QIcon& StateIcon(TFileState state);

} // namespace quillabe
