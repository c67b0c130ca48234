// Each wrapper passes what the suite's components expect: member names,
// argument count and order, automation types and by-reference flags; and
// by-reference values written by the callee come back to the caller.

#include "Ambiente.h"
#include "automation/DispatchObject.h"
#include "contracts/QUVA_A_EfeitosDeTela.h"
#include "contracts/QUVA_A_MsgAcesso.h"
#include "contracts/QUVA_A_MsgErro.h"
#include "contracts/QUVA_N_CReceber.h"
#include "contracts/QUVA_N_ClientAnim.h"
#include "contracts/QUVA_N_Empresa.h"
#include "contracts/QUVA_N_SO.h"
#include "support/Falhas.h"

#include <QTest>

using namespace quva;
using namespace creceber::contratos;
using rt::VarType;
using teste::porRef;

namespace {

std::uint16_t v(VarType t) {
    return std::uint16_t(t);
}

// The automation types a member received, in order.
std::vector<std::uint16_t> tipos(const QString& progId, const QString& membro, std::size_t i = 0) {
    std::vector<std::uint16_t> r;
    const auto chamadas = doubles::calls(progId, membro);
    for (const auto& a : chamadas.at(i).args)
        r.push_back(a.vt);
    return r;
}

class Objeto : public automation::DispatchObject {
public:
    Objeto() : DispatchObject(QStringLiteral("Objeto")) {}
};

} // namespace

