#include "qz/QZControl.h"

#include "forms/Font.h"
#include "qz/Look.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quva::qz {

ControlFace::ControlFace(const QString& typeName, QZControl* control)
    : DispatchObject(typeName), m_control(control) {}

void ControlFace::check() const {
    if (!m_control) rt::raise(rt::err::ObjectUnloaded);
}

void ControlFace::prop(const QString& name, Getter get, Setter let, DispId id) {
    Handler g = [this, get = std::move(get)](automation::Args) {
        check();
        return get();
    };
    Handler l;
    if (let)
        l = [this, let = std::move(let)](automation::Args a) {
            check();
            let(a.back());
            return Variant();
        };
    property(name, std::move(g), std::move(l), id);
}

void ControlFace::meth(const QString& name, int arity, Method call, DispId id, int minArity) {
    method(
        name, arity,
        [this, call = std::move(call)](automation::Args a) {
            check();
            return call(a);
        },
        id, minArity);
}

void ControlFace::indexed(const QString& name, int indexArity, Method get, Method let, DispId id) {
    Handler g = [this, get = std::move(get)](automation::Args a) {
        check();
        return get(a);
    };
    Handler l;
    if (let)
        l = [this, let = std::move(let)](automation::Args a) {
            check();
            return let(a);
        };
    property(name, std::move(g), std::move(l), id, indexArity);
}

QZControl::QZControl(QWidget* widget) : Control(widget) {}

void QZControl::useSuiteFont(bool bold) {
    setFont(QString::fromLatin1(look::kFontName), look::kFontSize, bold);
}

rt::Object QZControl::object() {
    if (m_face) return m_face;
    auto face = std::make_shared<ControlFace>(TypeName(), this);
    auto& f = *face;
    using forms::Twips;
    f.prop(QStringLiteral("Name"), [this] { return Variant(Name()); });
    f.prop(QStringLiteral("Index"), [this] { return Variant(Index()); });
    f.prop(
        QStringLiteral("Left"), [this] { return Variant(Left()); },
        [this](const Variant& v) { setLeft(v.toSingle()); });
    f.prop(
        QStringLiteral("Top"), [this] { return Variant(Top()); },
        [this](const Variant& v) { setTop(v.toSingle()); });
    f.prop(
        QStringLiteral("Width"), [this] { return Variant(Width()); },
        [this](const Variant& v) { setWidth(v.toSingle()); });
    f.prop(
        QStringLiteral("Height"), [this] { return Variant(Height()); },
        [this](const Variant& v) { setHeight(v.toSingle()); });
    f.prop(
        QStringLiteral("Visible"), [this] { return Variant(Visible()); },
        [this](const Variant& v) { setVisible(v.toBool()); });
    f.prop(
        QStringLiteral("Enabled"), [this] { return Variant(Enabled()); },
        [this](const Variant& v) { setEnabled(v.toBool()); });
    f.prop(
        QStringLiteral("TabIndex"), [this] { return Variant(TabIndex()); },
        [this](const Variant& v) { setTabIndex(v.toInteger()); });
    f.prop(
        QStringLiteral("TabStop"), [this] { return Variant(TabStop()); },
        [this](const Variant& v) { setTabStop(v.toBool()); });
    f.prop(
        QStringLiteral("Tag"), [this] { return Variant(Tag()); },
        [this](const Variant& v) { setTag(v.toString()); });
    f.prop(
        QStringLiteral("ToolTipText"), [this] { return Variant(ToolTipText()); },
        [this](const Variant& v) { setToolTipText(v.toString()); });
    f.prop(
        QStringLiteral("BackColor"), [this] { return Variant(BackColor()); },
        [this](const Variant& v) { setBackColor(v.toLong()); });
    f.prop(
        QStringLiteral("ForeColor"), [this] { return Variant(ForeColor()); },
        [this](const Variant& v) { setForeColor(v.toLong()); });
    f.prop(QStringLiteral("hWnd"), [this] { return Variant(hWnd()); });
    f.meth(QStringLiteral("SetFocus"), 0, [this](automation::Args) {
        SetFocus();
        return Variant();
    });
    f.meth(QStringLiteral("Refresh"), 0, [this](automation::Args) {
        Refresh();
        return Variant();
    });
    f.meth(
        QStringLiteral("Move"), 4,
        [this](automation::Args a) {
            auto opt = [&](std::size_t i) -> std::optional<Twips> {
                if (a[i].isMissing()) return std::nullopt;
                return a[i].toSingle();
            };
            Move(a[0].toSingle(), opt(1), opt(2), opt(3));
            return Variant();
        },
        rt::kUnknownMember, 1);
    describe(f);
    m_face = std::move(face);
    return m_face;
}

Variant QZControl::invokeById(DispId id, CallKind kind, std::span<Variant> args) {
    return object()->invoke(id, kind, args);
}

Variant QZControl::invokeByName(const QString& name, CallKind kind, std::span<Variant> args) {
    auto o = object();
    const DispId id = o->memberId(name);
    if (id == rt::kUnknownMember) rt::raise(rt::err::MemberNotSupported);
    return o->invoke(id, kind, args);
}

bool QZControl::eventFilter(QObject* o, QEvent* e) {
    QWidget* outer = widget();
    if (!outer) return Control::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (o == outer && outer->focusProxy() && QApplication::focusWidget() != outer) return false;
        break;
    case QEvent::FocusIn:
        // The focus moving between the parts of one control is no event of the control.
        if (m_focusInside) return false;
        m_focusInside = true;
        break;
    case QEvent::FocusOut: {
        if (static_cast<QFocusEvent*>(e)->reason() == Qt::PopupFocusReason) break;
        QWidget* now = QApplication::focusWidget();
        if (now && now != o && (now == outer || outer->isAncestorOf(now))) return false;
        m_focusInside = false;
        break;
    }
    default:
        break;
    }
    return Control::eventFilter(o, e);
}

} // namespace quva::qz
