// The settlement view filled from a settled row of a real list: opened by
// the list's two commands, read-only, closed by its button, Esc or the
// window's close button, with the menu window darkened meanwhile.

#include "support/Modal.h"
#include "support/Tela.h"

#include "forms/MsgBox.h"
#include "forms/settlement/frmBaixar.h"

#include <QTest>

using namespace quva;
using namespace creceber;

namespace {

std::shared_ptr<frmLista> listaComUmaLinha(const QString& inclusao, const QString& alteracao,
                                           const QString& numero = "15") {
    return teste::listaComUmaLinha(QStringLiteral("|%1|42|Padaria Sol|José da Silva Pães ME|Primeira%2Segunda|"
                                                  "V-88|01/03/2020|1.500,00|300,00|20|2|4|0|10/04/2020|300,00|"
                                                  "10,00|5,50|12/04/2020|295,50|Baixado|%3|ana|%4|rui")
                                       .arg(numero, rt::Chr(160), inclusao, alteracao));
}

} // namespace

class tst_settlement : public QObject {
    Q_OBJECT

    teste::Tela tela;

private slots:
    void initTestCase() { tela.iniciarCaso(DOUBLES_LIB, CRECEBER_LIB); }
    void cleanupTestCase() { tela.encerrarCaso(); }
    void init() { tela.iniciar(); }
    void cleanup() { tela.encerrar(); }

