// frmFicha: the client lookup in the three find boxes (code, nickname or
// trade name, name or company name). One active match fills the boxes at
// once; several go to the client search dialog; a failed or cleared search
// empties the rest of the card.

#include "forms/card/frmFicha.h"

#include "automation/LateBound.h"
#include "component/modPrincipal.h"
#include "contracts/QUVA_N_ClientAnim.h"
#include "forms/Keys.h"
#include "forms/MsgBox.h"
#include "forms/clientsearch/frmPesquisaDeClientes.h"
#include "runtime/Convert.h"

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
using quva::rt::Object;
using quva::rt::Variant;
namespace rt = quva::rt;
namespace automation = quva::automation;

namespace {

void informar(const QString& texto) {
    MsgBox(texto, vbOKOnly + vbInformation, gstrNomeDaAplicacao);
}

Variant campo(const Object& rs, const QString& nome) {
    return automation::get(automation::obj(automation::get(rs, QStringLiteral("Fields"), nome)),
                           QStringLiteral("Value"));
}

// " [ VIP - A ]", " [ B ]": the class shown after "Cliente*".
QString classeDoCliente(const QString& vip, const QString& categoria) {
    const bool ehVip = rt::UCase(vip) == QStringLiteral("SIM");
    return QStringLiteral(" [ ") + (ehVip ? QStringLiteral("VIP - ") : QString()) + categoria +
           QStringLiteral(" ]");
}

} // namespace

void frmFicha::qzfCodigoDoCliente_Click() {
    ProcurarCliente(QStringLiteral("qzfCodigoDoCliente_Click"), *qzfCodigoDoCliente,
                    *qzfApelidoOuNomeFantasiaDoCliente, *qzfNomeOuRazaoSocialDoCliente);
}

void frmFicha::qzfApelidoOuNomeFantasiaDoCliente_Click() {
    ProcurarCliente(QStringLiteral("qzfApelidoOuNomeFantasiaDoCliente_Click"),
                    *qzfApelidoOuNomeFantasiaDoCliente, *qzfCodigoDoCliente, *qzfNomeOuRazaoSocialDoCliente);
}

void frmFicha::qzfNomeOuRazaoSocialDoCliente_Click() {
    ProcurarCliente(QStringLiteral("qzfNomeOuRazaoSocialDoCliente_Click"), *qzfNomeOuRazaoSocialDoCliente,
                    *qzfCodigoDoCliente, *qzfApelidoOuNomeFantasiaDoCliente);
}

void frmFicha::ProcurarCliente(const QString& procedimento, QZFind& caixa, QZFind& outra1, QZFind& outra2) {
    ProcedimentoDoFormulario ponto(Name(), procedimento);
    ponto.executar([&] {
        auto limparOutras = [&] {
            for (QZFind* f : {&outra1, &outra2}) {
                f->setStatus(qzFindClear);
                f->setText(QString());
                f->setShowClearButton(true);
            }
            LimparOutrosCamposDoFormulario();
            caixa.SetFocus();
            lblCliente->setCaption(QStringLiteral("Cliente*"));
        };

        ponto(1);
        if (caixa.Status() == qzFindSearch) {
            ponto(2);
            if (rt::Len(caixa.Text()) < 3 && caixa.style() == qzFindText) {
                caixa.setShowClearButton(true);
                informar(QStringLiteral("Informe 3 caracteres ou mais para iniciar a pesquisa."));
                return;
            }
            outra1.setText(QString());
            outra2.setText(QString());

            ponto(3);
            const QString codigo = rt::Trim(qzfCodigoDoCliente->Text());
            const bool aceito = PesquisarCliente(rt::Trim(qzfApelidoOuNomeFantasiaDoCliente->Text()),
                                                 rt::Trim(qzfNomeOuRazaoSocialDoCliente->Text()),
                                                 codigo.isEmpty() ? 0.0 : rt::CDbl(Variant(codigo)));
            if (!aceito) {
                ponto(4);
                limparOutras();
                caixa.setShowClearButton(true);
            } else {
                caixa.setShowClearButton(true);
                qzmemHistorico->SetFocus();
            }
        } else if (caixa.Status() == qzFindClear) {
            ponto(5);
            limparOutras();
        }
    });
}

