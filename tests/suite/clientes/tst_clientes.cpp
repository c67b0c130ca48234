// The suite's query components through CreateObject on a database of the
// test's own: QUVA_N_ClientAnim.clsClientes as the search dialog and the card
// call Selecionar (accents, letter case, what the recordset carries), and
// QUVA_N_Empresa.clsEmpresa with no company, then the first of several.

#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "automation/Registry.h"
#include "automation/Server.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quva;
using automation::byRef;
using automation::call;
using automation::get;
using rt::Variant;

namespace {

const QString kClientes = QStringLiteral("QUVA_N_ClientAnim.clsClientes");

ado::Recordset* rs(const rt::Object& o) {
    return dynamic_cast<ado::Recordset*>(
        get(o, QStringLiteral("ResultadoDaSelecaoEmRecordSet")).toObject().get());
}

// Each row the component selected, as "code|nickname|name|situation|VIP|
// ABC|address", in code order; no field is ever Null.
QStringList resultado(const rt::Object& componente) {
    ado::Recordset* r = rs(componente);
    QStringList out;
    if (!r || r->RecordCount() == 0) return out;
    for (r->MoveFirst(); !r->EOF_(); r->MoveNext()) {
        QStringList campos;
        for (const char* c : {"CodigoDoCliente", "ApelidoOuNomeFantasia", "NomeOuRazaoSocial", "Situacao",
                              "VIP", "CategoriaDaCurvaABC", "EnderecoCompleto"})
            campos << r->Fields(QString::fromLatin1(c)).Value().toString();
        for (int i = 0; i < r->fieldCount(); ++i)
            if (r->valueAt(i).isNull()) campos << QStringLiteral("Null in field %1").arg(i);
        out << campos.join(u'|');
    }
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return a.section(u'|', 0, 0).toInt() < b.section(u'|', 0, 0).toInt();
    });
    return out;
}

QList<std::int32_t> codigos(const QStringList& l) {
    QList<std::int32_t> r;
    for (const QString& x : l)
        r << x.section(u'|', 0, 0).toInt();
    return r;
}

rt::Object clientes() {
    rt::Object c = automation::CreateObject(kClientes);
    automation::set(c, QStringLiteral("DadosDoUsuario"), rt::Object());
    return c;
}

// Selecionar as the search dialog calls it: everything by value, the text fourth.
Variant pesquisar(const rt::Object& c, const QString& texto) {
    return call(c, QStringLiteral("Selecionar"), std::int32_t(2), std::int16_t(0), std::int32_t(1), texto,
                QString(), 0.0, QString(), QString(), QString(), 0.0, QString());
}

// As the card calls it: the typed name and the code by reference, left as they were.
Variant naFicha(const rt::Object& c, const QString& nome, double codigo) {
    Variant n(nome), cod(codigo);
    const Variant r = call(c, QStringLiteral("Selecionar"), std::int32_t(2), std::int16_t(0), std::int32_t(0),
                           QString(), byRef(n), byRef(cod), QString(), QString(), QString(), 0.0, QString());
    if (n.toString() != nome || cod.toDouble() != codigo) qFatal("Selecionar changed its arguments");
    return r;
}

rt::Object empresa(std::int16_t* resultado) {
    rt::Object e = automation::CreateObject(QStringLiteral("QUVA_N_Empresa.clsEmpresa"));
    *resultado = call(e, QStringLiteral("SelecionarNova"), std::int32_t(2), std::int16_t(0), std::int32_t(1),
                      QString())
                     .toInteger();
    return e;
}

} // namespace

