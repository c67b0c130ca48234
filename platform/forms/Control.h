#pragma once
// The base of every control of a form: a QWidget-backed object with twips
// geometry, the classic common properties and events, and its place in a
// control array. The intrinsic controls (Controls.h) and the suite's own
// controls derive from it.
//
// API style (the whole toolkit): property P is read with P() and written with
// setP(v); classic methods keep their names (Move, ZOrder, SetFocus, Refresh);
// events are std::function members onEvent, raised through raiseEvent(); an
// event handler that throws is reported through unhandledFailure() and never
// leaves the toolkit.

#include "forms/Color.h"
#include "forms/Metrics.h"
#include "forms/Window.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QWidget;

namespace quva::forms {

class Form;
class ControlArrayBase;

// Shift argument bits of key and mouse events.
inline constexpr std::int16_t vbShiftMask = 1;
inline constexpr std::int16_t vbCtrlMask = 2;
inline constexpr std::int16_t vbAltMask = 4;
// Mouse buttons.
inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

// What happens to a failure that escapes an event handler (default: a
// critical log line). Returns the previous handler.
using FailureHandler = std::function<void(const std::exception&)>;
FailureHandler setUnhandledFailureHandler(FailureHandler h);
// What the hosts install: the classic run-time error box, critical, with
// the failure's number, description and, when known, where it happened.
FailureHandler runTimeErrorBox(QString title);
void unhandledFailure(const std::exception& e);
// Runs an event handler, keeping any failure inside the toolkit.
void guarded(const std::function<void()>& f);

class Control : public QObject {
public:
    ~Control() override;

    // Toolkit helpers.
    QWidget* widget() const { return m_widget; }
    // The widget that holds controls placed inside this one (nullptr: not a container).
    virtual QWidget* containerWidget() const { return nullptr; }
    virtual QString TypeName() const = 0;

    Form* Parent() const { return m_form; }
    Control* Container() const { return m_container; }
    QString Name() const { return objectName(); }
    // -1 outside a control array.
    std::int16_t Index() const { return m_index; }
    ControlArrayBase* array() const { return m_array; }

    Twips Left() const { return m_left; }
    Twips Top() const { return m_top; }
    Twips Width() const { return m_width; }
    Twips Height() const { return m_height; }
    void setLeft(Twips v);
    void setTop(Twips v);
    void setWidth(Twips v);
    void setHeight(Twips v);
    void Move(Twips left, std::optional<Twips> top = {}, std::optional<Twips> width = {},
              std::optional<Twips> height = {});

    // Its own flag: a control of a hidden form keeps the value it was given.
    bool Visible() const { return m_visible; }
    void setVisible(bool v);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v);
    // Position in the form's tab order, from 0; setting it moves the others along.
    std::int16_t TabIndex() const;
    void setTabIndex(std::int16_t i);
    bool TabStop() const { return m_tabStop; }
    void setTabStop(bool v);
    QString Tag() const { return m_tag; }
    void setTag(const QString& v) { m_tag = v; }
    QString ToolTipText() const;
    void setToolTipText(const QString& v);
    std::int16_t MousePointer() const { return m_mousePointer; }
    void setMousePointer(std::int16_t p);

    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor c);

    // Fonts by the classic name ("Arial"), read back as set.
    QString FontName() const { return m_fontName; }
    void setFontName(const QString& name);
    double FontSize() const { return m_fontSize; }
    void setFontSize(double points);
    bool FontBold() const { return m_fontBold; }
    void setFontBold(bool v);
    bool FontItalic() const { return m_fontItalic; }
    void setFontItalic(bool v);
    bool FontUnderline() const { return m_fontUnderline; }
    void setFontUnderline(bool v);
    void setFont(const QString& name, double points, bool bold = false, bool italic = false);

    HWND hWnd() const { return forms::hWnd(m_widget); }
    // 0 brings it in front of its siblings, 1 sends it behind them.
    void ZOrder(std::int16_t position = 0);
    // Failure 5 when the control (or its form) is hidden or disabled.
    void SetFocus();
    void Refresh();

    // Events.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    // The character code by reference: change it to type another, 0 swallows the key.
    std::function<void(std::int16_t& KeyAscii)> onKeyPress;
    std::function<void(std::int16_t& KeyCode, std::int16_t Shift)> onKeyDown;
    std::function<void(std::int16_t& KeyCode, std::int16_t Shift)> onKeyUp;
    // Positions in twips inside the control.
    std::function<void(std::int16_t Button, std::int16_t Shift, Twips X, Twips Y)> onMouseDown;
    std::function<void(std::int16_t Button, std::int16_t Shift, Twips X, Twips Y)> onMouseMove;
    std::function<void(std::int16_t Button, std::int16_t Shift, Twips X, Twips Y)> onMouseUp;

    // Raise an event: the control's own handler, then its array's with Index.
    void raiseClick();
    void raiseDblClick();
    void raiseChange();
    void raiseGotFocus();
    void raiseLostFocus();
    void raiseKeyPress(std::int16_t& KeyAscii);
    void raiseKeyDown(std::int16_t& KeyCode, std::int16_t Shift);
    void raiseKeyUp(std::int16_t& KeyCode, std::int16_t Shift);
    void raiseMouse(QEvent::Type kind, std::int16_t Button, std::int16_t Shift, Twips X, Twips Y);