void frmFicha::qzfCodigoDoCliente_KeyDown(std::int16_t&, std::int16_t) {
    TeclaNaCaixa(QStringLiteral("qzfCodigoDoCliente_KeyDown"), *qzfApelidoOuNomeFantasiaDoCliente,
                 *qzfNomeOuRazaoSocialDoCliente);
}

void frmFicha::qzfApelidoOuNomeFantasiaDoCliente_KeyDown(std::int16_t&, std::int16_t) {
    TeclaNaCaixa(QStringLiteral("qzfApelidoOuNomeFantasiaDoCliente_KeyDown"), *qzfCodigoDoCliente,
                 *qzfNomeOuRazaoSocialDoCliente);
}

void frmFicha::qzfNomeOuRazaoSocialDoCliente_KeyDown(std::int16_t&, std::int16_t) {
    TeclaNaCaixa(QStringLiteral("qzfNomeOuRazaoSocialDoCliente_KeyDown"), *qzfCodigoDoCliente,
                 *qzfApelidoOuNomeFantasiaDoCliente);
}

// The first key after the card filled the boxes itself only ends that state.
void frmFicha::TeclaNaCaixa(const QString& procedimento, QZFind& outra1, QZFind& outra2) {
    ProcedimentoDoFormulario ponto(Name(), procedimento);
    ponto.executar([&] {
        ponto(1);
        if (!mbooClientePreenchido) {
            ponto(2);
            outra1.setSearchedText(QString());
            outra2.setSearchedText(QString());
        } else {
            ponto(3);
            mbooClientePreenchido = false;
        }
    });
}

