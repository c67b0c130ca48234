#include "forms/shell/FormularioDoComponente.h"

#include "component/modFuncoes.h"
#include "component/modFundoEscuro.h"
#include "component/modPrincipal.h"
#include "contracts/QUVA_N_SO.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace creceber {

using namespace quva::forms;
using quva::rt::Variant;

namespace {

QString local(const QString& modulo, const QString& procedimento) {
    return QStringLiteral(", ") + modulo + QStringLiteral(", ") + procedimento + QStringLiteral(", Ponto: ");
}

const char16_t* comoTexto(const QString& s) {
    return reinterpret_cast<const char16_t*>(s.utf16());
}

// Only the exact name counts, in any letter case; a Null answer is no match.
bool ehWindows8(const Variant& versao) {
    if (versao.isNull()) return false;
    return quva::rt::UCase(quva::rt::CStr(versao)) == quva::rt::UCase(QStringLiteral("Windows 8"));
}

void pausarUmSegundo() {
    Variant duracao = std::int16_t(1);
    Pausar(duracao);
}

QPixmap desenharPainelDeEspera() {
    // 96 dpi pixels: 4200 × 1080 twips.
    const QSize tamanho(280, 72);
    QPixmap imagem(tamanho);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor azul(31, 111, 178);
    const QColor azulClaro(232, 240, 248);
    const QColor cinza(96, 96, 96);

    // Card with a soft edge and an accent strip on the left.
    const QRectF cartao(0.5, 0.5, tamanho.width() - 1.0, tamanho.height() - 1.0);
    p.setPen(QPen(QColor(198, 203, 209), 1));
    p.setBrush(Qt::white);
    p.drawRect(cartao);
    p.fillRect(QRectF(1, 1, 5, tamanho.height() - 2), azul);

    // A ring of twelve dots fading round, like a spinner caught mid-turn.
    const QPointF centro(38, tamanho.height() / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(azulClaro);
    p.drawEllipse(centro, 22, 22);
    for (int i = 0; i < 12; ++i) {
        const double angulo = (i * 30.0 - 90.0) * M_PI / 180.0;
        QColor c = azul;
        c.setAlphaF(0.2 + 0.8 * (i / 11.0));
        p.setBrush(c);
        const QPointF ponto(centro.x() + 14 * std::cos(angulo), centro.y() + 14 * std::sin(angulo));
        p.drawEllipse(ponto, 2.6, 2.6);
    }

    QFont titulo(QStringLiteral("Arial"));
    titulo.setPixelSize(20);
    titulo.setBold(true);
    p.setFont(titulo);
    p.setPen(azul);
    p.drawText(QRectF(74, 12, tamanho.width() - 84, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Aguarde..."));

    QFont linha(QStringLiteral("Arial"));
    linha.setPixelSize(13);
    p.setFont(linha);
    p.setPen(cinza);
    p.drawText(QRectF(74, 38, tamanho.width() - 84, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Processando as informações"));
    return imagem;
}

} // namespace

ProcedimentoDoFormulario::ProcedimentoDoFormulario(const QString& modulo, const QString& procedimento)
    : TextoDoLocal{local(modulo, procedimento)}, Procedimento(comoTexto(texto)) {}

FormularioDoComponente::FormularioDoComponente(const QString& nomeDoModulo, Variante variante)
    : Form(nomeDoModulo), m_variante(variante) {}

QString FormularioDoComponente::TextoDoLocalDe(const QString& procedimento) const {
    return local(Name(), procedimento);
}

QPixmap FormularioDoComponente::ImagemDopicMensagem() {
    static const QPixmap imagem = desenharPainelDeEspera();
    return imagem;
}

void FormularioDoComponente::Form_Load() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Load"));
    ponto.executar([&] { AdicionarMolduraDoWindows8(ponto, kCarregamentoPadrao); });
}

void FormularioDoComponente::Form_Resize() {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Resize"));
    ponto.executar([] {});
}

void FormularioDoComponente::AdicionarMolduraDoWindows8(Procedimento& ponto,
                                                        const PassosDoCarregamento& passos) {
    ponto(passos.criacao);
    auto lobjObterVersaoDoSO = contratos::QUVA_N_SO::clsObterVersaoDoSO::Criar();
    ponto(passos.comparacao);
    if (ehWindows8(lobjObterVersaoDoSO.ObterversaoDoSO())) {
        ponto(passos.moldura);
        // The new shape keeps its defaults: a transparent rectangle with a
        // one-pixel window-text outline along the inner edge.
        Control& lshpObj = Controls().Add(QStringLiteral("VB.Shape"), QStringLiteral("lshpObj"));
        lshpObj.setVisible(true);
        lshpObj.setTop(ScaleTop());
        lshpObj.setLeft(ScaleLeft());
        lshpObj.setHeight(ScaleHeight());
        lshpObj.setWidth(ScaleWidth());
    } else if (passos.semMoldura != 0) {
        ponto(passos.semMoldura);
    }
    ponto(passos.liberacao);
    lobjObterVersaoDoSO.Liberar();
}

void FormularioDoComponente::CriarpicMensagem(Control* container) {
    const QPixmap imagem = ImagemDopicMensagem();
    picMensagem = add<PictureBox>(QStringLiteral("picMensagem"), container);
    picMensagem->setBorderStyle(0);
    picMensagem->setBackColor(vbWhite);
    picMensagem->setPicture(imagem);
    picMensagem->Move(0, 0, toTwipsX(imagem.width()), toTwipsY(imagem.height()));
    picMensagem->setTabStop(false);
    picMensagem->setVisible(false);
}

void FormularioDoComponente::ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem) {
    if (m_variante == Variante::Dialogo)
        ExibirOcultarDialogo(lbooExibirOcultarpicMensagem);
    else
        ExibirOcultarPadrao(lbooExibirOcultarpicMensagem);
}

void FormularioDoComponente::ExibirOcultarPadrao(bool exibir) {
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("ExibirOcultarpicMensagem"));
    ponto.executar([&] {
        ponto(1);
        if (painel().Visible() == exibir) return;
        ponto(2);
        if (exibir) {
            ponto(3);
            CentralizarpicMensagem();
            painel().setVisible(true);
            pausarUmSegundo();
        } else {
            ponto(4);
            painel().setVisible(false);
            setMousePointer(vbDefault);
            Repintar();
        }
    });
}

// No handler: a failure belongs to the calling procedure.
void FormularioDoComponente::ExibirOcultarDialogo(bool exibir) {
    if (!Visible()) return;
    if (exibir) {
        setEnabled(false);
        CentralizarpicMensagem();
        painel().setVisible(true);
        pausarUmSegundo();
    } else {
        setEnabled(true);
        painel().setVisible(false);
    }
}

void FormularioDoComponente::FecharpicMensagemAposFalha() {
    if (picMensagem && picMensagem->Visible()) ExibirOcultarpicMensagem(false);
}

void FormularioDoComponente::CentralizarpicMensagem() {
    if (m_variante == Variante::Dialogo) {
        Centralizar(nullptr);
        return;
    }
    ProcedimentoDoFormulario ponto(Name(), QStringLiteral("CentralizarpicMensagem"));
    ponto.executar([&] { Centralizar(&ponto); });
}

// Outer sizes on purpose: with a title bar the panel sits half its height
// below the centre of the inner area.
void FormularioDoComponente::Centralizar(Procedimento* ponto) {
    auto passo = [ponto](std::int16_t n) {
        if (ponto) (*ponto)(n);
    };
    passo(1);
    painel().ZOrder(0);
    passo(2);
    painel().setTop((Height() - painel().Height()) / 2);
    passo(3);
    painel().setLeft(Width() / 2 - painel().Width() / 2);
}

PictureBox& FormularioDoComponente::painel() const {
    if (!picMensagem) quva::rt::raise(quva::rt::err::ObjectNotSet);
    return *picMensagem;
}

void FormularioDoComponente::Repintar() {
    Refresh();
}

void FormularioDoComponente::ExibirModalSobreOMenu(Procedimento& ponto, const EntradaModal& entrada) {
    ponto(entrada.aplicar);
    AplicarFundoEscuro(glngFormularioDoMenu_hWnd);
    if (entrada.depoisDeEscurecer) entrada.depoisDeEscurecer();
    ponto(entrada.exibir);
    Show(vbModal);
    ponto(entrada.remover);
    if (entrada.atualizarLista) {
        DoEvents();
        if (auto* lista = dynamic_cast<Form*>(gfrmLista.get())) lista->Refresh();
    }
    RemoverFundoEscuro(glngFormularioDoMenu_hWnd);
}

} // namespace creceber