protected:
    // The control takes ownership of the widget.
    explicit Control(QWidget* widget);

    // Watches key, focus and mouse events of w (the control's widget by
    // default; a composite control adds its inner editor).
    void watch(QWidget* w);
    bool eventFilter(QObject* o, QEvent* e) override;
    // Colours and font to the widget; a control whose widget uses other
    // palette roles overrides applyColors.
    virtual void applyColors();
    virtual void applyFont();
    // Called once the form has placed the control.
    virtual void attached() {}
    // Whether a left click on the widget raises Click (labels, pictures, images).
    void setClickOnRelease(bool v) { m_clickOnRelease = v; }
    // Pixel size changed by the control itself (auto-size): keep twips in step.
    void syncSizeFromWidget();
    // Applies the twips geometry to the widget.
    void applyGeometry();

private:
    friend class Form;
    friend class ControlArrayBase;
    friend class ControlCollection;
    bool handleKeyPress(QWidget* target, QEvent* e);
    // No more events: the control is going, or its form was loaded again.
    void detach();

    QPointer<QWidget> m_widget;
    Form* m_form = nullptr;
    Control* m_container = nullptr;
    ControlArrayBase* m_array = nullptr;
    std::int16_t m_index = -1;
    Twips m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_tabStop = true;
    bool m_clickOnRelease = false;
    bool m_resending = false;
    bool m_addedAtRunTime = false;
    bool m_detached = false;
    std::vector<QPointer<QWidget>> m_watched;
    QString m_tag;
    std::int16_t m_mousePointer = vbDefault;
    OleColor m_backColor = vbButtonFace;
    OleColor m_foreColor = vbButtonText;
    QString m_fontName = QString::fromLatin1("MS Sans Serif");
    double m_fontSize = 8.25;
    bool m_fontBold = false, m_fontItalic = false, m_fontUnderline = false;
};

// Type test while walking a form's controls: TypeOf<Label>(c).
template <class T> bool TypeOf(const Control* c) {
    return dynamic_cast<const T*>(c) != nullptr;
}

// A control array: elements of one name told apart by Index. Events of the
// elements reach the array's handlers with the element's Index.
class ControlArrayBase : public QObject {
public:
    QString Name() const { return objectName(); }
    std::int16_t Count() const { return std::int16_t(m_items.size()); }
    std::int16_t LBound() const; // failure 9 when empty
    std::int16_t UBound() const;
    // nullptr when there is no element with that index.
    Control* element(std::int16_t index) const;

    std::function<void(std::int16_t Index)> onClick;
    std::function<void(std::int16_t Index)> onDblClick;
    std::function<void(std::int16_t Index)> onChange;
    std::function<void(std::int16_t Index)> onGotFocus;
    std::function<void(std::int16_t Index)> onLostFocus;
    std::function<void(std::int16_t Index, std::int16_t& KeyAscii)> onKeyPress;
    std::function<void(std::int16_t Index, std::int16_t& KeyCode, std::int16_t Shift)> onKeyDown;
    std::function<void(std::int16_t Index, std::int16_t& KeyCode, std::int16_t Shift)> onKeyUp;

    // Unloads an element added at run time (failure 361 for a design-time one).
    void Unload(std::int16_t index);

protected:
    ControlArrayBase(Form* form, const QString& name);
    Control* place(Control* c, std::int16_t index, Control* container, bool runtime);
    Control* elementOrFail(std::int16_t index) const; // failure 340
    Form* m_form;

private:
    friend class Control;
    friend class Form;
    std::map<std::int16_t, Control*> m_items;
    std::map<std::int16_t, bool> m_runtime;
};

template <class T> class ControlArray : public ControlArrayBase {
public:
    ControlArray(Form* form, const QString& name) : ControlArrayBase(form, name) {}
    // The element with that index (failure 340 when there is none).
    T& operator()(std::int16_t index) const { return static_cast<T&>(*elementOrFail(index)); }
    T& operator[](std::int16_t index) const { return (*this)(index); }
    // A design-time element.
    T* add(std::int16_t index, Control* container = nullptr) {
        return static_cast<T*>(place(new T(), index, container, false));
    }
    // Load Name(index): a new element like element LBound, hidden (failure 360
    // when the index is taken).
    T* Load(std::int16_t index) { return static_cast<T*>(place(new T(), index, nullptr, true)); }
};

} // namespace quva::forms
