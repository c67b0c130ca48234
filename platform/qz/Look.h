#pragma once
// The suite's look: one palette, one font and one set of line icons drawn
// with QPainter, shared by every control so the screens stay consistent.

#include "forms/Color.h"

#include <QColor>
#include <QPixmap>
#include <QString>

namespace quva::qz::look {

inline constexpr const char* kFontName = "Arial";
inline constexpr double kFontSize = 10;

// &HBBGGRR values, so forms can use them as colours too.
inline constexpr forms::OleColor kAccent = forms::RGB(31, 111, 178);
inline constexpr forms::OleColor kAccentDark = forms::RGB(22, 84, 138);
inline constexpr forms::OleColor kBorder = forms::RGB(198, 203, 209);
inline constexpr forms::OleColor kText = forms::RGB(73, 73, 73);
inline constexpr forms::OleColor kMuted = forms::RGB(128, 128, 128);
inline constexpr forms::OleColor kHover = forms::RGB(232, 240, 248);
inline constexpr forms::OleColor kPressed = forms::RGB(210, 225, 240);
inline constexpr forms::OleColor kDisabledFill = forms::RGB(242, 242, 242);
inline constexpr forms::OleColor kDisabledText = forms::RGB(160, 160, 160);
inline constexpr forms::OleColor kDanger = forms::RGB(192, 57, 43);

QColor color(forms::OleColor c);

// Whether name is one of the drawn icons ("adicionar", "alterar", "baixar",
// "excluir", "imprimir", "carta", "comprovante", "salvar", "cancelar",
// "fechar", "pesquisar", "limpar", "primeiro", "anterior", "proximo",
// "ultimo", "calendario", "excel", "visualizar"), letter case ignored.
bool isIcon(const QString& name);
// The icon in a square of size pixels, stroked in colour (a null pixmap for
// an unknown name).
QPixmap icon(const QString& name, int size, const QColor& color);
// A picture by text: a drawn icon's name, a ":/resource" or a file (failure
// 53 when the file cannot be read); the empty text is no picture.
QPixmap picture(const QString& fonte, int size, const QColor& color);

// The style sheet of a one-line or memo editor in the suite's look.
QString editStyle(const char* widgetClass, const QColor& back, const QColor& fore, bool rightPadding = false,
                  int extraRight = 0);

} // namespace quva::qz::look
