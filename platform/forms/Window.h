#pragma once
// Window handles: a stable 32-bit number for every window a form or a
// control owns, so that handles can travel through automation calls as the
// host's and the forms' windows did. 0 is "no window".

#include <cstdint>

class QWidget;

namespace quva::forms {

using HWND = std::int32_t;

// The handle of a widget, given on first request and kept for its life.
HWND hWnd(QWidget* w);
// The widget of a handle, or nullptr when the window is gone or never existed.
QWidget* windowFromHandle(HWND h);

// Makes child a child window of newParent (0: a top-level window again) and
// returns the previous parent's handle, or 0 on failure (unknown child or
// parent, or a parent inside the child). A top-level window put into a
// container fills it and follows its size from then on; its visibility is kept.
HWND SetParent(HWND child, HWND newParent);
// Whether the widget was embedded by SetParent and follows its container.
bool isEmbedded(const QWidget* w);

} // namespace quva::forms
