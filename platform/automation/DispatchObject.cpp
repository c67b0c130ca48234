#include "automation/DispatchObject.h"

#include <QVarLengthArray>

namespace quva::automation {

namespace {

using rt::err::MemberNotSupported;
using rt::err::ObjectNotSet;
using rt::err::WrongArgumentCount;

// One mapping for both registration and lookup, so that a name folds the
// same way on either side.
inline char16_t fold(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return QChar(c).toLower().unicode();
}

QString folded(const QString& name) {
    QString s(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        s[i] = QChar(fold(name[i].unicode()));
    return s;
}

// Property gets and lets of a member without index arguments that receive
// arguments anyway go to the default member of the object it returns
// (rs.Fields("Nome") is rs.Fields.Item("Nome")).
Variant viaDefaultMember(const Variant& holder, CallKind kind, Args args) {
    if (!holder.isObject()) rt::raise(WrongArgumentCount);
    const rt::Object& o = holder.rawObject();
    if (!o) rt::raise(ObjectNotSet);
    return o->invoke(rt::kDefaultMember, kind, args);
}

} // namespace

rt::DispId DispatchObject::memberId(const QString& name) const {
    // Lower-cased on the stack: the lookup allocates nothing.
    const qsizetype n = name.size();
    QVarLengthArray<QChar, 64> buf(n);
    const QChar* src = name.constData();
    for (qsizetype i = 0; i < n; ++i)
        buf[i] = QChar(fold(src[i].unicode()));
    const QString key = QString::fromRawData(buf.constData(), n);
    auto it = m_byName.constFind(key);
    if (it == m_byName.cend()) return rt::kUnknownMember;
    return m_members[*it].id;
}

QStringList DispatchObject::memberNames() const {
    QStringList names;
    names.reserve(qsizetype(m_members.size()));
    for (const Member& m : m_members)
        names.append(m.name);
    return names;
}

DispId DispatchObject::freeId() {
    while (m_byId.contains(m_nextId))
        ++m_nextId;
    return m_nextId++;
}

DispatchObject::Member& DispatchObject::add(const QString& name, DispId id) {
    const QString key = folded(name);
    std::size_t index;
    if (auto found = m_byName.constFind(key); found != m_byName.cend()) {
        // A second declaration of the same name adds the kinds it answers.
        index = *found;
        if (id == rt::kUnknownMember || id == m_members[index].id) return m_members[index];
        m_byId.remove(m_members[index].id);
    } else {
        index = m_members.size();
        m_members.push_back(Member{name, rt::kUnknownMember, 0, -1, 0, {}, {}, {}, {}});
        m_byName.insert(key, index);
        if (id == rt::kUnknownMember) id = freeId();
    }
    if (auto taken = m_byId.constFind(id); taken != m_byId.cend()) {
        // A fixed id wins over one handed out earlier.
        const std::size_t other = *taken;
        m_members[other].id = freeId();
        m_byId.insert(m_members[other].id, other);
    }
    m_members[index].id = id;
    m_byId.insert(id, index);
    return m_members[index];
}

void DispatchObject::method(const QString& name, int arity, Handler h, DispId id, int minArity) {
    Member& m = add(name, id);
    m.arity = arity;
    m.minArity = minArity;
    m.call = std::move(h);
}

void DispatchObject::property(const QString& name, Handler get, Handler let, DispId id, int indexArity) {
    Member& m = add(name, id);
    m.indexArity = indexArity;
    if (get) m.get = std::move(get);
    if (let) m.let = std::move(let);
}

void DispatchObject::objectProperty(const QString& name, Handler get, Handler set, DispId id) {
    Member& m = add(name, id);
    if (get) m.get = std::move(get);
    if (set) m.set = std::move(set);
}

namespace {

template <class M> Variant callMethod(const M& m, Args args) {
    if (m.arity < 0) return m.call(args);
    const auto n = qsizetype(args.size());
    const int least = m.minArity < 0 ? m.arity : m.minArity;
    if (n > m.arity || n < least) rt::raise(WrongArgumentCount);
    if (n == m.arity) return m.call(args);
    // Optional arguments left off at the end arrive as Missing.
    QVarLengthArray<Variant, 16> full;
    full.reserve(m.arity);
    for (const Variant& a : args)
        full.append(a);
    while (full.size() < m.arity)
        full.append(Variant(rt::Missing));
    return m.call(Args(full.data(), std::size_t(full.size())));
}

template <class M> Variant getProperty(const M& m, Args args) {
    const auto n = qsizetype(args.size());
    if (n == m.indexArity) return m.get(args);
    if (m.indexArity == 0 && n > 0) return viaDefaultMember(m.get({}), CallKind::PropertyGet, args);
    rt::raise(WrongArgumentCount);
}

template <class M, class H> Variant putProperty(const M& m, const H& handler, Args args) {
    const auto n = qsizetype(args.size());
    if (n == m.indexArity + 1) return handler(args);
    if (m.indexArity == 0 && n > 1 && m.get) return viaDefaultMember(m.get({}), CallKind::PropertyLet, args);
    rt::raise(WrongArgumentCount);
}

} // namespace

Variant DispatchObject::invoke(DispId id, CallKind kind, Args args) {
    auto it = m_byId.constFind(id);
    if (it == m_byId.cend()) rt::raise(MemberNotSupported);
    const Member& m = m_members[*it];
    // A method and a property get are both read with "x = obj.Member(...)",
    // so either kind reaches whichever of the two the member has.
    switch (kind) {
    case CallKind::Method:
        if (m.call) return callMethod(m, args);
        if (m.get) return getProperty(m, args);
        break;
    case CallKind::PropertyGet:
        if (m.get) return getProperty(m, args);
        if (m.call) return callMethod(m, args);
        break;
    case CallKind::PropertyLet:
        if (m.let) return putProperty(m, m.let, args);
        if (m.get && m.indexArity == 0 && args.size() > 1)
            return viaDefaultMember(m.get({}), CallKind::PropertyLet, args);
        break;
    case CallKind::PropertySet:
        if (m.set) return putProperty(m, m.set, args);
        break;
    }
    rt::raise(MemberNotSupported);
}

} // namespace quva::automation
