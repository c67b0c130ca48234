#include "qz/QZCommandButton.h"

#include "qz/Look.h"
#include "runtime/Errors.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>

namespace quva::qz {

class ButtonWidget : public QAbstractButton {
public:
    explicit ButtonWidget(QZCommandButton* owner) : m_owner(owner) {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_Hover);
        setCursor(Qt::PointingHandCursor);
    }
    QPixmap normal, hover;
    QZCommandButton* m_owner;

    QSize sizeHint() const override {
        const QFontMetrics fm(font());
        return {fm.horizontalAdvance(text()) + 40, fm.height() + 14};
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            animateClick();
            return;
        }
        QAbstractButton::keyPressEvent(e);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const bool enabled = isEnabled();
        const bool over = enabled && underMouse();
        const bool down = isDown();
        const std::int32_t style = m_owner ? m_owner->Style() : qzStandard;
        const forms::OleColor back = m_owner ? m_owner->BackColor() : forms::vbButtonFace;
        const bool ownFace = back != forms::vbButtonFace;
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

        QColor fill = Qt::transparent, frame = Qt::transparent, fore = look::color(look::kText);
        if (style == qzHighlight) {
            fill = ownFace ? look::color(back) : look::color(look::kAccent);
            if (down)
                fill = fill.darker(125);
            else if (over)
                fill = fill.darker(112);
            fore = Qt::white;
        } else if (style == qzStandard) {
            fill = ownFace ? look::color(back) : QColor(Qt::white);
            frame = look::color(look::kBorder);
            if (down)
                fill = look::color(look::kPressed);
            else if (over)
                fill = look::color(look::kHover);
        } else {
            if (ownFace) fill = look::color(back);
            if (down)
                fill = look::color(look::kPressed);
            else if (over)
                fill = look::color(look::kHover);
        }
        if (m_owner && m_owner->ForeColor() != forms::vbButtonText && style != qzHighlight)
            fore = look::color(m_owner->ForeColor());
        if (!enabled) {
            fore = look::color(look::kDisabledText);
            if (style == qzHighlight) fill = look::color(look::kBorder);
        }
        p.setPen(frame.alpha() ? QPen(frame, 1) : Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(r, 3, 3);
        if (hasFocus()) {
            // A visible focus ring in every style.
            p.setBrush(Qt::NoBrush);
            p.setPen(
                QPen(style == qzHighlight ? look::color(look::kAccentDark) : look::color(look::kAccent), 2));
            p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
        }

        QPixmap pm = (over && !hover.isNull()) ? hover : normal;
        if (!enabled && !pm.isNull()) {
            QPixmap faded(pm.size());
            faded.fill(Qt::transparent);
            QPainter fp(&faded);
            fp.setOpacity(0.4);
            fp.drawPixmap(0, 0, pm);
            fp.end();
            pm = faded;
        }
        // Leading blanks of a caption leave room for the picture, as the
        // screens write it ("    Adicionar"); the text itself is centred.
        const QString caption = text().trimmed();
        p.setPen(fore);
        p.setFont(font());
        const QFontMetrics fm(font());
        const int gap = 6;
        const int textW = caption.isEmpty() ? 0 : fm.horizontalAdvance(caption);
        const int picW = pm.isNull() ? 0 : pm.width();
        const int total = textW + picW + (textW && picW ? gap : 0);
        int x = (width() - total) / 2;
        if (picW) {
            p.drawPixmap(x, (height() - pm.height()) / 2, pm);
            x += picW + (textW ? gap : 0);
        }
        if (textW) p.drawText(QRect(x, 0, textW + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, caption);
    }

    void changeEvent(QEvent* e) override {
        QAbstractButton::changeEvent(e);
        if (e->type() == QEvent::EnabledChange || e->type() == QEvent::FontChange) update();
    }
    void enterEvent(QEnterEvent* e) override {
        QAbstractButton::enterEvent(e);
        update();
    }
    void leaveEvent(QEvent* e) override {
        QAbstractButton::leaveEvent(e);
        update();
    }
};

namespace {
ButtonWidget* button(const QZCommandButton* c) {
    return static_cast<ButtonWidget*>(c->widget());
}
} // namespace

QZCommandButton::QZCommandButton() : QZControl(new ButtonWidget(this)) {
    useSuiteFont();
    QObject::connect(button(this), &QAbstractButton::clicked, this, [this] { raiseClick(); });
}

QString QZCommandButton::Caption() const {
    return widget() ? button(this)->text() : QString();
}

void QZCommandButton::setCaption(const QString& v) {
    if (widget()) button(this)->setText(v);
    if (widget()) widget()->update();
}

void QZCommandButton::setStyle(std::int32_t v) {
    if (v < qzFlat || v > qzHighlight) rt::raise(rt::err::InvalidPropertyValue);
    m_style = v;
    refreshPictures();
}

void QZCommandButton::setPicture(const QString& v) {
    if (!v.isEmpty()) look::picture(v, 16, Qt::black); // fails now for a file that cannot be read
    m_picture = v;
    m_ownPixmap = QPixmap();
    refreshPictures();
}

void QZCommandButton::setPicture(const QPixmap& p) {
    m_picture.clear();
    m_ownPixmap = p;
    refreshPictures();
}

void QZCommandButton::setPictureHover(const QString& v) {
    if (!v.isEmpty()) look::picture(v, 16, Qt::black);
    m_pictureHover = v;
    refreshPictures();
}

void QZCommandButton::setValue(bool v) {
    if (v && widget() && widget()->isEnabled()) button(this)->click();
}

void QZCommandButton::applyColors() {
    refreshPictures();
}

void QZCommandButton::refreshPictures() {
    auto* b = button(this);
    if (!b) return;
    QColor c = m_style == qzHighlight ? QColor(Qt::white) : look::color(look::kAccent);
    const int size = 18;
    b->normal = m_ownPixmap.isNull() ? look::picture(m_picture, size, c) : m_ownPixmap;
    b->hover = look::picture(m_pictureHover, size, c);
    b->update();
}

void QZCommandButton::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("Caption"), [this] { return Variant(Caption()); },
        [this](const Variant& v) { setCaption(v.toString()); });
    f.prop(
        QStringLiteral("Style"), [this] { return Variant(Style()); },
        [this](const Variant& v) { setStyle(v.toLong()); }, kDispStyle);
    f.prop(
        QStringLiteral("BackColor"), [this] { return Variant(BackColor()); },
        [this](const Variant& v) { setBackColor(v.toLong()); }, kDispBackColor);
    f.prop(
        QStringLiteral("Picture"), [this] { return Variant(Picture()); },
        [this](const Variant& v) { setPicture(v.toString()); });
    f.prop(
        QStringLiteral("PictureHover"), [this] { return Variant(PictureHover()); },
        [this](const Variant& v) { setPictureHover(v.toString()); });
    f.prop(
        QStringLiteral("Value"), [] { return Variant(false); },
        [this](const Variant& v) { setValue(v.toBool()); });
}

} // namespace quva::qz