class tst_clientes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("QUVA_DATABASE", QFile::encodeName(m_dir.filePath(QStringLiteral("clientes.db"))));
        QFile::remove(automation::Registry::path());
        QString erro;
        QCOMPARE(automation::RegisterLibrary(QStringLiteral(LIB_CLIENTES), &erro), automation::S_OK_);
        QCOMPARE(automation::RegisterLibrary(QStringLiteral(LIB_EMPRESA), &erro), automation::S_OK_);

        m_banco = suite::Banco::abrir();
        auto novo = [&](std::int64_t codigo, const char* apelido, const char* nome, int situacao, bool vip,
                        const char* categoria, const char* rua = "", const char* cidade = "") {
            suite::Cliente c;
            c.codigo = codigo;
            c.apelidoOuNomeFantasia = QString::fromUtf8(apelido);
            c.nomeOuRazaoSocial = QString::fromUtf8(nome);
            c.situacao = situacao;
            c.vip = vip;
            c.categoriaDaCurvaABC = QString::fromUtf8(categoria);
            c.logradouro = QString::fromUtf8(rua);
            c.cidade = QString::fromUtf8(cidade);
            suite::salvarCliente(*m_banco, c);
        };
        novo(7, "Joãozinho", "João Antônio da Conceição", suite::ClienteAtivo, true, "A", "Rua das Acácias",
             "São Paulo");
        novo(12, "Padaria Pão Quente", "Pão Quente Comércio de Alimentos Ltda", suite::ClienteAtivo, false,
             "B");
        novo(42, "Zé", "José Ávila", suite::ClienteInativo, false, "");
        novo(43, "Maria", "Maria Gonçalves", suite::ClienteBloqueado, true, "C");
        novo(44, "Padaria Central", "Central Pães ME", suite::ClienteExcluido, false, "C");
        novo(142, "Dona Conceição 😀😀", "Conceição Ribeiro", suite::ClienteAtivo, false, "B");
    }

    void dialogSearch_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QList<std::int32_t>>("esperados");
        QTest::newRow("no accent finds accented name") << "joao" << QList<std::int32_t>{7};
        QTest::newRow("upper case") << "CONCEIÇÃO" << QList<std::int32_t>{7, 142};
        QTest::newRow("accents typed differently") << "pãés" << QList<std::int32_t>{44};
        QTest::newRow("trade name") << "padaria" << QList<std::int32_t>{12, 44};
        QTest::newRow("legal name") << "comercio de alimentos" << QList<std::int32_t>{12};
        QTest::newRow("code") << "142" << QList<std::int32_t>{142};
        // Texts shorter than three characters (an emoji is one) are scanned.
        QTest::newRow("two letters") << "av" << QList<std::int32_t>{42};
        QTest::newRow("two emojis") << "😀😀" << QList<std::int32_t>{142};
        QTest::newRow("LIKE wildcard is text") << "%" << QList<std::int32_t>{};
        QTest::newRow("every situation") << "a" << QList<std::int32_t>{7, 12, 42, 43, 44, 142};
        QTest::newRow("nothing") << "Xavier" << QList<std::int32_t>{};
    }
    void dialogSearch() {
        QFETCH(QString, texto);
        QFETCH(QList<std::int32_t>, esperados);
        rt::Object c = clientes();
        QCOMPARE(pesquisar(c, texto).toInteger(), std::int16_t(0));
        QCOMPARE(codigos(resultado(c)), esperados);
        QCOMPARE(rs(c)->RecordCount(), std::int32_t(esperados.size()));
    }

    // What the dialog and the card read from a row.
    void rowFields() {
        rt::Object c = clientes();
        pesquisar(c, QString());
        QCOMPARE(resultado(c),
                 (QStringList{"7|Joãozinho|João Antônio da Conceição|1|Sim|A|Rua das Acácias - São Paulo",
                              "12|Padaria Pão Quente|Pão Quente Comércio de Alimentos Ltda|1|Não|B|",
                              "42|Zé|José Ávila|2|Não||", "43|Maria|Maria Gonçalves|3|Sim|C|",
                              "44|Padaria Central|Central Pães ME|4|Não|C|",
                              "142|Dona Conceição 😀😀|Conceição Ribeiro|1|Não|B|"}));
    }

    void cardLookup_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<double>("codigo");
        QTest::addColumn<QList<std::int32_t>>("esperados");
        QTest::newRow("code wins") << "" << 43.0 << QList<std::int32_t>{43};
        QTest::newRow("code of nobody") << "" << 999.0 << QList<std::int32_t>{};
        QTest::newRow("exact nickname, no accents") << "padaria pao quente" << 0.0 << QList<std::int32_t>{12};
        QTest::newRow("exact legal name") << "JOSÉ ÁVILA" << 0.0 << QList<std::int32_t>{42};
        QTest::newRow("exact beats contains") << "Maria" << 0.0 << QList<std::int32_t>{43};
        QTest::newRow("part of names") << "Padaria" << 0.0 << QList<std::int32_t>{12, 44};
        QTest::newRow("part, unaccented") << "conceicao" << 0.0 << QList<std::int32_t>{7, 142};
        QTest::newRow("code digits are not a name") << "142" << 0.0 << QList<std::int32_t>{};
        QTest::newRow("nothing typed") << "  " << 0.0 << QList<std::int32_t>{};
    }
    void cardLookup() {
        QFETCH(QString, nome);
        QFETCH(double, codigo);
        QFETCH(QList<std::int32_t>, esperados);
        rt::Object c = clientes();
        QCOMPARE(naFicha(c, nome, codigo).toInteger(), std::int16_t(0));
        QCOMPARE(codigos(resultado(c)), esperados);
    }

    // What the printed documents read of the company; texts are never Null.
    void companies() {
        std::int16_t r = -1;
        QCOMPARE(rs(empresa(&r))->RecordCount(), 0);
        QCOMPARE(r, std::int16_t(0));
        suite::Empresa a;
        a.nomeFantasia = QStringLiteral("Açougue São Jorge");
        a.logradouro = QStringLiteral("Avenida Brasil");
        a.numero = QStringLiteral("1500");
        a.bairro = QStringLiteral("Centro");
        a.cep = QStringLiteral("87000-000");
        a.cidade = QStringLiteral("Maringá");
        a.uf = QStringLiteral("PR");
        a.telefone = QStringLiteral("(44) 3222-1000");
        a.email = QStringLiteral("contato@saojorge.com.br");
        suite::salvarEmpresa(*m_banco, a);
        suite::Empresa b;
        b.nomeFantasia = QStringLiteral("Filial");
        suite::salvarEmpresa(*m_banco, b);
        const rt::Object componente = empresa(&r);
        ado::Recordset* e = rs(componente);
        QCOMPARE(r, std::int16_t(0));
        QCOMPARE(e->RecordCount(), 2);
        QStringList campos;
        for (const char* c : {"NomeFantasia", "EnderecoCompleto", "Telefone", "Email"})
            campos << e->Fields(QString::fromLatin1(c)).Value().toString();
        QCOMPARE(campos,
                 (QStringList{a.nomeFantasia, "Avenida Brasil, 1500 - Centro - Maringá/PR - CEP 87000-000",
                              a.telefone, a.email}));
        e->MoveNext();
        QCOMPARE(e->Fields(QStringLiteral("Telefone")).Value().type(), rt::VarType::String);
    }

    // A database that cannot be opened is a reported failure, not a raise.
    void failureTriple() {
        qputenv("QUVA_DATABASE", "/proc/self/nao-existe/clientes.db");
        rt::Object c = clientes();
        const Variant r = pesquisar(c, QStringLiteral("joao"));
        std::int16_t re = 0;
        rt::Object e = empresa(&re);
        qputenv("QUVA_DATABASE", QFile::encodeName(m_dir.filePath(QStringLiteral("clientes.db"))));
        QVERIFY(r.toInteger() != 0);
        QVERIFY(get(c, QStringLiteral("NumeroDoErro")).toLong() != 0);
        QVERIFY(!get(c, QStringLiteral("DescricaoDoErro")).toString().isEmpty());
        QCOMPARE(get(c, QStringLiteral("LocalDoErro")).toString(),
                 QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar"));
        QVERIFY(re != 0 && get(e, QStringLiteral("NumeroDoErro")).toLong() != 0);
        QCOMPARE(get(e, QStringLiteral("LocalDoErro")).toString(),
                 QStringLiteral("QUVA_N_Empresa, clsEmpresa, SelecionarNova"));

        // A negative or fractional code is refused the same way.
        QVERIFY(naFicha(c, QString(), -3.0).toInteger() != 0);
        QVERIFY(get(c, QStringLiteral("DescricaoDoErro")).toString().contains(QStringLiteral("-3")));

        // The next good call clears the triple.
        QCOMPARE(pesquisar(c, QStringLiteral("joao")).toInteger(), std::int16_t(0));
        QCOMPARE(get(c, QStringLiteral("NumeroDoErro")).toLong(), 0);
    }

    void cleanupTestCase() { m_banco.reset(); }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<suite::Banco> m_banco;
};

QTEST_MAIN(tst_clientes)
#include "tst_clientes.moc"
