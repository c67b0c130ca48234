#include "forms/clientsearch/frmPesquisaDeClientes.h"

#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "component/Procedimento.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/QUVA_N_ClientAnim.h"
#include "forms/Keys.h"
#include "forms/MsgBox.h"
#include "forms/shell/Registros.h"
#include "qz/Look.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <QWidget>

namespace creceber {

using namespace quva::forms;
using namespace quva::flexgrid;
using namespace quva::qz;
using quva::rt::Object;
using quva::rt::Variant;
namespace automation = quva::automation;
namespace rt = quva::rt;

namespace {

constexpr OleColor kBranco = 0xFFFFFF;
constexpr OleColor kPreto = 0x000000;
constexpr OleColor kCinza = 0x808080;
constexpr OleColor kCinzaClaro = 0xF2F2F2;
constexpr OleColor kCinzaEscuro = 0xD9D9D9;
constexpr OleColor kLinhasDaGrade = 0xEFEFEF;
constexpr OleColor kTextoDoBotao = 0x80000012;

struct Coluna {
    const char16_t* cabecalho;
    std::int32_t largura;
    std::int32_t dado;
    const char16_t* campo; // nullptr: nothing from the recordset
};

// clang-format off
constexpr Coluna kDefinicoes[frmPesquisaDeClientes::kColunas] = {
    {u"Coluna em branco",      0,    0, nullptr},
    {u"Código",                1100, 0, u"CodigoDoCliente"},
    {u"Apelido/Nome fantasia", 2000, 1, u"ApelidoOuNomeFantasia"},
    {u"Nome/Razão Social",     4020, 1, u"NomeOuRazaoSocial"},
    {u"Situação",              0,    0, u"Situacao"},
    {u"Endereço",              6300, 1, u"EnderecoCompleto"},
    {u"ClienteVIP",            0,    1, u"VIP"},
    {u"CategoriaDaCurvaABC",   0,    1, u"CategoriaDaCurvaABC"},
};
// clang-format on

QString texto(const char16_t* s) {
    return QString::fromUtf16(s);
}

// The refusal of a client by its situation code (empty: accepted).
QString mensagemDeRecusa(double situacao) {
    if (situacao == 2)
        return QStringLiteral(
            "Cliente inativo. Para mais informações, entre em contato com o departamento financeiro.");
    if (situacao == 3)
        return QStringLiteral(
            "Cliente bloqueado. Para mais informações, entre em contato com o departamento financeiro.");
    if (situacao == 4)
        return QStringLiteral(
            "Cliente excluído. Para mais informações, entre em contato com o departamento financeiro.");
    return {};
}

} // namespace

frmPesquisaDeClientes::frmPesquisaDeClientes()
    : FormularioDoComponente(QStringLiteral("frmPesquisaDeClientes"), Variante::Dialogo) {}

frmPesquisaDeClientes& frmPesquisaDeClientesPadrao() {
    return DefaultInstance<frmPesquisaDeClientes>::get();
}

void frmPesquisaDeClientes::CreateControls() {
    setCaption(QStringLiteral("Pesquisa de clientes"));
    setBorderStyle(2);
    setStartUpPosition(1);
    setBackColor(vbWhite);
    setClientSize(14520, 8400);
    // Small enough for any screen, large enough that the layout never goes negative.
    if (window()) window()->setMinimumSize(toPixelsX(6000), toPixelsY(4500));

    qzTheme = add<QZTheme>(QStringLiteral("qzTheme"));
    qzTheme->Move(0, 0, 14520, 795);
    qzTheme->setTitulo(QStringLiteral("Pesquisa de clientes"));

    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo =
        add<Label>(QStringLiteral("lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"));
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->Move(390, 960, 7000, 255);
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->setBackStyle(0);
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->setFont(QStringLiteral("Arial"), 9);
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->setForeColor(look::kText);
    lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->setCaption(
        QStringLiteral("Apelido, nome fantasia, nome, razão social ou código*"));

    qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo =
        add<QZFind>(QStringLiteral("qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"));
    qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->Move(390, 1215, 7000, 390);
    qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->setStyle(qzFindText);

    msfgGrade = add<MSFlexGrid>(QStringLiteral("msfgGrade"));
    msfgGrade->Move(390, 1725, 13740, 5700);
    msfgGrade->setRows(1);
    msfgGrade->setCols(kColunas);
    msfgGrade->setScrollBars(flexScrollBarVertical);
    msfgGrade->setSelectionMode(flexSelectionByRow);
    msfgGrade->setHighLight(flexHighlightWithFocus);
    msfgGrade->setWordWrap(true);

    qzcmdFechar = add<QZCommandButton>(QStringLiteral("qzcmdFechar"));
    qzcmdFechar->Move(12420, 7775, 1470, 450);
    qzcmdFechar->setPicture(QStringLiteral("fechar"));
    qzcmdFechar->setCaption(QStringLiteral("   Fechar"));

    CriarpicMensagem();

    ligarEventos();
}

void frmPesquisaDeClientes::ligarEventos() {
    qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->onClick = [this] {
        qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click();
    };
    msfgGrade->onClick = [this] { msfgGrade_Click(); };
    // Enter on a row chooses it as a click does, for the clerk at the keyboard.
    msfgGrade->onKeyPress = [this](std::int16_t& KeyAscii) {
        if (KeyAscii != vbKeyReturn) return;
        KeyAscii = 0;
        msfgGrade_Click();
    };
    qzcmdFechar->onClick = [this] { qzcmdFechar_Click(); };
}

void frmPesquisaDeClientes::Form_Load() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Load"));
    ponto.executar([&] {
        AdicionarMolduraDoWindows8(ponto, kCarregamentoDaPesquisa);
        ponto(6);
        qzcmdFechar->setToolTipText(QStringLiteral("Cancelar a pesquisa e fechar"));
    });
}

