#include "forms/print/frmImprimirContasAReceber.h"

#include "automation/LateBound.h"
#include "automation/Server.h"
#include "component/Procedimento.h"
#include "component/modPrincipal.h"
#include "contracts/QUVA_N_CReceber.h"
#include "contracts/QUVA_N_Empresa.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/shell/Registros.h"
#include "forms/shell/frmMensagem.h"
#include "qz/Look.h"
#include "reports/Relatorios.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <array>
#include <memory>
#include <span>

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
using quva::rt::Object;
using quva::rt::Variant;
namespace rt = quva::rt;
namespace automation = quva::automation;
using contratos::QUVA_N_CReceber::clsCReceber;

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

// The two outputs: the printed lists of open and settled receivables, and
// their spreadsheet exports.

namespace {

const QString kNenhumaConta = QStringLiteral("Nenhuma conta a receber encontrada.");
const QString kFormatoDeMoeda = QStringLiteral("#,##0.00");
constexpr std::int16_t kListaComFaixas = 11; // the spreadsheet's second list auto-format
constexpr std::int32_t kADireita = -4152;

// The list part tells a clerk whether what was searched narrowed the list.
QString Subtitulo(const QString& prefixo, bool lbooTodasAsDatas, const Variant& filtro,
                  const QString& lstrDataInicial, const QString& lstrDataFinal) {
    QString s;
    if (!lbooTodasAsDatas)
        s = QStringLiteral(" - Período: ") + lstrDataInicial + QStringLiteral(" à ") + lstrDataFinal;
    const bool vazio = rt::IsNull(filtro) || rt::IsEmpty(filtro) || rt::Len(rt::CStr(filtro)) == 0;
    s += vazio ? QStringLiteral(" - Lista completa") : QStringLiteral(" - Lista filtrada");
    return prefixo + s;
}

// A column of the exported sheet: its header, the field it shows, and how.
struct ColunaDaPlanilha {
    enum Tipo { Valor, Aparado, Data, Moeda };
    const char16_t* cabecalho;
    const char16_t* campo;
    Tipo tipo;
};

// clang-format off
constexpr ColunaDaPlanilha kColunasAbertas[] = {
    {u"Numero do lançamento", u"NumeroDoLancamento", ColunaDaPlanilha::Valor},
    {u"Cliente", u"ApelidoOuNomeFantasiaDoCliente", ColunaDaPlanilha::Aparado},
    {u"Histórico", u"Historico", ColunaDaPlanilha::Valor},
    {u"Data de vencimento", u"DataDeVencimento", ColunaDaPlanilha::Data},
    {u"Valor do documento", u"ValorDoDocumento", ColunaDaPlanilha::Moeda},
};
constexpr ColunaDaPlanilha kColunasBaixadas[] = {
    {u"Numero do lançamento", u"NumeroDoLancamento", ColunaDaPlanilha::Valor},
    {u"Cliente", u"ApelidoOuNomeFantasiaDoCliente", ColunaDaPlanilha::Aparado},
    {u"Histórico", u"Historico", ColunaDaPlanilha::Valor},
    {u"Data de vencimento", u"DataDeVencimento", ColunaDaPlanilha::Data},
    {u"Valor do documento", u"ValorDoDocumento", ColunaDaPlanilha::Moeda},
    {u"Desconto/Abatimento", u"DescontoAbatimento", ColunaDaPlanilha::Moeda},
    {u"Juros/Mora/Multa", u"JurosMoraMulta", ColunaDaPlanilha::Moeda},
    {u"Data da baixa", u"DataDaBaixa", ColunaDaPlanilha::Data},
    {u"Valor da baixa", u"ValorDaBaixa", ColunaDaPlanilha::Moeda},
};
// clang-format on

// A report control and the field or total it shows.
struct Vinculo {
    const char16_t* controle;
    const char16_t* campo;
};

Object Celula(const Object& lobjExcel, std::int32_t linha, std::int32_t coluna) {
    return automation::obj(
        automation::get(automation::obj(automation::get(lobjExcel, QStringLiteral("ActiveSheet"))),
                        QStringLiteral("Cells"), linha, coluna));
}

Object FonteDe(const Object& celula) {
    return automation::obj(automation::get(celula, QStringLiteral("Font")));
}

// What an output holds that the clerk must not be left with, and the steps
// both outputs share. Every way out closes the wait form and gives the
// pointers back; the spreadsheet is let go last, so the workbook opens
// after whatever the clerk is told.
class Saida {
public:
    Saida(frmImprimirContasAReceber& dialogo, Procedimento& ponto, std::int16_t& resultado)
        : m_dialogo(dialogo), m_ponto(ponto), m_resultado(resultado) {
        m_ponto.aoFalhar([this] { Arrumar(); });
        m_ponto.escolherPorNumero([this](std::int32_t numero, const QString&) { return Escolher(numero); });
    }
    ~Saida() {
        try {
            Arrumar();
        } catch (...) { // a form gone with the application; nothing left to give back
        }
        lobjExcel.reset();
    }
    Saida(const Saida&) = delete;
    Saida& operator=(const Saida&) = delete;

