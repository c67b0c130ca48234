// frmLista: building the screen, its layout, the filter and the search, the
// refresh after a selection and the row commands. The grid and its paging
// are in frmLista_Grade.cpp.

#include "forms/list/frmLista.h"

#include "automation/LateBound.h"
#include "component/Procedimento.h"
#include "component/modFuncoes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "forms/Font.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/Window.h"
#include "forms/list/TelasDaLista.h"
#include "forms/print/frmImprimirContasAReceber.h"
#include "qz/Look.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <cmath>

#include <vector>

namespace creceber {

using namespace quva::forms;
using namespace quva::qz;
using quva::flexgrid::MSFlexGrid;
using quva::rt::Variant;
namespace rt = quva::rt;

namespace {

// Situation filter: text and the code Selecionar takes.
struct Situacao {
    const char16_t* texto;
    std::int32_t codigo;
};
constexpr Situacao kSituacoes[] = {
    {u"Todas as situações", 0}, {u"A vencer", 1}, {u"Vencida", 2}, {u"Baixada", 3}, {u"Recentes", 4},
};
constexpr std::int32_t kIndiceTodas = 0;
constexpr std::int32_t kIndiceRecentes = 4;

// A label picture of the situation column, drawn once as design data: a
// rounded badge in the suite's font, legible on both row colours.
QPixmap etiqueta(const QString& texto, const QColor& fundo) {
    constexpr int kLargura = 78, kAltura = 22;
    QPixmap p(kLargura, kAltura);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(fundo);
    pintor.drawRoundedRect(QRectF(0.5, 0.5, kLargura - 1, kAltura - 1), kAltura / 2.0, kAltura / 2.0);
    QFont fonte = makeFont(QString::fromLatin1(look::kFontName), 8, true);
    fonte.setPixelSize(11);
    pintor.setFont(fonte);
    pintor.setPen(Qt::white);
    pintor.drawText(p.rect(), Qt::AlignCenter, texto);
    return p;
}

// The wait picture of picMensagem.
QPixmap figuraDeEspera(int largura, int altura) {
    QPixmap p(largura, altura);
    p.fill(Qt::white);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(look::color(look::kBorder), 1));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(QRectF(0.5, 0.5, largura - 1, altura - 1));
    // A ring with a bright arc, the usual "working" sign.
    const QRectF anel(16, (altura - 26) / 2.0, 26, 26);
    pintor.setPen(QPen(look::color(look::kHover), 4));
    pintor.drawEllipse(anel);
    pintor.setPen(QPen(look::color(look::kAccent), 4, Qt::SolidLine, Qt::RoundCap));
    pintor.drawArc(anel, 90 * 16, -110 * 16);
    QFont fonte = makeFont(QString::fromLatin1(look::kFontName), 11, true);
    pintor.setFont(fonte);
    pintor.setPen(look::color(look::kText));
    pintor.drawText(QRect(56, 0, largura - 64, altura), Qt::AlignVCenter | Qt::AlignLeft,
                    QStringLiteral("Aguarde, pesquisando..."));
    return p;
}

void informar(const QString& texto) {
    MsgBox(texto, vbOKOnly + vbInformation, gstrNomeDaAplicacao);
}

// A list stays in the host's work area until the host destroys that window,
// even after gfrmLista refers to a newer list.
std::vector<std::shared_ptr<frmLista>>& listasAbertas() {
    static std::vector<std::shared_ptr<frmLista>> v;
    return v;
}

std::shared_ptr<frmListaBase> novaLista() {
    auto lista = std::make_shared<frmLista>();
    lista->Load();
    listasAbertas().push_back(lista);
    frmLista* p = lista.get();
    QObject::connect(lista->window(), &QObject::destroyed, [p] {
        // Later: the form is in the middle of noticing its window is gone.
        QTimer::singleShot(
            0, [p] { std::erase_if(listasAbertas(), [p](const auto& l) { return l.get() == p; }); });
    });
    return lista;
}

const bool kFabricaRegistrada = (DefinirFabricaDeLista(novaLista), true);

} // namespace

frmLista::frmLista() : Form(QStringLiteral("frmLista")) {
    (void)kFabricaRegistrada;
}

frmLista::~frmLista() = default;

