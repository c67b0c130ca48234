// The letter and the receipt printed from the list's selected row, against
// the registered stand-ins: the order of the wait message, the darkening and
// the company's answers, the texts that reach the page, the ways out without
// a preview, and the report reused by a second print.

#include "Base.h"
#include "Empresa.h"
#include "support/Tela.h"

#include "datareport/Visualizacao.h"
#include "forms/MsgBox.h"
#include "forms/Window.h"
#include "forms/list/TelasDaLista.h"
#include "reports/Relatorios.h"
#include "support/Paginas.h"

#include <QApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace quva;
using namespace creceber;
using doubles::Empresa;
using teste::Base;

namespace {

const QString kMsgAcesso = QStringLiteral("QUVA_A_MsgAcesso.clsMensagem");

class Lista : public frmLista {
public:
    using frmLista::Imprimir2aViaDoComprovanteDePagamento;
    using frmLista::ImprimirCartaDeCobranca;

protected:
    float LarguraDaTelaEmTwips() const override { return 1366 * 15; }
};

// The calls that tell the order of a print: "MsgAcesso.Exibir", "EfeitosDeTela.Aplicar" …
QStringList ordem() {
    QStringList r;
    for (const auto& c : doubles::calls()) {
        const QString p = c.progId.section(u'.', 0, 0).section(u'_', 2);
        if (p == u"MsgAcesso" || p == u"EfeitosDeTela" || p == u"MsgErro" ||
            (p == u"Empresa" && c.member == u"SelecionarNova"))
            r << p + u'.' + c.member;
    }
    return r;
}

// Every text on the page; the page is shown when one is missing.
void conferirTextos(const QString& pagina, const QStringList& textos) {
    for (const QString& s : textos)
        QVERIFY2(pagina.contains(s), qPrintable(s + QStringLiteral("\n---\n") + pagina));
}

// Message boxes, each noted in the order of the calls around it.
class Mensagens : public forms::ScriptedMessageBoxes {
public:
    std::int16_t show(const forms::MessageRequest& r) override {
        depoisDe = ordem();
        return ScriptedMessageBoxes::show(r);
    }
    QStringList depoisDe;
};

} // namespace

class tst_list_impressao : public QObject {
    Q_OBJECT

    teste::Tela tela;
    std::unique_ptr<QWidget> area;
    std::shared_ptr<Lista> lista;
    Base base;

    // What the preview showed when it opened, then closes it.
    struct Previa {
        bool aberta = false, maximizada = false;
        QString titulo;
        QStringList paginas, ordem;
        std::int16_t resultado = -1;
    };
    Previa imprimir(bool carta, int linha) {
        Previa p;
        lista->msfgGrade->setRow(linha);
        lista->msfgGrade->setRowSel(linha);
        QTimer::singleShot(0, [&] {
            auto* v = qobject_cast<datareport::Visualizacao*>(QApplication::activeModalWidget());
            if (!v) return;
            p.aberta = true;
            p.maximizada = v->isMaximized();
            p.titulo = v->windowTitle();
            p.ordem = ordem();
            auto& rel = carta ? drCartaDeCobranca() : dr2aViaComprovanteDePagamentoDeDebito();
            p.paginas = teste::paginasDoPdf(rel);
            v->reject();
        });
        p.resultado = carta ? lista->ImprimirCartaDeCobranca() : lista->Imprimir2aViaDoComprovanteDePagamento();
        return p;
    }

private slots:
    void initTestCase() {
        tela.iniciarCaso(DOUBLES_LIB, CRECEBER_LIB);
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    }
    void cleanupTestCase() { tela.encerrarCaso(); }