    clsCReceber lobjCReceber;
    Object lrsSelecao;

    // Steps 1 to 7: false when the output ended for want of the company.
    bool Iniciar() {
        Esperar();
        return Empresa();
    }

    // Steps 8 and 9: the receivables component and its selection; false
    // when the selection failed (shown from step passoDaFalha).
    template <class Selecao> bool Selecionar(Selecao&& selecao, std::int16_t passoDaFalha) {
        m_ponto(8);
        lobjCReceber = clsCReceber::Criar();
        m_ponto(9);
        if (rt::CLng(selecao(lobjCReceber)) == 0) return true;
        FalhaNaSelecao(passoDaFalha);
        return false;
    }

    void FecharEspera() {
        if (auto espera = std::move(m_espera)) espera->Unload();
    }

    QString NomeFantasia() const {
        const Variant v = Registros(m_lrsEmpresa).valor(u"NomeFantasia");
        return rt::IsNull(v) ? QString() : rt::CStr(v);
    }

    // Creates the spreadsheet with its workbook and shows it.
    void CriarPlanilha() {
        m_criandoPlanilha = true;
        lobjExcel = automation::CreateObject(QStringLiteral("excel.application"));
        m_criandoPlanilha = false;
        automation::call(automation::obj(automation::get(lobjExcel, QStringLiteral("Workbooks"))),
                         QStringLiteral("Add"));
        automation::let(lobjExcel, QStringLiteral("Visible"), true);
        quva::forms::Screen.setMousePointer(quva::forms::vbHourglass);
        m_ampulheta = true;
    }

