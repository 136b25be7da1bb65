#pragma once

#include <QString>
#include <vector>

// The main window's screen-proportional layout, in twips (1/1440 inch).

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kReferenceWidth = 7545;   // outer width of the reference layout
inline constexpr int kReferenceHeight = 10590; // outer height of the reference layout
inline constexpr int kReferenceScreenHeight = 13500;
inline constexpr int kFrameWidth = 120;  // outer minus client width, on every platform
inline constexpr int kFrameHeight = 510; // outer minus client height
inline constexpr int kMaxDx = 3330;
inline constexpr int kMinDx = -1275;
inline constexpr int kMinDy = -6660;

struct Offsets {
    int dx = 0;
    int dy = 0;
};

struct TwipsRect {
    int left, top, width, height;
};

// The controls of the main window that the layout places.
enum class MainControl {
    Cmd_save,
    Cmd_byyx,
    Cmd_about,
    Pic_sky,
    Fra_edit,
    Txt_edit,
    Fra_set,
    Lab_table,
    Txt_table,
    Cmd_scan,
    Lab_file,
    Txt_file,
    Txt_backname,
    Cmd_open,
    Cmd_set,
    Cmd_help,
    Cmd_end,
};

struct ControlPlacement {
    MainControl control;
    QString name;   // the control's object name
    TwipsRect rect; // relative to the control's container
};

// Offsets for a screen of this height: the window height becomes 10590/13500 of it, the width
// follows in the reference aspect ratio. Not yet limited.
Offsets screenOffsets(int screenHeightTwips);
// Offsets of an outer window size, rounded half to even. Not yet limited.
Offsets windowOffsets(double outerWidthTwips, double outerHeightTwips);
Offsets limitOffsets(Offsets offsets);

// Outer window size for limited offsets.
int outerWidth(const Offsets &offsets);
int outerHeight(const Offsets &offsets);

// Every control of the main window, placed for the offsets.
std::vector<ControlPlacement> controlPlacements(const Offsets &offsets);

// Twips to pixels and back at 15 twips per pixel.
int twipsToPixels(double twips);
inline int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
