#pragma once
// A base for objects that offer members to late-bound callers: each member
// is registered once with its name, dispatch identifier and the call kinds
// it answers, and invoke() finds it by name (without letter case) or id.

#include "runtime/Dispatch.h"
#include "runtime/Errors.h"

#include <QHash>
#include <QString>

#include <functional>
#include <span>
#include <vector>

namespace quva::automation {

using rt::CallKind;
using rt::DispId;
using rt::Variant;
using Args = std::span<Variant>;

class DispatchObject : public rt::IDispatch {
public:
    rt::DispId memberId(const QString& name) const override;
    Variant invoke(DispId id, CallKind kind, Args args) override;
    QString typeName() const override { return m_typeName; }

    // Member names in the order they were declared (what a registry lists).
    QStringList memberNames() const;

protected:
    explicit DispatchObject(QString typeName) : m_typeName(std::move(typeName)) {}

    using Handler = std::function<Variant(Args)>;
    // A method; arity -1 accepts any count (the handler checks), otherwise
    // a different count is failure 450. Missing optional arguments arrive as
    // rt::Missing; minArity allows them to be left off at the end.
    void method(const QString& name, int arity, Handler h, DispId id = rt::kUnknownMember, int minArity = -1);
    // A property: get takes the index arguments (Cells(r, c)); let/set takes
    // them plus the new value last. Either may be empty (read-only, write-only).
    void property(const QString& name, Handler get, Handler let, DispId id = rt::kUnknownMember,
                  int indexArity = 0);
    // An object property assigned with Set.
    void objectProperty(const QString& name, Handler get, Handler set, DispId id = rt::kUnknownMember);

private:
    struct Member {
        QString name;
        DispId id;
        int arity;
        int minArity;
        int indexArity;
        Handler call, get, let, set;
    };
    Member& add(const QString& name, DispId id);
    DispId freeId();
    QString m_typeName;
    std::vector<Member> m_members;
    QHash<QString, std::size_t> m_byName; // lower-case name
    QHash<DispId, std::size_t> m_byId;
    DispId m_nextId = 0x60030000;
};

} // namespace quva::automation