    // Steps 14 to 17: the sheet cell by cell from lrsSelecao, then its totals.
    void EscreverPlanilha(std::span<const ColunaDaPlanilha> colunas, const QString& subtitulo) {
        m_ponto(14);
        const Object titulo = Celula(lobjExcel, 1, 1);
        automation::let(titulo, QStringLiteral("Value"), NomeFantasia());
        automation::let(FonteDe(titulo), QStringLiteral("Name"), QStringLiteral("Verdana"));
        automation::let(FonteDe(titulo), QStringLiteral("Bold"), true);
        automation::let(Celula(lobjExcel, 2, 1), QStringLiteral("Value"), subtitulo);
        for (std::size_t c = 0; c < colunas.size(); ++c)
            automation::let(Celula(lobjExcel, 4, std::int32_t(c + 1)), QStringLiteral("Value"),
                            QString::fromUtf16(colunas[c].cabecalho));

        m_ponto(15);
        for (std::size_t c = 0; c < colunas.size(); ++c)
            automation::let(FonteDe(Celula(lobjExcel, 4, std::int32_t(c + 1))), QStringLiteral("Bold"), true);
        std::array<rt::Currency, 9> somas{};
        std::int32_t linha = 5;
        Registros registros(lrsSelecao);
        registros.MoveFirst();
        while (!registros.EOF_()) {
            for (std::size_t c = 0; c < colunas.size(); ++c) {
                const std::int32_t coluna = std::int32_t(c + 1);
                Variant valor = registros.valor(colunas[c].campo);
                switch (colunas[c].tipo) {
                case ColunaDaPlanilha::Valor:
                    if (rt::IsNull(valor)) valor = Variant();
                    break;
                case ColunaDaPlanilha::Aparado:
                    valor = rt::IsNull(valor) ? QString() : rt::Trim(rt::CStr(valor));
                    break;
                case ColunaDaPlanilha::Data: valor = rt::CDate(valor); break;
                case ColunaDaPlanilha::Moeda:
                    valor = rt::CCur(valor);
                    somas[c] = somas[c] + valor.rawCurrency();
                    break;
                }
                const Object celula = Celula(lobjExcel, linha, coluna);
                automation::let(celula, QStringLiteral("Value"), valor);
                const Object ativa = automation::obj(automation::get(lobjExcel, QStringLiteral("ActiveCell")));
                const Object folha = automation::obj(automation::get(ativa, QStringLiteral("Worksheet")));
                automation::call(automation::obj(automation::get(folha, QStringLiteral("Cells"), linha, coluna)),
                                 QStringLiteral("AutoFormat"), kListaComFaixas, std::int16_t(0), Variant(),
                                 std::int16_t(3), std::int16_t(1), std::int16_t(1));
                if (colunas[c].tipo == ColunaDaPlanilha::Moeda)
                    automation::let(celula, QStringLiteral("NumberFormat"), kFormatoDeMoeda);
            }
            ++linha;
            registros.MoveNext();
        }

        m_ponto(16);
        if (linha > 5) {
            const Object total = Celula(lobjExcel, linha, 4);
            automation::let(total, QStringLiteral("Value"), QStringLiteral("Total:"));
            automation::let(FonteDe(total), QStringLiteral("Bold"), true);
            automation::let(total, QStringLiteral("HorizontalAlignment"), kADireita);
            for (std::size_t c = 0; c < colunas.size(); ++c) {
                if (colunas[c].tipo != ColunaDaPlanilha::Moeda) continue;
                const Object soma = Celula(lobjExcel, linha, std::int32_t(c + 1));
                automation::let(soma, QStringLiteral("Value"), somas[c]);
                automation::let(FonteDe(soma), QStringLiteral("Bold"), true);
                automation::let(soma, QStringLiteral("NumberFormat"), kFormatoDeMoeda);
            }
        }

        m_ponto(17);
        m_ampulheta = false;
        quva::forms::Screen.setMousePointer(quva::forms::vbDefault);
    }

    // The common end from step `passo`: release, the dialog's pointer, the
    // dialog again with the clerk's choices, result 0.
    void Terminar(std::int16_t passo) {
        FecharEspera();
        m_ponto(passo);
        lrsSelecao.reset();
        m_lrsEmpresa.reset();
        lobjCReceber.Liberar();
        lobjExcel.reset();
        m_ponto(passo + 1);
        m_dialogo.setMousePointer(quva::forms::vbDefault);
        m_ponto(passo + 2);
        m_dialogo.Show(quva::forms::vbModal);
        m_ponto(passo + 3);
        m_resultado = 0;
    }

private:
    // Step 1.
    void Esperar() {
        m_ponto(1);
        m_dialogo.setMousePointer(quva::forms::vbArrowHourglass);
        m_dialogo.Hide();
        m_espera = std::make_unique<frmMensagem>();
        m_espera->Load();
        m_espera->lblMensagem->setCaption(QStringLiteral("Aguarde, reorganizando dados."));
        m_espera->MontarExibirFormulario();
    }