std::array<QZCommandButton*, 5> frmLista::botoesDaLinha() const {
    return {qzcmdAlterar, qzcmdBaixar, qzcmdExcluir, qzcmdImprimir2ViaComprovanteDeBaixa,
            qzcmdImprimirCartaDeCobranca};
}

void frmLista::CreateControls() {
    setBorderStyle(0);
    setClientSize(15360, 9000);
    setBackColor(vbWhite);

    lblTitulo = add<Label>(QStringLiteral("lblTitulo"));
    lblTitulo->Move(300, 350, 6000, 555);
    lblTitulo->setBackStyle(0);
    lblTitulo->setFont(QStringLiteral("Arial"), 20.25, true);
    lblTitulo->setForeColor(look::kText);
    lblTitulo->setCaption(QStringLiteral("Contas a receber"));

    qzcmdAdicionar = add<QZCommandButton>(QStringLiteral("qzcmdAdicionar"));
    qzcmdAdicionar->Move(300, 1200, 1755, 420);
    qzcmdAdicionar->setStyle(qzHighlight);
    qzcmdAdicionar->setPicture(QStringLiteral("adicionar"));
    qzcmdAdicionar->setCaption(QStringLiteral("    Adicionar"));

    qzfndPesquisar = add<QZFind>(QStringLiteral("qzfndPesquisar"));
    // Find box, combo and print button end short of the bar's box on a 1024-pixel
    // screen with the menu's option panel beside the work area.
    qzfndPesquisar->Move(2155, 1200, 3000, 420);
    qzfndPesquisar->setToolTipText(
        QStringLiteral("Número de lançamento, histórico do conta a receber ou código, nome, apelido, nome "
                       "fantasia ou razão social do cliente"));

    qzcmbSituacao = add<QZComboBox>(QStringLiteral("qzcmbSituacao"));
    qzcmbSituacao->Move(5255, 1200, 2300, 420);

    qzcmdImprimirLista = add<QZCommandButton>(QStringLiteral("qzcmdImprimirLista"));
    qzcmdImprimirLista->Move(7655, 1200, 450, 420);
    qzcmdImprimirLista->setPicture(QStringLiteral("imprimir"));

    qznbBarraDeNavegacao = add<QZNavigationBar>(QStringLiteral("qznbBarraDeNavegacao"));
    qznbBarraDeNavegacao->Move(11400, 1065, 3840, 690);
    // The layout puts the bar 135 above the command row and its right edge
    // 180 past the grid's (120 from the form's edge against the grid's 300):
    // the bar draws its box inside those margins, level with both.
    qznbBarraDeNavegacao->widget()->setContentsMargins(0, toPixelsY(135), toPixelsX(180), toPixelsY(135));

    lblMensagemDeResultado = add<Label>(QStringLiteral("lblMensagemDeResultado"));
    lblMensagemDeResultado->Move(300, 1800, 9000, 450);
    lblMensagemDeResultado->setBackStyle(0);
    lblMensagemDeResultado->setFont(QStringLiteral("Arial Narrow"), 15.75);
    lblMensagemDeResultado->setForeColor(look::kMuted);
    lblMensagemDeResultado->setCaption(QStringLiteral("Mensagem de resultado"));
    lblMensagemDeResultado->setVisible(false);

    msfgGrade = add<MSFlexGrid>(QStringLiteral("msfgGrade"));
    msfgGrade->Move(300, 1750, 14760, 6450);
    msfgGrade->setCols(colunas::Total);
    msfgGrade->setScrollBars(quva::flexgrid::flexScrollBarVertical);
    msfgGrade->setSelectionMode(quva::flexgrid::flexSelectionByRow);
    msfgGrade->setHighLight(quva::flexgrid::flexHighlightNever);
    msfgGrade->setWordWrap(true);

    // The row buttons float over the grid, so they come after it.
    const struct {
        QZCommandButton** botao;
        const char* nome;
        const char* icone;
    } linha[] = {
        {&qzcmdAlterar, "qzcmdAlterar", "alterar"},
        {&qzcmdBaixar, "qzcmdBaixar", "baixar"},
        {&qzcmdExcluir, "qzcmdExcluir", "excluir"},
        {&qzcmdImprimir2ViaComprovanteDeBaixa, "qzcmdImprimir2ViaComprovanteDeBaixa", "comprovante"},
        {&qzcmdImprimirCartaDeCobranca, "qzcmdImprimirCartaDeCobranca", "carta"},
    };
    for (const auto& b : linha) {
        *b.botao = add<QZCommandButton>(QString::fromLatin1(b.nome));
        (*b.botao)->Move(0, 0, 600, 570);
        (*b.botao)->setPicture(QString::fromLatin1(b.icone));
        // The selected row's colour, so the text under a button does not show through.
        (*b.botao)->setBackColor(0xD9D9D9);
        (*b.botao)->setVisible(false);
    }

    picMensagem = add<PictureBox>(QStringLiteral("picMensagem"));
    picMensagem->setBorderStyle(0);
    picMensagem->Move(2155, 2450, 4500, 900);
    picMensagem->setPicture(figuraDeEspera(300, 60));
    picMensagem->setVisible(false);

    imgEtiqueta_Situacao_AVencer = add<Image>(QStringLiteral("imgEtiqueta_Situacao_AVencer"));
    imgEtiqueta_Situacao_AVencer->setPicture(etiqueta(QStringLiteral("A vencer"), QColor(0x2E, 0x7D, 0x32)));
    imgEtiqueta_Situacao_Vencido = add<Image>(QStringLiteral("imgEtiqueta_Situacao_Vencido"));
    imgEtiqueta_Situacao_Vencido->setPicture(etiqueta(QStringLiteral("Vencida"), QColor(0xC6, 0x28, 0x28)));
    imgEtiqueta_Situacao_Baixado = add<Image>(QStringLiteral("imgEtiqueta_Situacao_Baixado"));
    imgEtiqueta_Situacao_Baixado->setPicture(etiqueta(QStringLiteral("Baixada"), QColor(0x15, 0x65, 0xC0)));
    for (Image* img :
         {imgEtiqueta_Situacao_AVencer, imgEtiqueta_Situacao_Vencido, imgEtiqueta_Situacao_Baixado})
        img->setVisible(false);

    ligarEventos();
}

