#include "forms/Control.h"

#include "forms/Font.h"
#include "forms/Form.h"
#include "forms/Keys.h"
#include "forms/MsgBox.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QtDebug>

#include <cmath>

namespace quva::forms {

namespace {
FailureHandler& failureHandler() {
    static FailureHandler h;
    return h;
}

std::int16_t shiftOf(Qt::KeyboardModifiers m) {
    std::int16_t s = 0;
    if (m & Qt::ShiftModifier) s |= vbShiftMask;
    if (m & Qt::ControlModifier) s |= vbCtrlMask;
    if (m & Qt::AltModifier) s |= vbAltMask;
    return s;
}

std::int16_t buttonOf(Qt::MouseButtons b) {
    std::int16_t r = 0;
    if (b & Qt::LeftButton) r |= vbLeftButton;
    if (b & Qt::RightButton) r |= vbRightButton;
    if (b & Qt::MiddleButton) r |= vbMiddleButton;
    return r;
}
} // namespace

FailureHandler setUnhandledFailureHandler(FailureHandler h) {
    FailureHandler old = std::move(failureHandler());
    failureHandler() = std::move(h);
    return old;
}

FailureHandler runTimeErrorBox(QString title) {
    return [title = std::move(title)](const std::exception& e) {
        const auto* r = dynamic_cast<const rt::RuntimeError*>(&e);
        const std::int32_t number = r ? r->number() : rt::err::AutomationError;
        QString text = QStringLiteral("Erro em tempo de execução '%1':\n\n%2")
                           .arg(number)
                           .arg(r ? r->description() : rt::errorDescription(number) + QStringLiteral(": ") +
                                                           QString::fromLocal8Bit(e.what()));
        if (r && !r->source().isEmpty()) text += QStringLiteral("\n\nLocal: ") + r->source();
        MsgBox(text, vbCritical, title);
    };
}

void unhandledFailure(const std::exception& e) {
    if (failureHandler())
        failureHandler()(e);
    else if (auto* r = dynamic_cast<const rt::RuntimeError*>(&e))
        qCritical("unhandled failure %d in an event: %s", r->number(), qUtf8Printable(r->description()));
    else
        qCritical("unhandled failure in an event: %s", e.what());
}

void guarded(const std::function<void()>& f) {
    if (!f) return;
    try {
        f();
    } catch (const std::exception& e) {
        unhandledFailure(e);
    }
}

Control::Control(QWidget* widget) : m_widget(widget) {
    watch(widget);
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
}

Control::~Control() {
    if (m_form) m_form->forget(this);
    detach();
    delete m_widget.data();
}

void Control::detach() {
    m_detached = true;
    m_array = nullptr;
    m_form = nullptr;
    for (const QPointer<QWidget>& w : m_watched)
        if (w) {
            w->removeEventFilter(this);
            QObject::disconnect(w, nullptr, this, nullptr);
        }
    m_watched.clear();
}

void Control::watch(QWidget* w) {
    if (!w) return;
    w->installEventFilter(this);
    m_watched.emplace_back(w);
}

void Control::applyGeometry() {
    if (!m_widget) return;
    m_widget->setGeometry(toPixelsX(m_left), toPixelsY(m_top), toPixelsX(m_width), toPixelsY(m_height));
}

void Control::syncSizeFromWidget() {
    if (!m_widget) return;
    m_width = toTwipsX(m_widget->width());
    m_height = toTwipsY(m_widget->height());
}

void Control::setLeft(Twips v) {
    m_left = v;
    applyGeometry();
}
void Control::setTop(Twips v) {
    m_top = v;
    applyGeometry();
}
// A negative size is refused as the classic controls refused it.
void Control::setWidth(Twips v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    m_width = v;
    applyGeometry();
}
void Control::setHeight(Twips v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    m_height = v;
    applyGeometry();
}

void Control::Move(Twips left, std::optional<Twips> top, std::optional<Twips> width,
                   std::optional<Twips> height) {
    if ((width && *width < 0) || (height && *height < 0)) rt::raise(rt::err::InvalidPropertyValue);
    m_left = left;
    if (top) m_top = *top;
    if (width) m_width = *width;
    if (height) m_height = *height;
    applyGeometry();
}

void Control::setVisible(bool v) {
    m_visible = v;
    if (m_widget) m_widget->setVisible(v);
}

void Control::setEnabled(bool v) {
    m_enabled = v;
    if (m_widget) m_widget->setEnabled(v);
}

std::int16_t Control::TabIndex() const {
    if (!m_form) return 0;
    const auto& order = m_form->m_tabOrder;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] == this) return std::int16_t(i);
    return 0;
}

