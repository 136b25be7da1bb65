#include "layout/ScreenLayout.h"

#include "platform/VbNumbers.h"

#include <cmath>

Offsets screenOffsets(int screenHeightTwips) {
    const double ratio = double(kReferenceHeight) / double(kReferenceScreenHeight);
    Offsets offsets;
    offsets.dy = static_cast<int>(std::floor(ratio * screenHeightTwips - kReferenceHeight));
    const int height = offsets.dy + kReferenceHeight;
    offsets.dx = static_cast<int>(
        std::floor((double(height) / kReferenceHeight) * kReferenceWidth - kReferenceWidth));
    return offsets;
}

Offsets windowOffsets(double outerWidthTwips, double outerHeightTwips) {
    return {static_cast<int>(roundHalfEven(outerWidthTwips - kReferenceWidth)),
            static_cast<int>(roundHalfEven(outerHeightTwips - kReferenceHeight))};
}

Offsets limitOffsets(Offsets offsets) {
    if (offsets.dx >= kMaxDx)
        offsets.dx = kMaxDx;
    else if (offsets.dx <= kMinDx)
        offsets.dx = kMinDx;
    if (offsets.dy <= kMinDy)
        offsets.dy = kMinDy;
    return offsets;
}

int outerWidth(const Offsets &offsets) {
    return kReferenceWidth + offsets.dx;
}
int outerHeight(const Offsets &offsets) {
    return kReferenceHeight + offsets.dy;
}

std::vector<ControlPlacement> controlPlacements(const Offsets &o) {
    const int dx = o.dx;
    const int dy = o.dy;
    return {
        {MainControl::Cmd_save, QStringLiteral("Cmd_save"), {90, 180, 795, 405}},
        {MainControl::Cmd_byyx, QStringLiteral("Cmd_byyx"), {1020, 180, 1155, 405}},
        {MainControl::Cmd_about, QStringLiteral("Cmd_about"), {2310, 180, 795, 405}},
        {MainControl::Pic_sky, QStringLiteral("Pic_sky"), {3210, 90, 4155 + dx, 555}},
        {MainControl::Fra_edit, QStringLiteral("Fra_edit"), {60, 660, 7305 + dx, 8115 + dy}},
        {MainControl::Txt_edit, QStringLiteral("Txt_edit"), {120, 240, 7065 + dx, 7755 + dy}},
        {MainControl::Fra_set, QStringLiteral("Fra_set"), {60, 8820 + dy, 7305 + dx, 1200}},
        {MainControl::Lab_table, QStringLiteral("Lab_table"), {120, 375, 435, 255}},
        {MainControl::Txt_table, QStringLiteral("Txt_table"), {600, 270, 5775 + dx, 375}},
        {MainControl::Cmd_scan, QStringLiteral("Cmd_scan"), {6540 + dx, 270, 615, 375}},
        {MainControl::Lab_file, QStringLiteral("Lab_file"), {120, 810, 435, 255}},
        {MainControl::Txt_file, QStringLiteral("Txt_file"), {600, 720, 2565 + dx, 375}},
        {MainControl::Txt_backname, QStringLiteral("Txt_backname"), {3150 + dx, 720, 705, 375}},
        {MainControl::Cmd_open, QStringLiteral("Cmd_open"), {4020 + dx, 720, 615, 375}},
        {MainControl::Cmd_set, QStringLiteral("Cmd_set"), {4780 + dx, 720, 855, 375}},
        {MainControl::Cmd_help, QStringLiteral("Cmd_help"), {5780 + dx, 720, 615, 375}},
        {MainControl::Cmd_end, QStringLiteral("Cmd_end"), {6540 + dx, 720, 615, 375}},
    };
}

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
