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

namespace {

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
        doubles::setResult(p, QStringLiteral("Adicionar"), std::int16_t(2));

        std::int16_t registros = 40;
        QCOMPARE(c.Selecionar(1, registros, 4, QStringLiteral("abc")), rt::Variant(0));
        QCOMPARE(registros, std::int16_t(25));
        rt::Object recebida;
        c.PaginarResultadoDaSelecaoEmRecordset(registros, recebida);
        QCOMPARE(recebida.get(), pagina.get());
        std::int16_t tipo = 3;
        rt::Variant filtro = QStringLiteral("x");
        rt::Boolean todas = rt::vbTrue;
        QString inicio = QStringLiteral("01/01/2026"), fim = QStringLiteral("31/01/2026");
        c.SelecionarContasAReceber(tipo, filtro, todas, inicio, fim);
        QCOMPARE(doubles::calls(p, "SelecionarContasAReceber")[0].args[2].value.rawBoolean().value, -1);
        c.SelecionarContasAReceberBaixadas(todas, filtro, inicio, fim);
        rt::Object grade = std::make_shared<Objeto>();
        c.NumeroDoLancamento(1532);
        c.CodigoDoCliente(7);
        c.Historico(QStringLiteral("h"));
        c.DataDeVencimento(QStringLiteral("__/__/____"));
        c.ValorDoDocumento(std::int16_t(0));
        c.GradeDasParcelas(grade);
        c.DadosDoUsuario(grade);
        QCOMPARE(c.Adicionar().toInteger(), std::int16_t(2));
        QCOMPARE(teste::chamadas(p),
                 (QStringList{"Selecionar l:1 i&:40 l:4 s:abc", "PaginarResultadoDaSelecaoEmRecordset i&:25 o&:",
                              "SelecionarContasAReceber i&:3 v&:x b&:Verdadeiro s&:01/01/2026 s&:31/01/2026",
                              "SelecionarContasAReceberBaixadas b&:Verdadeiro v&:x s&:01/01/2026 s&:31/01/2026",
                              "let NumeroDoLancamento d:1532", "let CodigoDoCliente d:7", "let Historico s:h",
                              "let DataDeVencimento s:__/__/____", "let ValorDoDocumento i:0",
                              "set GradeDasParcelas o&:", "set DadosDoUsuario o&:", "Adicionar"}));
    }

    void clientes() {
        const QString p = QString::fromUtf16(QUVA_N_ClientAnim::clsClientes::kProgId);
        auto c = QUVA_N_ClientAnim::clsClientes::Criar();
        c.DadosDoUsuario(nullptr); // never set by the host: passed on as Nothing
        c.Selecionar(2, 0, 1, QStringLiteral("busca"), QString(), 0, QString(), QString(), QString(), 0,
                     QString());
        doubles::setOutput(p, QStringLiteral("Selecionar"), 5, 42.0);
        QString texto = QStringLiteral("Fulano");
        double codigo = 0;
        c.Selecionar(2, 0, 0, QString(), PorReferencia(texto), PorReferencia(codigo), QString(), QString(),
                     QString(), 0, QString());
        QCOMPARE(codigo, 42.0);
        QCOMPARE(texto, QStringLiteral("Fulano"));
        QCOMPARE(teste::chamadas(p), (QStringList{"set DadosDoUsuario o:",
                                                  "Selecionar l:2 i:0 l:1 s:busca s: d:0 s: s: s: d:0 s:",
                                                  "Selecionar l:2 i:0 l:0 s: s&:Fulano d&:0 s: s: s: d:0 s:"}));
    }

    void outrosComponentes() {
        const QString e = QString::fromUtf16(QUVA_N_Empresa::clsEmpresa::kProgId);
        doubles::setResult(e, QStringLiteral("SelecionarNova"), std::int32_t(3));
        doubles::setErrorTriple(e, std::int32_t(3), QStringLiteral("d"), QStringLiteral("l"));
        auto empresa = QUVA_N_Empresa::clsEmpresa::Criar();
        QCOMPARE(empresa.SelecionarNova(2, 0, 1, QString()).toLong(), 3);
        QCOMPARE(empresa.LocalDoErro().toString(), QStringLiteral("l"));
        QCOMPARE(teste::chamadas(e, QStringLiteral("SelecionarNova")), QStringList{"SelecionarNova l:2 i:0 l:1 s:"});

        const QString s = QString::fromUtf16(QUVA_N_SO::clsObterVersaoDoSO::kProgId);
        doubles::setResult(s, QStringLiteral("ObterversaoDoSO"), QStringLiteral("Windows 8"));
        QCOMPARE(QUVA_N_SO::clsObterVersaoDoSO::Criar().ObterversaoDoSO().toString(), QStringLiteral("Windows 8"));

        const QString erro = QString::fromUtf16(QUVA_A_MsgErro::clsMensagem::kProgId);
        rt::Variant n = std::int32_t(13), d = QStringLiteral("Tipos incompatíveis"), l = QStringLiteral("x");
        QString app;
        QUVA_A_MsgErro::clsMensagem::Criar().Exibir(n, d, l, app);
        QCOMPARE(teste::chamadas(erro), QStringList{"Exibir v&:13 v&:Tipos incompatíveis v&:x s&:"});

        const QString acesso = QString::fromUtf16(QUVA_A_MsgAcesso::clsMensagem::kProgId);
        auto espera = QUVA_A_MsgAcesso::clsMensagem::Criar();
        espera.Exibir(QStringLiteral("Aguarde, reorganizando dados."));
        espera.Fechar();
        QCOMPARE(teste::chamadas(acesso), (QStringList{"Exibir s:Aguarde, reorganizando dados.", "Fechar"}));

        const QString fundo = QString::fromUtf16(QUVA_A_EfeitosDeTela::clsFundoEscuro::kProgId);
        std::int32_t h = 77;
        QUVA_A_EfeitosDeTela::clsFundoEscuro::Criar().Aplicar(h);
        QUVA_A_EfeitosDeTela::clsFundoEscuro::Criar().Remover(h);
        QCOMPARE(teste::chamadas(fundo), (QStringList{"Aplicar l&:77", "Remover l&:77"}));
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