void frmLista::ligarEventos() {
    qzcmbSituacao->onClick = [this] { qzcmbSituacao_Click(); };
    qzfndPesquisar->onClick = [this] { qzfndPesquisar_Click(); };
    qzcmdAdicionar->onClick = [this] { qzcmdAdicionar_Click(); };
    qzcmdAlterar->onClick = [this] { qzcmdAlterar_Click(); };
    qzcmdBaixar->onClick = [this] { qzcmdBaixar_Click(); };
    qzcmdExcluir->onClick = [this] { qzcmdExcluir_Click(); };
    qzcmdImprimir2ViaComprovanteDeBaixa->onClick = [this] { qzcmdImprimir2ViaComprovanteDeBaixa_Click(); };
    qzcmdImprimirCartaDeCobranca->onClick = [this] { qzcmdImprimirCartaDeCobranca_Click(); };
    qzcmdImprimirLista->onClick = [this] { qzcmdImprimirLista_Click(); };
    qznbBarraDeNavegacao->onClick = [this](std::int32_t botao) { qznbBarraDeNavegacao_Click(botao); };
    msfgGrade->onSelChange = [this] { msfgGrade_SelChange(); };
    msfgGrade->onMouseMove = [this](std::int16_t b, std::int16_t s, Twips x, Twips y) {
        msfgGrade_MouseMove(b, s, x, y);
    };
}

float frmLista::LarguraDaTelaEmTwips() const {
    return Screen.Width();
}

std::int16_t frmLista::MontarExibirFormulario(std::int32_t AreaDeTrabalho_hWnd) {
    std::int16_t resultado = 0;
    Procedimento ponto(u", frmLista, MontarExibirFormulario, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        SetParent(hWnd(), AreaDeTrabalho_hWnd);

        ponto(2);
        PreencherComboBoxDeSituacao();
        mbooIgnorarEvento = true;
        qzcmbSituacao->setListIndex(kIndiceRecentes);
        const std::pair<QZCommandButton*, const char*> dicas[] = {
            {qzcmdImprimirLista, "Imprimir lista"},
            {qzcmdAlterar, "Alterar"},
            {qzcmdBaixar, "Baixar"},
            {qzcmdExcluir, "Excluir"},
            {qzcmdImprimir2ViaComprovanteDeBaixa, "Imprimir 2a. via do comprovante de baixa"},
            {qzcmdImprimirCartaDeCobranca, "Imprimir Carta de Cobrança"},
        };
        for (const auto& [botao, dica] : dicas) {
            botao->setStyle(qzFlat);
            botao->setToolTipText(QString::fromUtf8(dica));
        }

        ponto(3);
        ConfigurarGrade();

        ponto(4);
        Show(vbModeless);

        ponto(5);
        mobjCReceber = contratos::QUVA_N_CReceber::clsCReceber::Criar();

        // On failure the error was shown already; the grid stays hidden as
        // ConfigurarGrade left it.
        ponto(6);
        if (GerarLista() == 0) {
            mintPagina = 1;
            AtualizarObjetos(1);
            resultado = 0;
        } else {
            resultado = 1;
        }
    });
    return resultado;
}

