#pragma once
// Colours as the classic forms write them: a long &HBBGGRR, or a system
// colour &H800000xx that names a role of the current palette.

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace quva::forms {

using OleColor = std::int32_t;

namespace sc {
inline constexpr OleColor vbScrollBars = OleColor(0x80000000);
inline constexpr OleColor vbDesktop = OleColor(0x80000001);
inline constexpr OleColor vbActiveTitleBar = OleColor(0x80000002);
inline constexpr OleColor vbMenuBar = OleColor(0x80000004);
inline constexpr OleColor vbWindowBackground = OleColor(0x80000005);
inline constexpr OleColor vbWindowFrame = OleColor(0x80000006);
inline constexpr OleColor vbMenuText = OleColor(0x80000007);
inline constexpr OleColor vbWindowText = OleColor(0x80000008);
inline constexpr OleColor vbTitleBarText = OleColor(0x80000009);
inline constexpr OleColor vbHighlight = OleColor(0x8000000D);
inline constexpr OleColor vbHighlightText = OleColor(0x8000000E);
inline constexpr OleColor vbButtonFace = OleColor(0x8000000F);
inline constexpr OleColor vbButtonShadow = OleColor(0x80000010);
inline constexpr OleColor vbGrayText = OleColor(0x80000011);
inline constexpr OleColor vbButtonText = OleColor(0x80000012);
inline constexpr OleColor vb3DHighlight = OleColor(0x80000014);
inline constexpr OleColor vb3DDKShadow = OleColor(0x80000015);
inline constexpr OleColor vb3DLight = OleColor(0x80000016);
inline constexpr OleColor vbInfoText = OleColor(0x80000017);
inline constexpr OleColor vbInfoBackground = OleColor(0x80000018);
} // namespace sc
using namespace sc;

inline constexpr OleColor vbBlack = 0x000000;
inline constexpr OleColor vbWhite = 0xFFFFFF;
inline constexpr OleColor vbRed = 0x0000FF;
inline constexpr OleColor vbBlue = 0xFF0000;

bool isSystemColor(OleColor c);
// The palette role a system colour names (QPalette::NColorRoles if unknown).
QPalette::ColorRole systemColorRole(OleColor c);
// &HBBGGRR or a system colour, resolved against the given (or application) palette.
QColor toQColor(OleColor c);
QColor toQColor(OleColor c, const QPalette& palette);
// The long value of a colour (alpha dropped).
OleColor fromQColor(const QColor& c);
// RGB(r, g, b) of the classic library.
constexpr OleColor RGB(int r, int g, int b) {
    return OleColor((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

} // namespace quva::forms
