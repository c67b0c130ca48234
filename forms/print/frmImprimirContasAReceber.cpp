#include "forms/print/frmImprimirContasAReceber.h"

#include "component/modPrincipal.h"
#include "forms/MsgBox.h"
#include "qz/Look.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
using quva::rt::Variant;
namespace rt = quva::rt;

namespace {

constexpr OleColor kCinzaEscuro = 0x494949; // RGB 73, 73, 73

void informar(const QString& texto) {
    MsgBox(texto, vbOKOnly + vbInformation, gstrNomeDaAplicacao);
}

template <class T> T* opcao(T* c, const QString& texto, Twips top, Twips width) {
    c->Move(360, top, width, 270);
    c->setFont(QStringLiteral("Arial"), 11.25, true);
    c->setForeColor(kCinzaEscuro);
    c->setBackColor(vbWhite);
    c->setCaption(texto);
    return c;
}

QZCommandButton* botao(QZCommandButton* b, const QString& texto, Twips left, Twips top, Twips width) {
    b->Move(left, top, width, 450);
    b->setFont(QStringLiteral("Arial"), 11.25, true);
    b->setCaption(texto);
    return b;
}

} // namespace

frmImprimirContasAReceber::frmImprimirContasAReceber()
    : FormularioDoComponente(QStringLiteral("frmImprimirContasAReceber")) {}

frmImprimirContasAReceber& frmImprimirContasAReceber::Instancia() {
    return DefaultInstance<frmImprimirContasAReceber>::get();
}

// Controls in tab order; the footnote sits left of the buttons.
void frmImprimirContasAReceber::CreateControls() {
    setBorderStyle(3);
    setCaption(QStringLiteral("Imprimir contas a receber"));
    setBackColor(vbWhite);
    Move(0, 0, 7560, 4695 + 480 + toTwipsY(frameTopPixels()));

    qzTheme = add<QZTheme>(QStringLiteral("qzTheme"));
    qzTheme->Move(0, 0, 7560, 795);
    qzTheme->setTitulo(QStringLiteral("Imprimir contas a receber"));

    chkContasAReceberVencidas = opcao(add<CheckBox>(QStringLiteral("chkContasAReceberVencidas")),
                                      QStringLiteral("Contas a receber vencidas"), 915, 6765);
    chkContasAReceberAVencer = opcao(add<CheckBox>(QStringLiteral("chkContasAReceberAVencer")),
                                     QStringLiteral("Contas a receber a vencer"), 1312, 6765);
    chkContasAReceberBaixada = opcao(add<CheckBox>(QStringLiteral("chkContasAReceberBaixada")),
                                     QStringLiteral("Contas a receber baixada"), 1710, 3120);
    optTodasAsDatas = opcao(add<OptionButton>(QStringLiteral("optTodasAsDatas")),
                            QStringLiteral("Todas as datas"), 2250, 6765);
    optPeriodo =
        opcao(add<OptionButton>(QStringLiteral("optPeriodo")), QStringLiteral("Período:"), 2640, 6765);
    optTodasAsDatas->setValue(true);

    qzPeriodo = add<QZPeriod>(QStringLiteral("qzPeriodo"));
    qzPeriodo->Move(360, 2970, 6765, 405);
    qzPeriodo->setFont(QStringLiteral("Arial"), 11.25);
    qzPeriodo->setEnabled(false);

    qzcmdVisualizarImpressaoOuExportar =
        addArray<QZCommandButton>(QStringLiteral("qzcmdVisualizarImpressaoOuExportar"));
    botao(qzcmdVisualizarImpressaoOuExportar->add(0), QStringLiteral("Visualizar impressão"), 4680, 3705,
          2445)
        ->setStyle(qzHighlight);
    qzcmdCancelar = botao(add<QZCommandButton>(QStringLiteral("qzcmdCancelar")), QStringLiteral("Cancelar"),
                          2805, 3690, 1560);
    botao(qzcmdVisualizarImpressaoOuExportar->add(1), QStringLiteral("Exportar para Excel"), 4680, 4245,
          2445);

    lblObservacaoDeCamposObrigatorios = add<Label>(QStringLiteral("lblObservacaoDeCamposObrigatorios"));
    lblObservacaoDeCamposObrigatorios->Move(360, 3795, 1875, 225);
    lblObservacaoDeCamposObrigatorios->setBackStyle(0);
    lblObservacaoDeCamposObrigatorios->setFont(QStringLiteral("Arial"), 9);
    lblObservacaoDeCamposObrigatorios->setForeColor(look::kMuted);
    lblObservacaoDeCamposObrigatorios->setCaption(QStringLiteral("* Campos obrigatórios"));

    chkContasAReceberVencidas->onClick = [this] { chkContasAReceberVencidas_Click(); };
    chkContasAReceberAVencer->onClick = [this] { chkContasAReceberAVencer_Click(); };
    chkContasAReceberBaixada->onClick = [this] { chkContasAReceberBaixada_Click(); };
    optTodasAsDatas->onClick = [this] { optTodasAsDatas_Click(); };
    optPeriodo->onClick = [this] { optPeriodo_Click(); };
    qzcmdCancelar->onClick = [this] { qzcmdCancelar_Click(); };
    qzcmdVisualizarImpressaoOuExportar->onClick = [this](std::int16_t Index) {
        qzcmdVisualizarImpressaoOuExportar_Click(Index);
    };
    CancelarComEscOuFechar([this] { qzcmdCancelar_Click(); });
}