    bool Empresa() {
        m_ponto(2);
        auto lobjEmpresa = contratos::QUVA_N_Empresa::clsEmpresa::Criar();
        if (rt::CLng(lobjEmpresa.SelecionarNova(2, 0, 1, QString())) != 0) {
            m_ponto(7);
            FecharEspera();
            RepassarFalhaDoComponente(lobjEmpresa);
            lobjEmpresa.Liberar();
            m_resultado = 1;
            return false;
        }
        m_ponto(3);
        m_lrsEmpresa = lobjEmpresa.ResultadoDaSelecaoEmRecordSet();
        const std::int32_t registros = Registros(m_lrsEmpresa).RecordCount();
        if (registros == 0) {
            m_ponto(4);
            FecharEspera();
            informar(QStringLiteral("Não foi possível imprimir o documento porque não há empresa cadastrada.") +
                     rt::vbCrLf +
                     QStringLiteral("Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. "
                                    "Efetue o cadastro e solicite a impressão novamente"));
            m_lrsEmpresa.reset();
            m_resultado = 1;
            return false;
        }
        m_ponto(registros == 1 ? 5 : 6);
        lobjEmpresa.Liberar();
        return true;
    }

    // The selection failed: its component's own error triple is shown.
    void FalhaNaSelecao(std::int16_t passo) {
        m_ponto(passo);
        FecharEspera();
        RepassarFalhaDoComponente(lobjCReceber);
        lrsSelecao.reset();
        m_lrsEmpresa.reset();
        lobjCReceber.Liberar();
        m_dialogo.setMousePointer(quva::forms::vbDefault);
    }

    void Arrumar() {
        if (m_ampulheta) {
            m_ampulheta = false;
            quva::forms::Screen.setMousePointer(quva::forms::vbDefault);
        }
        FecharEspera();
        lrsSelecao.reset();
        m_lrsEmpresa.reset();
        lobjCReceber.Liberar();
        m_dialogo.setMousePointer(quva::forms::vbDefault);
    }

    // Failures the export reports in its own words.
    bool Escolher(std::int32_t numero) {
        if (m_criandoPlanilha) {
            informar(QStringLiteral("É necessário ter o Excel instalado para efetuar a exportação"));
        } else if (lobjExcel && numero == rt::err::SpreadsheetBusy) {
            informar(QStringLiteral("Exportação interrompida pelo usuário."));
        } else {
            return false;
        }
        m_resultado = 1;
        return true;
    }

    frmImprimirContasAReceber& m_dialogo;
    Procedimento& m_ponto;
    std::int16_t& m_resultado;
    std::unique_ptr<frmMensagem> m_espera;
    Object m_lrsEmpresa;
    Object lobjExcel;
    bool m_criandoPlanilha = false;
    bool m_ampulheta = false;
};

// The report's common filling: heading, application name, size and window.
void PrepararRelatorio(quva::datareport::DataReport& relatorio, const QString& nomeFantasia,
                       const QString& subtitulo) {
    auto& cabecalho = relatorio.Sections(QStringLiteral("Cabecalho"));
    cabecalho.Controls(QStringLiteral("lblNomeFantasiaDaEmpresa")).setCaption(nomeFantasia);
    cabecalho.Controls(QStringLiteral("lblSubtitulo")).setCaption(subtitulo);
}

void Vincular(quva::datareport::DataReport& relatorio, std::span<const Vinculo> vinculos) {
    auto& dados = relatorio.Sections(QStringLiteral("Dados"));
    for (const Vinculo& v : vinculos)
        dados.Controls(QString::fromUtf16(v.controle)).setDataField(QString::fromUtf16(v.campo));
}

void ExibirRelatorio(quva::datareport::DataReport& relatorio) {
    relatorio.ReportWidth = 10145;
    relatorio.LeftMargin = relatorio.RightMargin = relatorio.TopMargin = relatorio.BottomMargin = 850;
    relatorio.Caption = QStringLiteral("Imprimir lista de contas a receber");
    relatorio.WindowState = 2;
    relatorio.Refresh();
    relatorio.Show(quva::forms::vbModal);
}

void Rodape(quva::datareport::DataReport& relatorio) {
    relatorio.Sections(QStringLiteral("Rodape"))
        .Controls(QStringLiteral("lblTituloDoAplicativo"))
        .setCaption(gstrNomeDaAplicacao);
}

} // namespace

