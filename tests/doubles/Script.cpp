#include "Script.h"

#include "runtime/Errors.h"

#include <QHash>

namespace quva::doubles {

namespace {

QString key(const QString& progId, const QString& member) {
    return (progId + u'|' + member).toLower();
}

struct MemberScript {
    rt::Variant result;
    std::int32_t failure = 0;
    std::vector<std::pair<int, rt::Variant>> outputs;
    Behaviour behaviour;
};

struct Store {
    QHash<QString, MemberScript> members;
    QHash<QString, bool> createFailures;
    QHash<QString, int> instances;
    std::vector<Call> calls;
};

Store& store() {
    static Store s;
    return s;
}

} // namespace

void reset() {
    store() = Store{};
}

void setResult(const QString& progId, const QString& member, const rt::Variant& value) {
    store().members[key(progId, member)].result = value;
}
void setFailure(const QString& progId, const QString& member, std::int32_t number) {
    store().members[key(progId, member)].failure = number;
}
void setOutput(const QString& progId, const QString& member, int index, const rt::Variant& value) {
    store().members[key(progId, member)].outputs.emplace_back(index, value);
}
void setBehaviour(const QString& progId, const QString& member, Behaviour b) {
    store().members[key(progId, member)].behaviour = std::move(b);
}
void setCreateFailure(const QString& progId, bool fail) {
    store().createFailures[progId.toLower()] = fail;
}
void setErrorTriple(const QString& progId, const rt::Variant& numero, const rt::Variant& descricao,
                    const rt::Variant& local) {
    setResult(progId, QStringLiteral("NumeroDoErro"), numero);
    setResult(progId, QStringLiteral("DescricaoDoErro"), descricao);
    setResult(progId, QStringLiteral("LocalDoErro"), local);
}

std::vector<Call> calls(const QString& progId, const QString& member) {
    std::vector<Call> r;
    for (const Call& c : store().calls)
        if ((progId.isEmpty() || c.progId.compare(progId, Qt::CaseInsensitive) == 0) &&
            (member.isEmpty() || c.member.compare(member, Qt::CaseInsensitive) == 0))
            r.push_back(c);
    return r;
}

int instancesCreated(const QString& progId) {
    return store().instances.value(progId.toLower());
}

namespace detail {

bool createFails(const QString& progId) {
    return store().createFailures.value(progId.toLower());
}

int newInstance(const QString& progId) {
    return ++store().instances[progId.toLower()];
}

rt::Variant answer(const QString& progId, int instance, const QString& member, rt::CallKind kind,
                   std::span<rt::Variant> args) {
    Call c{progId, instance, member, kind, {}};
    for (const rt::Variant& a : args)
        c.args.push_back(Arg{a.vt(), a.deref()});
    store().calls.push_back(std::move(c));

    // A copy: a behaviour may script the store again.
    MemberScript m = store().members.value(key(progId, member));
    if (m.failure != 0) throw rt::RuntimeError(m.failure, rt::errorDescription(m.failure));
    for (const auto& [index, value] : m.outputs)
        if (index >= 0 && std::size_t(index) < args.size()) args[std::size_t(index)].assign(value);
    return m.behaviour ? m.behaviour(args) : m.result;
}

} // namespace detail

} // namespace quva::doubles