void frmLista::PreencherComboBoxDeSituacao() {
    Procedimento ponto(u", frmLista, PreencherComboBoxDeSituacao, Ponto: ");
    ponto.executar([&] {
        std::int16_t passo = 0;
        for (const Situacao& s : kSituacoes) {
            ponto(++passo);
            qzcmbSituacao->AddItem(QString::fromUtf16(s.texto));
            qzcmbSituacao->setItemData(qzcmbSituacao->NewIndex(), s.codigo);
        }
    });
}

std::int16_t frmLista::GerarLista() {
    std::int16_t resultado = 0;
    Procedimento ponto(u", frmLista, GerarLista, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        const std::int32_t indice = qzcmbSituacao->ListIndex();
        const std::int32_t codigo = qzcmbSituacao->ItemData(indice);
        const QString texto = qzfndPesquisar->Text();

        ponto(2);
        const Variant r = mobjCReceber.Selecionar(1, mintRegistrosPorPagina, codigo, texto);

        if (rt::compare(r, Variant(std::int32_t(0))) == 0) {
            ponto(3);
            mbooListaFiltrada = codigo != 0 || qzfndPesquisar->Status() == qzFindSearch;
            resultado = 0;
        } else {
            ponto(4);
            RepassarFalhaDoComponente(mobjCReceber);
            resultado = 1;
        }
    });
    return resultado;
}

// Step 5 of both handlers: the first page of a filtered list, or the page
// the unfiltered list was on.
void frmLista::DepoisDaSelecao() {
    if (mbooListaFiltrada) {
        mintPagina = 1;
        AtualizarObjetos(1);
    } else {
        if (mintPaginaSemFiltro == 0) mintPaginaSemFiltro = 1;
        mintPagina = mintPaginaSemFiltro;
        AtualizarObjetos(0);
    }
}

// After a filter, search or command that failed midway, or whose refresh
// failed inside AtualizarObjetos: the form takes input again, the wait
// panel is gone, and the grid is enabled and shown unless the screen says
// nothing was found. A grid whose fill failed keeps its drawing suspended
// until the next fill.
void frmLista::restaurarTela() {
    if (!Enabled()) setEnabled(true);
    if (picMensagem->Visible()) picMensagem->setVisible(false);
    if (!msfgGrade->Enabled()) msfgGrade->setEnabled(true);
    // A grid never filled (the first selection failed) stays hidden.
    if (!msfgGrade->Visible() && !lblMensagemDeResultado->Visible() && msfgGrade->Rows() > 1)
        msfgGrade->setVisible(true);
}

void frmLista::qzcmbSituacao_Click() {
    Procedimento ponto(u", frmLista, qzcmbSituacao_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (mbooIgnorarEvento) {
            mbooIgnorarEvento = false;
            return;
        }

        ponto(2);
        ExibirOcultarpicMensagem(true);

        ponto(3);
        const std::int32_t codigo = qzcmbSituacao->ItemData(qzcmbSituacao->ListIndex());
        if (!mbooListaFiltrada && codigo != 0) {
            auto selecao = mobjCReceber.ResultadoDaSelecaoEmRecordSet();
            mintPaginaSemFiltro = rt::CInt(quva::automation::get(selecao, QStringLiteral("AbsolutePage")));
        }

        ponto(4);
        GerarLista();

        ponto(5);
        DepoisDaSelecao();
    }, [this] { restaurarTela(); });
}

