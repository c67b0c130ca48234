// The product library as a host meets it: its exports and what registering
// writes (the menu's end-to-end test embeds its list).

#include "Ambiente.h"
#include "support/Processo.h"

#include <QFileInfo>
#include <QTest>

using namespace quva;

class tst_component_library : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { teste::prepararTelas(DOUBLES_LIB, CRECEBER_LIB); }

    void exportaSoOsQuatroPontosDeEntrada() {
        const teste::Execucao nm = teste::executarPrograma(
            QStringLiteral("nm"),
            {QStringLiteral("-D"), QStringLiteral("--defined-only"), QString::fromUtf8(CRECEBER_LIB)});
        QCOMPARE(nm.codigo, 0);
        QStringList simbolos;
        for (const QString& linha : nm.saida.split(u'\n', Qt::SkipEmptyParts))
            simbolos << linha.section(u' ', -1);
        simbolos.sort();
        QCOMPARE(simbolos, (QStringList{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                        "DllUnregisterServer"}));
    }

    void registroDaClasse() {
        const auto e = automation::Registry::find(QStringLiteral("quva_a_creceber.CLSCRECEBER"));
        QVERIFY(e);
        QCOMPARE((QStringList{e->progId, e->clsid, e->className, e->typeLib, e->typeLibId, e->version,
                              e->description, e->interfaceName, e->interfaceId}),
                 (QStringList{"QUVA_A_CReceber.clsCReceber", "{FC77F644-9829-4FBF-B8F1-BED2FB1BA1C4}", "clsCReceber",
                              "QUVA_A_CReceber", "{9A1F3A22-FF60-47C1-89CB-72FDC3E7069D}", "1.0",
                              "QUVA - Apresentação - Contas a Receber", "_clsCReceber",
                              "{843C3156-6109-49EB-817A-737D1428FC42}"}));
        QCOMPARE(e->members, (QStringList{"AbrirLista", "AbrirFicha", "DadosDoUsuario", "NomeDaAplicacao"}));
        QCOMPARE(QFileInfo(e->library).canonicalFilePath(),
                 QFileInfo(QString::fromUtf8(CRECEBER_LIB)).canonicalFilePath());
    }
};

QTEST_MAIN(tst_component_library)
#include "tst_component_library.moc"
