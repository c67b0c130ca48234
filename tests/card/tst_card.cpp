// The receivable card against the registered stand-ins: its three modes,
// the fields taken from the list row, the plan of installments, the client
// lookup, saving with every result, the list's commands around it and the
// host's AbrirFicha. The card is modal, so each test acts from inside its
// modal show; a manual clock makes the one-second pauses free.

#include "Ambiente.h"
#include "list/Base.h"

#include "ado/Recordset.h"
#include "component/Formularios.h"
#include "component/clsCReceber.h"
#include "component/modPrincipal.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/Window.h"
#include "forms/card/frmFicha.h"
#include "forms/clientsearch/frmPesquisaDeClientes.h"
#include "forms/list/TelasDaLista.h"
#include "forms/list/frmLista.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

using namespace quva;
using namespace creceber;

namespace {

const QString kClientes = QStringLiteral("QUVA_N_ClientAnim.clsClientes");
const QString kTitulo = QStringLiteral("QUVA - Contas a Receber");

QString dia(int deslocamento) {
    return rt::formatDate(rt::Date{rt::Today().serial + deslocamento});
}

// A client row as the clients component returns it.
struct Cliente {
    std::int32_t codigo;
    QString apelido;
    QString nome;
    std::int32_t situacao = 1;
    QString vip = QStringLiteral("Não");
    QString categoria = QStringLiteral("B");
};

std::shared_ptr<ado::Recordset> clientes(const std::vector<Cliente>& v) {
    std::vector<ado::FieldInfo> f;
    for (const char* n : {"CodigoDoCliente", "ApelidoOuNomeFantasia", "NomeOuRazaoSocial", "Situacao",
                          "EnderecoCompleto", "VIP", "CategoriaDaCurvaABC"})
        f.push_back({QString::fromLatin1(n), ado::adVariant, 0});
    std::vector<rt::Variant> valores;
    for (const Cliente& c : v) {
        valores.push_back(c.codigo);
        valores.push_back(c.apelido);
        valores.push_back(c.nome);
        valores.push_back(c.situacao);
        valores.push_back(QStringLiteral("Rua das Flores, 10"));
        valores.push_back(c.vip);
        valores.push_back(c.categoria);
    }
    return ado::Recordset::fromRows(f, std::move(valores));
}

void respostaDosClientes(const std::vector<Cliente>& v) {
    auto rs = clientes(v);
    doubles::setResult(kClientes, QStringLiteral("Selecionar"), std::int16_t(0));
    doubles::setBehaviour(kClientes, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                          [rs](std::span<rt::Variant>) { return rt::Variant(rs); });
}

std::vector<QString> membros(const QString& progId) {
    std::vector<QString> r;
    for (const auto& c : doubles::calls(progId))
        r.push_back(c.member);
    return r;
}

doubles::Call chamada(const QString& progId, const QString& membro) {
    auto v = doubles::calls(progId, membro);
    if (v.empty()) return {};
    return v.back();
}

// The card loaded in this process that is shown now, if any.
frmFicha* fichaAberta() {
    for (forms::Form* f : forms::Forms())
        if (auto* ficha = dynamic_cast<frmFicha*>(f); ficha && ficha->Visible()) return ficha;
    return nullptr;
}

// Runs acao once pronto() holds, polling from the event loop (a modal show
// or a one-second pause may come first).
void quando(std::function<bool()> pronto, std::function<void()> acao) {
    auto* t = new QTimer;
    t->setInterval(0);
    QObject::connect(t, &QTimer::timeout, [t, pronto, acao] {
        if (!pronto()) return;
        t->stop();
        t->deleteLater();
        acao();
    });
    t->start();
}

template <class T> T* formularioVisivel() {
    for (forms::Form* f : forms::Forms())
        if (auto* x = dynamic_cast<T*>(f); x && x->Visible()) return x;
    return nullptr;
}

bool temFoco(forms::Control* c) {
    // The window's focus child: activation is asynchronous offscreen.
    QWidget* w = c->widget()->window()->focusWidget();
    return w && (w == c->widget() || c->widget()->isAncestorOf(w));
}

} // namespace

class tst_card : public QObject {
    Q_OBJECT

    std::unique_ptr<rt::ManualClock> relogio;
    std::unique_ptr<forms::ScriptedMessageBoxes> mensagens;
    std::shared_ptr<frmLista> lista;
    std::unique_ptr<QWidget> hospedeiro;
    teste::Base base;

    // A list whose grid holds one row, the way the list shows a receivable.
    void listaComUmaLinha(const QString& historico = QStringLiteral("Venda a prazo"),
                          const QString& alteracao = QString()) {
        lista = std::make_shared<frmLista>();
        lista->Load();
        auto& g = *lista->msfgGrade;
        g.setRows(2);
        g.setCols(colunas::Total);
        const QString valores[25] = {
            {},
            QStringLiteral("1532"),
            QStringLiteral("42"),
            QStringLiteral("Padaria Sol"),
            QStringLiteral("José da Silva Pães ME"),
            historico,
            QStringLiteral("V-88"),
            QStringLiteral("01/12/2026"),
            QStringLiteral("1.500,00"),
            QStringLiteral("300,00"),
            QStringLiteral("20"),
            QStringLiteral("2"),
            QStringLiteral("4"),
            QStringLiteral("0"),
            QStringLiteral("10/01/2027"),
            QStringLiteral("300,00"),
            {},
            {},
            {},
            {},
            {},
            QStringLiteral("04/12/2026 15:42:10"),
            QStringLiteral("ana"),
            alteracao,
            alteracao.isEmpty() ? QString() : QStringLiteral("rui"),
        };
        for (int c = 0; c < 25; ++c)
            g.setTextMatrix(1, c, valores[c]);
        g.setRow(1);
        gfrmLista = lista;
    }

    // Opens the card for the operation and runs acao inside its modal show.
    // Returns whether the card was still open when acao ended (it is then
    // closed, so the test never hangs).
    bool abrir(frmFicha& ficha, std::int16_t tipo, const std::function<void()>& acao) {
        bool aberta = false;
        quando([&] { return ficha.Visible(); },
               [&] {
                   acao();
                   aberta = ficha.Visible();
                   if (aberta) ficha.Hide();
               });
        ficha.MontarExibirFormulario(tipo);
        return aberta;
    }

    // Types an installment and presses the add button.
    void parcela(frmFicha& f, const QString& data, const QString& valor) {
        f.qzdtpDataDeVencimentoDaParcelaAtual->setText(data);
        f.qznumValorDaParcelaAtual->setText(valor);
        f.qzcmdAdicionar->setValue(true);
    }

    std::vector<QString> textos() const {
        std::vector<QString> r;
        for (const auto& m : mensagens->shown())
            r.push_back(m.prompt);
        return r;
    }

private slots:
    void initTestCase() {
        teste::registroNovo();
        teste::registrar(DOUBLES_LIB);
        teste::registrar(CRECEBER_LIB);
        forms::setLogicalDpiOverride(96);
        relogio = std::make_unique<rt::ManualClock>(rt::Date{rt::makeDate(2025, 6, 15).serial + 0.5});
        relogio->setStepPerRead(0.3);
        rt::setClock(relogio.get());
    }
    void cleanupTestCase() {
        gfrmLista.reset();
        lista.reset();
        rt::setClock(nullptr);
    }

