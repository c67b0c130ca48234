#pragma once
// The intrinsic controls: label, text box, check box, option button,
// command button, picture box, image and shape.

#include "forms/Control.h"

#include <QPixmap>

namespace quva::forms {

// Alignment of text.
inline constexpr std::int16_t vbLeftJustify = 0;
inline constexpr std::int16_t vbRightJustify = 1;
inline constexpr std::int16_t vbCenter = 2;
// CheckBox Value.
inline constexpr std::int16_t vbUnchecked = 0;
inline constexpr std::int16_t vbChecked = 1;
inline constexpr std::int16_t vbGrayed = 2;

class Label : public Control {
public:
    Label();
    QString TypeName() const override { return QStringLiteral("Label"); }
    QString Caption() const;
    void setCaption(const QString& v);
    std::int16_t Alignment() const { return m_alignment; }
    void setAlignment(std::int16_t v);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool v);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool v);
    // 0 transparent, 1 opaque (default).
    std::int16_t BackStyle() const { return m_backStyle; }
    void setBackStyle(std::int16_t v);
    std::int16_t BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(std::int16_t v);

protected:
    void applyColors() override;
    void applyFont() override;

private:
    void fit();
    std::int16_t m_alignment = vbLeftJustify;
    bool m_autoSize = false;
    bool m_wordWrap = false;
    std::int16_t m_backStyle = 1;
    std::int16_t m_borderStyle = 0;
};

class TextBox : public Control {
public:
    TextBox();
    QString TypeName() const override { return QStringLiteral("TextBox"); }
    // Setting Text from code raises Change as typing does.
    QString Text() const;
    void setText(const QString& v);
    std::int32_t MaxLength() const;
    void setMaxLength(std::int32_t v); // 0: no limit
    bool Locked() const;
    void setLocked(bool v);
    std::int16_t Alignment() const { return m_alignment; }
    void setAlignment(std::int16_t v);
    std::int32_t SelStart() const;
    void setSelStart(std::int32_t v);
    std::int32_t SelLength() const;
    void setSelLength(std::int32_t v);
    QString SelText() const;

protected:
    void applyColors() override;

private:
    std::int16_t m_alignment = vbLeftJustify;
};

class CheckBox : public Control {
public:
    CheckBox();
    QString TypeName() const override { return QStringLiteral("CheckBox"); }
    QString Caption() const;
    void setCaption(const QString& v);
    // vbUnchecked, vbChecked or vbGrayed; a change raises Click, from code too.
    std::int16_t Value() const { return m_value; }
    void setValue(std::int16_t v);

protected:
    void applyColors() override;

private:
    std::int16_t m_value = vbUnchecked;
};

// Option buttons placed in the same container exclude each other.
class OptionButton : public Control {
public:
    OptionButton();
    QString TypeName() const override { return QStringLiteral("OptionButton"); }
    QString Caption() const;
    void setCaption(const QString& v);
    // Becoming true from code raises Click and clears the others of its container.
    bool Value() const;
    void setValue(bool v);

protected:
    void applyColors() override;
};

class CommandButton : public Control {
public:
    CommandButton();
    QString TypeName() const override { return QStringLiteral("CommandButton"); }
    QString Caption() const;
    void setCaption(const QString& v);
    // Setting Value to true clicks the button, as in the classic toolkit.
    void setValue(bool v);
};

// A container with an optional picture at its top left corner.
class PictureBox : public Control {
public:
    PictureBox();
    QString TypeName() const override { return QStringLiteral("PictureBox"); }
    QWidget* containerWidget() const override { return widget(); }
    QPixmap Picture() const;
    void setPicture(const QPixmap& p);
    void setPicture(const QString& path); // a file or a ":/resource"
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool v);
    // 0 none, 1 fixed single (default).
    std::int16_t BorderStyle() const;
    void setBorderStyle(std::int16_t v);

private:
    bool m_autoSize = false;
};

class Image : public Control {
public:
    Image();
    QString TypeName() const override { return QStringLiteral("Image"); }
    QPixmap Picture() const;
    void setPicture(const QPixmap& p);
    void setPicture(const QString& path);
    // False: the control takes the picture's size; true: the picture fills the control.
    bool Stretch() const;
    void setStretch(bool v);
};

// Shape kinds.
inline constexpr std::int16_t vbShapeRectangle = 0;
inline constexpr std::int16_t vbShapeSquare = 1;
inline constexpr std::int16_t vbShapeOval = 2;
inline constexpr std::int16_t vbShapeCircle = 3;
inline constexpr std::int16_t vbShapeRoundedRectangle = 4;
inline constexpr std::int16_t vbShapeRoundedSquare = 5;

// A drawn figure; it takes no input. A new one is a transparent rectangle with
// a solid outline one pixel wide in the window-text system colour.
class Shape : public Control {
public:
    Shape();
    QString TypeName() const override { return QStringLiteral("Shape"); }
    std::int16_t ShapeKind() const { return m_shape; } // the classic Shape property
    void setShape(std::int16_t v);
    // 0 transparent (default), 1 opaque.
    std::int16_t BackStyle() const { return m_backStyle; }
    void setBackStyle(std::int16_t v);
    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor c);
    // 0 transparent, 1 solid (default), 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid.
    std::int16_t BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(std::int16_t v);
    std::int16_t BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(std::int16_t v);
    // 0 solid, 1 transparent (default).
    std::int16_t FillStyle() const { return m_fillStyle; }
    void setFillStyle(std::int16_t v);
    OleColor FillColor() const { return m_fillColor; }
    void setFillColor(OleColor c);

protected:
    void applyColors() override;

private:
    friend class ShapeWidget;
    std::int16_t m_shape = vbShapeRectangle;
    std::int16_t m_backStyle = 0;
    OleColor m_borderColor = vbWindowText;
    std::int16_t m_borderStyle = 1;
    std::int16_t m_borderWidth = 1;
    std::int16_t m_fillStyle = 1;
    OleColor m_fillColor = vbBlack;
};

} // namespace quva::forms