void Control::setTabIndex(std::int16_t i) {
    if (i < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (m_form) m_form->moveInTabOrder(this, i);
}

void Control::setTabStop(bool v) {
    m_tabStop = v;
    if (m_form) m_form->applyTabOrder();
}

QString Control::ToolTipText() const {
    return m_widget ? m_widget->toolTip() : QString();
}

void Control::setToolTipText(const QString& v) {
    if (m_widget) m_widget->setToolTip(v);
}

void Control::setMousePointer(std::int16_t p) {
    m_mousePointer = p;
    applyMousePointer(m_widget, p);
}

void Control::setBackColor(OleColor c) {
    m_backColor = c;
    applyColors();
}

void Control::setForeColor(OleColor c) {
    m_foreColor = c;
    applyColors();
}

void Control::applyColors() {
    if (!m_widget) return;
    QPalette pal = m_widget->palette();
    pal.setColor(QPalette::Window, toQColor(m_backColor));
    pal.setColor(QPalette::WindowText, toQColor(m_foreColor));
    pal.setColor(QPalette::ButtonText, toQColor(m_foreColor));
    pal.setColor(QPalette::Button, toQColor(m_backColor));
    m_widget->setPalette(pal);
}

void Control::applyFont() {
    if (!m_widget) return;
    QFont f = makeFont(m_fontName, m_fontSize, m_fontBold, m_fontItalic);
    f.setUnderline(m_fontUnderline);
    m_widget->setFont(f);
}

void Control::setFontName(const QString& name) {
    m_fontName = name;
    applyFont();
}
void Control::setFontSize(double points) {
    if (points <= 0) rt::raise(rt::err::InvalidPropertyValue);
    m_fontSize = points;
    applyFont();
}
void Control::setFontBold(bool v) {
    m_fontBold = v;
    applyFont();
}
void Control::setFontItalic(bool v) {
    m_fontItalic = v;
    applyFont();
}
void Control::setFontUnderline(bool v) {
    m_fontUnderline = v;
    applyFont();
}
void Control::setFont(const QString& name, double points, bool bold, bool italic) {
    if (points <= 0) rt::raise(rt::err::InvalidPropertyValue);
    m_fontName = name;
    m_fontSize = points;
    m_fontBold = bold;
    m_fontItalic = italic;
    applyFont();
}

void Control::ZOrder(std::int16_t position) {
    if (!m_widget) return;
    if (position == 0)
        m_widget->raise();
    else
        m_widget->lower();
}

void Control::SetFocus() {
    // The classic toolkit refused focus to a control that cannot take it.
    if (!m_widget || !m_visible || !m_enabled || (m_form && !m_form->Visible()) ||
        (m_form && !m_form->Enabled()))
        rt::raise(rt::err::InvalidCall);
    for (Control* c = m_container; c; c = c->m_container)
        if (!c->m_visible || !c->m_enabled) rt::raise(rt::err::InvalidCall);
    QWidget* top = m_widget->window();
    if (top && !top->isActiveWindow()) top->activateWindow();
    m_widget->setFocus(Qt::OtherFocusReason);
}

void Control::Refresh() {
    if (m_widget) m_widget->repaint();
}

void Control::raiseClick() {
    if (m_detached) return;
    guarded(onClick);
    if (m_array && m_array->onClick) guarded([&] { m_array->onClick(m_index); });
}
void Control::raiseDblClick() {
    if (m_detached) return;
    guarded(onDblClick);
    if (m_array && m_array->onDblClick) guarded([&] { m_array->onDblClick(m_index); });
}
void Control::raiseChange() {
    if (m_detached) return;
    guarded(onChange);
    if (m_array && m_array->onChange) guarded([&] { m_array->onChange(m_index); });
}
void Control::raiseGotFocus() {
    if (m_detached) return;
    guarded(onGotFocus);
    if (m_array && m_array->onGotFocus) guarded([&] { m_array->onGotFocus(m_index); });
}
void Control::raiseLostFocus() {
    if (m_detached) return;
    guarded(onLostFocus);
    if (m_array && m_array->onLostFocus) guarded([&] { m_array->onLostFocus(m_index); });
}
void Control::raiseKeyPress(std::int16_t& KeyAscii) {
    if (m_detached) return;
    if (onKeyPress) guarded([&] { onKeyPress(KeyAscii); });
    if (m_array && m_array->onKeyPress) guarded([&] { m_array->onKeyPress(m_index, KeyAscii); });
}
void Control::raiseKeyDown(std::int16_t& KeyCode, std::int16_t Shift) {
    if (m_detached) return;
    if (onKeyDown) guarded([&] { onKeyDown(KeyCode, Shift); });
    if (m_array && m_array->onKeyDown) guarded([&] { m_array->onKeyDown(m_index, KeyCode, Shift); });
}
void Control::raiseKeyUp(std::int16_t& KeyCode, std::int16_t Shift) {
    if (m_detached) return;
    if (onKeyUp) guarded([&] { onKeyUp(KeyCode, Shift); });
    if (m_array && m_array->onKeyUp) guarded([&] { m_array->onKeyUp(m_index, KeyCode, Shift); });
}
void Control::raiseMouse(QEvent::Type kind, std::int16_t Button, std::int16_t Shift, Twips X, Twips Y) {
    if (m_detached) return;
    const auto& h = kind == QEvent::MouseButtonPress     ? onMouseDown
                    : kind == QEvent::MouseMove          ? onMouseMove
                    : kind == QEvent::MouseButtonRelease ? onMouseUp
                                                         : onMouseMove;
    if (h) guarded([&] { h(Button, Shift, X, Y); });
}

bool Control::handleKeyPress(QWidget* target, QEvent* e) {
    auto* k = static_cast<QKeyEvent*>(e);
    std::int16_t code = keyCodeFromQt(k->key());
    if (code != 0) {
        raiseKeyDown(code, shiftOf(k->modifiers()));
        if (code == 0) return true; // KeyDown swallowed it
    }
    const QString text = k->text();
    if (text.size() != 1 || !m_widget) return false;
    const std::int16_t original = std::int16_t(text.at(0).unicode());
    std::int16_t ascii = original;
    raiseKeyPress(ascii);
    if (ascii == original) return false;
    if (ascii == 0) return true;
    // The handler typed another character: deliver that one instead.
    const QChar ch{char16_t(std::uint16_t(ascii))};
    int key = ch.toUpper().unicode();
    if (ascii == 13) key = Qt::Key_Return;
    if (ascii == 8) key = Qt::Key_Backspace;
    QKeyEvent replaced(QEvent::KeyPress, key, k->modifiers(), QString(ch));
    m_resending = true;
    QCoreApplication::sendEvent(target, &replaced);
    m_resending = false;
    return true;
}

bool Control::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || m_resending || m_detached) return false;
    switch (e->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(w, e);
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        std::int16_t code = keyCodeFromQt(k->key());
        if (code != 0 && !k->isAutoRepeat()) raiseKeyUp(code, shiftOf(k->modifiers()));
        return false;
    }
    case QEvent::FocusIn:
        raiseGotFocus();
        return false;
    case QEvent::FocusOut:
        // A popup (a menu, a tooltip) taking the focus is not a loss of focus.
        if (static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) raiseLostFocus();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(e);
        const QPoint p =
            w == m_widget ? m->position().toPoint() : w->mapTo(m_widget, m->position().toPoint());
        const std::int16_t button =
            e->type() == QEvent::MouseMove ? buttonOf(m->buttons()) : buttonOf(m->button());
        raiseMouse(e->type(), button, shiftOf(m->modifiers()), toTwipsX(p.x()), toTwipsY(p.y()));
        if (e->type() == QEvent::MouseButtonRelease && m_clickOnRelease && m->button() == Qt::LeftButton &&
            m_widget && m_widget->rect().contains(p))
            raiseClick();
        return false;
    }
    case QEvent::MouseButtonDblClick:
        raiseDblClick();
        return false;
    default:
        return false;
    }
}

