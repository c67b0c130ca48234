// Late binding against objects in the same process: lookup, call kinds,
// argument counts, by-reference arguments and the failures a caller sees.

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "support/Falhas.h"

#include <QTest>

using namespace quva;
using namespace quva::automation;
using rt::Variant;

namespace {

class Amostra : public DispatchObject {
public:
    Amostra() : DispatchObject(QStringLiteral("clsAmostra")) {
        method(QStringLiteral("Selecionar"), 4, [](Args a) {
            a[0].assign(Variant(std::int32_t(10)));
            a[1].assign(Variant(QStringLiteral("x")));
            a[2].assign(Variant(2.5));
            a[3].assign(Variant(true));
            return Variant(std::int32_t(0));
        });
        method(
            QStringLiteral("Opcional"), 3,
            [](Args a) {
                QString s;
                for (const Variant& v : a)
                    s += v.isMissing() ? u'M' : v.isEmpty() ? u'E' : u'V';
                return Variant(s);
            },
            rt::kUnknownMember, 1);
        method(
            QStringLiteral("Fixo"), 0, [](Args) { return Variant(QStringLiteral("fixo")); }, 0x60030001);
        method(QStringLiteral("Depois"), 0, [](Args) { return Variant(QStringLiteral("depois")); });
        property(
            QStringLiteral("Texto"), [this](Args) { return Variant(m_texto); },
            [this](Args a) {
                m_texto = a[0].toString();
                return Variant();
            });
        property(QStringLiteral("SoLeitura"), [](Args) { return Variant(std::int16_t(1)); }, {});
        property(
            QStringLiteral("Matriz"),
            [this](Args a) { return Variant(m_matriz[a[0].toLong()][a[1].toLong()]); },
            [this](Args a) {
                m_matriz[a[0].toLong()][a[1].toLong()] = a[2].toLong();
                return Variant();
            },
            rt::kUnknownMember, 2);
        objectProperty(
            QStringLiteral("Filho"), [this](Args) { return Variant(m_filho); },
            [this](Args a) {
                m_filho = a[0].toObject();
                return Variant();
            });
        property(
            QStringLiteral("Item"), [](Args a) { return Variant(a[0].toLong() * 2); }, {}, rt::kDefaultMember,
            1);
    }
    QString m_texto;
    std::int32_t m_matriz[3][3] = {};
    rt::Object m_filho;
};

using teste::failureOf;

} // namespace

class TestDispatch : public QObject {
    Q_OBJECT
private slots:
    void namesIgnoreLetterCase() {
        Amostra a;
        const rt::DispId id = a.memberId(QStringLiteral("Selecionar"));
        QVERIFY(id != rt::kUnknownMember);
        for (const char* name : {"selecionar", "SELECIONAR", "sElEcIoNaR"})
            QCOMPARE(a.memberId(QString::fromLatin1(name)), id);
        QCOMPARE(a.memberId(QStringLiteral("Selecionarx")), rt::kUnknownMember);
    }

    void fixedAndAssignedIdsDoNotCollide() {
        Amostra a;
        QCOMPARE(a.memberId(QStringLiteral("Fixo")), 0x60030001);
        QCOMPARE(a.memberId(QStringLiteral("Item")), rt::kDefaultMember);
        QStringList names = a.memberNames();
        QSet<rt::DispId> ids;
        for (const QString& n : names)
            ids.insert(a.memberId(n));
        QCOMPARE(ids.size(), names.size());
        auto o = std::make_shared<Amostra>();
        QCOMPARE(callId(o, 0x60030001).toString(), QStringLiteral("fixo"));
        QCOMPARE(call(o, QStringLiteral("Depois")).toString(), QStringLiteral("depois"));
    }

    void byReferenceArgumentsReachTheCaller() {
        auto o = std::make_shared<Amostra>();
        Variant i(std::int16_t(0)), s, d(0.0), b(false);
        Variant r = call(o, QStringLiteral("selecionar"), byRef(i), byRef(s), byRef(d), byRef(b));
        QCOMPARE(r.toLong(), 0);
        QCOMPARE(i.type(), rt::VarType::Integer); // the caller's type is kept
        QCOMPARE(i.toInteger(), std::int16_t(10));
        QCOMPARE(s.toString(), QStringLiteral("x"));
        QCOMPARE(d.toDouble(), 2.5);
        QCOMPARE(b.rawBoolean(), rt::vbTrue);
        // By value: not written.
        Variant n(std::int32_t(0));
        call(o, QStringLiteral("Selecionar"), n, byRef(s), byRef(d), byRef(b));
        QCOMPARE(n.toLong(), 0);
        // A text that is not a number cannot go into a 16-bit integer.
        Variant t(std::int16_t(0));
        QCOMPARE(
            failureOf([&] { call(o, QStringLiteral("Selecionar"), byRef(i), byRef(t), byRef(d), byRef(b)); }),
            rt::err::TypeMismatch);
    }

