// The print and export dialog: its rules and messages with both buttons,
// the arguments handed to the two outputs, how it opens and closes, and the
// list's print command that opens it. Today is 15/06/2025.

#include "Ambiente.h"
#include "support/Modal.h"

#include "component/modPrincipal.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/list/frmLista.h"
#include "forms/print/frmImprimirContasAReceber.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QTest>

using namespace quva;
using namespace creceber;
using teste::quando;
using teste::temFoco;

namespace {

const QString kTitulo = QStringLiteral("QUVA - Contas a Receber");

// The outputs as they were called: "abertas 1|0|s:Silva|01/06/2025|14/06/2025|0".
class Dialogo : public frmImprimirContasAReceber {
public:
    QStringList saidas;
    std::int16_t ImprimirContasAReceber(std::int16_t tipo, bool todas, rt::Variant filtro, QString inicio,
                                        QString fim, bool& exportar) override {
        saidas << QStringLiteral("abertas %1|").arg(tipo) + argumentos(todas, filtro, inicio, fim, exportar);
        return 0;
    }
    std::int16_t ImprimirContasAReceberBaixadas(bool todas, rt::Variant filtro, QString inicio, QString fim,
                                                bool& exportar) override {
        saidas << QStringLiteral("baixadas ") + argumentos(todas, filtro, inicio, fim, exportar);
        return 0;
    }

private:
    static QString argumentos(bool todas, const rt::Variant& filtro, const QString& inicio,
                              const QString& fim, bool exportar) {
        return QStringLiteral("%1|%2:%3|%4|%5|%6")
            .arg(int(todas))
            .arg(filtro.type() == rt::VarType::String ? "s" : "?", rt::CStr(filtro), inicio, fim)
            .arg(int(exportar));
    }
};

// The boxes and the date choice: "100|1|0" is overdue checked, all dates,
// period disabled.
QString estado(frmImprimirContasAReceber& d) {
    return QStringLiteral("%1%2%3|%4|%5")
        .arg(d.chkContasAReceberVencidas->Value())
        .arg(d.chkContasAReceberAVencer->Value())
        .arg(d.chkContasAReceberBaixada->Value())
        .arg(int(d.optTodasAsDatas->Value()))
        .arg(int(d.qzPeriodo->Enabled()));
}

// A clerk's click on a check box toggles it.
void clicar(forms::CheckBox* c) {
    c->setValue(c->Value() == forms::vbChecked ? forms::vbUnchecked : forms::vbChecked);
}

void marcar(frmImprimirContasAReceber& d, const QString& caixas) {
    for (QChar c : caixas)
        clicar(c == u'V'   ? d.chkContasAReceberVencidas
               : c == u'A' ? d.chkContasAReceberAVencer
                           : d.chkContasAReceberBaixada);
}

// Opens the dialog and runs acao inside its modal show; returns whether it
// was still open afterwards (it is then closed).
bool abrir(frmImprimirContasAReceber& d, const rt::Variant& filtro, std::function<void()> acao) {
    bool aberto = false;
    quando([&] { return d.Visible(); },
           [&] {
               acao();
               aberto = d.Visible();
               if (aberto) d.qzcmdCancelar->setValue(true);
           });
    d.MontarExibirFormulario(filtro);
    return aberto;
}

} // namespace

class tst_print : public QObject {
    Q_OBJECT

    std::unique_ptr<rt::ManualClock> relogio;
    std::unique_ptr<forms::ScriptedMessageBoxes> mensagens;

private slots:
    void initTestCase() {
        teste::registroNovo();
        teste::registrar(DOUBLES_LIB);
        teste::registrar(CRECEBER_LIB);
        forms::setLogicalDpiOverride(96);
        relogio = std::make_unique<rt::ManualClock>(rt::Date{rt::makeDate(2025, 6, 15).serial + 0.75});
        rt::setClock(relogio.get());
    }
    void cleanupTestCase() { rt::setClock(nullptr); }
    void init() {
        doubles::reset();
        gstrNomeDaAplicacao = kTitulo;
        glngFormularioDoMenu_hWnd = 777;
        mensagens = std::make_unique<forms::ScriptedMessageBoxes>();
    }
    void cleanup() { mensagens.reset(); }

