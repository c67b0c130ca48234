#include "forms/Metrics.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quva::forms {

ScreenObject Screen;

namespace {
double g_dpiOverride = 0;
std::int16_t g_screenPointer = vbDefault;
bool g_overridden = false;

QScreen* primary() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}

bool cursorFor(std::int16_t pointer, Qt::CursorShape* shape) {
    switch (pointer) {
    case vbArrow:
        *shape = Qt::ArrowCursor;
        return true;
    case vbCrosshair:
        *shape = Qt::CrossCursor;
        return true;
    case vbIbeam:
        *shape = Qt::IBeamCursor;
        return true;
    case vbSizeNESW:
        *shape = Qt::SizeBDiagCursor;
        return true;
    case vbSizeNS:
        *shape = Qt::SizeVerCursor;
        return true;
    case vbSizeNWSE:
        *shape = Qt::SizeFDiagCursor;
        return true;
    case vbSizeWE:
        *shape = Qt::SizeHorCursor;
        return true;
    case vbUpArrow:
        *shape = Qt::UpArrowCursor;
        return true;
    case vbHourglass:
        *shape = Qt::WaitCursor;
        return true;
    case vbNoDrop:
        *shape = Qt::ForbiddenCursor;
        return true;
    case vbArrowHourglass:
        *shape = Qt::BusyCursor;
        return true;
    case vbArrowQuestion:
        *shape = Qt::WhatsThisCursor;
        return true;
    case vbSizeAll:
        *shape = Qt::SizeAllCursor;
        return true;
    default:
        return false;
    }
}
} // namespace

double twipsPerPixelAt(double logicalDpi) {
    return kTwipsPerInch / (logicalDpi > 0 ? logicalDpi : 96.0);
}

int pixelsAt(double twips, double logicalDpi) {
    return int(std::lround(twips / twipsPerPixelAt(logicalDpi)));
}

double logicalDpiX() {
    if (g_dpiOverride > 0) return g_dpiOverride;
    QScreen* s = primary();
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double logicalDpiY() {
    if (g_dpiOverride > 0) return g_dpiOverride;
    QScreen* s = primary();
    return s ? s->logicalDotsPerInchY() : 96.0;
}

void setLogicalDpiOverride(double dpi) {
    g_dpiOverride = dpi;
}

int toPixelsX(double twips) {
    return pixelsAt(twips, logicalDpiX());
}
int toPixelsY(double twips) {
    return pixelsAt(twips, logicalDpiY());
}
Twips toTwipsX(int pixels) {
    return Twips(pixels * twipsPerPixelAt(logicalDpiX()));
}
Twips toTwipsY(int pixels) {
    return Twips(pixels * twipsPerPixelAt(logicalDpiY()));
}

void applyMousePointer(QWidget* w, std::int16_t pointer) {
    if (!w) return;
    Qt::CursorShape shape;
    if (cursorFor(pointer, &shape))
        w->setCursor(shape);
    else
        w->unsetCursor();
}

float ScreenObject::TwipsPerPixelX() const {
    return float(twipsPerPixelAt(logicalDpiX()));
}
float ScreenObject::TwipsPerPixelY() const {
    return float(twipsPerPixelAt(logicalDpiY()));
}

Twips ScreenObject::Width() const {
    QScreen* s = primary();
    return toTwipsX(s ? s->geometry().width() : 1024);
}

Twips ScreenObject::Height() const {
    QScreen* s = primary();
    return toTwipsY(s ? s->geometry().height() : 768);
}

std::int16_t ScreenObject::MousePointer() const {
    return g_screenPointer;
}

void ScreenObject::setMousePointer(std::int16_t pointer) {
    // One override level of our own: replace it, never stack them.
    if (g_overridden) QGuiApplication::restoreOverrideCursor();
    g_overridden = false;
    g_screenPointer = pointer;
    Qt::CursorShape shape;
    if (cursorFor(pointer, &shape)) {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        g_overridden = true;
    }
}

} // namespace quva::forms
