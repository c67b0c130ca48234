#include "forms/Color.h"

#include <QGuiApplication>

namespace quva::forms {

bool isSystemColor(OleColor c) {
    return (std::uint32_t(c) & 0xFF000000u) == 0x80000000u;
}

QPalette::ColorRole systemColorRole(OleColor c) {
    if (!isSystemColor(c)) return QPalette::NColorRoles;
    switch (std::uint32_t(c) & 0xFFu) {
    case 0x00:
        return QPalette::Button; // scroll bars
    case 0x01:
        return QPalette::Window; // desktop
    case 0x02:
        return QPalette::Highlight; // active title bar
    case 0x03:
        return QPalette::Mid; // inactive title bar
    case 0x04:
        return QPalette::Window; // menu bar
    case 0x05:
        return QPalette::Base; // window background
    case 0x06:
        return QPalette::WindowText; // window frame
    case 0x07:
        return QPalette::WindowText; // menu text
    case 0x08:
        return QPalette::Text; // window text
    case 0x09:
        return QPalette::HighlightedText; // title bar text
    case 0x0C:
        return QPalette::Dark; // application workspace
    case 0x0D:
        return QPalette::Highlight;
    case 0x0E:
        return QPalette::HighlightedText;
    case 0x0F:
        return QPalette::Button; // button face
    case 0x10:
        return QPalette::Dark; // button shadow
    case 0x11:
        return QPalette::PlaceholderText; // grey text
    case 0x12:
        return QPalette::ButtonText;
    case 0x14:
        return QPalette::Light;
    case 0x15:
        return QPalette::Shadow;
    case 0x16:
        return QPalette::Midlight;
    case 0x17:
        return QPalette::ToolTipText;
    case 0x18:
        return QPalette::ToolTipBase;
    default:
        return QPalette::NColorRoles;
    }
}

QColor toQColor(OleColor c) {
    return toQColor(c, qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                           ? QGuiApplication::palette()
                           : QPalette());
}

QColor toQColor(OleColor c, const QPalette& palette) {
    if (isSystemColor(c)) {
        QPalette::ColorRole role = systemColorRole(c);
        return palette.color(QPalette::Active, role == QPalette::NColorRoles ? QPalette::Window : role);
    }
    const std::uint32_t v = std::uint32_t(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

OleColor fromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace quva::forms
