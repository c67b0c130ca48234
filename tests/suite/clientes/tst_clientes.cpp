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
using Codigos = QList<std::int32_t>;

ado::Recordset* rs(const rt::Object& o) {
    return dynamic_cast<ado::Recordset*>(get(o, "ResultadoDaSelecaoEmRecordSet").toObject().get());
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

// What the dialog and the card read from each client's row.
const QMap<std::int32_t, QString> kLinhas{
    {7, "7|Joãozinho|João Antônio da Conceição|1|Sim|A|Rua das Acácias - São Paulo"},
    {12, "12|Padaria Pão Quente|Pão Quente Comércio de Alimentos Ltda|1|Não|B|"},
    {42, "42|Zé|José Ávila|2|Não||"},
    {43, "43|Maria|Maria Gonçalves|3|Sim|C|"},
    {44, "44|Padaria Central|Central Pães ME|4|Não|C|"},
    {142, "142|Dona Conceição 😀😀|Conceição Ribeiro|1|Não|B|"}};

rt::Object clientes() {
    rt::Object c = automation::CreateObject(kClientes);
    automation::set(c, "DadosDoUsuario", rt::Object());
    return c;
}

// Selecionar as the search dialog calls it: everything by value, the text fourth.
Variant pesquisar(const rt::Object& c, const QString& texto) {
    return call(c, "Selecionar", std::int32_t(2), std::int16_t(0), std::int32_t(1), texto, QString(), 0.0,
                QString(), QString(), QString(), 0.0, QString());
}

// As the card calls it: the typed name and the code by reference, left as they were.
Variant naFicha(const rt::Object& c, const QString& nome, double codigo) {
    Variant n(nome), cod(codigo);
    const Variant r = call(c, "Selecionar", std::int32_t(2), std::int16_t(0), std::int32_t(0), QString(),
                           byRef(n), byRef(cod), QString(), QString(), QString(), 0.0, QString());
    if (n.toString() != nome || cod.toDouble() != codigo) qFatal("Selecionar changed its arguments");
    return r;
}

rt::Object empresa(std::int16_t* resultado) {
    rt::Object e = automation::CreateObject(QStringLiteral("QUVA_N_Empresa.clsEmpresa"));
    *resultado =
        call(e, "SelecionarNova", std::int32_t(2), std::int16_t(0), std::int32_t(1), QString()).toInteger();
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
        for (const char* biblioteca : {LIB_CLIENTES, LIB_EMPRESA})
            QCOMPARE(automation::RegisterLibrary(QString::fromUtf8(biblioteca)), automation::S_OK_);

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

    // Selecionar as the search dialog calls it, with the text, and as the
    // card does, with the typed name or the code.
    void selecionar_data() {
        QTest::addColumn<bool>("naFicha");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("codigo");
        QTest::addColumn<Codigos>("esperados");
        QTest::newRow("dialog: no accent finds accented name") << false << "joao" << 0.0 << Codigos{7};
        QTest::newRow("dialog: upper case") << false << "CONCEIÇÃO" << 0.0 << Codigos{7, 142};
        QTest::newRow("dialog: accents typed differently") << false << "pãés" << 0.0 << Codigos{44};
        QTest::newRow("dialog: trade name") << false << "padaria" << 0.0 << Codigos{12, 44};
        QTest::newRow("dialog: legal name") << false << "comercio de alimentos" << 0.0 << Codigos{12};
        QTest::newRow("dialog: code") << false << "142" << 0.0 << Codigos{142};
        // Texts shorter than three characters (an emoji is one) are scanned.
        QTest::newRow("dialog: two letters") << false << "av" << 0.0 << Codigos{42};
        QTest::newRow("dialog: two emojis") << false << "😀😀" << 0.0 << Codigos{142};
        QTest::newRow("dialog: LIKE wildcard is text") << false << "%" << 0.0 << Codigos{};
        QTest::newRow("dialog: every situation") << false << "a" << 0.0 << Codigos{7, 12, 42, 43, 44, 142};
        QTest::newRow("dialog: empty lists all") << false << "" << 0.0 << Codigos{7, 12, 42, 43, 44, 142};
        QTest::newRow("dialog: nothing") << false << "Xavier" << 0.0 << Codigos{};
        QTest::newRow("card: code wins") << true << "" << 43.0 << Codigos{43};
        QTest::newRow("card: code of nobody") << true << "" << 999.0 << Codigos{};
        QTest::newRow("card: exact nickname, no accents")
            << true << "padaria pao quente" << 0.0 << Codigos{12};
        QTest::newRow("card: exact legal name") << true << "JOSÉ ÁVILA" << 0.0 << Codigos{42};
        QTest::newRow("card: exact beats contains") << true << "Maria" << 0.0 << Codigos{43};
        QTest::newRow("card: part of names") << true << "Padaria" << 0.0 << Codigos{12, 44};
        QTest::newRow("card: part, unaccented") << true << "conceicao" << 0.0 << Codigos{7, 142};
        QTest::newRow("card: code digits are not a name") << true << "142" << 0.0 << Codigos{};
        QTest::newRow("card: nothing typed") << true << "  " << 0.0 << Codigos{};
    }
    void selecionar() {
        QFETCH(bool, naFicha);
        QFETCH(QString, texto);
        QFETCH(double, codigo);
        QFETCH(Codigos, esperados);
        rt::Object c = clientes();
        const Variant r = naFicha ? ::naFicha(c, texto, codigo) : pesquisar(c, texto);
        QCOMPARE(r.toInteger(), std::int16_t(0));
        QStringList linhas;
        for (std::int32_t codigo : esperados)
            linhas << kLinhas.value(codigo);
        QCOMPARE(resultado(c), linhas);
        QCOMPARE(rs(c)->RecordCount(), std::int32_t(esperados.size()));
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
        QCOMPARE(e->Fields("Telefone").Value().type(), rt::VarType::String);
    }

    // A database that cannot be opened is a reported failure, not a raise.
    void failureTriple() {
        qputenv("QUVA_DATABASE", "/proc/self/nao-existe/clientes.db");
        rt::Object c = clientes();
        const Variant r = pesquisar(c, "joao");
        std::int16_t re = 0;
        rt::Object e = empresa(&re);
        qputenv("QUVA_DATABASE", QFile::encodeName(m_dir.filePath(QStringLiteral("clientes.db"))));
        QVERIFY(r.toInteger() != 0);
        QVERIFY(get(c, "NumeroDoErro").toLong() != 0);
        QVERIFY(!get(c, "DescricaoDoErro").toString().isEmpty());
        QCOMPARE(get(c, "LocalDoErro").toString(),
                 QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar"));
        QVERIFY(re != 0 && get(e, "NumeroDoErro").toLong() != 0);
        QCOMPARE(get(e, "LocalDoErro").toString(),
                 QStringLiteral("QUVA_N_Empresa, clsEmpresa, SelecionarNova"));

        // A negative or fractional code is refused the same way.
        QVERIFY(naFicha(c, QString(), -3.0).toInteger() != 0);
        QVERIFY(get(c, "DescricaoDoErro").toString().contains("-3"));

        // The next good call clears the triple.
        QCOMPARE(pesquisar(c, "joao").toInteger(), std::int16_t(0));
        QCOMPARE(get(c, "NumeroDoErro").toLong(), 0);
    }

    void cleanupTestCase() { m_banco.reset(); }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<suite::Banco> m_banco;
};

QTEST_MAIN(tst_clientes)
#include "tst_clientes.moc"