bool frmFicha::PesquisarCliente(const QString& lstrApelidoOuNomeFantasia,
                                const QString& lstrNomeOuRazaoSocial, double ldblCodigoDoCliente) {
    bool resultado = false;
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("PesquisarCliente"));
    ponto.executar([&] {
        ponto(1);
        ExibirOcultarpicMensagem(true);
        auto lobjClientes = contratos::QUVA_N_ClientAnim::clsClientes::Criar();
        lobjClientes.DadosDoUsuario(gobjDadosDoUsuario);

        ponto(2);
        QString lstrTexto;
        if (!rt::Trim(lstrApelidoOuNomeFantasia).isEmpty())
            lstrTexto = lstrApelidoOuNomeFantasia;
        else if (!rt::Trim(lstrNomeOuRazaoSocial).isEmpty())
            lstrTexto = lstrNomeOuRazaoSocial;
        double ldblCodigo = ldblCodigoDoCliente;
        const Variant r = lobjClientes.Selecionar(
            2, std::int16_t(0), 0, QString(), contratos::PorReferencia(lstrTexto),
            contratos::PorReferencia(ldblCodigo), QString(), QString(), QString(), 0.0, QString());
        if (r.toInteger() != 0) {
            ponto(15);
            ExibirOcultarpicMensagem(false);
            RepassarFalhaDoComponente(lobjClientes);
            lobjClientes.Liberar();
            resultado = false;
            return;
        }

        ponto(3);
        ExibirOcultarpicMensagem(false);
        Object rs = lobjClientes.ResultadoDaSelecaoEmRecordSet();
        lobjClientes.Liberar();
        const std::int32_t registros = rt::CLng(automation::get(rs, QStringLiteral("RecordCount")));

        if (registros == 1) {
            ponto(5);
            const std::int32_t situacao = rt::CLng(campo(rs, QStringLiteral("Situacao")));
            const QString recusa = situacao == 2   ? QStringLiteral("Cliente inativo")
                                   : situacao == 3 ? QStringLiteral("Cliente bloqueado")
                                   : situacao == 4 ? QStringLiteral("Cliente excluído")
                                                   : QString();
            if (!recusa.isEmpty()) {
                informar(recusa + QStringLiteral(". Para mais informações, entre em contato com o "
                                                 "departamento financeiro."));
                rs.reset();
                resultado = false;
                return;
            }
            mbooClientePreenchido = true;
            for (QZFind* f :
                 {qzfCodigoDoCliente, qzfApelidoOuNomeFantasiaDoCliente, qzfNomeOuRazaoSocialDoCliente})
                f->setStatus(qzFindNone);
            qzfApelidoOuNomeFantasiaDoCliente->setText(
                rt::CStr(campo(rs, QStringLiteral("ApelidoOuNomeFantasia"))));
            qzfNomeOuRazaoSocialDoCliente->setText(rt::CStr(campo(rs, QStringLiteral("NomeOuRazaoSocial"))));
            qzfCodigoDoCliente->setText(rt::CStr(campo(rs, QStringLiteral("CodigoDoCliente"))));
            lblCliente->setCaption(
                QStringLiteral("Cliente*") +
                classeDoCliente(rt::CStr(campo(rs, QStringLiteral("VIP"))),
                                rt::CStr(campo(rs, QStringLiteral("CategoriaDaCurvaABC")))));
            ponto(6);
            rs.reset();
            ponto(16);
            resultado = true;
        } else if (registros > 1) {
            ponto(7);
            frmPesquisaDeClientes& lfrmPesquisa = frmPesquisaDeClientesPadrao();
            lfrmPesquisa.ConfigurarGrade();
            ponto(8);
            lfrmPesquisa.PreencherGrade(rs);
            ponto(9);
            Refresh();
            ponto(10);
            lfrmPesquisa.Show(vbModal);
            if (lfrmPesquisa.RegistroSelecionado()) {
                ponto(11);
                auto& grade = *lfrmPesquisa.msfgGrade;
                const std::int32_t linha = grade.RowSel();
                mbooClientePreenchido = true;
                for (QZFind* f :
                     {qzfCodigoDoCliente, qzfApelidoOuNomeFantasiaDoCliente, qzfNomeOuRazaoSocialDoCliente})
                    f->setStatus(qzFindNone);
                qzfCodigoDoCliente->setText(rt::NumberText(
                    rt::CDbl(Variant(grade.TextMatrix(linha, frmPesquisaDeClientes::kColCodigo)))));
                qzfApelidoOuNomeFantasiaDoCliente->setText(
                    grade.TextMatrix(linha, frmPesquisaDeClientes::kColApelidoOuNomeFantasia));
                qzfNomeOuRazaoSocialDoCliente->setText(
                    grade.TextMatrix(linha, frmPesquisaDeClientes::kColNomeOuRazaoSocial));
                lblCliente->setCaption(
                    QStringLiteral("Cliente*") +
                    classeDoCliente(grade.TextMatrix(linha, frmPesquisaDeClientes::kColClienteVIP),
                                    grade.TextMatrix(linha, frmPesquisaDeClientes::kColCategoriaDaCurvaABC)));
                ponto(12);
                rs.reset();
                lfrmPesquisa.Unload();
                ponto(16);
                resultado = true;
            } else {
                ponto(13);
                rs.reset();
                lfrmPesquisa.Unload();
                ponto(14);
                resultado = false;
            }
        } else {
            ponto(4);
            if (!rt::Trim(lstrApelidoOuNomeFantasia).isEmpty())
                informar(QStringLiteral("Nenhum cliente encontrado com o apelido ou nome fantasia '") +
                         lstrApelidoOuNomeFantasia + QStringLiteral("'."));
            else if (!rt::Trim(lstrNomeOuRazaoSocial).isEmpty())
                informar(QStringLiteral("Nenhum cliente encontrado com o nome ou razão social '") +
                         lstrNomeOuRazaoSocial + QStringLiteral("'."));
            else
                informar(QStringLiteral("Nenhum cliente encontrado com o código '") +
                         rt::NumberText(ldblCodigoDoCliente) + QStringLiteral("' informado."));
            // Selects what the user typed so it can be typed over at once.
            SendKeys(QStringLiteral("+({HOME})"));
            rs.reset();
            resultado = false;
        }
    }, [this] { FecharpicMensagemAposFalha(); });
    return resultado;
}

} // namespace creceber
