#include "qz/QZComboBox.h"

#include "qz/Look.h"
#include "runtime/Errors.h"

#include <QComboBox>
#include <QPainter>

namespace quva::qz {

namespace {
// Style sheets drop the platform's arrow; the list draws its own chevron.
class ComboWidget : public QComboBox {
protected:
    void paintEvent(QPaintEvent* e) override {
        QComboBox::paintEvent(e);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(look::color(isEnabled() ? look::kAccent : look::kDisabledText), 1.6, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        const QPointF c(width() - 12.5, height() / 2.0);
        p.drawLine(c + QPointF(-4, -2), c + QPointF(0, 2));
        p.drawLine(c + QPointF(0, 2), c + QPointF(4, -2));
    }
};
} // namespace

QZComboBox::QZComboBox() : QZControl(new ComboWidget) {
    auto* c = editor();
    c->setEditable(false);
    c->setFocusPolicy(Qt::StrongFocus);
    c->setMaxVisibleItems(15);
    QObject::connect(c, &QComboBox::activated, this, [this](int) { raiseClick(); });
    setBackColor(forms::vbWindowBackground);
    setForeColor(look::kText);
    useSuiteFont();
}

QComboBox* QZComboBox::editor() const {
    return static_cast<QComboBox*>(widget());
}

void QZComboBox::checkIndex(std::int32_t index) const {
    if (index < 0 || index >= ListCount()) rt::raise(381); // invalid property array index
}

void QZComboBox::AddItem(const QString& item, std::optional<std::int32_t> index) {
    auto* c = editor();
    const std::int32_t at = index.value_or(ListCount());
    if (at < 0 || at > ListCount()) rt::raise(rt::err::InvalidCall);
    c->blockSignals(true);
    c->insertItem(at, item, 0);
    // An insertion before the chosen item moves it; nothing is chosen by adding.
    if (ListCount() == 1) c->setCurrentIndex(-1);
    c->blockSignals(false);
    m_newIndex = at;
}

void QZComboBox::RemoveItem(std::int32_t index) {
    checkIndex(index);
    editor()->removeItem(index);
    m_newIndex = -1;
}

void QZComboBox::Clear() {
    editor()->clear();
    m_newIndex = -1;
}

std::int32_t QZComboBox::ListCount() const {
    return editor() ? editor()->count() : 0;
}

QString QZComboBox::List(std::int32_t index) const {
    checkIndex(index);
    return editor()->itemText(index);
}

std::int32_t QZComboBox::ItemData(std::int32_t index) const {
    checkIndex(index);
    return editor()->itemData(index).toInt();
}

void QZComboBox::setItemData(std::int32_t index, std::int32_t value) {
    checkIndex(index);
    editor()->setItemData(index, value);
}

std::int32_t QZComboBox::ListIndex() const {
    return editor() ? editor()->currentIndex() : -1;
}

void QZComboBox::setListIndex(std::int32_t index) {
    if (index < -1 || index >= ListCount()) rt::raise(rt::err::InvalidPropertyValue);
    editor()->setCurrentIndex(index);
    if (index >= 0) raiseClick();
}

QString QZComboBox::Text() const {
    return editor() ? editor()->currentText() : QString();
}

void QZComboBox::applyColors() {
    if (!editor()) return;
    const QString accent = look::color(look::kAccent).name();
    editor()->setStyleSheet(
        // A drop-down list under the box, from its first item: the list over
        // the box, current item aligned, opened scrolled past the first items.
        QStringLiteral("QComboBox { background: %1; color: %2; border: 1px solid %3; border-radius: 3px;"
                       " padding: 1px 6px 1px 6px; combobox-popup: 0; }"
                       " QComboBox:focus { border: 2px solid %4; padding: 0px 5px 0px 5px; }"
                       " QComboBox:disabled { background: %5; }"
                       " QComboBox::drop-down { border: none; width: 22px; }"
                       " QComboBox::down-arrow { image: none; }"
                       " QComboBox QAbstractItemView { background: white; color: %2;"
                       " selection-background-color: %6; selection-color: %2; outline: none; }")
            .arg(look::color(BackColor()).name(), look::color(ForeColor()).name(),
                 look::color(look::kBorder).name(), accent, look::color(look::kDisabledFill).name(),
                 look::color(look::kHover).name()));
}

void QZComboBox::describe(ControlFace& f) {
    f.meth(
        QStringLiteral("AddItem"), 2,
        [this](automation::Args a) {
            std::optional<std::int32_t> at;
            if (!a[1].isMissing()) at = a[1].toLong();
            AddItem(a[0].toString(), at);
            return Variant();
        },
        rt::kUnknownMember, 1);
    f.meth(QStringLiteral("RemoveItem"), 1, [this](automation::Args a) {
        RemoveItem(a[0].toLong());
        return Variant();
    });
    f.meth(QStringLiteral("Clear"), 0, [this](automation::Args) {
        Clear();
        return Variant();
    });
    f.prop(QStringLiteral("ListCount"), [this] { return Variant(ListCount()); });
    f.prop(
        QStringLiteral("ListIndex"), [this] { return Variant(ListIndex()); },
        [this](const Variant& v) { setListIndex(v.toLong()); });
    f.prop(QStringLiteral("NewIndex"), [this] { return Variant(NewIndex()); });
    f.prop(
        QStringLiteral("Text"), [this] { return Variant(Text()); }, {}, rt::kDefaultMember);
    // Indexed members: List(i), ItemData(i) and ItemData(i) = v.
    f.indexed(QStringLiteral("List"), 1, [this](automation::Args a) { return Variant(List(a[0].toLong())); });
    f.indexed(
        QStringLiteral("ItemData"), 1,
        [this](automation::Args a) { return Variant(ItemData(a[0].toLong())); },
        [this](automation::Args a) {
            setItemData(a[0].toLong(), a[1].toLong());
            return Variant();
        });
}

} // namespace quva::qz