void frmLista::qzfndPesquisar_Click() {
    Procedimento ponto(u", frmLista, qzfndPesquisar_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (mbooIgnorarEvento) {
            mbooIgnorarEvento = false;
            return;
        }

        ponto(2);
        ExibirOcultarpicMensagem(true);

        ponto(3);
        if (!mbooListaFiltrada && qzfndPesquisar->Status() == qzFindSearch) {
            auto selecao = mobjCReceber.ResultadoDaSelecaoEmRecordSet();
            mintPaginaSemFiltro = rt::CInt(quva::automation::get(selecao, QStringLiteral("AbsolutePage")));
        }

        // A search runs over all receivables; clearing it goes back to the recent ones.
        ponto(4);
        if (qzfndPesquisar->Status() == qzFindSearch && qzcmbSituacao->ListIndex() == kIndiceRecentes) {
            mbooIgnorarEvento = true;
            qzcmbSituacao->setListIndex(kIndiceTodas);
        } else if (qzfndPesquisar->Status() == qzFindClear && qzcmbSituacao->ListIndex() <= kIndiceTodas) {
            mbooIgnorarEvento = true;
            qzcmbSituacao->setListIndex(kIndiceRecentes);
        }

        ponto(5);
        GerarLista();
        DepoisDaSelecao();
    }, [this] { restaurarTela(); });
}

// The list's own wait panel: the whole form takes no input while it shows.
// No handler: a failure belongs to the caller.
void frmLista::ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem) {
    if (lbooExibirOcultarpicMensagem) {
        setEnabled(false);
        ocultarBotoesDaLinha();
        msfgGrade->setVisible(false);
        PosicionarpicMensagem();
        picMensagem->setVisible(true);
        Variant duracao = std::int16_t(1);
        Pausar(duracao);
    } else {
        setEnabled(true);
        picMensagem->setVisible(false);
        msfgGrade->setVisible(true);
    }
}

void frmLista::PosicionarpicMensagem() {
    picMensagem->ZOrder(0);
    picMensagem->setTop(msfgGrade->Top() + float(msfgGrade->RowHeight(0)));
}

void frmLista::AtualizarObjetos(std::int32_t lngCodigo) {
    Procedimento ponto(u", frmLista, AtualizarObjetos, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        PreencherGrade();

        ponto(2);
        const rt::Object selecao = mobjCReceber.ResultadoDaSelecaoEmRecordSet();

        ponto(3);
        if (picMensagem->Visible()) ExibirOcultarpicMensagem(false);

        ponto(4);
        const std::int32_t total = rt::CLng(quva::automation::get(selecao, QStringLiteral("RecordCount")));
        if (total > 0) {
            for (Control* c :
                 std::initializer_list<Control*>{qzcmdAdicionar, qzfndPesquisar, qzcmbSituacao,
                                                 qzcmdImprimirLista, qznbBarraDeNavegacao, msfgGrade})
                c->setVisible(true);
            lblMensagemDeResultado->setVisible(false);
        } else {
            qzcmdAdicionar->setVisible(true);
            // Nothing registered at all: only "Adicionar" makes sense.
            const bool nadaCadastrado =
                qzfndPesquisar->Status() != qzFindSearch && qzcmbSituacao->ListIndex() == kIndiceTodas;
            qzfndPesquisar->setVisible(!nadaCadastrado);
            qzcmbSituacao->setVisible(!nadaCadastrado);
            qznbBarraDeNavegacao->setVisible(false);
            msfgGrade->setVisible(false);
            lblMensagemDeResultado->setCaption(QStringLiteral("Nenhuma contas a receber encontrada."));
            lblMensagemDeResultado->setVisible(true);
        }
        // The fill leaves the grid's selection on its last row, not on the row
        // the buttons were over: they wait for the pointer to pick a row again.
        ocultarBotoesDaLinha();

        ponto(5);
        AtualizarBarraDeNavegacao(lngCodigo);

        ponto(6);
        if (msfgGrade->Visible()) {
            msfgGrade->SetFocus();
            msfgGrade->setCol(0);
            msfgGrade->setRow(msfgGrade->RowSel());
        }
    });
}

// As when the pointer leaves the rows; forgetting the row makes the next
// move over any row select it and bring the buttons back.
void frmLista::ocultarBotoesDaLinha() {
    for (auto* b : botoesDaLinha())
        b->setVisible(false);
    msfgGrade->setHighLight(quva::flexgrid::flexHighlightNever);
    sintLinhaSobOMouse = 0;
}

