#pragma once
// Fonts by the names the screens use, mapped to metric-compatible fonts that
// scripts/setup installs, so that layouts do not drift between machines.

#include <QFont>
#include <QString>

namespace quva::forms {

// The installed family that stands in for a classic font name (the name
// itself when nothing stands in for it). Letter case is ignored.
QString fontFamilyFor(const QString& name);
// A font by name and points (fractional sizes kept).
QFont makeFont(const QString& name, double points, bool bold = false, bool italic = false);
// Registers the fonts that fontconfig does not see (Wine's Tahoma). Called
// by makeFont; harmless to call again.
void ensureFonts();

inline constexpr const char* kDefaultFontName = "MS Sans Serif";
inline constexpr double kDefaultFontSize = 8.25;

} // namespace quva::forms
