// What the screens' tests cannot see of the wrappers over the suite's
// components: values written back through by-reference arguments, and
// failures reaching the caller.

#include "Ambiente.h"
#include "contracts/QUVA_N_CReceber.h"
#include "contracts/QUVA_N_ClientAnim.h"
#include "contracts/QUVA_N_Empresa.h"
#include "support/Falhas.h"

#include <QTest>

using namespace quva;
using namespace creceber::contratos;

class tst_contracts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { teste::prepararTelas(DOUBLES_LIB); }
    void init() { doubles::reset(); }

    // Values the callee writes through a by-reference argument come back to
    // the caller's variables; the settled selection keeps its own order.
    // (Types and order of the other members are checked by the screens.)
    void referenciasVoltamAQuemChama() {
        const QString p = QString::fromUtf16(QUVA_N_CReceber::clsCReceber::kProgId);
        auto c = QUVA_N_CReceber::clsCReceber::Criar();
        rt::Object pagina = ado::Recordset::create(); // any object
        doubles::setOutput(p, QStringLiteral("Selecionar"), 1, std::int16_t(25));
        doubles::setOutput(p, QStringLiteral("PaginarResultadoDaSelecaoEmRecordset"), 1, pagina);
        std::int16_t registros = 40;
        c.Selecionar(1, registros, 4, QStringLiteral("abc"));
        QCOMPARE(registros, std::int16_t(25));
        rt::Object recebida;
        c.PaginarResultadoDaSelecaoEmRecordset(registros, recebida);
        QCOMPARE(recebida.get(), pagina.get());
        rt::Variant filtro = QStringLiteral("x");
        rt::Boolean todas = rt::vbTrue;
        QString inicio = QStringLiteral("01/01/2026"), fim = QStringLiteral("31/01/2026");
        c.SelecionarContasAReceberBaixadas(todas, filtro, inicio, fim);
        QCOMPARE(
            teste::chamadas(p, QStringLiteral("SelecionarContasAReceberBaixadas")),
            QStringList{"SelecionarContasAReceberBaixadas b&:Verdadeiro v&:x s&:01/01/2026 s&:31/01/2026"});

        const QString k = QString::fromUtf16(QUVA_N_ClientAnim::clsClientes::kProgId);
        doubles::setOutput(k, QStringLiteral("Selecionar"), 5, 42.0);
        QString texto = QStringLiteral("Fulano");
        double codigo = 0;
        QUVA_N_ClientAnim::clsClientes::Criar().Selecionar(2, 0, 0, QString(), PorReferencia(texto),
                                                           PorReferencia(codigo), QString(), QString(),
                                                           QString(), 0, QString());
        QCOMPARE(codigo, 42.0);
        QCOMPARE(texto, QStringLiteral("Fulano"));
    }

    // A wrapper never created fails as Nothing would.
    void envoltorioNuncaCriadoFalhaComoNothing() {
        QUVA_N_Empresa::clsEmpresa vazio;
        QCOMPARE(teste::failureOf([&] { vazio.SelecionarNova(2, 0, 1, QString()); }), rt::err::ObjectNotSet);
    }
};

QTEST_GUILESS_MAIN(tst_contracts)
#include "tst_contracts.moc"