    // clang-format off
    void visao_data() {
        QTest::addColumn<QString>("abertura"); // the list's command, or the code the view is opened with
        QTest::addColumn<QString>("inclusao");
        QTest::addColumn<QString>("alteracao");
        QTest::addColumn<QString>("tema"); // the title and the record's two lines
        QTest::addColumn<QString>("baixa"); // discount, interest, date and value of the settlement
        QTest::addColumn<QString>("fechamento");
        QTest::addColumn<bool>("fecha");
        const QString incluida = QStringLiteral("Visualizar baixa|Código 15 | Incluído em 02/03/2020|");
        const QString baixa = QStringLiteral("10,00|5,50|12/04/2020|295,50");
        QTest::newRow("Baixar, nunca alterada") << "Baixar" << "02/03/2020 09:05:00" << "" << incluida << baixa << "botão" << true;
        QTest::newRow("Alterar, alteração em branco") << "Alterar" << "02/03/2020 09:05:00" << "   " << incluida << baixa << "Esc" << true;
        QTest::newRow("alterada") << "Baixar" << "02/03/2020 09:05:00" << "05/12/2026 08:01:02"
                                  << incluida + "Alterado em 05/12/2026" << baixa << "janela" << true;
        QTest::newRow("células que não são datas") << "Alterar" << "ontem" << "?"
            << "Visualizar baixa|Código 15 | Incluído em ontem|Alterado em ?" << baixa << "janela" << true;
        // Code 1 leaves the settlement and the title bar as designed; only
        // codes 1 and 2 close on the button.
        QTest::newRow("código 1") << "1" << "02/03/2020" << "" << "Recebimento de conta||" << "0,00|0,00|__/__/____|0,00"
                                  << "botão" << true;
        QTest::newRow("código 3") << "3" << "02/03/2020" << "" << "Recebimento de conta||" << baixa << "botão" << false;
    }
    // clang-format on
    // Opened by the list's two commands or with another code: every value
    // of the row, nothing editable, the close button in the save button's
    // place, closed three ways.
    void visao() {
        QFETCH(QString, abertura);
        QFETCH(QString, inclusao);
        QFETCH(QString, alteracao);
        QFETCH(QString, tema);
        QFETCH(QString, baixa);
        QFETCH(QString, fechamento);
        QFETCH(bool, fecha);
        const auto lista = listaComUmaLinha(inclusao, alteracao);
        QString valores, cabecalho, botao;
        QStringList editaveis;
        bool fechou = false;
        teste::quando([] { return teste::visivel<frmBaixar>() != nullptr; },
                      [&] {
                          frmBaixar& v = *teste::visivel<frmBaixar>();
                          for (forms::Control* c : v.Controls()) {
                              if (CamposDaConta::EhCampoDeEntrada(c) && c->Enabled()) editaveis << c->Name();
                              if (auto* f = dynamic_cast<qz::QZFind*>(c); f && f->ShowClearButton())
                                  editaveis << "limpar";
                          }
                          valores =
                              QStringList{v.qzfCodigoDoCliente->Text(), v.qzfApelidoOuNomeFantasiaDoCliente->Text(),
                                          v.qzfNomeOuRazaoSocialDoCliente->Text(), v.qzmemHistorico->Text(),
                                          v.qztxtNumeroDaVenda->Text(), v.qztxtDataDaVenda->Text(),
                                          v.qztxtValorDaVenda->Text(), v.qztxtValorRecebidoAVista->Text(),
                                          v.qztxtNumeroDaParcela->Text(), v.qztxtNumeroDeParcelas->Text(),
                                          v.qzdtpDataDeVencimento->Text(), v.qznumValorDoDocumento->Text(),
                                          v.qznumDescontoAbatimento->Text(), v.qznumJurosMoraMulta->Text(),
                                          v.qzdtpDataDaBaixa->Text(), v.qznumValorDaBaixa->Text(),
                                          v.qznumValorResidual->Text(),
                                          v.qzdtpDataDeVencimentoDoValorResidual->Text()}
                                  .join(u'|');
                          cabecalho = v.QZTheme->Titulo() + u'|' + v.QZTheme->LinhaDeInclusao() + u'|' +
                                 v.QZTheme->LinhaDeAlteracao();
                          auto* fechar = v.qzcmdCancelarAlterar;
                          botao = QStringLiteral("%1|%2|%3|%4|%5|%6")
                                      .arg(fechar->Caption(), fechar->ToolTipText())
                                      .arg(fechar->Left() == v.qzcmdSalvarFecharConfirmar->Left() &&
                                           fechar->Width() == v.qzcmdSalvarFecharConfirmar->Width())
                                      .arg(fechar->Style())
                                      .arg(fechar->BackColor() == v.qzcmdSalvarFecharConfirmar->BackColor())
                                      .arg(v.qzcmdSalvarFecharConfirmar->Visible());
                          if (fechamento == "botão") {
                              fechar->setValue(true);
                          } else if (fechamento == "Esc") {
                              QTest::keyClick(v.window(), Qt::Key_Escape);
                          } else {
                              v.window()->close();
                          }
                          fechou = !v.Visible();
                          if (!fechou) v.Hide();
                      });
        if (abertura == u"Baixar") {
            lista->qzcmdBaixar_Click();
        } else if (abertura == u"Alterar") {
            lista->qzcmdAlterar_Click();
        } else {
            frmBaixar v;
            v.Load();
            v.MontarExibirFormulario(std::int16_t(abertura.toInt()));
        }
        QCOMPARE(fechou, fecha);
        QCOMPARE(valores, "42|Padaria Sol|José da Silva Pães ME|Primeira\r\nSegunda|V-88|01/03/2020|1.500,00|"
                          "300,00|2|4|10/04/2020|300,00|" +
                              baixa + "|0,00|__/__/____");
        QCOMPARE(cabecalho, tema);
        QCOMPARE(editaveis, QStringList());
        QCOMPARE(botao, QStringLiteral("Fechar |Fechar visualizar|1|%1|1|0").arg(qz::qzHighlight));
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));
        QVERIFY(teste::locaisExibidos().isEmpty());
        QVERIFY(lista->msfgGrade->Enabled());
    }

    // A row that cannot be read is reported at its step; the menu window is
    // never darkened and the view never shown.
    void linhaIlegivel_data() {
        QTest::addColumn<bool>("comLista");
        QTest::newRow("sem lista") << false;
        QTest::newRow("número que não é número") << true;
    }
    void linhaIlegivel() {
        QFETCH(bool, comLista);
        if (comLista) listaComUmaLinha("02/03/2020", "", "quinze");
        frmBaixar v;
        v.Load();
        QVERIFY(!teste::mostradoDurante(v, [&] { QCOMPARE(v.MontarExibirFormulario(2), std::int16_t(0)); }));
        QCOMPARE(teste::locaisExibidos(),
                 QStringList{"QUVA_A_CReceber, frmBaixar, MontarExibirFormulario, Ponto: 2"});
        QVERIFY(teste::fundoEscuro().isEmpty());
    }
};

QTEST_MAIN(tst_settlement)
#include "tst_settlement.moc"