// The card and the settlement view read the selected row themselves; the
// list only looks at whether it is settled.
bool frmLista::linhaBaixada() const {
    return !msfgGrade->TextMatrix(msfgGrade->RowSel(), colunas::DataDaBaixa).isEmpty();
}

// The commands disable the grid around every modal screen and message they
// open; restaurarTela() enables it again if one of them fails midway.

void frmLista::qzcmdAdicionar_Click() {
    Procedimento ponto(u", frmLista, qzcmdAdicionar_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        auto ficha = NovaFichaDaLista();
        if (!ficha) return;
        ficha->MontarExibirFormulario(1);

        ponto(2);
        if (ficha->OperacaoConcluida()) {
            GerarLista();
            AtualizarObjetos(5);
        }

        ponto(3);
        ficha->Descarregar();
    }, [this] { restaurarTela(); });
}

void frmLista::qzcmdAlterar_Click() {
    Procedimento ponto(u", frmLista, qzcmdAlterar_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (!linhaBaixada()) {
            ponto(2);
            auto ficha = NovaFichaDaLista();
            if (!ficha) return;
            msfgGrade->setEnabled(false);
            ficha->MontarExibirFormulario(3);

            ponto(3);
            msfgGrade->setEnabled(true);
            if (ficha->OperacaoConcluida()) {
                GerarLista();
                AtualizarObjetos(5);
            }

            ponto(4);
            ficha->Descarregar();
        } else {
            ponto(5);
            auto baixar = NovoBaixarDaLista();
            if (!baixar) return;
            msfgGrade->setEnabled(false);
            baixar->MontarExibirFormulario(2);

            ponto(6);
            msfgGrade->setEnabled(true);
            baixar->Descarregar();
        }
    }, [this] { restaurarTela(); });
}

void frmLista::qzcmdExcluir_Click() {
    Procedimento ponto(u", frmLista, qzcmdExcluir_Click, Ponto: ");
    ponto.executar([&] {
        // The card decides what may be deleted.
        ponto(1);
        auto ficha = NovaFichaDaLista();
        if (!ficha) return;
        msfgGrade->setEnabled(false);
        ficha->MontarExibirFormulario(4);

        ponto(2);
        msfgGrade->setEnabled(true);
        if (ficha->OperacaoConcluida()) {
            GerarLista();
            AtualizarObjetos(6);
        }

        ponto(3);
        ficha->Descarregar();
    }, [this] { restaurarTela(); });
}

void frmLista::qzcmdBaixar_Click() {
    Procedimento ponto(u", frmLista, qzcmdBaixar_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (!linhaBaixada()) {
            // Settling is done at the cash desk, not here.
            ponto(2);
            msfgGrade->setEnabled(false);
            const QString& crlf = rt::vbCrLf;
            const QString& tab = rt::vbTab;
            informar(QStringLiteral("Para receber esta contas, siga os passos abaixo: ") + crlf + crlf + tab +
                     QStringLiteral("1. Clique no menu 'Caixa'.") + crlf + crlf + tab +
                     QStringLiteral("2. Selecione a opção 'Débitos de cliente' no menu a esquerda.") + crlf +
                     crlf + tab + QStringLiteral("3. Informe o código de cliente: ") +
                     msfgGrade->TextMatrix(msfgGrade->RowSel(), colunas::CodigoDoCliente));
            msfgGrade->setEnabled(true);
        } else {
            ponto(3);
            auto baixar = NovoBaixarDaLista();
            if (!baixar) return;
            msfgGrade->setEnabled(false);
            baixar->MontarExibirFormulario(2);

            ponto(4);
            msfgGrade->setEnabled(true);
            baixar->Descarregar();
        }
    }, [this] { restaurarTela(); });
}

void frmLista::qzcmdImprimir2ViaComprovanteDeBaixa_Click() {
    Procedimento ponto(u", frmLista, qzcmdImprimir2ViaComprovanteDeBaixa_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (!linhaBaixada()) {
            ponto(2);
            informar(QStringLiteral(
                "Esta conta não está baixada e não pode emitir a '2a. via do comprovante de baixa'"));
        } else {
            ponto(3);
            msfgGrade->setEnabled(false);
            Imprimir2aViaDoComprovanteDePagamento();
            msfgGrade->setEnabled(true);
        }
    }, [this] { restaurarTela(); });
}