std::int16_t frmImprimirContasAReceber::MontarExibirFormulario(Variant lvarCodigoOuNomeParaFiltro) {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("MontarExibirFormulario"));
    ponto.executar([&] {
        EntradaModal entrada{1, 3, 4,
                             [&] {
                                 ponto(2);
                                 mvarCodigoOuNomeParaFiltro = lvarCodigoOuNomeParaFiltro;
                             },
                             false};
        ExibirModalSobreOMenu(ponto, entrada);
        // An output that failed leaves the dialog loaded but hidden; the
        // next opening starts from the design state.
        if (isLoaded() && !Visible()) Unload();
    });
    return 0;
}

void frmImprimirContasAReceber::chkContasAReceberVencidas_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("chkContasAReceberVencidas_Click"));
    ponto.executar([&] {
        ponto(1);
        if (chkContasAReceberVencidas->Value() == vbChecked) chkContasAReceberBaixada->setValue(vbUnchecked);
    });
}

void frmImprimirContasAReceber::chkContasAReceberAVencer_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("chkContasAReceberAVencer_Click"));
    ponto.executar([&] {
        ponto(1);
        if (chkContasAReceberAVencer->Value() == vbChecked) chkContasAReceberBaixada->setValue(vbUnchecked);
    });
}

void frmImprimirContasAReceber::chkContasAReceberBaixada_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("chkContasAReceberBaixada_Click"));
    ponto.executar([&] {
        ponto(1);
        if (chkContasAReceberBaixada->Value() == vbChecked) {
            chkContasAReceberVencidas->setValue(vbUnchecked);
            chkContasAReceberAVencer->setValue(vbUnchecked);
        }
    });
}

void frmImprimirContasAReceber::optTodasAsDatas_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("optTodasAsDatas_Click"));
    ponto.executar([&] {
        ponto(1);
        qzPeriodo->setEnabled(false);
    });
}

void frmImprimirContasAReceber::optPeriodo_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("optPeriodo_Click"));
    ponto.executar([&] {
        ponto(1);
        qzPeriodo->setEnabled(true);
        qzPeriodo->SetFocus();
    });
}

void frmImprimirContasAReceber::qzcmdCancelar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdCancelar_Click"));
    ponto.executar([&] {
        ponto(1);
        Unload();
    });
}