void frmPesquisaDeClientes::Form_Activate() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Activate"));
    ponto.executar([] {});
}

void frmPesquisaDeClientes::Form_Resize() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Resize"));
    ponto.executar([&] {
        ponto(1);
        msfgGrade->setVisible(false);
        qzcmdFechar->setVisible(false);

        ponto(2);
        msfgGrade->setTop(ScaleTop() + 1725);
        msfgGrade->setLeft(ScaleLeft() + 390);
        msfgGrade->setWidth(ScaleWidth() - 2 * msfgGrade->Left());
        msfgGrade->setHeight(ScaleHeight() - 2700);

        ponto(3);
        qzcmdFechar->setLeft((msfgGrade->Left() + msfgGrade->Width() + 10) - (qzcmdFechar->Width() + 250));
        qzcmdFechar->setTop(msfgGrade->Top() + msfgGrade->Height() + 350);

        ponto(4);
        msfgGrade->setVisible(true);
        qzcmdFechar->setVisible(true);

        ponto(6);
        qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo->SetFocus();
    });
}

void frmPesquisaDeClientes::ConfigurarGrade() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("ConfigurarGrade"));
    ponto.executar([&] {
        ponto(1);
        msfgGrade->setVisible(false);
        msfgGrade->setRedraw(false);
        msfgGrade->Clear();

        ponto(2);
        msfgGrade->setFocusRect(flexFocusNone);
        msfgGrade->setAppearance(flexFlat);
        msfgGrade->setBorderStyle(flexBorderNone);
        automation::letId(msfgGrade->object(), kDispIdSelectionMode, std::int32_t(1));
        msfgGrade->setFixedCols(0);

        ponto(3);
        msfgGrade->setFontName(QStringLiteral("Arial"));
        msfgGrade->setFontSize(11);

        ponto(4);
        msfgGrade->setBackColorSel(kCinzaClaro);
        msfgGrade->setForeColorSel(kTextoDoBotao);
        msfgGrade->setBackColorBkg(kBranco);
        msfgGrade->setGridColor(kLinhasDaGrade);
        msfgGrade->setGridColorFixed(kLinhasDaGrade);
        msfgGrade->setBackColor(kBranco);
        msfgGrade->setForeColor(kPreto);
        msfgGrade->setGridLines(flexGridNone);
        msfgGrade->setGridLinesFixed(flexGridNone);
        msfgGrade->setGridLineWidth(1);
        msfgGrade->setWordWrap(true);
        msfgGrade->setScrollBars(flexScrollBarVertical);

        ponto(5);
        msfgGrade->setRows(1);
        msfgGrade->setCols(kColunas);
        if (msfgGrade->Rows() > 1) msfgGrade->setFixedRows(1);

        ponto(6);
        for (std::int32_t c = 0; c < kColunas; ++c) {
            msfgGrade->setTextMatrix(0, c, texto(kDefinicoes[c].cabecalho));
            msfgGrade->setColWidth(c, kDefinicoes[c].largura);
            msfgGrade->setColAlignment(c, flexAlignLeftCenter);
            msfgGrade->setColData(c, kDefinicoes[c].dado);
        }

        ponto(7);
        msfgGrade->setRow(0);
        for (std::int32_t c = 0; c < kColunas; ++c) {
            msfgGrade->setCol(c);
            msfgGrade->setCellFontBold(true);
            msfgGrade->setCellForeColor(c == kColCodigo ? kCinza : kPreto);
            msfgGrade->setBackColorFixed(kCinzaClaro);
        }

        ponto(8);
        msfgGrade->setRedraw(true);
        msfgGrade->setVisible(true);
    });
}

bool frmPesquisaDeClientes::PreencherGrade(const Object& rs) {
    bool resultado = false;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("PreencherGrade"));
    ponto.executar([&] {
        ponto(1);
        Registros registros(rs);
        const std::int32_t lngRegistros = registros.RecordCount();

        ponto(2);
        msfgGrade->setRedraw(false);
        msfgGrade->setRows(lngRegistros + 1);
        if (msfgGrade->Rows() > 1) msfgGrade->setFixedRows(1);

        ponto(3);
        msfgGrade->setRowHeight(0, 300);
        registros.MoveFirst();

        ponto(4);
        std::int32_t lngLinha = 1;
        while (!registros.EOF_()) {
            msfgGrade->setRowHeight(lngLinha, 570);
            for (std::int32_t c = 0; c < msfgGrade->Cols(); ++c) {
                msfgGrade->setCol(c);
                msfgGrade->setRow(lngLinha);
                msfgGrade->setCellBackColor(lngLinha % 2 == 0 ? kCinzaClaro : kCinzaEscuro);
                msfgGrade->setCellForeColor(c == kColCodigo ? kCinza : kPreto);
            }
            for (std::int32_t c = kColCodigo; c < kColunas; ++c)
                msfgGrade->setTextMatrix(lngLinha, c, rt::CStr(registros.valor(texto(kDefinicoes[c].campo))));
            registros.MoveNext();
            ++lngLinha;
        }

        ponto(5);
        msfgGrade->setRedraw(true);
        resultado = true;
    });
    return resultado;
}

