#pragma once
// Twips (1440 to the logical inch), the screen, and mouse pointers.
//
// Style of this toolkit's API: a classic property P is read with P() and
// written with setP(v); classic methods keep their names (Show, Hide, Move,
// ZOrder, SetFocus, Refresh); events are std::function members named onEvent;
// helpers that belong to this toolkit only are lowerCamelCase (widget(), add<T>()).

#include <cstdint>

class QWidget;
class QCursor;

namespace quva::forms {

// Positions and sizes are twips, single precision as in the classic forms.
using Twips = float;

inline constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel for a logical DPI (96 gives 15, 120 gives 12).
double twipsPerPixelAt(double logicalDpi);
// Pixels for a length in twips at that DPI, rounded to the nearest pixel.
int pixelsAt(double twips, double logicalDpi);

// The primary screen's logical DPI (96 without a screen); tests may force one.
double logicalDpiX();
double logicalDpiY();
void setLogicalDpiOverride(double dpi); // 0 restores the screen's own

int toPixelsX(double twips);
int toPixelsY(double twips);
Twips toTwipsX(int pixels);
Twips toTwipsY(int pixels);

// MousePointer values.
namespace mp {
inline constexpr std::int16_t vbDefault = 0;
inline constexpr std::int16_t vbArrow = 1;
inline constexpr std::int16_t vbCrosshair = 2;
inline constexpr std::int16_t vbIbeam = 3;
inline constexpr std::int16_t vbSizeNESW = 6;
inline constexpr std::int16_t vbSizeNS = 7;
inline constexpr std::int16_t vbSizeNWSE = 8;
inline constexpr std::int16_t vbSizeWE = 9;
inline constexpr std::int16_t vbUpArrow = 10;
inline constexpr std::int16_t vbHourglass = 11;
inline constexpr std::int16_t vbNoDrop = 12;
inline constexpr std::int16_t vbArrowHourglass = 13;
inline constexpr std::int16_t vbArrowQuestion = 14;
inline constexpr std::int16_t vbSizeAll = 15;
} // namespace mp
using namespace mp;

// Applies a MousePointer value to a widget (vbDefault clears its own cursor).
void applyMousePointer(QWidget* w, std::int16_t pointer);

// The classic Screen object.
class ScreenObject {
public:
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const;
    Twips Width() const; // of the primary screen
    Twips Height() const;
    // Overrides every window's pointer while not vbDefault.
    std::int16_t MousePointer() const;
    void setMousePointer(std::int16_t pointer);
};
extern ScreenObject Screen;

} // namespace quva::forms