    void argumentShapes() {
        auto o = std::make_shared<Amostra>();
        QCOMPARE(call(o, QStringLiteral("Opcional"), 1).toString(), QStringLiteral("VMM"));
        QCOMPARE(call(o, QStringLiteral("Opcional"), 1, 2).toString(), QStringLiteral("VVM"));
        QCOMPARE(call(o, QStringLiteral("Opcional"), 1, 2, 3).toString(), QStringLiteral("VVV"));
        // Missing and Empty in the middle are passed on as they are.
        QCOMPARE(call(o, QStringLiteral("Opcional"), 1, rt::Missing, Variant()).toString(),
                 QStringLiteral("VME"));
        // Indexes keep their order.
        let(o, QStringLiteral("Matriz"), 1, 2, 42);
        QCOMPARE(get(o, QStringLiteral("Matriz"), 1, 2).toLong(), 42);
        QCOMPARE(get(o, QStringLiteral("Matriz"), 2, 1).toLong(), 0);
        // A method answers a get and a property a call.
        QCOMPARE(get(o, QStringLiteral("Fixo")).toString(), QStringLiteral("fixo"));
        QCOMPARE(call(o, QStringLiteral("SoLeitura")).toLong(), 1);
    }

    // A count the member cannot take is 450; a member or a kind of call it
    // does not have is 438.
    void wrongCallsFail_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("failure");
        const int m = int(rt::CallKind::Method), g = int(rt::CallKind::PropertyGet),
                  l = int(rt::CallKind::PropertyLet);
        const int n450 = rt::err::WrongArgumentCount, n438 = rt::err::MemberNotSupported;
        QTest::newRow("method, too few") << "Selecionar" << m << 3 << n450;
        QTest::newRow("method, too many") << "Selecionar" << m << 5 << n450;
        QTest::newRow("optional, none") << "Opcional" << m << 0 << n450;
        QTest::newRow("optional, too many") << "Opcional" << m << 4 << n450;
        QTest::newRow("indexed get, one index") << "Matriz" << g << 1 << n450;
        QTest::newRow("indexed let, no value") << "Matriz" << l << 2 << n450;
        QTest::newRow("let, two values") << "Texto" << l << 3 << n450;
        QTest::newRow("get with index on a text") << "Texto" << g << 1 << n450;
        QTest::newRow("unknown name") << "NaoExiste" << m << 1 << n438;
        QTest::newRow("let on a read-only property") << "SoLeitura" << l << 1 << n438;
        QTest::newRow("set on a text property") << "Texto" << int(rt::CallKind::PropertySet) << 1 << n438;
        QTest::newRow("let on a method") << "Fixo" << l << 1 << n438;
    }
    void wrongCallsFail() {
        QFETCH(QString, member);
        QFETCH(int, kind);
        QFETCH(int, count);
        QFETCH(int, failure);
        auto o = std::make_shared<Amostra>();
        std::vector<Variant> args(std::size_t(count), Variant(1));
        QCOMPARE(failureOf([&] { invokeByName(o, member, rt::CallKind(kind), args); }), failure);
    }

    void unknownIdIs438AndNothingIs91() {
        QCOMPARE(failureOf([&] { callId(std::make_shared<Amostra>(), 0x6803000e); }),
                 rt::err::MemberNotSupported);
        rt::Object nothing;
        QCOMPARE(failureOf([&] { call(nothing, QStringLiteral("Fixo")); }), rt::err::ObjectNotSet);
        QCOMPARE(failureOf([&] { getId(nothing, 0); }), rt::err::ObjectNotSet);
    }

    void objectsBySetAndChained() {
        auto o = std::make_shared<Amostra>();
        auto filho = std::make_shared<Amostra>();
        set(o, QStringLiteral("Filho"), filho);
        let(filho, QStringLiteral("Texto"), QStringLiteral("neto"));
        QCOMPARE(get(obj(get(o, QStringLiteral("Filho"))), QStringLiteral("Texto")).toString(),
                 QStringLiteral("neto"));
        QVERIFY(obj(get(o, QStringLiteral("Filho"))) == filho);
        // Nothing is a valid value for Set; calling through it is not.
        set(o, QStringLiteral("Filho"), nullptr);
        QCOMPARE(failureOf([&] { get(obj(get(o, QStringLiteral("Filho"))), QStringLiteral("Texto")); }),
                 rt::err::ObjectNotSet);
        QCOMPARE(failureOf([&] { get(o, QStringLiteral("Filho"), 21); }), rt::err::ObjectNotSet);
        // Set with a value that is not an object.
        QCOMPARE(failureOf([&] { set(o, QStringLiteral("Filho"), 3); }), rt::err::ObjectRequired);
        // Arguments on a plain property go to its default member: Filho(21) is Filho.Item(21).
        set(o, QStringLiteral("Filho"), filho);
        QCOMPARE(get(o, QStringLiteral("Filho"), 21).toLong(), 42);
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