class tst_contracts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        teste::registroNovo();
        teste::registrar(DOUBLES_LIB);
    }
    void init() { doubles::reset(); }

    void negocioDeContasAReceber() {
        const QString p = QString::fromUtf16(QUVA_N_CReceber::clsCReceber::kProgId);
        auto c = QUVA_N_CReceber::clsCReceber::Criar();
        rt::Object pagina = std::make_shared<Objeto>();
        doubles::setOutput(p, QStringLiteral("Selecionar"), 1, std::int16_t(25));
        doubles::setOutput(p, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), 1, pagina);
        doubles::setResult(p, QStringLiteral("Selecionar"), std::int32_t(0));

        std::int16_t registros = 40;
        QCOMPARE(c.Selecionar(1, registros, 4, QStringLiteral("abc")), rt::Variant(0));
        QCOMPARE(registros, std::int16_t(25));
        QCOMPARE(tipos(p, "Selecionar"), (std::vector{v(VarType::Long), porRef(VarType::Integer),
                                                      v(VarType::Long), v(VarType::String)}));

        rt::Object recebida;
        c.PaginarResultadoDaSelecaoEmRecordset(registros, recebida);
        QCOMPARE(recebida.get(), pagina.get());
        QCOMPARE(tipos(p, "PaginarResultadoDaSelecaoEmRecordset"),
                 (std::vector{porRef(VarType::Integer), porRef(VarType::Object)}));

        std::int16_t tipo = 3;
        rt::Variant filtro = QStringLiteral("x");
        rt::Boolean todas = rt::vbTrue;
        QString inicio = QStringLiteral("01/01/2026"), fim = QStringLiteral("31/01/2026");
        c.SelecionarContasAReceber(tipo, filtro, todas, inicio, fim);
        QCOMPARE(tipos(p, "SelecionarContasAReceber"),
                 (std::vector{porRef(VarType::Integer), porRef(VarType::Variant), porRef(VarType::Boolean),
                              porRef(VarType::String), porRef(VarType::String)}));
        QCOMPARE(doubles::calls(p, "SelecionarContasAReceber")[0].args[2].value.rawBoolean().value, -1);
        c.SelecionarContasAReceberBaixadas(todas, filtro, inicio, fim);
        QCOMPARE(tipos(p, "SelecionarContasAReceberBaixadas"),
                 (std::vector{porRef(VarType::Boolean), porRef(VarType::Variant), porRef(VarType::String),
                              porRef(VarType::String)}));

        c.NumeroDoLancamento(1532);
        c.CodigoDoCliente(7);
        c.Historico(QStringLiteral("h"));
        c.DataDeVencimento(QStringLiteral("__/__/____"));
        c.ValorDoDocumento(std::int16_t(0));
        rt::Object grade = std::make_shared<Objeto>();
        c.GradeDasParcelas(grade);
        c.DadosDoUsuario(grade);
        const std::vector<std::pair<const char*, std::uint16_t>> propriedades = {
            {"NumeroDoLancamento", v(VarType::Double)}, {"CodigoDoCliente", v(VarType::Double)},
            {"Historico", v(VarType::String)},          {"DataDeVencimento", v(VarType::String)},
            {"ValorDoDocumento", v(VarType::Integer)},  {"GradeDasParcelas", porRef(VarType::Object)},
            {"DadosDoUsuario", porRef(VarType::Object)}};
        for (const auto& [nome, tipo] : propriedades) {
            const auto chamada = doubles::calls(p, QString::fromLatin1(nome)).at(0);
            QCOMPARE(chamada.kind, QString::fromLatin1(nome).startsWith(u"Grade") ||
                                           QString::fromLatin1(nome).startsWith(u"Dados")
                                       ? rt::CallKind::PropertySet
                                       : rt::CallKind::PropertyLet);
            QCOMPARE(tipos(p, QString::fromLatin1(nome)), std::vector{tipo});
        }

        doubles::setResult(p, QStringLiteral("Adicionar"), std::int16_t(2));
        QCOMPARE(c.Adicionar().toInteger(), std::int16_t(2));
        QVERIFY(tipos(p, "Adicionar").empty());
    }

    void clientes() {
        const QString p = QString::fromUtf16(QUVA_N_ClientAnim::clsClientes::kProgId);
        auto c = QUVA_N_ClientAnim::clsClientes::Criar();
        c.DadosDoUsuario(nullptr); // never set by the host: passed on as Nothing
        QCOMPARE(tipos(p, "DadosDoUsuario"), std::vector{v(VarType::Object)});

        c.Selecionar(2, 0, 1, QStringLiteral("busca"), QString(), 0, QString(), QString(), QString(), 0,
                     QString());
        const auto porValor =
            std::vector{v(VarType::Long),   v(VarType::Integer), v(VarType::Long),   v(VarType::String),
                        v(VarType::String), v(VarType::Double),  v(VarType::String), v(VarType::String),
                        v(VarType::String), v(VarType::Double),  v(VarType::String)};
        QCOMPARE(tipos(p, "Selecionar", 0), porValor);

        doubles::setOutput(p, QStringLiteral("Selecionar"), 5, 42.0);
        QString texto = QStringLiteral("Fulano");
        double codigo = 0;
        c.Selecionar(2, 0, 0, QString(), PorReferencia(texto), PorReferencia(codigo), QString(), QString(),
                     QString(), 0, QString());
        auto porReferencia = porValor;
        porReferencia[4] = porRef(VarType::String);
        porReferencia[5] = porRef(VarType::Double);
        QCOMPARE(tipos(p, "Selecionar", 1), porReferencia);
        QCOMPARE(codigo, 42.0);
        QCOMPARE(texto, QStringLiteral("Fulano"));
    }

    void empresaESistema() {
        const QString e = QString::fromUtf16(QUVA_N_Empresa::clsEmpresa::kProgId);
        const QString s = QString::fromUtf16(QUVA_N_SO::clsObterVersaoDoSO::kProgId);
        doubles::setResult(e, QStringLiteral("SelecionarNova"), std::int32_t(3));
        doubles::setErrorTriple(e, std::int32_t(3), QStringLiteral("d"), QStringLiteral("l"));
        auto empresa = QUVA_N_Empresa::clsEmpresa::Criar();
        QCOMPARE(empresa.SelecionarNova(2, 0, 1, QString()).toLong(), 3);
        QCOMPARE(tipos(e, "SelecionarNova"),
                 (std::vector{v(VarType::Long), v(VarType::Integer), v(VarType::Long), v(VarType::String)}));
        QCOMPARE(empresa.LocalDoErro().toString(), QStringLiteral("l"));

        doubles::setResult(s, QStringLiteral("ObterversaoDoSO"), QStringLiteral("Windows 8"));
        QCOMPARE(QUVA_N_SO::clsObterVersaoDoSO::Criar().ObterversaoDoSO().toString(),
                 QStringLiteral("Windows 8"));
    }

    void mensagensEEfeitos() {
        const QString erro = QString::fromUtf16(QUVA_A_MsgErro::clsMensagem::kProgId);
        rt::Variant n = std::int32_t(13), d = QStringLiteral("Tipos incompatíveis"), l = QStringLiteral("x");
        QString app;
        QUVA_A_MsgErro::clsMensagem::Criar().Exibir(n, d, l, app);
        QCOMPARE(tipos(erro, "Exibir"), (std::vector{porRef(VarType::Variant), porRef(VarType::Variant),
                                                     porRef(VarType::Variant), porRef(VarType::String)}));

        const QString acesso = QString::fromUtf16(QUVA_A_MsgAcesso::clsMensagem::kProgId);
        auto espera = QUVA_A_MsgAcesso::clsMensagem::Criar();
        espera.Exibir(QStringLiteral("Aguarde, reorganizando dados."));
        espera.Fechar();
        QCOMPARE(tipos(acesso, "Exibir"), std::vector{v(VarType::String)});
        QVERIFY(tipos(acesso, "Fechar").empty());

        const QString fundo = QString::fromUtf16(QUVA_A_EfeitosDeTela::clsFundoEscuro::kProgId);
        std::int32_t h = 77;
        QUVA_A_EfeitosDeTela::clsFundoEscuro::Criar().Aplicar(h);
        QUVA_A_EfeitosDeTela::clsFundoEscuro::Criar().Remover(h);
        QCOMPARE(tipos(fundo, "Aplicar"), std::vector{porRef(VarType::Long)});
        QCOMPARE(tipos(fundo, "Remover"), std::vector{porRef(VarType::Long)});
        QCOMPARE(doubles::instancesCreated(fundo), 2);
    }

    void falhasChegamAQuemChama() {
        const QString p = QString::fromUtf16(QUVA_N_Empresa::clsEmpresa::kProgId);
        doubles::setCreateFailure(p, true);
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError, QUVA_N_Empresa::clsEmpresa::Criar());
        doubles::setCreateFailure(p, false);
        doubles::setFailure(p, QStringLiteral("SelecionarNova"), 3704);
        QCOMPARE(
            teste::failureOf([] { QUVA_N_Empresa::clsEmpresa::Criar().SelecionarNova(2, 0, 1, QString()); }),
            3704);
        QUVA_N_Empresa::clsEmpresa vazio;
        QCOMPARE(teste::failureOf([&] { vazio.SelecionarNova(2, 0, 1, QString()); }), rt::err::ObjectNotSet);
    }
};

QTEST_GUILESS_MAIN(tst_contracts)
#include "tst_contracts.moc"
