#pragma once
// Key codes of the key events, and SendKeys.

#include <QString>

#include <cstdint>

namespace quva::forms {

inline constexpr std::int16_t vbKeyBack = 8;
inline constexpr std::int16_t vbKeyTab = 9;
inline constexpr std::int16_t vbKeyReturn = 13;
inline constexpr std::int16_t vbKeyShift = 16;
inline constexpr std::int16_t vbKeyControl = 17;
inline constexpr std::int16_t vbKeyMenu = 18;
inline constexpr std::int16_t vbKeyEscape = 27;
inline constexpr std::int16_t vbKeySpace = 32;
inline constexpr std::int16_t vbKeyPageUp = 33;
inline constexpr std::int16_t vbKeyPageDown = 34;
inline constexpr std::int16_t vbKeyEnd = 35;
inline constexpr std::int16_t vbKeyHome = 36;
inline constexpr std::int16_t vbKeyLeft = 37;
inline constexpr std::int16_t vbKeyUp = 38;
inline constexpr std::int16_t vbKeyRight = 39;
inline constexpr std::int16_t vbKeyDown = 40;
inline constexpr std::int16_t vbKeyInsert = 45;
inline constexpr std::int16_t vbKeyDelete = 46;
inline constexpr std::int16_t vbKeyF1 = 112;

// The key code (KeyDown's KeyCode) of a Qt key, 0 for keys without one.
std::int16_t keyCodeFromQt(int qtKey);
// The Qt key of a key code (Qt::Key_unknown for none).
int qtKeyFromKeyCode(std::int16_t keyCode);

// Sends keystrokes to the window that has the focus, written as the classic
// SendKeys did: "+" shift, "^" control, "%" alt applying to the next key or
// to a group in parentheses, "{HOME}"-style names, "~" for Enter, "{+}" for
// a literal sign. The keys are queued; with wait they are processed before
// the call returns. Failure 5 for a text it cannot read.
void SendKeys(const QString& keys, bool wait = false);

} // namespace quva::forms