void frmImprimirContasAReceber::qzcmdVisualizarImpressaoOuExportar_Click(std::int16_t Index) {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdVisualizarImpressaoOuExportar_Click"));
    ponto.executar([&] {
        const QString verbo = Index == 0 ? QStringLiteral("imprimir") : QStringLiteral("exportar");
        bool lbooExportar = Index == 1;
        auto marcada = [](const CheckBox* c) { return c->Value() == vbChecked; };
        auto recusar = [](const QString& texto, Control* foco) {
            informar(texto);
            foco->SetFocus();
        };

        ponto(1);
        if (!marcada(chkContasAReceberVencidas) && !marcada(chkContasAReceberAVencer) &&
            !marcada(chkContasAReceberBaixada)) {
            recusar(QStringLiteral("Selecione o tipo de conta a receber: Vencidas, a vencer ou baixadas."),
                    chkContasAReceberVencidas);
            return;
        }

        ponto(2);
        if (optPeriodo->Value()) {
            ponto(3);
            if (marcada(chkContasAReceberVencidas) && !marcada(chkContasAReceberAVencer)) {
                ponto(4);
                if (rt::CDate(Variant(qzPeriodo->DataFinal())) >= rt::Today()) {
                    recusar(
                        QStringLiteral("Para ") + verbo +
                            QStringLiteral(
                                " contas vencidas, a data final não pode ser maior ou igual a data atual"),
                        qzPeriodo);
                    return;
                }
            }
            ponto(5);
            if (marcada(chkContasAReceberAVencer) && !marcada(chkContasAReceberVencidas) &&
                rt::CDate(Variant(qzPeriodo->DataInicial())) < rt::Today()) {
                recusar(QStringLiteral("Para ") + verbo +
                            QStringLiteral(
                                " contas a vencer, a data inicial não pode ser menor que a data atual"),
                        qzPeriodo);
                return;
            }
            ponto(6);
            if (marcada(chkContasAReceberVencidas) && marcada(chkContasAReceberAVencer)) {
                recusar(QStringLiteral("Para ") + verbo +
                            QStringLiteral(
                                " contas a receber vencidas e a vencer, selecione a opção 'Todas as datas'."),
                        qzPeriodo);
                return;
            }
        }

        ponto(7);
        if (marcada(chkContasAReceberVencidas) || marcada(chkContasAReceberAVencer)) {
            ponto(8);
            const std::int16_t lintTipoDeConta = !marcada(chkContasAReceberAVencer)    ? 1
                                                 : !marcada(chkContasAReceberVencidas) ? 2
                                                                                       : 3;
            ponto(9);
            ImprimirContasAReceber(lintTipoDeConta, optTodasAsDatas->Value(), mvarCodigoOuNomeParaFiltro,
                                   qzPeriodo->DataInicial(), qzPeriodo->DataFinal(), lbooExportar);
        } else {
            ponto(11);
            ImprimirContasAReceberBaixadas(optTodasAsDatas->Value(), mvarCodigoOuNomeParaFiltro,
                                           qzPeriodo->DataInicial(), qzPeriodo->DataFinal(), lbooExportar);
        }
    });
}

// The report and spreadsheet outputs come with their layouts; until then
// nothing is put out and the dialog stays as it is.
std::int16_t frmImprimirContasAReceber::ImprimirContasAReceber(std::int16_t lintTipoDeConta,
                                                               bool lbooTodasAsDatas,
                                                               Variant lvarCodigoOuNomeParaFiltro,
                                                               QString lstrDataInicial, QString lstrDataFinal,
                                                               bool& lbooExportar) {
    (void)lintTipoDeConta, (void)lbooTodasAsDatas, (void)lvarCodigoOuNomeParaFiltro, (void)lstrDataInicial,
        (void)lstrDataFinal, (void)lbooExportar;
    return 0;
}

std::int16_t frmImprimirContasAReceber::ImprimirContasAReceberBaixadas(bool lbooTodasAsDatas,
                                                                       Variant lvarCodigoOuNomeParaFiltro,
                                                                       QString lstrDataInicial,
                                                                       QString lstrDataFinal,
                                                                       bool& lbooExportar) {
    (void)lbooTodasAsDatas, (void)lvarCodigoOuNomeParaFiltro, (void)lstrDataInicial, (void)lstrDataFinal,
        (void)lbooExportar;
    return 0;
}

} // namespace creceber
