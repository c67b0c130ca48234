// The entry class through CreateObject, as a host uses it, with a test list
// and a test card in place of the screens, and the failure mechanism on
// procedures written here the way the screens write theirs.

#include "Ambiente.h"
#include "automation/LateBound.h"
#include "component/Formularios.h"
#include "component/Procedimento.h"
#include "component/modFundoEscuro.h"
#include "component/modPrincipal.h"

#include <QTest>

#include <stdexcept>

using namespace quva;
using namespace creceber;
using teste::locaisExibidos;

namespace {

struct ListaDeTeste : frmListaBase {
    std::vector<std::int32_t> areas;
    std::function<void()> aoMontar;
    std::int16_t MontarExibirFormulario(std::int32_t AreaDeTrabalho_hWnd) override {
        areas.push_back(AreaDeTrabalho_hWnd);
        if (aoMontar) aoMontar();
        return 0;
    }
};

// Darkens the menu window around its "modal show", as the card does.
struct FichaDeTeste : frmFichaBase {
    std::vector<std::int16_t> tipos;
    std::function<void()> aoExibir;
    void MontarExibirFormulario(std::int16_t TipoDeOperacao) override {
        tipos.push_back(TipoDeOperacao);
        AplicarFundoEscuro(glngFormularioDoMenu_hWnd);
        if (aoExibir) aoExibir();
        RemoverFundoEscuro(glngFormularioDoMenu_hWnd);
    }
};

rt::Object novaClasse() {
    return automation::CreateObject(QStringLiteral("QUVA_A_CReceber.clsCReceber"));
}

// A helper without a handler of its own: its failure belongs to its caller.
void falharSemTratador(int numero) {
    rt::raise(numero);
}

// The shape of the message panel's show/hide procedure: step 1 the
// visibility test, 2 the choice, 3 the showing branch, 4 the hiding one.
// falharEm names the step at which it fails (0: before any step; -1 never).
std::int16_t ExibirOcultar(bool exibir, int falharEm, int numero = rt::err::InvalidPropertyValue) {
    std::int16_t resultado = 0;
    Procedimento ponto(u", frmTeste, ExibirOcultar, Ponto: ");
    ponto.executar([&] {
        if (falharEm == 0) rt::raise(numero);
        ponto(1);
        resultado = 5;
        if (falharEm == 1) rt::raise(numero);
        ponto(2);
        if (falharEm == 2) rt::raise(numero);
        if (exibir) {
            ponto(3);
            if (falharEm == 3) falharSemTratador(numero);
        } else {
            ponto(4);
            if (falharEm == 4) falharSemTratador(numero);
        }
        resultado = 9;
    });
    return resultado;
}

} // namespace

