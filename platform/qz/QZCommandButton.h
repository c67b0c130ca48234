#pragma once
// The suite's command button: a flat button with an optional line icon.

#include "qz/QZControl.h"

namespace quva::qz {

// Style values.
inline constexpr std::int32_t qzFlat = 0;      // no frame until the pointer is over it (icon buttons)
inline constexpr std::int32_t qzStandard = 1;  // white with a thin frame (default)
inline constexpr std::int32_t qzHighlight = 2; // filled with the accent colour (the main action)

// Dispatch identifiers fixed by the suite.
inline constexpr DispId kDispStyle = 0x6803000a;
inline constexpr DispId kDispBackColor = 0x6803000c;

class QZCommandButton : public QZControl {
public:
    QZCommandButton();
    QString TypeName() const override { return QStringLiteral("QZCommandButton"); }

    QString Caption() const;
    void setCaption(const QString& v);
    // qzFlat, qzStandard or qzHighlight (anything else is failure 380).
    std::int32_t Style() const { return m_style; }
    void setStyle(std::int32_t v);
    // A drawn icon's name ("salvar", "excluir", … see look::isIcon), a
    // ":/resource" or a file; the empty text removes the picture.
    QString Picture() const { return m_picture; }
    void setPicture(const QString& v);
    void setPicture(const QPixmap& p);
    // The picture while the pointer is over the button (empty: the same as Picture).
    QString PictureHover() const { return m_pictureHover; }
    void setPictureHover(const QString& v);
    // Clicks the button, as a user's click does (nothing when disabled).
    void setValue(bool v);

    // BackColor: the button's face; the system button-face colour (the
    // default) leaves the face to the style.

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;

private:
    friend class ButtonWidget;
    void refreshPictures();
    std::int32_t m_style = qzStandard;
    QString m_picture, m_pictureHover;
    QPixmap m_ownPixmap;
};

} // namespace quva::qz