// Control arrays.

ControlArrayBase::ControlArrayBase(Form* form, const QString& name) : m_form(form) {
    setObjectName(name);
}

std::int16_t ControlArrayBase::LBound() const {
    if (m_items.empty()) rt::raise(rt::err::SubscriptOutOfRange);
    return m_items.begin()->first;
}

std::int16_t ControlArrayBase::UBound() const {
    if (m_items.empty()) rt::raise(rt::err::SubscriptOutOfRange);
    return m_items.rbegin()->first;
}

Control* ControlArrayBase::element(std::int16_t index) const {
    auto it = m_items.find(index);
    return it == m_items.end() ? nullptr : it->second;
}

Control* ControlArrayBase::elementOrFail(std::int16_t index) const {
    Control* c = element(index);
    if (!c) rt::raise(rt::err::ControlArrayElementMissing);
    return c;
}

Control* ControlArrayBase::place(Control* c, std::int16_t index, Control* container, bool runtime) {
    std::unique_ptr<Control> guard(c);
    if (index < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (m_items.count(index)) rt::raise(360); // already loaded
    const Control* model = m_items.empty() ? nullptr : m_items.begin()->second;
    if (runtime && !model) rt::raise(rt::err::ControlArrayElementMissing);
    if (runtime) container = model->m_container;
    c->m_array = this;
    c->m_index = index;
    m_form->place(guard.release(), objectName(), container, runtime, !runtime);
    m_items[index] = c;
    m_runtime[index] = runtime;
    if (model && runtime) {
        c->Move(model->m_left, model->m_top, model->m_width, model->m_height);
        c->setFont(model->m_fontName, model->m_fontSize, model->m_fontBold, model->m_fontItalic);
        c->setBackColor(model->m_backColor);
        c->setForeColor(model->m_foreColor);
        c->setEnabled(model->m_enabled);
        c->setTag(model->m_tag);
    }
    return c;
}

void ControlArrayBase::Unload(std::int16_t index) {
    Control* c = elementOrFail(index);
    if (!m_runtime[index]) rt::raise(rt::err::UnableToUnload);
    m_items.erase(index);
    m_runtime.erase(index);
    m_form->forget(c);
    c->detach();
    c->setVisible(false);
    c->deleteLater();
}

} // namespace quva::forms