std::int16_t frmImprimirContasAReceber::ImprimirContasAReceber(std::int16_t lintTipoDeConta,
                                                               bool lbooTodasAsDatas,
                                                               Variant lvarCodigoOuNomeParaFiltro,
                                                               QString lstrDataInicial, QString lstrDataFinal,
                                                               bool& lbooExportar) {
    std::int16_t resultado = 0;
    Procedimento ponto(u", frmImprimirContasAReceber, ImprimirContasAReceber, Ponto: ");
    Saida saida(*this, ponto, resultado);
    ponto.executar([&] {
        if (!saida.Iniciar()) return;
        rt::Boolean todas{std::int16_t(lbooTodasAsDatas ? -1 : 0)};
        if (!saida.Selecionar(
                [&](clsCReceber& c) {
                    return c.SelecionarContasAReceber(lintTipoDeConta, lvarCodigoOuNomeParaFiltro, todas,
                                                      lstrDataInicial, lstrDataFinal);
                },
                26))
            return;

        ponto(10);
        saida.FecharEspera();
        saida.lrsSelecao = saida.lobjCReceber.ResultadoDaSelecaoEmRecordSet();
        if (lbooExportar) saida.lobjCReceber.Liberar();

        ponto(11);
        if (Registros(saida.lrsSelecao).RecordCount() == 0) {
            informar(kNenhumaConta);
            saida.Terminar(27);
            return;
        }

        ponto(12);
        static const char16_t* const kPrefixos[] = {u"Contas vencidas", u"Contas a vencer",
                                                    u"Contas vencidas e a vencer"};
        if (lintTipoDeConta < 1 || lintTipoDeConta > 3) rt::raise(rt::err::InvalidCall);
        const QString subtitulo = Subtitulo(QString::fromUtf16(kPrefixos[lintTipoDeConta - 1]), lbooTodasAsDatas,
                                            lvarCodigoOuNomeParaFiltro, lstrDataInicial, lstrDataFinal);
        if (lbooExportar) {
            ponto(13);
            saida.CriarPlanilha();
            saida.EscreverPlanilha(kColunasAbertas, subtitulo);
        } else {
            ponto(18);
            auto& relatorio = drContasAReceber();
            ponto(20);
            relatorio.setDataSource(Registros(saida.lrsSelecao).paraRelatorio());
            relatorio.setDataMember(QString());
            ponto(21);
            PrepararRelatorio(relatorio, saida.NomeFantasia(), subtitulo);
            ponto(22);
            static constexpr Vinculo kVinculos[] = {{u"txtNumeroDoLancamento", u"NumeroDoLancamento"},
                                                    {u"txtCliente", u"ApelidoOuNomeFantasiaDoCliente"},
                                                    {u"txtHistorico", u"Historico"},
                                                    {u"txtVencimento", u"DataDeVencimento"},
                                                    {u"txtValor", u"ValorDoDocumento"}};
            Vincular(relatorio, kVinculos);
            ponto(23);
            Rodape(relatorio);
            ponto(24);
            relatorio.Sections(QStringLiteral("Totalizacao"))
                .Controls(QStringLiteral("txtTotalDeValoresDosDocumentos"))
                .setCaption(rt::Format(saida.lobjCReceber.TotalDeValoresDosDocumentos(), kFormatoDeMoeda));
            ponto(25);
            ExibirRelatorio(relatorio);
        }
        saida.Terminar(27);
    });
    return resultado;
}

