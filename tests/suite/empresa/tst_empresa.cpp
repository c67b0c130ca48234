// QUVA_N_Empresa.clsEmpresa through CreateObject: no company, then the
// first of several, with what the printed documents read.

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
using automation::call;
using automation::get;
using rt::Variant;

class tst_empresa : public QObject {
    Q_OBJECT

    rt::Object selecionar(std::int16_t* resultado) {
        rt::Object e = automation::CreateObject(QStringLiteral("QUVA_N_Empresa.clsEmpresa"));
        *resultado = call(e, QStringLiteral("SelecionarNova"), std::int32_t(2), std::int16_t(0),
                          std::int32_t(1), QString())
                         .toInteger();
        return e;
    }
    static ado::Recordset* rs(const rt::Object& e) {
        return dynamic_cast<ado::Recordset*>(
            get(e, QStringLiteral("ResultadoDaSelecaoEmRecordSet")).toObject().get());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("QUVA_DATABASE", QFile::encodeName(m_dir.filePath(QStringLiteral("empresa.db"))));
        QFile::remove(automation::Registry::path());
        QString erro;
        QCOMPARE(automation::RegisterLibrary(QStringLiteral(LIB_EMPRESA), &erro), automation::S_OK_);
    }

    void noneThenTheFirstOfSeveral() {
        std::int16_t r = -1;
        QCOMPARE(rs(selecionar(&r))->RecordCount(), 0);
        QCOMPARE(r, std::int16_t(0));
        auto banco = suite::Banco::abrir();
        suite::Empresa a;
        a.nomeFantasia = QStringLiteral("Açougue São Jorge");
        a.razaoSocial = QStringLiteral("São Jorge Carnes Ltda");
        a.logradouro = QStringLiteral("Avenida Brasil");
        a.numero = QStringLiteral("1500");
        a.bairro = QStringLiteral("Centro");
        a.cep = QStringLiteral("87000-000");
        a.cidade = QStringLiteral("Maringá");
        a.uf = QStringLiteral("PR");
        a.telefone = QStringLiteral("(44) 3222-1000");
        a.email = QStringLiteral("contato@saojorge.com.br");
        suite::salvarEmpresa(*banco, a);
        suite::Empresa b;
        b.nomeFantasia = QStringLiteral("Filial");
        suite::salvarEmpresa(*banco, b);

        rt::Object e = selecionar(&r);
        QCOMPARE(r, std::int16_t(0));
        ado::Recordset* empresa = rs(e);
        QCOMPARE(empresa->RecordCount(), 2);
        QCOMPARE(empresa->Fields(QStringLiteral("NomeFantasia")).Value().toString(), a.nomeFantasia);
        QCOMPARE(empresa->Fields(QStringLiteral("EnderecoCompleto")).Value().toString(),
                 QStringLiteral("Avenida Brasil, 1500 - Centro - Maringá/PR - CEP 87000-000"));
        QCOMPARE(empresa->Fields(QStringLiteral("Telefone")).Value().toString(), a.telefone);
        QCOMPARE(empresa->Fields(QStringLiteral("Email")).Value().toString(), a.email);
        // The second company has empty texts, never Null.
        empresa->MoveNext();
        QCOMPARE(empresa->Fields(QStringLiteral("Telefone")).Value().type(), rt::VarType::String);
    }

    void failureTriple() {
        qputenv("QUVA_DATABASE", "/proc/self/nao-existe/empresa.db");
        std::int16_t r = 0;
        rt::Object e = selecionar(&r);
        qputenv("QUVA_DATABASE", QFile::encodeName(m_dir.filePath(QStringLiteral("empresa.db"))));
        QVERIFY(r != 0);
        QVERIFY(get(e, QStringLiteral("NumeroDoErro")).toLong() != 0);
        QVERIFY(!get(e, QStringLiteral("DescricaoDoErro")).toString().isEmpty());
        QCOMPARE(get(e, QStringLiteral("LocalDoErro")).toString(),
                 QStringLiteral("QUVA_N_Empresa, clsEmpresa, SelecionarNova"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_empresa)
#include "tst_empresa.moc"