    void init() {
        tela.iniciar();
        base = Base{};
        base.contas = {
            {12, 7, QStringLiteral("Fulano de Tal"), QStringLiteral("Venda\u00a0de\u00a0pães"), QStringLiteral("01/05/2025"), {}},
            {13, 8, QStringLiteral("Maria ") + QString(130, u'x') + QStringLiteral(" Final"),
             QStringLiteral("Venda de bolos"), QStringLiteral("02/05/2025"), {}},
            {14, 123, QStringLiteral("Fulano"),
             QString(QStringLiteral("Bolo\u00a0de\u00a0aniversário\u00a0")).repeated(12) + QStringLiteral("fim"),
             QStringLiteral("03/05/2025"), QStringLiteral("10/05/2025")},
        };
        base.ligar();
        area = std::make_unique<QWidget>();
        area->resize(1100, 600);
        area->show();
        lista = std::make_shared<Lista>();
        lista->MontarExibirFormulario(forms::hWnd(area.get()));
        lista->qzcmbSituacao->setListIndex(0);
    }
    void cleanup() {
        lista.reset();
        area.reset();
        tela.encerrar();
    }

    // The letter: every step in order, the first of two companies, the
    // row's values and the fixed texts on the page; a second print reuses
    // the report with the new row and a company without a city. Then the
    // receipt: the client line, the history wrapped as one text, the two
    // amounts and the application's name at the foot.
    void cartaERecibo() {
        doubles::cadastrarEmpresas({{QStringLiteral("Padaria Pão Quente"), QStringLiteral("Rua das Flores, 10 - Centro"),
                                     QStringLiteral("(11) 5555-0101"), QStringLiteral("contato@paoquente.com.br"),
                                     QStringLiteral("São Paulo")},
                                    {QStringLiteral("Outra"), {}, {}, {}, QStringLiteral("Santos")}});
        Previa p = imprimir(true, 1);
        QVERIFY(p.aberta);
        QCOMPARE(p.resultado, std::int16_t(0));
        QVERIFY(p.maximizada);
        QCOMPARE(p.titulo, QStringLiteral("Imprimir ficha de conta a receber"));
        QCOMPARE(p.ordem, QStringList({"EfeitosDeTela.Aplicar", "MsgAcesso.Exibir", "Empresa.SelecionarNova",
                                       "MsgAcesso.Fechar", "EfeitosDeTela.Remover"}));
        QCOMPARE(doubles::calls(kMsgAcesso, QStringLiteral("Exibir")).at(0).args.at(0).value.toString(),
                 QStringLiteral("Aguarde, reorganizando dados."));
        QCOMPARE(doubles::calls(teste::kFundoEscuro, QStringLiteral("Aplicar")).at(0).args.at(0).value.toLong(), teste::kMenu);
        QCOMPARE(p.paginas.size(), 1);
        conferirTextos(p.paginas[0],
                       {"São Paulo, 15 de junho de 2025", "Prezado Cliente:", "Código: 7",
                        "Apelido/Nome Fantasia: Apelido 7", "Nome/Razão Social: Fulano de Tal",
                        "Conforme apuração resultante do nosso banco de dados", "No. do documento: 12",
                        "Vencimento: 01/05/2025", "Valor: 500,00", "Considerando, porém, eventuais desencontros",
                        "causas que ocasionaram o desencontro de dados.", "Departamento Financeiro",
                        "Rua das Flores, 10 - Centro", "(11) 5555-0101", "contato@paoquente.com.br"});
        QCOMPARE(p.paginas[0].count(QStringLiteral("Padaria Pão Quente")), 2);
        QVERIFY(!drCartaDeCobranca().DataSource());

        // Again, on a client whose long name wraps inside its box.
        doubles::reset();
        base.ligar();
        doubles::cadastrarEmpresas({{QStringLiteral("Padaria Pão Quente"), {}, {}, {}, {}}}, false);
        p = imprimir(true, 2);
        QVERIFY(p.aberta);
        const QString& u = p.paginas.value(0);
        conferirTextos(u, {"\n15 de junho de 2025\n", "No. do documento: 13"});
        // Its wrapped lines push the text below them down, nothing cut.
        const QStringList ls = u.split(u'\n');
        QVERIFY2(ls.indexOf(QStringLiteral("Final")) > 0 &&
                     ls.indexOf(QStringLiteral("Final")) < ls.indexOf(QRegularExpression(QStringLiteral("Conforme.*"))),
                 qPrintable(u));
        QVERIFY(!u.contains(QStringLiteral("Fulano")));

        p = imprimir(false, 3);
        QVERIFY(p.aberta);
        QCOMPARE(p.paginas.size(), 1);
        conferirTextos(p.paginas[0], {"Comprovante de pagamento (2a. via)", "Emissão: 15/06/2025", "Página: 1 de 1",
                                      "Cliente: 123 - Fulano", "Descrição do débito:", "Valor total: 500,00",
                                      "Valor pago: 500,00", "Assinatura", "Tessaria QUVA - Contas a Receber"});
        const QStringList linhas = p.paginas[0].split(u'\n');
        const int inicio = int(linhas.indexOf(QRegularExpression(QStringLiteral("Bolo de aniversário.*"))));
        QVERIFY(inicio > 0);
        QVERIFY(linhas.value(inicio + 1).contains(QStringLiteral("aniversário")));
    }