class tst_component : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { teste::prepararTelas(DOUBLES_LIB, CRECEBER_LIB); }

    void init() {
        doubles::reset();
        gobjDadosDoUsuario.reset();
        gstrNomeDaAplicacao.clear();
        glngFormularioDoMenu_hWnd = 0;
        gfrmLista.reset();
        DefinirFabricaDeLista({});
        DefinirFabricaDeFicha({});
    }

    // clang-format off
    void falhaNaEntradaReportaOPasso_data() {
        QTest::addColumn<QString>("membro");
        QTest::addColumn<int>("onde"); // 0 no form factory, 1 creating the form throws, 2 in its MontarExibirFormulario
        QTest::addColumn<QString>("nome"); // of the application; null: never set
        QTest::addColumn<QString>("chamada");
        // The triple travels as variants by reference, the name as a text by
        // reference, even when empty: never an Empty variant.
        const auto exibir = [](int numero, const QString& descricao, const QString& local, const QString& nome) {
            return QStringLiteral("Exibir v&:%1 v&:%2 v&:QUVA_A_CReceber, clsCReceber, %3 s&:%4")
                .arg(QString::number(numero), descricao, local, nome);
        };
        const auto descricao = [](int numero) { return rt::errorDescription(numero); };
        QTest::newRow("lista não criada") << "AbrirLista" << 0 << QString()
            << exibir(429, descricao(429), "AbrirLista, Ponto: 2", "");
        QTest::newRow("lista falha ao montar") << "AbrirLista" << 2 << ""
            << exibir(91, descricao(91), "AbrirLista, Ponto: 3", "");
        QTest::newRow("ficha não criada") << "AbrirFicha" << 0 << "QUVA - Contas a Receber"
            << exibir(429, descricao(429), "AbrirFicha, Ponto: 1", "QUVA - Contas a Receber");
        QTest::newRow("ficha sem memória") << "AbrirFicha" << 1 << QString()
            << exibir(7, descricao(7), "AbrirFicha, Ponto: 1", "");
        QTest::newRow("ficha falha ao exibir") << "AbrirFicha" << 2 << QString()
            << exibir(440, descricao(440) + ": falha interna", "AbrirFicha, Ponto: 2", "");
    }
    // clang-format on
    void falhaNaEntradaReportaOPasso() {
        QFETCH(QString, membro);
        QFETCH(int, onde);
        QFETCH(QString, nome);
        QFETCH(QString, chamada);
        auto lista = std::make_shared<ListaDeTeste>();
        auto ficha = std::make_shared<FichaDeTeste>();
        lista->aoMontar = [] { rt::raise(rt::err::ObjectNotSet); };
        ficha->aoExibir = [] { throw std::runtime_error("falha interna"); };
        if (onde == 1) DefinirFabricaDeFicha([]() -> std::shared_ptr<frmFichaBase> { throw std::bad_alloc(); });
        if (onde == 2) {
            DefinirFabricaDeLista([lista] { return lista; });
            DefinirFabricaDeFicha([ficha] { return ficha; });
        }
        rt::Object o = novaClasse();
        if (!nome.isNull()) automation::let(o, QStringLiteral("NomeDaAplicacao"), nome);
        rt::Variant r = membro == u"AbrirLista"
                            ? automation::call(o, membro, std::int32_t(1), std::int32_t(2))
                            : automation::call(o, membro);
        QVERIFY(r.isEmpty());
        QCOMPARE(teste::chamadas(teste::kMsgErro), QStringList{chamada});
        QCOMPARE(doubles::calls(teste::kMsgErro)[0].args[0].value.type(), rt::VarType::Long);
        QCOMPARE(doubles::instancesCreated(teste::kMsgErro), 1);
    }

    void passosDeUmProcedimento_data() {
        QTest::addColumn<bool>("exibir");
        QTest::addColumn<int>("falharEm");
        QTest::addColumn<QString>("local");
        QTest::addColumn<int>("resultado");
        const QString base = QStringLiteral("QUVA_A_CReceber, frmTeste, ExibirOcultar, Ponto: ");
        QTest::newRow("antes de qualquer passo") << true << 0 << base + u'0' << 0;
        QTest::newRow("no primeiro passo") << true << 1 << base + u'1' << 5;
        QTest::newRow("na escolha") << false << 2 << base + u'2' << 5;
        QTest::newRow("no ramo de exibir, em quem chamou") << true << 3 << base + u'3' << 5;
        QTest::newRow("no ramo de ocultar, em quem chamou") << false << 4 << base + u'4' << 5;
        QTest::newRow("sem falha") << false << -1 << QString() << 9;
    }
    // The failure is reported once, at the step it happened, and handled
    // there: the procedure's caller goes on to its next step.
    void passosDeUmProcedimento() {
        QFETCH(bool, exibir);
        QFETCH(int, falharEm);
        QFETCH(QString, local);
        QFETCH(int, resultado);
        int obtido = -1;
        bool chegouAoPasso2 = false;
        Procedimento ponto(u", modTeste, Chamador, Ponto: ");
        ponto.executar([&] {
            ponto(1);
            obtido = ExibirOcultar(exibir, falharEm);
            ponto(2);
            chegouAoPasso2 = true;
        });
        QVERIFY(chegouAoPasso2);
        QCOMPARE(obtido, resultado);
        QCOMPARE(locaisExibidos(), local.isEmpty() ? QStringList{} : QStringList{local});
    }

    // The tidying runs before the failure is presented, even when it fails
    // itself; a choice by number may keep the failure from the presenter.
    void arrumarEEscolherAntesDeExibir_data() {
        QTest::addColumn<bool>("arrumacaoFalha");
        QTest::addColumn<int>("numeroEscolhido");
        QTest::addColumn<bool>("exibida");
        QTest::newRow("arruma e exibe") << false << 0 << true;
        QTest::newRow("arrumacao que falha") << true << 0 << true;
        QTest::newRow("escolhida pelo numero") << false << 1004 << false;
        QTest::newRow("outro numero") << false << 50290 << true;
    }
    void arrumarEEscolherAntesDeExibir() {
        QFETCH(bool, arrumacaoFalha);
        QFETCH(int, numeroEscolhido);
        QFETCH(bool, exibida);
        int exibidasAoArrumar = -1;
        std::int32_t visto = 0;
        Procedimento ponto(u", modTeste, Exportar, Ponto: ");
        ponto.aoFalhar([&] {
            exibidasAoArrumar = int(doubles::calls(teste::kMsgErro).size());
            if (arrumacaoFalha) rt::raise(rt::err::ObjectNotSet);
        });
        ponto.escolherPorNumero([&](std::int32_t n, const QString&) {
            visto = n;
            return n == numeroEscolhido;
        });
        ponto.executar([&] {
            ponto(3);
            rt::raise(1004);
        });
        QCOMPARE(exibidasAoArrumar, 0);
        QCOMPARE(visto, 1004);
        QCOMPARE(locaisExibidos(),
                 exibida ? QStringList{"QUVA_A_CReceber, modTeste, Exportar, Ponto: 3"} : QStringList{});
    }

    // Each AbrirLista makes a new list on the area it names (the host may
    // pass its handles as 16-bit integers too). The card opens to add,
    // darkening the menu the last AbrirLista named (handle 0 before any),
    // each time through a new backdrop object; the local card is released
    // when the call ends.
    void abrirListaEFicha() {
        std::vector<std::shared_ptr<ListaDeTeste>> criadas;
        DefinirFabricaDeLista([&criadas] {
            criadas.push_back(std::make_shared<ListaDeTeste>());
            return criadas.back();
        });
        auto ficha = std::make_shared<FichaDeTeste>();
        std::weak_ptr<FichaDeTeste> fraca = ficha;
        DefinirFabricaDeFicha([&ficha] { return std::exchange(ficha, nullptr); });
        rt::Object o = novaClasse();
        QVERIFY(automation::call(o, QStringLiteral("AbrirFicha")).isEmpty());
        QVERIFY(fraca.expired());
        auto outra = std::make_shared<FichaDeTeste>();
        DefinirFabricaDeFicha([outra] { return outra; });
        QVERIFY(automation::call(o, QStringLiteral("AbrirLista"), std::int32_t(100), std::int32_t(200))
                    .isEmpty());
        automation::call(o, QStringLiteral("AbrirLista"), std::int16_t(101), std::int16_t(201));
        automation::call(o, QStringLiteral("AbrirFicha"));
        QCOMPARE(criadas.size(), std::size_t(2));
        QCOMPARE(gfrmLista.get(), criadas[1].get());
        QCOMPARE(criadas[0]->areas, std::vector<std::int32_t>{200});
        QCOMPARE(criadas[1]->areas, std::vector<std::int32_t>{201});
        QCOMPARE(outra->tipos, std::vector<std::int16_t>{1});
        QCOMPARE(teste::chamadas(teste::kFundoEscuro),
                 (QStringList{"Aplicar l&:0", "Remover l&:0", "Aplicar l&:101", "Remover l&:101"}));
        QVERIFY(doubles::calls(teste::kFundoEscuro)[0].instance !=
                doubles::calls(teste::kFundoEscuro)[1].instance);
        QVERIFY(locaisExibidos().isEmpty());
    }
};

QTEST_MAIN(tst_component)
#include "tst_component.moc"