bool frmPesquisaDeClientes::PesquisarCliente() {
    bool resultado = false;
    auto* qzfnd = qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("PesquisarCliente"));
    ponto.executar([&] {
        ponto(1);
        ExibirOcultarpicMensagem(true);
        auto lobjClientes = contratos::QUVA_N_ClientAnim::clsClientes::Criar();
        lobjClientes.DadosDoUsuario(gobjDadosDoUsuario);
        mbooIgnorarEvento = true;
        const Variant falhou = lobjClientes.Selecionar(2, 0, 1, qzfnd->Text(), QString(), 0.0, QString(),
                                                       QString(), QString(), 0.0, QString());
        if (rt::CBool(falhou).value != 0) {
            ponto(5);
            ExibirOcultarpicMensagem(false);
            RepassarFalhaDoComponente(lobjClientes);
            lobjClientes.Liberar();
            resultado = false;
            return;
        }

        ponto(2);
        ExibirOcultarpicMensagem(false);
        Object lobjRecordset = lobjClientes.ResultadoDaSelecaoEmRecordSet();
        lobjClientes.Liberar();
        const std::int32_t lngRegistros = Registros(lobjRecordset).RecordCount();
        if (lngRegistros == 0) {
            MsgBox(QStringLiteral("Nenhum cliente encontrado  como o valor '") + qzfnd->Text() +
                       QStringLiteral("' informado."),
                   vbOKOnly + vbInformation, gstrNomeDaAplicacao);
            SendKeys(QStringLiteral("+({HOME})"));
            lobjRecordset.reset();
            resultado = false;
            return;
        }
        if (lngRegistros == 1) {
            ponto(3);
            PreencherGrade(lobjRecordset);
            msfgGrade->setRow(1);
            msfgGrade->setRowSel(1);
            msfgGrade_Click();
        } else if (lngRegistros > 1) {
            ponto(4);
            PreencherGrade(lobjRecordset);
        }

        ponto(6);
        lobjRecordset.reset();
        ExibirOcultarpicMensagem(false);

        ponto(7);
        resultado = true;
    }, [this] { FecharpicMensagemAposFalha(); });
    return resultado;
}

void frmPesquisaDeClientes::qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click() {
    auto* qzfnd = qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo;
    ProcedimentoDoFormulario ponto(
        Name(), QStringLiteral("qzfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click"));
    ponto.executar([&] {
        ponto(1);
        ConfigurarGrade();

        ponto(2);
        if (mbooIgnorarEvento) {
            mbooIgnorarEvento = false;
            return;
        }

        ponto(3);
        if (!PesquisarCliente()) {
            qzfnd->invokeById(kDispSelectText, rt::CallKind::Method);
        } else if (msfgGrade->Rows() > 2) {
            qzfnd->SetFocus();
        }
    });
}

void frmPesquisaDeClientes::msfgGrade_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("msfgGrade_Click"));
    ponto.executar([&] {
        ponto(1);
        if (msfgGrade->Row() == 0) return;

        ponto(2);
        if (ValidarCampos() == 1) return;

        ponto(3);
        mbooRegistroSelecionado = true;

        ponto(4);
        Hide();
    });
}

std::int16_t frmPesquisaDeClientes::ValidarCampos() {
    std::int16_t resultado = 0;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("ValidarCampos"));
    ponto.executar([&] {
        ponto(1);
        const double dblSituacao = rt::Val(msfgGrade->TextMatrix(msfgGrade->RowSel(), kColSituacao));

        ponto(2);
        const QString mensagem = mensagemDeRecusa(dblSituacao);
        if (!mensagem.isEmpty()) {
            ponto(3);
            MsgBox(mensagem, vbOKOnly + vbInformation, gstrNomeDaAplicacao);
            msfgGrade->SetFocus();
            resultado = 1;
            return;
        }

        ponto(4);
        resultado = 0;
    });
    return resultado;
}

void frmPesquisaDeClientes::qzcmdFechar_Click() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("qzcmdFechar_Click"));
    ponto.executar([&] {
        ponto(1);
        mbooRegistroSelecionado = false;
        Hide();
    });
}

void frmPesquisaDeClientes::Form_Unload(std::int16_t& Cancel) {
    (void)Cancel;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Unload"));
    ponto.executar([&] {
        ponto(1);
        mbooRegistroSelecionado = false;
    });
}

} // namespace creceber