std::int16_t frmImprimirContasAReceber::ImprimirContasAReceberBaixadas(bool lbooTodasAsDatas,
                                                                       Variant lvarCodigoOuNomeParaFiltro,
                                                                       QString lstrDataInicial,
                                                                       QString lstrDataFinal,
                                                                       bool& lbooExportar) {
    std::int16_t resultado = 0;
    Procedimento ponto(u", frmImprimirContasAReceber, ImprimirContasAReceberBaixadas, Ponto: ");
    Saida saida(*this, ponto, resultado);
    ponto.executar([&] {
        if (!saida.Iniciar()) return;
        rt::Boolean todas{std::int16_t(lbooTodasAsDatas ? -1 : 0)};
        if (!saida.Selecionar(
                [&](clsCReceber& c) {
                    return c.SelecionarContasAReceberBaixadas(todas, lvarCodigoOuNomeParaFiltro, lstrDataInicial,
                                                              lstrDataFinal);
                },
                21))
            return;

        ponto(10);
        if (Registros(saida.lobjCReceber.ResultadoDaSelecaoEmRecordSet()).RecordCount() == 0) {
            ponto(11);
            saida.FecharEspera();
            informar(kNenhumaConta);
            saida.Terminar(24);
            return;
        }

        ponto(12);
        const QString subtitulo = Subtitulo(QStringLiteral("Contas baixadas"), lbooTodasAsDatas,
                                            mvarCodigoOuNomeParaFiltro, lstrDataInicial, lstrDataFinal);
        if (lbooExportar) {
            saida.CriarPlanilha();
            ponto(13);
            saida.lrsSelecao = saida.lobjCReceber.ResultadoDaSelecaoEmRecordSet();
            saida.lobjCReceber.Liberar();
            saida.EscreverPlanilha(kColunasBaixadas, subtitulo);
        } else {
            auto& relatorio = drContasAReceberBaixadas();
            ponto(14);
            relatorio.setDataSource(Registros(saida.lobjCReceber.ResultadoDaSelecaoEmRecordSet()).paraRelatorio());
            relatorio.setDataMember(QString());
            ponto(15);
            PrepararRelatorio(relatorio, saida.NomeFantasia(), subtitulo);
            ponto(16);
            // The printed list names the client by its legal name; the sheet by its trade name.
            static constexpr Vinculo kVinculos[] = {{u"txtNumeroDoLancamento", u"NumeroDoLancamento"},
                                                    {u"txtCliente", u"NomeOuRazaoSocialDoCliente"},
                                                    {u"txtHistorico", u"Historico"},
                                                    {u"txtDataDeVencimento", u"DataDeVencimento"},
                                                    {u"txtValorDoDocumento", u"ValorDoDocumento"},
                                                    {u"txtDescontoAbatimento", u"DescontoAbatimento"},
                                                    {u"txtJurosMoraMulta", u"JurosMoraMulta"},
                                                    {u"txtDataDaBaixa", u"DataDaBaixa"},
                                                    {u"txtValorDaBaixa", u"ValorDaBaixa"}};
            Registros selecao(saida.lobjCReceber.ResultadoDaSelecaoEmRecordSet());
            selecao.MoveFirst();
            while (!selecao.EOF_()) {
                Vincular(relatorio, kVinculos);
                selecao.MoveNext();
            }
            ponto(17);
            Rodape(relatorio);
            ponto(18);
            auto& totalizacao = relatorio.Sections(QStringLiteral("Totalizacao"));
            const auto& negocio = saida.lobjCReceber;
            const std::pair<const char16_t*, Variant> totais[] = {
                {u"lblTotalDeValoresDosDocumentos", negocio.TotalDeValoresDosDocumentos()},
                {u"lblTotalDeDescontosEAbatimentos", negocio.TotalDeDescontosEAbatimentos()},
                {u"lblTotalDeJurosMorasEMultas", negocio.TotalDeJurosMorasEMultas()},
                {u"lblTotalDeValoresBaixados", negocio.TotalDeValoresBaixados()}};
            for (const auto& [rotulo, valor] : totais)
                totalizacao.Controls(QString::fromUtf16(rotulo)).setCaption(rt::Format(valor, kFormatoDeMoeda));
            ponto(19);
            relatorio.Orientation = 2;
            ExibirRelatorio(relatorio);
        }
        saida.Terminar(24);
    });
    return resultado;
}

} // namespace creceber