    // clang-format off
    void regras_data() {
        QTest::addColumn<QString>("caixas");
        QTest::addColumn<bool>("periodo");
        QTest::addColumn<QString>("inicio");
        QTest::addColumn<QString>("fim");
        QTest::addColumn<std::int16_t>("botao");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("saida");
        QTest::addColumn<QString>("falha");
        const QString vencidas = "Para %1 contas vencidas, a data final não pode ser maior ou igual a data atual";
        const QString aVencer = "Para %1 contas a vencer, a data inicial não pode ser menor que a data atual";
        const QString ambas = "Para %1 contas a receber vencidas e a vencer, selecione a opção 'Todas as datas'.";
        QTest::newRow("nada marcado") << "" << false << "01/06/2025" << "14/06/2025" << std::int16_t(1)
            << "Selecione o tipo de conta a receber: Vencidas, a vencer ou baixadas." << "" << "";
        QTest::newRow("vencidas até hoje") << "V" << true << "01/06/2025" << "15/06/2025" << std::int16_t(0)
            << vencidas.arg("imprimir") << "" << "";
        QTest::newRow("vencidas até amanhã, exportar") << "V" << true << "01/06/2025" << "16/06/2025" << std::int16_t(1)
            << vencidas.arg("exportar") << "" << "";
        QTest::newRow("vencidas até ontem") << "V" << true << "01/06/2025" << "14/06/2025" << std::int16_t(0)
            << "" << "abertas 1|0|s:Silva|01/06/2025|14/06/2025|0" << "";
        QTest::newRow("a vencer desde hoje, exportar") << "A" << true << "15/06/2025" << "30/06/2025" << std::int16_t(1)
            << "" << "abertas 2|0|s:Silva|15/06/2025|30/06/2025|1" << "";
        QTest::newRow("a vencer desde ontem") << "A" << true << "14/06/2025" << "30/06/2025" << std::int16_t(0)
            << aVencer.arg("imprimir") << "" << "";
        QTest::newRow("a vencer desde ontem, exportar") << "A" << true << "14/06/2025" << "30/06/2025" << std::int16_t(1)
            << aVencer.arg("exportar") << "" << "";
        QTest::newRow("ambas num período futuro") << "VA" << true << "16/06/2025" << "20/06/2025" << std::int16_t(0)
            << ambas.arg("imprimir") << "" << "";
        QTest::newRow("ambas num período, exportar") << "VA" << true << "01/01/2020" << "02/01/2020" << std::int16_t(1)
            << ambas.arg("exportar") << "" << "";
        QTest::newRow("ambas em todas as datas") << "VA" << false << "01/06/2025" << "14/06/2025" << std::int16_t(1)
            << "" << "abertas 3|1|s:Silva|01/06/2025|14/06/2025|1" << "";
        QTest::newRow("baixadas, início depois do fim") << "B" << true << "20/06/2025" << "10/06/2025" << std::int16_t(0)
            << "" << "baixadas 0|s:Silva|20/06/2025|10/06/2025|0" << "";
        QTest::newRow("baixadas com data impossível") << "B" << true << "31/02/2027" << "10/06/2025" << std::int16_t(1)
            << "" << "baixadas 0|s:Silva|31/02/2027|10/06/2025|1" << "";
        QTest::newRow("vencidas até data impossível") << "V" << true << "01/06/2025" << "31/02/2027" << std::int16_t(0)
            << "" << "" << "4";
        QTest::newRow("a vencer desde data impossível") << "A" << true << "31/02/2027" << "30/06/2027" << std::int16_t(1)
            << "" << "" << "5";
    }
    // clang-format on
    // Each rule with both buttons: the message and its focus, or the output
    // called with exactly the dialog's choices; an impossible date in a
    // checked rule is reported and the dialog stays open.
    void regras() {
        QFETCH(QString, caixas);
        QFETCH(bool, periodo);
        QFETCH(QString, inicio);
        QFETCH(QString, fim);
        QFETCH(std::int16_t, botao);
        QFETCH(QString, mensagem);
        QFETCH(QString, saida);
        QFETCH(QString, falha);
        Dialogo d;
        bool aberto = false, focoCerto = true;
        const bool fechou = !abrir(d, QStringLiteral("Silva"), [&] {
            marcar(d, caixas);
            if (periodo) d.optPeriodo->setValue(true);
            d.qzPeriodo->setDataInicial(inicio);
            d.qzPeriodo->setDataFinal(fim);
            d.qzcmdVisualizarImpressaoOuExportar->element(botao)->widget()->setFocus();
            (*d.qzcmdVisualizarImpressaoOuExportar)(botao).setValue(true);
            aberto = d.Visible();
            if (!mensagem.isEmpty())
                focoCerto =
                    temFoco(caixas.isEmpty() ? static_cast<forms::Control*>(d.chkContasAReceberVencidas)
                                             : d.qzPeriodo);
        });
        QVERIFY(!fechou);
        QVERIFY(aberto);
        QVERIFY(focoCerto);
        QStringList textos;
        for (const auto& m : mensagens->shown()) {
            QCOMPARE(m.buttons, forms::vbOKOnly + forms::vbInformation);
            QCOMPARE(m.title, kTitulo);
            textos << m.prompt;
        }
        QCOMPARE(textos, mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
        QCOMPARE(d.saidas, saida.isEmpty() ? QStringList() : QStringList{saida});
        QCOMPARE(teste::locaisExibidos(),
                 falha.isEmpty() ? QStringList()
                                 : QStringList{"QUVA_A_CReceber, frmImprimirContasAReceber, "
                                               "qzcmdVisualizarImpressaoOuExportar_Click, Ponto: " +
                                               falha});
    }

    void caixas_data() {
        QTest::addColumn<QString>("cliques");
        QTest::addColumn<QString>("marcadas");
        QTest::newRow("baixada depois de vencidas") << "VB"
                                                    << "001";
        QTest::newRow("vencidas depois de baixada") << "BV"
                                                    << "100";
        QTest::newRow("a vencer depois de baixada") << "BA"
                                                    << "010";
        QTest::newRow("vencidas e a vencer juntas") << "VA"
                                                    << "110";
        QTest::newRow("baixada depois das duas") << "VAB"
                                                 << "001";
        QTest::newRow("desmarcar baixada não mexe nas outras") << "BBV"
                                                               << "100";
    }
    void caixas() {
        QFETCH(QString, cliques);
        QFETCH(QString, marcadas);
        Dialogo d;
        QString resultado;
        abrir(d, QString(), [&] {
            marcar(d, cliques);
            resultado = estado(d).left(3);
        });
        QCOMPARE(resultado, marcadas);
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    void abertura_data() {
        QTest::addColumn<QString>("fechamento");
        QTest::newRow("Cancelar") << "Cancelar";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("botão de fechar da janela") << "janela";
        QTest::newRow("saída que deixou o diálogo oculto") << "oculto";
    }
    // The period follows the options; however the dialog was left, the menu
    // window is restored and the next opening starts from the design state.
    void abertura() {
        QFETCH(QString, fechamento);
        Dialogo d;
        QString inicial, comPeriodo, semPeriodo;
        bool focoNoPeriodo = false, fechou = false;
        quando([&] { return d.Visible(); },
               [&] {
                   inicial = estado(d);
                   clicar(d.chkContasAReceberBaixada);
                   d.optPeriodo->setValue(true);
                   comPeriodo = estado(d);
                   focoNoPeriodo = temFoco(d.qzPeriodo);
                   d.optTodasAsDatas->setValue(true);
                   semPeriodo = estado(d);
                   d.optPeriodo->setValue(true);
                   if (fechamento == "Cancelar")
                       d.qzcmdCancelar->setValue(true);
                   else if (fechamento == "Esc")
                       QTest::keyClick(d.window(), Qt::Key_Escape);
                   else if (fechamento == "janela")
                       d.window()->close();
                   else
                       d.Hide();
                   fechou = !d.Visible();
                   if (!fechou) d.Hide();
               });
        d.MontarExibirFormulario(QStringLiteral("Silva"));
        QVERIFY(fechou);
        QCOMPARE(inicial, QStringLiteral("000|1|0"));
        QCOMPARE(comPeriodo, QStringLiteral("001|0|1"));
        QVERIFY(focoNoPeriodo);
        QCOMPARE(semPeriodo, QStringLiteral("001|1|0"));
        QVERIFY(!d.isLoaded());
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));

        QString reaberto;
        abrir(d, QString(), [&] { reaberto = estado(d); });
        QCOMPARE(reaberto, QStringLiteral("000|1|0"));
        QVERIFY(teste::locaisExibidos().isEmpty());
    }