    // The ways out without a preview leave the menu undarkened and the wait
    // message closed, in the order each way has.
    void semPrevia_data() {
        QTest::addColumn<QStringList>("esperada");
        QTest::addColumn<QString>("local");
        const QStringList inicio{"EfeitosDeTela.Aplicar", "MsgAcesso.Exibir", "Empresa.SelecionarNova"};
        QTest::newRow("sem empresa") << inicio + QStringList{"MsgAcesso.Fechar", "EfeitosDeTela.Remover"} << QString();
        QTest::newRow("falha da empresa")
            << inicio + QStringList{"MsgErro.Exibir", "MsgAcesso.Fechar", "EfeitosDeTela.Remover"}
            << "QUVA_N_Empresa, clsEmpresa, SelecionarNova";
        QTest::newRow("celula invalida")
            << inicio + QStringList{"MsgAcesso.Fechar", "EfeitosDeTela.Remover", "MsgErro.Exibir"}
            << "QUVA_A_CReceber, frmLista, ImprimirCartaDeCobranca, Ponto: 4";
    }
    void semPrevia() {
        const QString caso = QString::fromUtf8(QTest::currentDataTag());
        QFETCH(QStringList, esperada);
        QFETCH(QString, local);
        Mensagens msg;
        if (caso == u"sem empresa") doubles::cadastrarEmpresas({});
        if (caso == u"falha da empresa") {
            doubles::setResult(doubles::kEmpresa, QStringLiteral("SelecionarNova"), std::int32_t(1));
            doubles::setErrorTriple(doubles::kEmpresa, std::int32_t(-2147217900), QStringLiteral("Sem conexão"),
                                    QStringLiteral("QUVA_N_Empresa, clsEmpresa, SelecionarNova"));
        }
        if (caso == u"celula invalida") {
            doubles::cadastrarEmpresas({{QStringLiteral("Padaria"), {}, {}, {}, {}}});
            lista->msfgGrade->setTextMatrix(1, colunas::NumeroDoLancamento, QStringLiteral("doze"));
        }
        const Previa p = imprimir(true, 1);
        QVERIFY(!p.aberta);
        QCOMPARE(p.resultado, std::int16_t(1));
        QCOMPARE(ordem(), esperada);
        QCOMPARE(teste::locaisExibidos(), local.isEmpty() ? QStringList() : QStringList{local});
        if (caso == u"sem empresa") {
            QCOMPARE(teste::caixas(msg),
                     QStringList{teste::caixa(
                         "Não foi possível imprimir o documento porque não há empresa cadastrada.\r\n"
                         "Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. "
                         "Efetue o cadastro e solicite a impressão novamente",
                         forms::vbOKOnly + forms::vbInformation, gstrNomeDaAplicacao)});
            QCOMPARE(msg.depoisDe, esperada);
        } else {
            QVERIFY(msg.shown().empty());
        }
    }

    // The letter's date; the first of a month is an ordinal.
    void primeiroDoMes() {
        QCOMPARE(DataPorExtenso(rt::makeDate(2027, 3, 1)), QStringLiteral("1º de março de 2027"));
    }
};

QTEST_MAIN(tst_list_impressao)
#include "tst_list_impressao.moc"
