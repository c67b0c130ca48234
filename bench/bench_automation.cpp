// A late-bound call by name with four by-reference arguments, over the
// direct C++ call doing the same work.

#include "BenchUtil.h"

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"

#include <QString>

#include <vector>

using namespace quva;
using namespace quva::automation;
using rt::Variant;

namespace {

constexpr int kCalls = 20000;
constexpr int kRuns = 15;

// The work the member does: bump four counters.
Variant work(Variant& a, Variant& b, Variant& c, Variant& d) {
    a.assign(Variant(a.toLong() + 1));
    b.assign(Variant(b.toLong() + 1));
    c.assign(Variant(c.toLong() + 1));
    d.assign(Variant(d.toLong() + 1));
    return Variant(std::int16_t(0));
}

// A class of the usual size: the member sits among thirty others.
QStringList classMembers() {
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names << QStringLiteral("Membro%1").arg(i);
    names[17] = QStringLiteral("Selecionar");
    return names;
}

class Servidor : public DispatchObject {
public:
    Servidor() : DispatchObject(QStringLiteral("clsServidor")) {
        for (const QString& n : classMembers())
            method(n, 4, [](Args a) { return work(a[0], a[1], a[2], a[3]); });
    }
};

// The obvious implementation: a linear scan comparing names without case,
// and an argument vector built for every call.
class Ingenuo {
public:
    Ingenuo() {
        for (const QString& n : classMembers())
            m_members.push_back({n, [](std::vector<Variant>& a) { return work(a[0], a[1], a[2], a[3]); }});
    }
    Variant call(const QString& name, std::vector<Variant> args) {
        for (auto& m : m_members)
            if (m.name.compare(name, Qt::CaseInsensitive) == 0) return m.fn(args);
        rt::raise(rt::err::MemberNotSupported);
    }

private:
    struct Member {
        QString name;
        std::function<Variant(std::vector<Variant>&)> fn;
    };
    std::vector<Member> m_members;
};

// Keeps the compiler from folding the direct call away.
Variant (*volatile g_direct)(Variant&, Variant&, Variant&, Variant&) = &work;

} // namespace

int main() {
    rt::Object o = std::make_shared<Servidor>();
    Ingenuo naive;
    Variant a(std::int32_t(0)), b(std::int32_t(0)), c(std::int32_t(0)), d(std::int32_t(0));

    const double direct = bench::medianSeconds(
                              kRuns,
                              [&] {
                                  for (int i = 0; i < kCalls; ++i)
                                      g_direct(a, b, c, d);
                              },
                              1e6) /
                          kCalls;
    const double late =
        bench::medianSeconds(
            kRuns,
            [&] {
                for (int i = 0; i < kCalls; ++i)
                    call(o, QStringLiteral("selecionar"), byRef(a), byRef(b), byRef(c), byRef(d));
            },
            1e6) /
        kCalls;
    const double obvious =
        bench::medianSeconds(
            kRuns,
            [&] {
                for (int i = 0; i < kCalls; ++i)
                    naive.call(QStringLiteral("selecionar"), {byRef(a), byRef(b), byRef(c), byRef(d)});
            },
            1e6) /
        kCalls;
    bench::report("call_byref4_overhead", std::max(0.0, late - direct), "us", 2,
                  std::max(0.0, obvious - direct));
    return a.toLong() == b.toLong() ? 0 : 1;
}