    // The print button opens the one dialog with the search text as text;
    // the list asks nothing of its business component afterwards.
    void pelaLista_data() {
        QTest::addColumn<QString>("pesquisa");
        QTest::newRow("com pesquisa") << "Padaria Sol";
        QTest::newRow("sem pesquisa") << "";
    }
    void pelaLista() {
        QFETCH(QString, pesquisa);
        auto lista = std::make_shared<frmLista>();
        lista->Load();
        lista->qzfndPesquisar->setText(pesquisa);
        doubles::reset();
        rt::Variant filtro;
        quando([] { return frmImprimirContasAReceber::Instancia().Visible(); },
               [&] {
                   auto& d = frmImprimirContasAReceber::Instancia();
                   filtro = d.CodigoOuNomeParaFiltro();
                   d.qzcmdCancelar->setValue(true);
               });
        lista->qzcmdImprimirLista_Click();
        QCOMPARE(filtro.type(), rt::VarType::String);
        QCOMPARE(filtro.toString(), pesquisa);
        QVERIFY(doubles::calls(teste::kNegocio).empty());
        QCOMPARE(teste::fundoEscuro(), (QStringList{"Aplicar 777", "Remover 777"}));
        QVERIFY(teste::locaisExibidos().isEmpty());
    }
};

QTEST_MAIN(tst_print)
#include "tst_print.moc"
