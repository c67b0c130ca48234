// frmLista: the two documents printed for the selected row, the collection
// letter and the duplicate of the settlement receipt.

#include "forms/list/frmLista.h"

#include "ado/Recordset.h"
#include "automation/LateBound.h"
#include "component/Procedimento.h"
#include "component/modFundoEscuro.h"
#include "component/modPrincipal.h"
#include "contracts/QUVA_A_MsgAcesso.h"
#include "contracts/QUVA_N_Empresa.h"
#include "forms/MsgBox.h"
#include "reports/Relatorios.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <optional>

namespace creceber {

using quva::rt::Object;
using quva::rt::Variant;
namespace rt = quva::rt;
namespace ado = quva::ado;
namespace automation = quva::automation;

namespace {

Variant campo(const Object& rs, const QString& nome) {
    return automation::get(automation::obj(automation::get(rs, QStringLiteral("Fields"), nome)),
                           QStringLiteral("Value"));
}

// The company's city, when its record carries one.
QString cidadeDaEmpresa(const Object& rs) {
    try {
        const Variant v = campo(rs, QStringLiteral("Cidade"));
        return rt::IsNull(v) ? QString() : rt::Trim(rt::CStr(v));
    } catch (const rt::RuntimeError& e) {
        if (e.number() != rt::err::AdoItemNotFound) throw;
        return {};
    }
}

} // namespace

QString DataPorExtenso(rt::Date d) {
    static const char16_t* const kMeses[12] = {u"janeiro", u"fevereiro", u"março",    u"abril",
                                               u"maio",    u"junho",     u"julho",    u"agosto",
                                               u"setembro", u"outubro",  u"novembro", u"dezembro"};
    int ano = 0, mes = 0, dia = 0;
    rt::dateParts(d, &ano, &mes, &dia);
    const QString diaEscrito = dia == 1 ? QStringLiteral("1º") : QString::number(dia);
    return diaEscrito + QStringLiteral(" de ") + QString::fromUtf16(kMeses[mes - 1]) + QStringLiteral(" de ") +
           QString::number(ano);
}

std::int16_t frmLista::ImprimirCartaDeCobranca() {
    Procedimento ponto(u", frmLista, ImprimirCartaDeCobranca, Ponto: ");
    return ImprimirDocumentoDaLinha(ponto, true);
}

std::int16_t frmLista::Imprimir2aViaDoComprovanteDePagamento() {
    Procedimento ponto(u", frmLista, Imprimir2aViaDoComprovanteDePagamento, Ponto: ");
    return ImprimirDocumentoDaLinha(ponto, false);
}

// The steps the letter and the receipt share; where they differ, carta tells.
std::int16_t frmLista::ImprimirDocumentoDaLinha(Procedimento& ponto, bool carta) {
    std::int16_t resultado = 1;
    std::optional<contratos::QUVA_A_MsgAcesso::clsMensagem> lobjMensagem;
    bool fundoAplicado = false;
    // The menu window is never left darkened nor the wait message open.
    auto arrumar = [&] {
        if (lobjMensagem) {
            auto m = std::move(*lobjMensagem);
            lobjMensagem.reset();
            m.Fechar();
        }
        if (fundoAplicado) {
            fundoAplicado = false;
            RemoverFundoEscuro(glngFormularioDoMenu_hWnd);
        }
    };
    ponto.aoFalhar(arrumar);
    ponto.executar([&] {
        ponto(1);
        lobjMensagem = contratos::QUVA_A_MsgAcesso::clsMensagem::Criar();
        fundoAplicado = true;
        AplicarFundoEscuro(glngFormularioDoMenu_hWnd);
        Refresh();
        lobjMensagem->Exibir(QStringLiteral("Aguarde, reorganizando dados."));

        ponto(2);
        auto lobjEmpresa = contratos::QUVA_N_Empresa::clsEmpresa::Criar();
        if (rt::CLng(lobjEmpresa.SelecionarNova(2, 0, 1, QString())) != 0) {
            RepassarFalhaDoComponente(lobjEmpresa);
            arrumar();
            return;
        }

        ponto(3);
        const Object lrsEmpresa = lobjEmpresa.ResultadoDaSelecaoEmRecordSet();
        if (!lrsEmpresa) rt::raise(rt::err::ObjectNotSet);
        if (rt::CBool(automation::get(lrsEmpresa, QStringLiteral("EOF")))) {
            arrumar();
            quva::forms::MsgBox(
                QStringLiteral("Não foi possível imprimir o documento porque não há empresa cadastrada.") +
                    rt::vbCrLf +
                    QStringLiteral("Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. "
                                   "Efetue o cadastro e solicite a impressão novamente"),
                quva::forms::vbOKOnly + quva::forms::vbInformation, gstrNomeDaAplicacao);
            return;
        }

        ponto(4);
        const std::int32_t linha = msfgGrade->RowSel();
        auto celula = [&](std::int32_t coluna) { return msfgGrade->TextMatrix(linha, coluna); };
        auto lrsDocumento = ado::Recordset::create();
        auto& campos = lrsDocumento->Fields();
        if (carta) {
            campos.Append(QStringLiteral("txtNumeroDeLancamento"), ado::adDouble);
            campos.Append(QStringLiteral("txtVencimento"), ado::adChar, 20);
            campos.Append(QStringLiteral("txtValor"), ado::adChar, 50);
            campos.Append(QStringLiteral("txtCodigoDoCliente"), ado::adDouble);
            // As long as the list's selection hands them out: every client gets a letter.
            campos.Append(QStringLiteral("txtApelidoOuNomeFantasiaDoCliente"), ado::adChar, 100);
            campos.Append(QStringLiteral("txtNomeOuRazaoSocialDoCliente"), ado::adChar, 150);
        } else {
            campos.Append(QStringLiteral("txtCliente"), ado::adChar, 100);
            campos.Append(QStringLiteral("txtDescricaoDoDebito"), ado::adBSTR);
            campos.Append(QStringLiteral("txtValorTotal"), ado::adChar, 50);
            campos.Append(QStringLiteral("txtValorPago"), ado::adChar, 50);
        }
        lrsDocumento->Open();
        lrsDocumento->AddNew();
        auto definir = [&](const char16_t* nome, const QString& valor) {
            lrsDocumento->Fields(QString::fromUtf16(nome)).setValue(valor);
        };
        if (carta) {
            definir(u"txtNumeroDeLancamento", celula(colunas::NumeroDoLancamento));
            definir(u"txtVencimento", celula(colunas::DataDeVencimento));
            definir(u"txtValor", celula(colunas::ValorDoDocumento));
            definir(u"txtCodigoDoCliente", celula(colunas::CodigoDoCliente));
            definir(u"txtApelidoOuNomeFantasiaDoCliente", celula(colunas::ApelidoOuNomeFantasiaDoCliente));
            definir(u"txtNomeOuRazaoSocialDoCliente", celula(colunas::NomeOuRazaoSocialDoCliente));
        } else {
            definir(u"txtCliente",
                    celula(colunas::CodigoDoCliente) + QStringLiteral(" - ") +
                        celula(colunas::NomeOuRazaoSocialDoCliente));
            // The grid keeps the history on one line with no-break blanks; the receipt wraps it.
            definir(u"txtDescricaoDoDebito", rt::Replace(celula(colunas::Historico), rt::Chr(160), QStringLiteral(" ")));
            definir(u"txtValorTotal", celula(colunas::ValorDoDocumento));
            definir(u"txtValorPago", celula(colunas::ValorDaBaixa));
        }
        lrsDocumento->Update();

        ponto(5);
        arrumar();

        ponto(6);
        quva::datareport::DataReport& relatorio = carta ? drCartaDeCobranca() : dr2aViaComprovanteDePagamentoDeDebito();
        relatorio.setDataSource(lrsDocumento);
        relatorio.setDataMember(QString());
        const QString nomeFantasia = rt::CStr(campo(lrsEmpresa, QStringLiteral("NomeFantasia")));
        relatorio.Sections(QStringLiteral("CabecalhoDaPagina"))
            .Controls(QStringLiteral("lblNomeFantasiaDaEmpresa"))
            .setCaption(nomeFantasia);
        if (carta) {
            auto& dados = relatorio.Sections(QStringLiteral("Dados"));
            for (const char16_t* nome : {u"txtCodigoDoCliente", u"txtApelidoOuNomeFantasiaDoCliente",
                                         u"txtNomeOuRazaoSocialDoCliente", u"txtNumeroDeLancamento",
                                         u"txtVencimento", u"txtValor"})
                dados.Controls(QString::fromUtf16(nome)).setDataField(QString::fromUtf16(nome));
            dados.Controls(QStringLiteral("txtNomeOuRazaoSocialDaEmpresa")).setCaption(nomeFantasia);
            auto& rodape = relatorio.Sections(QStringLiteral("RodapeDaPagina"));
            rodape.Controls(QStringLiteral("lblEnderecoDaEmpresa"))
                .setCaption(rt::CStr(campo(lrsEmpresa, QStringLiteral("EnderecoCompleto"))));
            rodape.Controls(QStringLiteral("lblTelefoneDaEmpresa"))
                .setCaption(rt::CStr(campo(lrsEmpresa, QStringLiteral("Telefone"))));
            rodape.Controls(QStringLiteral("lblEmailDaEmpresa"))
                .setCaption(rt::CStr(campo(lrsEmpresa, QStringLiteral("Email"))));
            const QString cidade = cidadeDaEmpresa(lrsEmpresa);
            dados.Controls(QStringLiteral("lblLocalEDataDaEmissao"))
                .setCaption((cidade.isEmpty() ? QString() : cidade + QStringLiteral(", ")) +
                            DataPorExtenso(rt::Today()));
        } else {
            auto& detalhes = relatorio.Sections(QStringLiteral("Detalhes"));
            for (const char16_t* nome : {u"txtCliente", u"txtDescricaoDoDebito", u"txtValorTotal", u"txtValorPago"})
                detalhes.Controls(QString::fromUtf16(nome)).setDataField(QString::fromUtf16(nome));
            relatorio.Sections(QStringLiteral("RodapeDaPagina"))
                .Controls(QStringLiteral("lblTituloDoAplicativo"))
                .setCaption(gstrNomeDaAplicacao);
        }

        ponto(7);
        relatorio.Caption = QStringLiteral("Imprimir ficha de conta a receber");
        relatorio.LeftMargin = relatorio.RightMargin = relatorio.TopMargin = relatorio.BottomMargin = 850;
        relatorio.ReportWidth = 10125;
        relatorio.WindowState = 2;
        relatorio.Show(quva::forms::vbModal);
        resultado = 0;
    });
    return resultado;
}

} // namespace creceber