void frmLista::qzcmdImprimirCartaDeCobranca_Click() {
    Procedimento ponto(u", frmLista, qzcmdImprimirCartaDeCobranca_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        if (linhaBaixada()) {
            ponto(2);
            informar(
                QStringLiteral("Esta conta já foi recebida e não pode ser enviada a 'Carta de cobrança'"));
            return;
        }

        ponto(3);
        const Variant vencimento = msfgGrade->TextMatrix(msfgGrade->RowSel(), colunas::DataDeVencimento);
        const std::int32_t dias = rt::DateDiffDays(rt::CDate(vencimento), rt::Today());
        if (dias >= 1) {
            ponto(4);
            msfgGrade->setEnabled(false);
            ImprimirCartaDeCobranca();
            msfgGrade->setEnabled(true);
        } else {
            ponto(5);
            informar(
                QStringLiteral("Esta conta não está vencida e não pode ser enviada a 'Carta de cobrança'"));
        }
    }, [this] { restaurarTela(); });
}

void frmLista::qzcmdImprimirLista_Click() {
    Procedimento ponto(u", frmLista, qzcmdImprimirLista_Click, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        Registros_Imprimir();
    });
}

void frmLista::Registros_Imprimir() {
    Procedimento ponto(u", frmLista, Registros_Imprimir, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        frmImprimirContasAReceber::Instancia().MontarExibirFormulario(Variant(qzfndPesquisar->Text()));
    });
}

void frmLista::Form_Resize() {
    Procedimento ponto(u", frmLista, Form_Resize, Ponto: ");
    ponto.executar([&] {
        ponto(1);
        lblTitulo->setTop(350);
        lblTitulo->setLeft(ScaleLeft() + 300);

        ponto(2);
        qzcmdAdicionar->setTop(lblTitulo->Top() + 850);
        qzcmdAdicionar->setLeft(lblTitulo->Left());

        ponto(3);
        Control* anterior = qzcmdAdicionar;
        for (Control* c :
             std::initializer_list<Control*>{qzfndPesquisar, qzcmbSituacao, qzcmdImprimirLista}) {
            c->setTop(qzcmdAdicionar->Top());
            c->setLeft(anterior->Left() + anterior->Width() + 100);
            anterior = c;
        }

        ponto(4);
        qznbBarraDeNavegacao->setTop(qzcmdAdicionar->Top() - 135);
        qznbBarraDeNavegacao->setLeft(ScaleWidth() - qznbBarraDeNavegacao->Width() - 120);

        ponto(5);
        lblMensagemDeResultado->setTop(qzcmdAdicionar->Top() + 600);
        lblMensagemDeResultado->setLeft(qzcmdAdicionar->Left());
        picMensagem->setLeft(qzfndPesquisar->Left());

        ponto(6);
        msfgGrade->setRedraw(false);
        msfgGrade->setTop(qzcmdAdicionar->Top() + 550);
        msfgGrade->setLeft(qzcmdAdicionar->Left());
        msfgGrade->setWidth(ScaleWidth() - 600);
        msfgGrade->setHeight(ScaleHeight() - 800);
        msfgGrade->setRedraw(true);

        ponto(7);
        mintTwipsPorPixelX = rt::CInt(Variant(Screen.TwipsPerPixelX()));
        mdblLarguraDaTelaEmPixels = double(LarguraDaTelaEmTwips()) / mintTwipsPorPixelX;

        ponto(8);
        const double largura = Width();
        if (mdblLarguraDaTelaEmPixels <= 1024) {
            msfgGrade->setColWidth(colunas::NomeOuRazaoSocialDoCliente, 2560);
            msfgGrade->setColWidth(colunas::Historico, rt::CLng(Variant(largura - (13115 - 2560) + 1440)));
            msfgGrade->setColWidth(colunas::CodigoDoCliente, 0);
        } else {
            msfgGrade->setColWidth(colunas::Historico, rt::CLng(Variant(largura - 13115)));
        }

        ponto(9);
        const std::int16_t porPaginaAntes = mintRegistrosPorPagina;
        mintRegistrosPorPagina = rt::CInt(Variant(std::floor((double(msfgGrade->Height()) - 700) / 650)));

        ponto(10);
        if (mintRegistrosPorPagina != porPaginaAntes) RepaginarDoPrimeiroRegistro();
    });
}

} // namespace creceber
