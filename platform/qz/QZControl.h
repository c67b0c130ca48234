#pragma once
// The base of the suite's own controls: a forms control that also has a
// late-bound face, so that code holding the control as an object (or
// calling its members by dispatch identifier) reaches the same members the
// C++ interface offers.

#include "automation/DispatchObject.h"
#include "forms/Control.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <span>

namespace quva::qz {

using rt::CallKind;
using rt::DispId;
using rt::Variant;

class QZControl;

// The late-bound face of one control. Members answer by name (without letter
// case) and by dispatch identifier; once the control is gone every call is
// failure 364 (object unloaded).
class ControlFace : public automation::DispatchObject {
public:
    ControlFace(const QString& typeName, QZControl* control);

    using Getter = std::function<Variant()>;
    using Setter = std::function<void(const Variant&)>;
    using Method = std::function<Variant(automation::Args)>;
    // A property; an empty setter makes it read-only.
    void prop(const QString& name, Getter get, Setter let = {}, DispId id = rt::kUnknownMember);
    void meth(const QString& name, int arity, Method call, DispId id = rt::kUnknownMember, int minArity = -1);
    // A property with index arguments: get receives them, let receives them and the value last.
    void indexed(const QString& name, int indexArity, Method get, Method let = {},
                 DispId id = rt::kUnknownMember);

private:
    void check() const;
    QPointer<QObject> m_control;
};

class QZControl : public forms::Control {
public:
    // The control as an automation object (the same object on every call).
    rt::Object object();
    Variant invokeById(DispId id, CallKind kind, std::span<Variant> args = {});
    Variant invokeByName(const QString& name, CallKind kind, std::span<Variant> args = {});

protected:
    explicit QZControl(QWidget* widget);
    // Adds the control's own members to its face (the common ones are there already).
    virtual void describe(ControlFace& face) = 0;
    // Key events that reach the outer widget only because an inner editor let
    // them through were already raised there.
    bool eventFilter(QObject* o, QEvent* e) override;
    // The suite's font unless the form sets another.
    void useSuiteFont(bool bold = false);

private:
    std::shared_ptr<ControlFace> m_face;
    bool m_focusInside = false;
};

// Makes the suite's controls creatable by Controls.Add ("QZ.QZCommandButton",
// "QZ.QZFind", …). Done when the library loads; harmless to call again.
void registerControls();

} // namespace quva::qz
