#include "forms/Controls.h"

#include "forms/Form.h"
#include "runtime/Errors.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace quva::forms {

namespace {
Qt::Alignment alignmentOf(std::int16_t a) {
    switch (a) {
    case vbRightJustify:
        return Qt::AlignRight;
    case vbCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

QPixmap loadPicture(const QString& path) {
    QPixmap p;
    if (!path.isEmpty() && !p.load(path)) rt::raise(rt::err::FileNotFound);
    return p;
}

// The whole control answers a click, as the classic check and option boxes did.
template <class Base> class WholeHit : public Base {
protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// Paints a picture at the top left corner, or stretched over the whole widget.
class PictureWidget : public QFrame {
public:
    QPixmap picture;
    bool stretch = false;

protected:
    void paintEvent(QPaintEvent* e) override {
        QFrame::paintEvent(e);
        if (picture.isNull()) return;
        QPainter p(this);
        if (stretch)
            p.drawPixmap(contentsRect(), picture);
        else
            p.drawPixmap(contentsRect().topLeft(), picture);
    }
};
} // namespace

// Label

Label::Label() : Control(new QLabel) {
    setClickOnRelease(true);
    auto* l = static_cast<QLabel*>(widget());
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setAutoFillBackground(true);
    applyColors();
    applyFont();
}

QString Label::Caption() const {
    return widget() ? static_cast<QLabel*>(widget())->text() : QString();
}

void Label::setCaption(const QString& v) {
    if (!widget()) return;
    static_cast<QLabel*>(widget())->setText(v);
    fit();
}

void Label::setAlignment(std::int16_t v) {
    m_alignment = v;
    if (widget()) static_cast<QLabel*>(widget())->setAlignment(alignmentOf(v) | Qt::AlignTop);
}

void Label::setAutoSize(bool v) {
    m_autoSize = v;
    fit();
}

void Label::setWordWrap(bool v) {
    m_wordWrap = v;
    if (widget()) static_cast<QLabel*>(widget())->setWordWrap(v);
    fit();
}

void Label::setBackStyle(std::int16_t v) {
    m_backStyle = v;
    if (widget()) widget()->setAutoFillBackground(v != 0);
}

void Label::setBorderStyle(std::int16_t v) {
    m_borderStyle = v;
    if (widget())
        static_cast<QLabel*>(widget())->setFrameStyle(v ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void Label::applyColors() {
    Control::applyColors();
    if (widget()) widget()->setAutoFillBackground(m_backStyle != 0);
}

void Label::applyFont() {
    Control::applyFont();
    fit();
}

void Label::fit() {
    if (!m_autoSize || !widget()) return;
    auto* l = static_cast<QLabel*>(widget());
    if (m_wordWrap)
        l->resize(l->width(), l->heightForWidth(l->width()));
    else
        l->resize(l->sizeHint());
    syncSizeFromWidget();
}

// TextBox

TextBox::TextBox() : Control(new QLineEdit) {
    setBackColor(vbWindowBackground);
    setForeColor(vbWindowText);
    applyFont();
    QObject::connect(static_cast<QLineEdit*>(widget()), &QLineEdit::textChanged, this,
                     [this] { raiseChange(); });
}

QString TextBox::Text() const {
    return widget() ? static_cast<QLineEdit*>(widget())->text() : QString();
}

void TextBox::setText(const QString& v) {
    if (widget()) static_cast<QLineEdit*>(widget())->setText(v);
}

std::int32_t TextBox::MaxLength() const {
    if (!widget()) return 0;
    const int m = static_cast<QLineEdit*>(widget())->maxLength();
    return m == 32767 ? 0 : m;
}

void TextBox::setMaxLength(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (widget()) static_cast<QLineEdit*>(widget())->setMaxLength(v == 0 ? 32767 : v);
}

bool TextBox::Locked() const {
    return widget() && static_cast<QLineEdit*>(widget())->isReadOnly();
}

void TextBox::setLocked(bool v) {
    if (widget()) static_cast<QLineEdit*>(widget())->setReadOnly(v);
}

void TextBox::setAlignment(std::int16_t v) {
    m_alignment = v;
    if (widget()) static_cast<QLineEdit*>(widget())->setAlignment(alignmentOf(v) | Qt::AlignVCenter);
}

std::int32_t TextBox::SelStart() const {
    if (!widget()) return 0;
    auto* e = static_cast<QLineEdit*>(widget());
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TextBox::setSelStart(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (widget()) static_cast<QLineEdit*>(widget())->setCursorPosition(v);
}

std::int32_t TextBox::SelLength() const {
    return widget() ? std::int32_t(static_cast<QLineEdit*>(widget())->selectedText().size()) : 0;
}

void TextBox::setSelLength(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (!widget()) return;
    auto* e = static_cast<QLineEdit*>(widget());
    e->setSelection(SelStart(), v);
}

QString TextBox::SelText() const {
    return widget() ? static_cast<QLineEdit*>(widget())->selectedText() : QString();
}

void TextBox::applyColors() {
    if (!widget()) return;
    QPalette pal = widget()->palette();
    pal.setColor(QPalette::Base, toQColor(BackColor()));
    pal.setColor(QPalette::Text, toQColor(ForeColor()));
    widget()->setPalette(pal);
}

// CheckBox

CheckBox::CheckBox() : Control(new WholeHit<QCheckBox>) {
    auto* b = static_cast<QCheckBox*>(widget());
    b->setAutoFillBackground(true);
    applyColors();
    applyFont();
    // A user's click cycles checked and unchecked, never to grey.
    QObject::connect(b, &QCheckBox::clicked, this, [this](bool checked) {
        m_value = checked ? vbChecked : vbUnchecked;
        raiseClick();
    });
}

QString CheckBox::Caption() const {
    return widget() ? static_cast<QCheckBox*>(widget())->text() : QString();
}

void CheckBox::setCaption(const QString& v) {
    if (widget()) static_cast<QCheckBox*>(widget())->setText(v);
}

void CheckBox::setValue(std::int16_t v) {
    if (v < vbUnchecked || v > vbGrayed) rt::raise(rt::err::InvalidPropertyValue);
    if (v == m_value) return;
    m_value = v;
    if (auto* b = static_cast<QCheckBox*>(widget())) {
        b->setTristate(v == vbGrayed);
        b->setCheckState(v == vbChecked ? Qt::Checked : v == vbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    raiseClick();
}

void CheckBox::applyColors() {
    Control::applyColors();
    if (widget()) widget()->setAutoFillBackground(true);
}

// OptionButton

OptionButton::OptionButton() : Control(new WholeHit<QRadioButton>) {
    auto* b = static_cast<QRadioButton*>(widget());
    b->setAutoFillBackground(true);
    applyColors();
    applyFont();
    QObject::connect(b, &QRadioButton::clicked, this, [this] { raiseClick(); });
}

QString OptionButton::Caption() const {
    return widget() ? static_cast<QRadioButton*>(widget())->text() : QString();
}

void OptionButton::setCaption(const QString& v) {
    if (widget()) static_cast<QRadioButton*>(widget())->setText(v);
}

bool OptionButton::Value() const {
    return widget() && static_cast<QRadioButton*>(widget())->isChecked();
}

void OptionButton::setValue(bool v) {
    auto* b = static_cast<QRadioButton*>(widget());
    if (!b || b->isChecked() == v) return;
    if (v) {
        b->setChecked(true); // auto-exclusive among the container's buttons
        raiseClick();
    } else {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

void OptionButton::applyColors() {
    Control::applyColors();
    if (widget()) widget()->setAutoFillBackground(true);
}

// CommandButton

CommandButton::CommandButton() : Control(new QPushButton) {
    applyColors();
    applyFont();
    QObject::connect(static_cast<QPushButton*>(widget()), &QPushButton::clicked, this,
                     [this] { raiseClick(); });
}

QString CommandButton::Caption() const {
    return widget() ? static_cast<QPushButton*>(widget())->text() : QString();
}

void CommandButton::setCaption(const QString& v) {
    if (widget()) static_cast<QPushButton*>(widget())->setText(v);
}

void CommandButton::setValue(bool v) {
    if (v) raiseClick();
}

// PictureBox

PictureBox::PictureBox() : Control(new PictureWidget) {
    setClickOnRelease(true);
    widget()->setAutoFillBackground(true);
    setBorderStyle(1);
    applyColors();
    applyFont();
}

QPixmap PictureBox::Picture() const {
    return widget() ? static_cast<PictureWidget*>(widget())->picture : QPixmap();
}

void PictureBox::setPicture(const QPixmap& p) {
    auto* w = static_cast<PictureWidget*>(widget());
    if (!w) return;
    w->picture = p;
    if (m_autoSize && !p.isNull()) {
        const QMargins m = w->contentsMargins();
        w->resize(p.width() + m.left() + m.right(), p.height() + m.top() + m.bottom());
        syncSizeFromWidget();
    }
    w->update();
}

void PictureBox::setPicture(const QString& path) {
    setPicture(loadPicture(path));
}

void PictureBox::setAutoSize(bool v) {
    m_autoSize = v;
    if (v) setPicture(Picture());
}

std::int16_t PictureBox::BorderStyle() const {
    return widget() && static_cast<QFrame*>(widget())->frameShape() != QFrame::NoFrame ? 1 : 0;
}

void PictureBox::setBorderStyle(std::int16_t v) {
    if (auto* w = static_cast<QFrame*>(widget())) {
        w->setFrameStyle(v ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        w->setLineWidth(v ? 2 : 0);
    }
}

// Image

Image::Image() : Control(new PictureWidget) {
    setClickOnRelease(true);
    widget()->setAutoFillBackground(false);
}

QPixmap Image::Picture() const {
    return widget() ? static_cast<PictureWidget*>(widget())->picture : QPixmap();
}

void Image::setPicture(const QPixmap& p) {
    auto* w = static_cast<PictureWidget*>(widget());
    if (!w) return;
    w->picture = p;
    if (!w->stretch && !p.isNull()) {
        w->resize(p.size());
        syncSizeFromWidget();
    }
    w->update();
}

void Image::setPicture(const QString& path) {
    setPicture(loadPicture(path));
}

bool Image::Stretch() const {
    return widget() && static_cast<PictureWidget*>(widget())->stretch;
}

void Image::setStretch(bool v) {
    if (auto* w = static_cast<PictureWidget*>(widget())) {
        w->stretch = v;
        setPicture(w->picture);
    }
}

// Shape

class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(const Shape* s) : m_shape(s) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_shape) return;
        const Shape& s = *m_shape;
        QPainter p(this);
        const int bw = s.BorderStyle() == 0 ? 0 : std::max<int>(1, s.BorderWidth());
        QRectF r = QRectF(rect()).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0, -bw / 2.0);
        if (s.ShapeKind() == vbShapeSquare || s.ShapeKind() == vbShapeCircle ||
            s.ShapeKind() == vbShapeRoundedSquare) {
            const double side = std::min(r.width(), r.height());
            r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
        }
        auto draw = [&](QPainter& painter) {
            switch (s.ShapeKind()) {
            case vbShapeOval:
            case vbShapeCircle:
                painter.drawEllipse(r);
                break;
            case vbShapeRoundedRectangle:
            case vbShapeRoundedSquare: {
                const double radius = std::min(r.width(), r.height()) / 6;
                painter.drawRoundedRect(r, radius, radius);
                break;
            }
            default:
                painter.drawRect(r);
            }
        };
        p.setPen(Qt::NoPen);
        if (s.BackStyle() == 1) {
            p.setBrush(toQColor(s.BackColor()));
            draw(p);
        }
        if (s.FillStyle() == 0) {
            p.setBrush(toQColor(s.FillColor()));
            draw(p);
        }
        if (bw > 0) {
            static const Qt::PenStyle styles[] = {Qt::NoPen,    Qt::SolidLine,   Qt::DashLine,
                                                  Qt::DotLine,  Qt::DashDotLine, Qt::DashDotDotLine,
                                                  Qt::SolidLine};
            QPen pen(toQColor(s.BorderColor()), bw, styles[std::clamp<int>(s.BorderStyle(), 0, 6)]);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            draw(p);
        }
    }

private:
    const Shape* m_shape; // owns this widget
};

Shape::Shape() : Control(new ShapeWidget(this)) {
    setTabStop(false);
    setBackColor(vbWindowBackground);
}

void Shape::setShape(std::int16_t v) {
    if (v < 0 || v > 5) rt::raise(rt::err::InvalidPropertyValue);
    m_shape = v;
    Refresh();
}
void Shape::setBackStyle(std::int16_t v) {
    m_backStyle = v;
    if (widget()) widget()->update();
}
void Shape::setBorderColor(OleColor c) {
    m_borderColor = c;
    if (widget()) widget()->update();
}
void Shape::setBorderStyle(std::int16_t v) {
    if (v < 0 || v > 6) rt::raise(rt::err::InvalidPropertyValue);
    m_borderStyle = v;
    if (widget()) widget()->update();
}
void Shape::setBorderWidth(std::int16_t v) {
    if (v < 1) rt::raise(rt::err::InvalidPropertyValue);
    m_borderWidth = v;
    if (widget()) widget()->update();
}
void Shape::setFillStyle(std::int16_t v) {
    m_fillStyle = v;
    if (widget()) widget()->update();
}
void Shape::setFillColor(OleColor c) {
    m_fillColor = c;
    if (widget()) widget()->update();
}
void Shape::applyColors() {
    if (widget()) widget()->update();
}

} // namespace quva::forms