    void init() {
        doubles::reset();
        gstrNomeDaAplicacao = kTitulo;
        glngFormularioDoMenu_hWnd = 777;
        mensagens = std::make_unique<forms::ScriptedMessageBoxes>();
        gfrmLista.reset();
        lista.reset();
    }
    void cleanup() {
        mensagens.reset();
        gfrmLista.reset();
        lista.reset();
        hospedeiro.reset();
    }

    void modos_data() {
        QTest::addColumn<std::int16_t>("tipo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("salvar");
        QTest::addColumn<QString>("dicaSalvar");
        QTest::addColumn<QString>("dicaCancelar");
        QTest::addColumn<QStringList>("editaveis");
        QTest::newRow("adicionar") << std::int16_t(1) << "Adicionar conta a receber"
                                   << "Salvar"
                                   << "Salvar inclusão e fechar"
                                   << "Cancelar inclusão e fechar"
                                   << QStringList{"qzfCodigoDoCliente",
                                                  "qzfApelidoOuNomeFantasiaDoCliente",
                                                  "qzfNomeOuRazaoSocialDoCliente",
                                                  "qzmemHistorico",
                                                  "qzdtpDataDeVencimentoDaParcelaAtual",
                                                  "qznumValorDaParcelaAtual"};
        QTest::newRow("alterar") << std::int16_t(3) << "Alterar conta a receber"
                                 << "Salvar"
                                 << "Salvar alteração e fechar"
                                 << "Cancelar alteração e fechar"
                                 << QStringList{"qzmemHistorico", "qzdtpDataDeVencimentoDaParcelaAtual",
                                                "qznumValorDaParcelaAtual"};
        QTest::newRow("excluir") << std::int16_t(4) << "Excluir conta a receber"
                                 << "Confirmar"
                                 << "Confirmar exclusão e e fechar"
                                 << "Cancelar exclusão e fechar" << QStringList{};
    }
    // Captions, what can be edited, the plan's block, cancelling, and the
    // menu window darkened exactly around the show.
    void modos() {
        QFETCH(std::int16_t, tipo);
        QFETCH(QString, titulo);
        QFETCH(QString, salvar);
        QFETCH(QString, dicaSalvar);
        QFETCH(QString, dicaCancelar);
        QFETCH(QStringList, editaveis);
        listaComUmaLinha();
        frmFicha f;
        f.Load();
        QStringList habilitadas;
        int escurecimentosDuranteOShow = -1;
        const bool aberta = abrir(f, tipo, [&] {
            escurecimentosDuranteOShow = int(doubles::calls(teste::kFundoEscuro).size());
            for (forms::Control* c : f.Controls())
                if (dynamic_cast<qz::QZControl*>(c) && !dynamic_cast<qz::QZCommandButton*>(c) &&
                    !dynamic_cast<qz::QZTheme*>(c) && c->Enabled())
                    habilitadas << c->Name();
            f.lblHistorico->setForeColor(frmFicha::kCorDoRotuloInvalido);
            f.lblCliente->setForeColor(0x123456);
            f.qzcmdCancelarAlterar->setValue(true);
        });
        QVERIFY(!aberta);
        QCOMPARE(f.TipoDeOperacao(), tipo);
        QCOMPARE(f.QZTheme->Titulo(), titulo);
        QCOMPARE(f.qzcmdSalvarFecharConfirmar->Caption(), salvar);
        QCOMPARE(f.qzcmdSalvarFecharConfirmar->ToolTipText(), dicaSalvar);
        QCOMPARE(f.qzcmdCancelarAlterar->Caption(), QStringLiteral("Cancelar"));
        QCOMPARE(f.qzcmdCancelarAlterar->ToolTipText(), dicaCancelar);
        QCOMPARE(habilitadas, editaveis);
        const bool comPlano = tipo == 1;
        for (forms::Control* c :
             std::initializer_list<forms::Control*>{f.lblParcelas, f.msfgGrade, f.lblTotaldasparcelas,
                                                    f.qzcmdAdicionar, f.qzcmdAlterar, f.qzcmdRemover})
            QCOMPARE(c->Visible(), comPlano);
        QCOMPARE(f.qzmemHistorico->Height(), comPlano ? 1110.f : 3305.f);
        if (!comPlano) {
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Width(), 6315.f);
            QCOMPARE(f.lblValor->Left(), 10425.f);
            QCOMPARE(f.qznumValorDaParcelaAtual->Left(), 6765.f);
            QCOMPARE(f.qznumValorDaParcelaAtual->Width(), 4290.f);
            QCOMPARE(f.lblDataDeVencimentoDaParcelaAtual->Top(), 7275.f);
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Top(), 7575.f);
            QCOMPARE(f.lblValor->Top(), 7275.f);
            QCOMPARE(f.qznumValorDaParcelaAtual->Top(), 7575.f);
        }
        // Cancel: nothing done, field labels back to grey, headers untouched.
        QVERIFY(!f.OperacaoConcluida());
        QCOMPARE(f.lblHistorico->ForeColor(), frmFicha::kCorDoRotulo);
        QCOMPARE(f.lblCliente->ForeColor(), 0x123456);
        QVERIFY(doubles::calls(teste::kNegocio).empty());
        // Aplicar before the show, Remover after it, both on the menu window.
        QCOMPARE(escurecimentosDuranteOShow, 1);
        QCOMPARE(membros(teste::kFundoEscuro), (std::vector<QString>{"Aplicar", "Remover"}));
        for (const auto& c : doubles::calls(teste::kFundoEscuro))
            QCOMPARE(c.args.at(0).value.toLong(), 777);
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    void adicionandoComecaVazio() {
        listaComUmaLinha();
        frmFicha f;
        f.Load();
        // Left over from an earlier use of the same card.
        f.qzfCodigoDoCliente->setText(QStringLiteral("9"));
        f.qztxtNumeroDaVenda->setText(QStringLiteral("x"));
        abrir(f, 1, [&] {});
        QCOMPARE(f.QZTheme->LinhaDeInclusao(), QString());
        QCOMPARE(f.QZTheme->LinhaDeAlteracao(), QString());
        for (qz::QZFind* b :
             {f.qzfCodigoDoCliente, f.qzfApelidoOuNomeFantasiaDoCliente, f.qzfNomeOuRazaoSocialDoCliente}) {
            QCOMPARE(b->Text(), QString());
            QCOMPARE(b->Status(), qz::qzFindClear);
        }
        for (qz::QZTextBox* t :
             {f.qztxtNumeroDaVenda, f.qztxtDataDaVenda, f.qztxtValorDaVenda, f.qztxtValorRecebidoAVista,
              f.qztxtNumeroDaParcela, f.qztxtNumeroDeParcelas}) {
            QCOMPARE(t->Text(), QString());
            QVERIFY(!t->Enabled());
        }
        QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), QStringLiteral("__/__/____"));
        QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("0,00"));
        QCOMPARE(f.NumeroDoLancamento(), 0.0);
        QVERIFY(!f.ClientePreenchido());
        QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 0,00"));
        QCOMPARE(f.msfgGrade->Rows(), 2);
        QCOMPARE(f.msfgGrade->Cols(), 3);
        QCOMPARE(f.msfgGrade->TextMatrix(0, 0), QStringLiteral("Vencimento"));
        QCOMPARE(f.msfgGrade->TextMatrix(0, 1), QStringLiteral("Valor"));
        QCOMPARE(f.msfgGrade->TextMatrix(0, 2), QStringLiteral("Numero do lancamento"));
        QCOMPARE(f.msfgGrade->ColWidth(2), 0);
    }

    void camposDaLinha_data() {
        QTest::addColumn<QString>("alteracao");
        QTest::addColumn<QString>("linhaDeAlteracao");
        QTest::newRow("sem alteração") << QString() << QString();
        QTest::newRow("só brancos") << QStringLiteral("   ") << QString();
        QTest::newRow("alterada") << QStringLiteral("05/12/2026 08:01:02")
                                  << QStringLiteral("Alterado em 05/12/2026");
    }
    void camposDaLinha() {
        QFETCH(QString, alteracao);
        QFETCH(QString, linhaDeAlteracao);
        const QString nbsp = rt::Chr(160);
        listaComUmaLinha(QStringLiteral("Primeira linha") + nbsp + QStringLiteral("Segunda") + nbsp + nbsp +
                             QStringLiteral("Quarta"),
                         alteracao);
        frmFicha f;
        f.Load();
        abrir(f, 3, [&] {});
        QCOMPARE(f.QZTheme->LinhaDeInclusao(), QStringLiteral("Código 1532 | Incluído em 04/12/2026"));
        QCOMPARE(f.QZTheme->LinhaDeAlteracao(), linhaDeAlteracao);
        QCOMPARE(f.NumeroDoLancamento(), 1532.0);
        QVERIFY(f.ClientePreenchido());
        QCOMPARE(f.qzmemHistorico->Text(), QStringLiteral("Primeira linha\r\nSegunda\r\n\r\nQuarta"));
        QCOMPARE(f.qzfCodigoDoCliente->Text(), QStringLiteral("42"));
        QCOMPARE(f.qzfApelidoOuNomeFantasiaDoCliente->Text(), QStringLiteral("Padaria Sol"));
        QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->Text(), QStringLiteral("José da Silva Pães ME"));
        for (qz::QZFind* b :
             {f.qzfCodigoDoCliente, f.qzfApelidoOuNomeFantasiaDoCliente, f.qzfNomeOuRazaoSocialDoCliente})
            QVERIFY(!b->ShowClearButton());
        QCOMPARE(f.qztxtNumeroDaVenda->Text(), QStringLiteral("V-88"));
        QCOMPARE(f.qztxtDataDaVenda->Text(), QStringLiteral("01/12/2026"));
        QCOMPARE(f.qztxtValorDaVenda->Text(), QStringLiteral("1.500,00"));
        QCOMPARE(f.qztxtValorRecebidoAVista->Text(), QStringLiteral("300,00"));
        QCOMPARE(f.qztxtNumeroDaParcela->Text(), QStringLiteral("2"));
        QCOMPARE(f.qztxtNumeroDeParcelas->Text(), QStringLiteral("4"));
        QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), QStringLiteral("10/01/2027"));
        QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("300,00"));
    }

    // Altering without a list: reported with its step, the card never shown.
    void linhaIlegivel() {
        frmFicha f;
        f.Load();
        bool mostrada = false;
        QTimer::singleShot(0, [&] {
            mostrada = f.Visible();
            if (mostrada) f.Hide();
        });
        QCOMPARE(f.MontarExibirFormulario(3), std::int16_t(0));
        QVERIFY(!mostrada);
        QCOMPARE(teste::locaisExibidos(),
                 QStringList{QStringLiteral("QUVA_A_CReceber, frmFicha, MontarExibirFormulario, Ponto: 7")});
        QVERIFY(doubles::calls(teste::kFundoEscuro).empty());
        QCoreApplication::processEvents();
    }

    // Adding, taking back and removing installments, with exact totals.
    void parcelas() {
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            auto& g = *f.msfgGrade;
            parcela(f, QStringLiteral("10/07/2025"), QStringLiteral("0,10"));
            QCOMPARE(g.Rows(), 2);
            QVERIFY(f.LinhaVaziaRemovida());
            QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("10/07/2025"));
            QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("0,10"));
            QCOMPARE(g.TextMatrix(1, 2), QString());
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), QStringLiteral("__/__/____"));
            QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("0,00"));
            QVERIFY(temFoco(f.qzdtpDataDeVencimentoDaParcelaAtual));

            parcela(f, QStringLiteral("10/08/2025"), QStringLiteral("0,2"));
            parcela(f, QStringLiteral("10/09/2025"), QStringLiteral("1234,5"));
            QCOMPARE(g.Rows(), 4);
            QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("0,20"));
            QCOMPARE(g.TextMatrix(3, 1), QStringLiteral("1.234,50"));
            QCOMPARE(f.TotalDasParcelas(), rt::Currency::fromRaw(12348000));
            QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 1.234,80"));

            // Taken back: into the fields, out of the grid and the total.
            g.setRow(2);
            f.qzcmdAlterar->setValue(true);
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), QStringLiteral("10/08/2025"));
            QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("0,20"));
            QCOMPARE(g.Rows(), 3);
            QCOMPARE(g.TextMatrix(2, 0), QStringLiteral("10/09/2025"));
            QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 1.234,60"));
            QVERIFY(temFoco(f.qzdtpDataDeVencimentoDaParcelaAtual));

            g.setRow(1);
            f.qzcmdRemover->setValue(true);
            QCOMPARE(g.Rows(), 2);
            QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 1.234,50"));
            // The last one goes: one empty row stays, the total is zero again.
            f.qzcmdRemover->setValue(true);
            QCOMPARE(g.Rows(), 2);
            QCOMPARE(g.TextMatrix(1, 0), QString());
            QVERIFY(!f.LinhaVaziaRemovida());
            QCOMPARE(f.TotalDasParcelas(), rt::Currency{});
            QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 0,00"));
            QVERIFY(mensagens->shown().empty());

            // On an empty plan: Alterar does nothing, Remover says so.
            f.qzdtpDataDeVencimentoDaParcelaAtual->setText(QStringLiteral("01/01/2026"));
            f.qzcmdAlterar->setValue(true);
            QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), QStringLiteral("01/01/2026"));
            QVERIFY(mensagens->shown().empty());
            f.qzcmdRemover->setValue(true);
            QCOMPARE(textos(), std::vector<QString>{"Nenhum item para ser removido da grade."});
            QCOMPARE(mensagens->shown().at(0).buttons, forms::vbOKOnly + forms::vbInformation);
            QCOMPARE(mensagens->shown().at(0).title, kTitulo);

            // The first installment of the new plan replaces the empty row again.
            parcela(f, QStringLiteral("01/01/2026"), QStringLiteral("5,00"));
            QCOMPARE(g.Rows(), 2);
            QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("01/01/2026"));
            f.qzcmdCancelarAlterar->setValue(true);
        });
    }

    void larguraDoValor() {
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            auto& g = *f.msfgGrade;
            for (int i = 1; i <= 5; ++i)
                parcela(f, QStringLiteral("%1/07/2025").arg(i + 10), QStringLiteral("10,00"));
            QCOMPARE(g.Rows(), 6);
            QCOMPARE(g.ColWidth(1), 3315);
            parcela(f, QStringLiteral("20/07/2025"), QStringLiteral("10,00"));
            QCOMPARE(g.Rows(), 7);
            QCOMPARE(g.ColWidth(1), 3065);
            f.qzcmdRemover->setValue(true);
            QCOMPARE(g.ColWidth(1), 3315);
            QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 50,00"));
        });
    }

    void recusas_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<bool>("focoNaData");
        QTest::newRow("data vazia") << "__/__/____"
                                    << "10,00"
                                    << "Informe uma data válida de vencimento para a parcela." << true;
        QTest::newRow("data impossível") << "30/02/2026"
                                         << "10,00"
                                         << "Informe uma data válida de vencimento para a parcela." << true;
        QTest::newRow("zero") << "01/08/2025"
                              << "0,00"
                              << "Informe um valor válido para a parcela." << false;
        QTest::newRow("vazio") << "01/08/2025"
                               << ""
                               << "Informe um valor válido para a parcela." << false;
        QTest::newRow("texto") << "01/08/2025"
                               << "dez"
                               << "Informe um valor válido para a parcela." << false;
        QTest::newRow("vencimento repetido") << "01/07/2025"
                                             << "1,00"
                                             << "Já existe uma parcela com este vencimento na grade." << true;
    }
    void recusas() {
        QFETCH(QString, data);
        QFETCH(QString, valor);
        QFETCH(QString, mensagem);
        QFETCH(bool, focoNaData);
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            parcela(f, QStringLiteral("01/07/2025"), QStringLiteral("7,00"));
            parcela(f, data, valor);
            QCOMPARE(textos(), std::vector<QString>{mensagem});
            QCOMPARE(mensagens->shown().at(0).buttons, forms::vbOKOnly + forms::vbInformation);
            QCOMPARE(f.msfgGrade->Rows(), 2);
            QCOMPARE(f.TotalDasParcelas(), rt::Currency::fromUnits(7));
            QVERIFY(temFoco(focoNaData ? static_cast<forms::Control*>(f.qzdtpDataDeVencimentoDaParcelaAtual)
                                       : f.qznumValorDaParcelaAtual));
            QCOMPARE(f.lblDataDeVencimentoDaParcelaAtual->ForeColor(), frmFicha::kCorDoRotulo);
        });
    }

    void dataPassada_data() {
        QTest::addColumn<int>("dias");
        QTest::addColumn<int>("resposta"); // 0: the default button
        QTest::addColumn<bool>("pergunta");
        QTest::addColumn<bool>("adicionada");
        QTest::newRow("hoje") << 0 << 0 << false << true;
        QTest::newRow("ontem, padrão") << -1 << 0 << true << false;
        QTest::newRow("ontem, não") << -1 << int(forms::vbNo) << true << false;
        QTest::newRow("ontem, sim") << -1 << int(forms::vbYes) << true << true;
    }
    void dataPassada() {
        QFETCH(int, dias);
        QFETCH(int, resposta);
        QFETCH(bool, pergunta);
        QFETCH(bool, adicionada);
        if (resposta) mensagens->answer(std::int16_t(resposta));
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            parcela(f, dia(dias), QStringLiteral("12,34"));
            QCOMPARE(mensagens->shown().size(), std::size_t(pergunta));
            if (pergunta) {
                const auto& m = mensagens->shown().at(0);
                QCOMPARE(
                    m.prompt,
                    QStringLiteral(" A data de vencimento informada é menor que a data atual. Confirma?"));
                QCOMPARE(m.buttons, forms::vbYesNo + forms::vbQuestion + forms::vbDefaultButton2);
                QCOMPARE(m.defaultAnswer(), forms::vbNo);
                QCOMPARE(m.title, kTitulo);
            }
            QCOMPARE(f.LinhaVaziaRemovida(), adicionada);
            QCOMPARE(f.lblDataDeVencimentoDaParcelaAtual->ForeColor(),
                     pergunta ? frmFicha::kCorDoRotuloInvalido : frmFicha::kCorDoRotulo);
            if (!adicionada) {
                QCOMPARE(f.qzdtpDataDeVencimentoDaParcelaAtual->Text(), dia(dias));
                QVERIFY(temFoco(f.qzdtpDataDeVencimentoDaParcelaAtual));
            }
        });
    }

    void enterAdiciona() {
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            f.qzdtpDataDeVencimentoDaParcelaAtual->setText(QStringLiteral("01/09/2025"));
            f.qznumValorDaParcelaAtual->setText(QStringLiteral("99,9"));
            std::int16_t tecla = 65;
            f.qznumValorDaParcelaAtual->raiseKeyPress(tecla);
            QVERIFY(!f.LinhaVaziaRemovida());
            tecla = 13;
            f.qznumValorDaParcelaAtual->raiseKeyPress(tecla);
            QVERIFY(f.LinhaVaziaRemovida());
            QCOMPARE(f.msfgGrade->TextMatrix(1, 1), QStringLiteral("99,90"));
            // Leaving the value box writes a number as money; other text stays.
            f.qznumValorDaParcelaAtual->setText(QStringLiteral("1234,5"));
            f.qznumValorDaParcelaAtual_LostFocus();
            QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("1.234,50"));
            f.qznumValorDaParcelaAtual->setText(QStringLiteral("abc"));
            f.qznumValorDaParcelaAtual_LostFocus();
            QCOMPARE(f.qznumValorDaParcelaAtual->Text(), QStringLiteral("abc"));
        });
    }

    // What is handed to the business component, in order, in each mode.
    void entregaAoNegocio_data() {
        QTest::addColumn<std::int16_t>("tipo");
        QTest::addColumn<QStringList>("ordem");
        QTest::newRow("adicionar") << std::int16_t(1)
                                   << QStringList{"CodigoDoCliente", "Historico", "GradeDasParcelas",
                                                  "DadosDoUsuario", "Adicionar"};
        QTest::newRow("alterar")
            << std::int16_t(3)
            << QStringList{"NumeroDoLancamento", "CodigoDoCliente", "Historico", "DataDeVencimento",
                           "ValorDoDocumento",   "DadosDoUsuario",  "Alterar"};
        QTest::newRow("excluir") << std::int16_t(4)
                                 << QStringList{"NumeroDoLancamento", "CodigoDoCliente", "Historico",
                                                "GradeDasParcelas",   "DadosDoUsuario",  "Excluir"};
    }
    void entregaAoNegocio() {
        QFETCH(std::int16_t, tipo);
        QFETCH(QStringList, ordem);
        listaComUmaLinha();
        // Any object stands for the user data.
        rt::Object dados = ado::Recordset::create();
        gobjDadosDoUsuario = dados;
        for (const char* m : {"Adicionar", "Alterar", "Excluir"})
            doubles::setResult(teste::kNegocio, QString::fromLatin1(m), std::int16_t(0));
        frmFicha f;
        f.Load();
        rt::Object grade;
        const bool aberta = abrir(f, tipo, [&] {
            grade = f.msfgGrade->object();
            if (tipo == 1) {
                f.qzfCodigoDoCliente->setText(QStringLiteral("0042"));
                parcela(f, QStringLiteral("01/08/2025"), QStringLiteral("10,00"));
            }
            f.qzmemHistorico->setText(QStringLiteral("  Venda\r\nbalcão  "));
            if (tipo == 3) f.qznumValorDaParcelaAtual->setText(QString());
            f.qzcmdSalvarFecharConfirmar->setValue(true);
        });
        gobjDadosDoUsuario.reset();
        QVERIFY(!aberta);
        QVERIFY(f.OperacaoConcluida());
        QVERIFY(mensagens->shown().empty());
        QCOMPARE(doubles::instancesCreated(teste::kNegocio), 1);
        QStringList feitas;
        for (const auto& c : doubles::calls(teste::kNegocio))
            feitas << c.member;
        QCOMPARE(feitas, ordem);

        const auto codigo = chamada(teste::kNegocio, QStringLiteral("CodigoDoCliente"));
        QCOMPARE(codigo.kind, rt::CallKind::PropertyLet);
        QCOMPARE(codigo.args.back().type(), rt::VarType::Double);
        QCOMPARE(codigo.args.back().value.toDouble(), 42.0);
        QCOMPARE(chamada(teste::kNegocio, QStringLiteral("Historico")).args.back().value.toString(),
                 QStringLiteral("Venda\r\nbalcão"));
        const auto usuarioSet = chamada(teste::kNegocio, QStringLiteral("DadosDoUsuario"));
        QCOMPARE(usuarioSet.kind, rt::CallKind::PropertySet);
        QCOMPARE(usuarioSet.args.back().value.toObject(), dados);
        if (tipo != 1) {
            const auto numero = chamada(teste::kNegocio, QStringLiteral("NumeroDoLancamento"));
            QCOMPARE(numero.args.back().type(), rt::VarType::Double);
            QCOMPARE(numero.args.back().value.toDouble(), 1532.0);
        }
        if (tipo != 3) {
            // The grid object itself, so the component reads the rows by late binding.
            const auto g = chamada(teste::kNegocio, QStringLiteral("GradeDasParcelas"));
            QCOMPARE(g.kind, rt::CallKind::PropertySet);
            QCOMPARE(g.args.back().value.toObject(), grade);
        } else {
            const auto venc = chamada(teste::kNegocio, QStringLiteral("DataDeVencimento"));
            QCOMPARE(venc.args.back().type(), rt::VarType::String);
            QCOMPARE(venc.args.back().value.toString(), QStringLiteral("10/01/2027"));
            const auto valor = chamada(teste::kNegocio, QStringLiteral("ValorDoDocumento"));
            QCOMPARE(valor.args.back().type(), rt::VarType::Integer);
            QCOMPARE(valor.args.back().value.toInteger(), std::int16_t(0));
        }
    }

    void resultados_data() {
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<bool>("aberta");
        QTest::addColumn<bool>("concluida");
        QTest::addColumn<QString>("vermelho"); // the label turned red, if any
        QTest::addColumn<QString>("foco");
        QTest::addColumn<int>("icone"); // of the box with DescricaoDaFalha, 0: no box
        QTest::newRow("0 feito") << 0 << "" << false << true << ""
                                 << "" << 0;
        QTest::newRow("1 erro") << 1 << "" << false << false << ""
                                << "" << 0;
        QTest::newRow("2 cliente") << 2 << "CodigoDoCliente" << true << false
                                   << "lblApelidoOuNomeFantasiaDoCliente"
                                   << "qzfApelidoOuNomeFantasiaDoCliente" << int(forms::vbInformation);
        QTest::newRow("2 histórico") << 2 << "Historico" << true << false << "lblHistorico"
                                     << "qzmemHistorico" << int(forms::vbInformation);
        QTest::newRow("2 parcelas") << 2 << "Parcelas" << true << false << "lblDataDeVencimentoDaParcelaAtual"
                                    << "qzdtpDataDeVencimentoDaParcelaAtual" << int(forms::vbInformation);
        QTest::newRow("2 vencimento")
            << 2 << "DataDeVencimento" << true << false << "lblDataDeVencimentoDaParcelaAtual"
            << "qzdtpDataDeVencimentoDaParcelaAtual" << int(forms::vbInformation);
        QTest::newRow("2 valor") << 2 << "ValorDoDocumento" << true << false << "lblValor"
                                 << "qznumValorDaParcelaAtual" << int(forms::vbInformation);
        QTest::newRow("2 outra caixa") << 2 << "codigodocliente" << true << false << ""
                                       << "" << int(forms::vbInformation);
        QTest::newRow("3 recusa") << 3 << "" << false << false << ""
                                  << "" << int(forms::vbCritical);
        QTest::newRow("9 desconhecido") << 9 << "" << false << false << ""
                                        << "" << 0;
    }
    void resultados() {
        QFETCH(int, resultado);
        QFETCH(QString, campo);
        QFETCH(bool, aberta);
        QFETCH(bool, concluida);
        QFETCH(QString, vermelho);
        QFETCH(QString, foco);
        QFETCH(int, icone);
        doubles::setResult(teste::kNegocio, QStringLiteral("Adicionar"), std::int16_t(resultado));
        doubles::setResult(teste::kNegocio, QStringLiteral("NomeDoCampoValidado"), campo);
        doubles::setResult(teste::kNegocio, QStringLiteral("DescricaoDaFalha"),
                           QStringLiteral("Falha descrita"));
        doubles::setErrorTriple(teste::kNegocio, std::int32_t(-2147217873), QStringLiteral("Violação"),
                                QStringLiteral("QUVA_N_CReceber, clsCReceber, Adicionar"));
        frmFicha f;
        f.Load();
        QStringList vermelhos;
        QString comFoco;
        const bool ficouAberta = abrir(f, 1, [&] {
            // Red from an earlier failure goes first.
            f.lblValor->setForeColor(frmFicha::kCorDoRotuloInvalido);
            f.qzcmdSalvarFecharConfirmar->setValue(true);
            for (forms::Control* c : f.Controls())
                if (auto* l = dynamic_cast<forms::Label*>(c);
                    l && l->ForeColor() == frmFicha::kCorDoRotuloInvalido)
                    vermelhos << l->Name();
            for (forms::Control* c : f.Controls())
                if (temFoco(c)) comFoco = c->Name();
        });
        QCOMPARE(ficouAberta, aberta);
        QCOMPARE(f.OperacaoConcluida(), concluida);
        if (aberta) {
            QCOMPARE(vermelhos, vermelho.isEmpty() ? QStringList{} : QStringList{vermelho});
            if (!foco.isEmpty()) QCOMPARE(comFoco, foco);
        }
        if (icone) {
            QCOMPARE(textos(), std::vector<QString>{"Falha descrita"});
            QCOMPARE(mensagens->shown().at(0).buttons, forms::vbOKOnly + icone);
            QCOMPARE(mensagens->shown().at(0).title, kTitulo);
        } else {
            QVERIFY(mensagens->shown().empty());
        }
        if (resultado == 1) {
            const auto e = chamada(teste::kMsgErro, QStringLiteral("Exibir"));
            QCOMPARE(e.args.at(0).value.toLong(), -2147217873);
            QCOMPARE(e.args.at(1).value.toString(), QStringLiteral("Violação"));
            QCOMPARE(e.args.at(2).value.toString(),
                     QStringLiteral("QUVA_N_CReceber, clsCReceber, Adicionar"));
            QCOMPARE(e.args.at(3).value.toString(), kTitulo);
        } else {
            QVERIFY(teste::locaisExibidos().isEmpty());
        }
    }

    // A click that fails itself keeps the card open and reports the step.
    void falhaDoClique() {
        doubles::setCreateFailure(teste::kNegocio, true);
        frmFicha f;
        f.Load();
        const bool aberta = abrir(f, 1, [&] { f.qzcmdSalvarFecharConfirmar->setValue(true); });
        QVERIFY(aberta);
        QVERIFY(!f.OperacaoConcluida());
        QCOMPARE(teste::locaisExibidos(),
                 QStringList{QStringLiteral(
                     "QUVA_A_CReceber, frmFicha, qzcmdSalvarFecharConfirmar_Click, Ponto: 2")});
        QCOMPARE(chamada(teste::kMsgErro, QStringLiteral("Exibir")).args.at(0).value.toLong(), 429);
    }

    // One active client fills the three boxes and the class.
    void umCliente_data() {
        QTest::addColumn<QString>("caixa");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("vip");
        QTest::addColumn<QString>("categoria");
        QTest::addColumn<QString>("textoPesquisado");
        QTest::addColumn<double>("codigoPesquisado");
        QTest::addColumn<QString>("rotulo");
        QTest::newRow("apelido, VIP") << "apelido"
                                      << "padar"
                                      << "SiM"
                                      << "A"
                                      << "padar" << 0.0 << "Cliente* [ VIP - A ]";
        QTest::newRow("nome") << "nome"
                              << "  josé  "
                              << "Não"
                              << "B"
                              << "josé" << 0.0 << "Cliente* [ B ]";
        QTest::newRow("código de 2 dígitos") << "codigo"
                                             << "42"
                                             << ""
                                             << ""
                                             << "" << 42.0 << "Cliente* [  ]";
    }
    void umCliente() {
        QFETCH(QString, caixa);
        QFETCH(QString, digitado);
        QFETCH(QString, vip);
        QFETCH(QString, categoria);
        QFETCH(QString, textoPesquisado);
        QFETCH(double, codigoPesquisado);
        QFETCH(QString, rotulo);
        respostaDosClientes(
            {{42, QStringLiteral("Padaria Sol"), QStringLiteral("José da Silva ME"), 1, vip, categoria}});
        rt::Object dados = ado::Recordset::create();
        gobjDadosDoUsuario = dados;
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            qz::QZFind* b = caixa == "apelido" ? f.qzfApelidoOuNomeFantasiaDoCliente
                            : caixa == "nome"  ? f.qzfNomeOuRazaoSocialDoCliente
                                               : f.qzfCodigoDoCliente;
            // Left in the other boxes: the search passes only this box's value.
            f.qzfCodigoDoCliente->setText(QStringLiteral("77"));
            f.qzfNomeOuRazaoSocialDoCliente->setText(QStringLiteral("outro"));
            b->setText(digitado);
            b->requestSearch();
            QCOMPARE(f.qzfCodigoDoCliente->Text(), QStringLiteral("42"));
            QCOMPARE(f.qzfApelidoOuNomeFantasiaDoCliente->Text(), QStringLiteral("Padaria Sol"));
            QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->Text(), QStringLiteral("José da Silva ME"));
            for (qz::QZFind* x :
                 {f.qzfCodigoDoCliente, f.qzfApelidoOuNomeFantasiaDoCliente, f.qzfNomeOuRazaoSocialDoCliente})
                QCOMPARE(x->Status(), qz::qzFindNone);
            QCOMPARE(f.lblCliente->Caption(), rotulo);
            QVERIFY(f.ClientePreenchido());
            QVERIFY(b->ShowClearButton());
            QVERIFY(temFoco(f.qzmemHistorico));
            QVERIFY(!f.picMensagem->Visible());
        });
        gobjDadosDoUsuario.reset();
        QVERIFY(mensagens->shown().empty());
        QCOMPARE(membros(kClientes),
                 (std::vector<QString>{"DadosDoUsuario", "Selecionar", "ResultadoDaSelecaoEmRecordSet"}));
        QCOMPARE(chamada(kClientes, QStringLiteral("DadosDoUsuario")).args.back().value.toObject(), dados);
        const auto s = chamada(kClientes, QStringLiteral("Selecionar"));
        QCOMPARE(int(s.args.size()), 11);
        const rt::VarType tipos[11] = {rt::VarType::Long,   rt::VarType::Integer, rt::VarType::Long,
                                       rt::VarType::String, rt::VarType::String,  rt::VarType::Double,
                                       rt::VarType::String, rt::VarType::String,  rt::VarType::String,
                                       rt::VarType::Double, rt::VarType::String};
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(s.args.at(i).type(), tipos[i]);
            QCOMPARE(s.args.at(i).byRef(), i == 4 || i == 5);
        }
        QCOMPARE(s.args.at(0).value.toLong(), 2);
        QCOMPARE(s.args.at(1).value.toInteger(), std::int16_t(0));
        QCOMPARE(s.args.at(2).value.toLong(), 0);
        QCOMPARE(s.args.at(4).value.toString(), textoPesquisado);
        QCOMPARE(s.args.at(5).value.toDouble(), codigoPesquisado);
        for (int i : {3, 6, 7, 8, 10})
            QCOMPARE(s.args.at(i).value.toString(), QString());
        QCOMPARE(s.args.at(9).value.toDouble(), 0.0);
    }

    // Refusals and empty results clear the card except the searched box.
    void semCliente_data() {
        QTest::addColumn<QString>("caixa");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("situacao"); // -1: nothing found
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<bool>("pesquisou");
        QTest::newRow("inativo")
            << "apelido"
            << "pad" << 2
            << "Cliente inativo. Para mais informações, entre em contato com o departamento financeiro."
            << true;
        QTest::newRow("bloqueado")
            << "apelido"
            << "pad" << 3
            << "Cliente bloqueado. Para mais informações, entre em contato com o departamento financeiro."
            << true;
        QTest::newRow("excluído")
            << "nome"
            << "pad" << 4
            << "Cliente excluído. Para mais informações, entre em contato com o departamento financeiro."
            << true;
        QTest::newRow("nenhum, apelido")
            << "apelido"
            << "Açaí" << -1 << "Nenhum cliente encontrado com o apelido ou nome fantasia 'Açaí'." << true;
        QTest::newRow("nenhum, nome")
            << "nome"
            << "Zé Ninguém " << -1 << "Nenhum cliente encontrado com o nome ou razão social 'Zé Ninguém'."
            << true;
        QTest::newRow("nenhum, código")
            << "codigo"
            << "007" << -1 << "Nenhum cliente encontrado com o código '7' informado." << true;
        QTest::newRow("curto") << "apelido"
                               << "pa" << -1 << "Informe 3 caracteres ou mais para iniciar a pesquisa."
                               << false;
    }
    void semCliente() {
        QFETCH(QString, caixa);
        QFETCH(QString, digitado);
        QFETCH(int, situacao);
        QFETCH(QString, mensagem);
        QFETCH(bool, pesquisou);
        if (situacao < 0)
            respostaDosClientes({});
        else
            respostaDosClientes({{5, QStringLiteral("Padaria"), QStringLiteral("Padaria Ltda"), situacao}});
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            qz::QZFind* b = caixa == "apelido" ? f.qzfApelidoOuNomeFantasiaDoCliente
                            : caixa == "nome"  ? f.qzfNomeOuRazaoSocialDoCliente
                                               : f.qzfCodigoDoCliente;
            f.qzmemHistorico->setText(QStringLiteral("já escrito"));
            parcela(f, QStringLiteral("01/08/2025"), QStringLiteral("10,00"));
            f.lblCliente->setCaption(QStringLiteral("Cliente* [ A ]"));
            b->setText(digitado);
            b->requestSearch();
            QCOMPARE(textos(), std::vector<QString>{mensagem});
            QCOMPARE(mensagens->shown().at(0).buttons, forms::vbOKOnly + forms::vbInformation);
            QCOMPARE(b->Text(), digitado);
            if (pesquisou) {
                QCOMPARE(f.qzmemHistorico->Text(), QString());
                QCOMPARE(f.msfgGrade->Rows(), 2);
                QVERIFY(!f.LinhaVaziaRemovida());
                QCOMPARE(f.lblTotaldasparcelas->Caption(), QStringLiteral("Total das parcelas: 0,00"));
                QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente*"));
                for (qz::QZFind* x : {f.qzfCodigoDoCliente, f.qzfApelidoOuNomeFantasiaDoCliente,
                                      f.qzfNomeOuRazaoSocialDoCliente})
                    if (x != b) {
                        QCOMPARE(x->Status(), qz::qzFindClear);
                        QCOMPARE(x->Text(), QString());
                    }
                QVERIFY(temFoco(b));
                QVERIFY(!f.ClientePreenchido());
            } else {
                QCOMPARE(f.qzmemHistorico->Text(), QStringLiteral("já escrito"));
            }
            QVERIFY(b->ShowClearButton());
        });
        QCOMPARE(doubles::calls(kClientes, QStringLiteral("Selecionar")).size(), std::size_t(pesquisou));
    }

    void falhaDosClientes() {
        doubles::setResult(kClientes, QStringLiteral("Selecionar"), std::int16_t(1));
        doubles::setErrorTriple(kClientes, std::int32_t(-2147467259), QStringLiteral("Sem conexão"),
                                QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar"));
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            f.qzfApelidoOuNomeFantasiaDoCliente->setText(QStringLiteral("padaria"));
            f.qzfApelidoOuNomeFantasiaDoCliente->requestSearch();
            QVERIFY(!f.picMensagem->Visible());
            QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente*"));
        });
        QCOMPARE(teste::locaisExibidos(),
                 QStringList{QStringLiteral("QUVA_N_ClientAnim, clsClientes, Selecionar")});
        QVERIFY(doubles::calls(kClientes, QStringLiteral("ResultadoDaSelecaoEmRecordSet")).empty());
    }

    // Clearing a box clears the card; a key after the card filled the boxes
    // only ends that state, later keys empty the other boxes' searched text.
    void limparETeclas() {
        listaComUmaLinha();
        frmFicha f;
        f.Load();
        abrir(f, 1, [&] {
            f.qzmemHistorico->setText(QStringLiteral("algo"));
            f.qzfNomeOuRazaoSocialDoCliente->setText(QStringLiteral("abc"));
            f.qzfCodigoDoCliente->setText(QStringLiteral("12"));
            f.qzfCodigoDoCliente->requestClear();
            QCOMPARE(f.qzmemHistorico->Text(), QString());
            QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->Text(), QString());
            QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->Status(), qz::qzFindClear);
            QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente*"));

            f.qzfCodigoDoCliente->setSearchedText(QStringLiteral("12"));
            f.qzfNomeOuRazaoSocialDoCliente->setSearchedText(QStringLiteral("abc"));
            std::int16_t k = 65;
            f.qzfApelidoOuNomeFantasiaDoCliente->raiseKeyDown(k, 0);
            QCOMPARE(f.qzfCodigoDoCliente->SearchedText(), QString());
            QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->SearchedText(), QString());
        });
        frmFicha g;
        g.Load();
        abrir(g, 3, [&] {
            QVERIFY(g.ClientePreenchido());
            g.qzfCodigoDoCliente->setSearchedText(QStringLiteral("42"));
            std::int16_t k = 65;
            g.qzfApelidoOuNomeFantasiaDoCliente->raiseKeyDown(k, 0);
            QVERIFY(!g.ClientePreenchido());
            QCOMPARE(g.qzfCodigoDoCliente->SearchedText(), QStringLiteral("42"));
        });
    }

    // Several matches: the search dialog chooses, or is cancelled.
    void variosClientes_data() {
        QTest::addColumn<bool>("escolhe");
        QTest::newRow("escolhe") << true;
        QTest::newRow("cancela") << false;
    }
    void variosClientes() {
        QFETCH(bool, escolhe);
        respostaDosClientes({{7, QStringLiteral("Pão Quente"), QStringLiteral("Pão Quente Ltda")},
                             {8, QStringLiteral("Padaria Sol"), QStringLiteral("Sol Pães ME"), 1,
                              QStringLiteral("sim"), QStringLiteral("C")}});
        frmFicha f;
        f.Load();
        bool dialogoModal = false;
        std::int32_t linhasNoDialogo = 0;
        abrir(f, 1, [&] {
            f.qzmemHistorico->setText(QStringLiteral("antes"));
            quando([] { return formularioVisivel<frmPesquisaDeClientes>() != nullptr; },
                   [&] {
                       auto& d = frmPesquisaDeClientesPadrao();
                       dialogoModal = d.Visible() && d.isModal();
                       linhasNoDialogo = d.msfgGrade->Rows();
                       if (escolhe) {
                           d.msfgGrade->setRow(2);
                           d.msfgGrade_Click();
                       } else {
                           d.qzcmdFechar_Click();
                       }
                   });
            f.qzfApelidoOuNomeFantasiaDoCliente->setText(QStringLiteral("pão"));
            f.qzfApelidoOuNomeFantasiaDoCliente->requestSearch();
            if (escolhe) {
                QCOMPARE(f.qzfCodigoDoCliente->Text(), QStringLiteral("8"));
                QCOMPARE(f.qzfApelidoOuNomeFantasiaDoCliente->Text(), QStringLiteral("Padaria Sol"));
                QCOMPARE(f.qzfNomeOuRazaoSocialDoCliente->Text(), QStringLiteral("Sol Pães ME"));
                QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente* [ VIP - C ]"));
                QCOMPARE(f.qzmemHistorico->Text(), QStringLiteral("antes"));
                QVERIFY(f.ClientePreenchido());
            } else {
                QCOMPARE(f.qzfApelidoOuNomeFantasiaDoCliente->Text(), QStringLiteral("pão"));
                QCOMPARE(f.qzfCodigoDoCliente->Status(), qz::qzFindClear);
                QCOMPARE(f.qzmemHistorico->Text(), QString());
                QCOMPARE(f.lblCliente->Caption(), QStringLiteral("Cliente*"));
            }
        });
        QVERIFY(dialogoModal);
        QCOMPARE(linhasNoDialogo, 3);
        QVERIFY(!frmPesquisaDeClientesPadrao().Visible());
        QVERIFY(mensagens->shown().empty());
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    // The list's commands open a real card and refresh only after a done operation.
    void comandosDaLista_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<bool>("salva");
        for (const char* c : {"adicionar", "alterar", "excluir"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, salva").arg(QLatin1String(c))))
                << QString::fromLatin1(c) << true;
            QTest::newRow(qPrintable(QStringLiteral("%1, cancela").arg(QLatin1String(c))))
                << QString::fromLatin1(c) << false;
        }
    }
    void comandosDaLista() {
        QFETCH(QString, comando);
        QFETCH(bool, salva);
        QVERIFY(NovaFichaDaLista() != nullptr);
        base = teste::Base{};
        base.contas = teste::contasAVencer(3);
        base.ligar();
        for (const char* m : {"Adicionar", "Alterar", "Excluir"})
            doubles::setResult(teste::kNegocio, QString::fromLatin1(m), std::int16_t(0));
        hospedeiro = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(hospedeiro.get());
        auto* area = new QWidget;
        layout->addWidget(area, 1);
        hospedeiro->resize(1100, 600);
        hospedeiro->show();
        lista = std::make_shared<frmLista>();
        gfrmLista = lista;
        QCOMPARE(lista->MontarExibirFormulario(forms::hWnd(area)), std::int16_t(0));
        const int selecoesAntes = base.selecoes;

        std::int16_t tipo = 0;
        bool gradeHabilitada = true;
        quando([] { return fichaAberta() != nullptr; },
               [&] {
                   frmFicha* f = fichaAberta();
                   QVERIFY(f);
                   tipo = f->TipoDeOperacao();
                   gradeHabilitada = lista->msfgGrade->Enabled();
                   if (salva)
                       f->qzcmdSalvarFecharConfirmar->setValue(true);
                   else
                       f->qzcmdCancelarAlterar->setValue(true);
               });
        if (comando == "adicionar")
            lista->qzcmdAdicionar_Click();
        else if (comando == "alterar")
            lista->qzcmdAlterar_Click();
        else
            lista->qzcmdExcluir_Click();

        QCOMPARE(tipo, std::int16_t(comando == "adicionar" ? 1 : comando == "alterar" ? 3 : 4));
        QCOMPARE(gradeHabilitada, comando == "adicionar");
        QVERIFY(lista->msfgGrade->Enabled());
        QCOMPARE(base.selecoes, selecoesAntes + (salva ? 1 : 0));
        QVERIFY(!fichaAberta());
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    // The host's AbrirFicha without a list: adding mode, the handle 0 darkened.
    void abrirFichaSemLista() {
        glngFormularioDoMenu_hWnd = 0;
        std::int16_t tipo = 0;
        quando([] { return fichaAberta() != nullptr; },
               [&] {
                   frmFicha* f = fichaAberta();
                   QVERIFY(f);
                   tipo = f->TipoDeOperacao();
                   f->qzcmdCancelarAlterar->setValue(true);
               });
        clsCReceber c;
        QVERIFY(c.AbrirFicha().isEmpty());
        QCOMPARE(tipo, std::int16_t(1));
        QCOMPARE(membros(teste::kFundoEscuro), (std::vector<QString>{"Aplicar", "Remover"}));
        for (const auto& ch : doubles::calls(teste::kFundoEscuro))
            QCOMPARE(ch.args.at(0).value.toLong(), 0);
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    // Offscreen renderings, written when QUVA_SCREENS names a folder.
    void telas() {
        const QString pasta = qEnvironmentVariable("QUVA_SCREENS");
        auto salvar = [&](frmFicha& f, const char* nome) {
            QApplication::processEvents();
            const QImage img = f.window()->grab().toImage();
            QVERIFY(!img.isNull());
            if (!pasta.isEmpty()) QVERIFY(img.save(QDir(pasta).filePath(QString::fromLatin1(nome))));
        };
        respostaDosClientes({{1204, QStringLiteral("Padaria Sol"), QStringLiteral("José da Silva Pães ME"), 1,
                              QStringLiteral("Sim"), QStringLiteral("A")}});
        {
            frmFicha f;
            f.Load();
            abrir(f, 1, [&] {
                f.qzfApelidoOuNomeFantasiaDoCliente->setText(QStringLiteral("padaria"));
                f.qzfApelidoOuNomeFantasiaDoCliente->requestSearch();
                f.qzmemHistorico->setText(
                    QStringLiteral("Venda 8841 - pães e doces para o evento de fim de ano"));
                for (const char* d : {"10/07/2025", "10/08/2025", "10/09/2025", "10/10/2025"})
                    parcela(f, QString::fromLatin1(d), QStringLiteral("1250,00"));
                f.qzdtpDataDeVencimentoDaParcelaAtual->setText(QStringLiteral("10/11/2025"));
                f.qznumValorDaParcelaAtual->setText(QStringLiteral("1.250,00"));
                salvar(f, "card-adding.png");
            });
        }
        listaComUmaLinha(QStringLiteral("Venda a prazo") + rt::Chr(160) +
                             QStringLiteral("Entrega em 3 vezes"),
                         QStringLiteral("05/12/2026 08:01:02"));
        for (auto [tipo, nome] : {std::pair{std::int16_t(3), "card-altering.png"},
                                  std::pair{std::int16_t(4), "card-deleting.png"}}) {
            frmFicha f;
            f.Load();
            abrir(f, tipo, [&] { salvar(f, nome); });
        }
        doubles::setResult(teste::kNegocio, QStringLiteral("Adicionar"), std::int16_t(2));
        doubles::setResult(teste::kNegocio, QStringLiteral("NomeDoCampoValidado"),
                           QStringLiteral("CodigoDoCliente"));
        doubles::setResult(teste::kNegocio, QStringLiteral("DescricaoDaFalha"),
                           QStringLiteral("Informe o cliente."));
        {
            frmFicha f;
            f.Load();
            abrir(f, 1, [&] {
                f.qzmemHistorico->setText(QStringLiteral("Venda balcão"));
                parcela(f, QStringLiteral("10/07/2025"), QStringLiteral("300,00"));
                f.qzcmdSalvarFecharConfirmar->setValue(true);
                salvar(f, "card-validation.png");
            });
        }
    }
};

QTEST_MAIN(tst_card)
#include "tst_card.moc"
