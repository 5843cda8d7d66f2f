#pragma once
// The skinned controls of the main window and where they stand: created at their design
// geometry, moved and given pictures by the skin layout, the toolbar hidden and the controls
// below it moved up into its space. Also the two hit tests of the frameless window's mouse rules.

#include "ui/skin/SkinLayout.h"

#include <QPoint>
#include <QRect>

#include <array>

class QLabel;
class QWidget;

namespace quillabe {

class MediaPanel;
class TImageButton;
class TSkinImage;
struct SkinPalette;

// Labels 1 to 6 stand on the background; 7 to 26 are the media panel's.
inline constexpr int kWindowLabelCount = 6;

struct MainControls {
    TSkinImage* ImageMain = nullptr;
    std::array<TImageButton*, kToolbarButtonCount> ToolbarButtons{};
    std::array<TSkinImage*, kToolbarLineCount> ToolbarImageLines{};
    std::array<TImageButton*, kMainButtonCount> MainButtons{};
    std::array<TImageButton*, kSystemButtonCount> SystemButtons{};
    std::array<QLabel*, kWindowLabelCount> Labels{}; // Label1 .. Label6
    // Made by their own classes; placed here.
    QWidget* ListViewFiles = nullptr;
    QWidget* editOutputFileName = nullptr;
    MediaPanel* ScrollBox = nullptr;
    // A quiet line in the media panel's place, seen while the panel is hidden (an empty list).
    QLabel* MediaHint = nullptr;

    TImageButton* ToolbarButton(int n) const {
        return ToolbarButtons.at(static_cast<size_t>(n - 1));
    }
    TImageButton* MainButton(int n) const { return MainButtons.at(static_cast<size_t>(n - 1)); }
    TImageButton* SystemButton(int n) const { return SystemButtons.at(static_cast<size_t>(n - 1)); }
    QLabel* Label(int n) const { return Labels.at(static_cast<size_t>(n - 1)); }
};

// Creates the background, the toolbar with its separators (hidden, as designed), the main and
// system buttons and the labels on the window, named as the layout names them.
MainControls CreateMainControls(QWidget* window);

// Pictures and geometry of every control, in the skin file's order; the media panel places its
// own labels and boxes.
void ApplySkinLayout(MainControls& controls, const SkinLayout& layout);
// Colours and fonts of the chosen built-in skin.
void ApplySkinPalette(MainControls& controls, const SkinPalette& palette);

// Label2 (the version) follows the title: Label1's left + Label1's width + 4.
void PlaceVersionLabel(MainControls& controls);
// A right-aligned label keeps its right edge where the layout put it when its text changes.
void AlignLabelRight(QLabel* label, int rightEdge);

// The last step of the window's start-up: the toolbar buttons and the profile buttons are hidden
// (their commands stay reachable through menus and keys).
void HideToolbar(MainControls& controls);
// The controls below the toolbar move up into its space: the list, its caption and the first
// five main buttons by 80 (the list grows 60 taller), the profile buttons by 78, Convert by 35.
void ShiftForHiddenToolbar(MainControls& controls);

// Strictly inside: left < x < left + width and top < y < top + height.
bool StrictlyInside(const QRect& rect, const QPoint& point);
// Whether a double click at a screen position lies in the title strip of the window: strictly
// between its left and right edges, and strictly between its top and the system buttons'
// bottom + 5 (the system button's rectangle is in window coordinates).
bool InTitleArea(const QRect& window, const QRect& systemButton, const QPoint& screenPos);

} // namespace quillabe
