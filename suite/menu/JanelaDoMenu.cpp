#include "suite/menu/JanelaDoMenu.h"

#include "suite/menu/Telas.h"

#include "automation/LateBound.h"
#include "automation/Server.h"
#include "forms/Control.h"
#include "forms/MsgBox.h"
#include "forms/Window.h"
#include "runtime/Errors.h"
#include "suite/storage/Banco.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace quva::suite::menu {

using automation::Args;

namespace {
const QString kReceber = QStringLiteral("QUVA_A_CReceber.clsCReceber");
}

QString nomeDaAplicacao() {
    return QStringLiteral("QUVA - Gestão Comercial");
}

void prepararAplicacao() {
    QCoreApplication::setApplicationName(QStringLiteral("quva-menu"));
    forms::setUnhandledFailureHandler(forms::runTimeErrorBox(nomeDaAplicacao()));
}

const QMap<QString, QString>& telasDeAbertura() {
    static const QMap<QString, QString> telas{
        {QStringLiteral("contas-a-receber"), QStringLiteral("Contas a receber")},
        {QStringLiteral("ficha"), QStringLiteral("Nova conta a receber")},
        {QStringLiteral("clientes"), QStringLiteral("Clientes")},
        {QStringLiteral("empresa"), QStringLiteral("Empresa")},
        {QStringLiteral("debitos"), QStringLiteral("Débitos de cliente")}};
    return telas;
}

// The database must exist: a mistyped file name would otherwise start the
// clerk on a new, empty database without a word.
QString prepararBanco() {
    const QString conexao = Banco::conexaoConfigurada();
    if (!Banco::ehPostgreSQL(conexao) && !QFileInfo::exists(conexao))
        throw ErroDoBanco(
            QStringLiteral("O banco de dados %1 não existe.\n\nConfira QUVA_DATABASE (ou banco/conexao "
                           "em %2), ou crie-o com: quva-suite init (e, para dados de "
                           "demonstração, quva-suite demo).")
                .arg(conexao, Banco::arquivoDeConfiguracao()));
    return Banco::abrir()->conexaoExibida();
}

clsDadosDoUsuario::clsDadosDoUsuario(QString nome, std::int32_t codigo)
    : DispatchObject(QStringLiteral("clsDadosDoUsuario")), m_nome(std::move(nome)), m_codigo(codigo) {
    property(QStringLiteral("NomeDoUsuario"), [this](Args) { return rt::Variant(m_nome); }, {});
    property(QStringLiteral("CodigoDoUsuario"), [this](Args) { return rt::Variant(m_codigo); }, {});
}

frmMenu::frmMenu(QString usuario) : m_usuario(std::move(usuario)) {
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(nomeDaAplicacao());
    m_dados = std::make_shared<clsDadosDoUsuario>(m_usuario, 1);

    auto* centro = new QWidget(this);
    centro->setObjectName(QStringLiteral("picFundo"));
    m_guias = new QTabBar(centro);
    m_guias->setObjectName(QStringLiteral("tabGuias"));
    m_guias->setDrawBase(true);
    m_guias->setExpanding(false);
    m_guias->addTab(QStringLiteral("Cadastros"));
    m_guias->addTab(QStringLiteral("Caixa"));
    m_guias->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 7px 22px; font-size: 11pt; }"));
    m_opcoes = new QListWidget(centro);
    m_opcoes->setObjectName(QStringLiteral("lstOpcoes"));
    m_opcoes->setFixedWidth(210);
    m_opcoes->setStyleSheet(QStringLiteral(
        "QListWidget { background: #f2f2f2; border: none; border-right: 1px solid #d9d9d9; "
        "font-size: 11pt; outline: none; padding-left: 6px; } QListWidget::item { color: #303030; } "
        "QListWidget::item:selected { background: #dde6f0; color: #101010; }"));

    m_area = new QStackedWidget(centro);
    m_area->setObjectName(QStringLiteral("picAreaDeTrabalho"));
    auto* inicio = new QLabel(QStringLiteral("Escolha uma opção no menu à esquerda."), m_area);
    inicio->setAlignment(Qt::AlignCenter);
    inicio->setStyleSheet(QStringLiteral("color: #808080; font-size: 13pt;"));
    m_area->addWidget(inicio);
    m_areaDaLista = new QWidget(m_area);
    m_areaDaLista->setObjectName(QStringLiteral("picAreaDaLista"));
    // Narrower than this the list cannot lay out its grid (it needs less on
    // screens up to 1024 pixels) and reports a failure from inside the
    // resize, which Qt does not survive when the window is resized again
    // while the error window is open.
    const QScreen* tela = QGuiApplication::primaryScreen();
    m_areaDaLista->setMinimumSize(tela && tela->size().width() <= 1024 ? 620 : 890, 480);
    m_semLista = new QWidget(m_areaDaLista);
    m_semLista->setObjectName(QStringLiteral("picSemLista"));
    // It may have to cover what a failed opening left in the area.
    m_semLista->setAutoFillBackground(true);
    auto* semLista = new QVBoxLayout(m_semLista);
    m_avisoDaLista = new QLabel(m_semLista);
    m_avisoDaLista->setWordWrap(true);
    m_avisoDaLista->setAlignment(Qt::AlignCenter);
    auto* tentar = new QPushButton(QStringLiteral("Abrir novamente"), m_semLista);
    semLista->addStretch(1);
    semLista->addWidget(m_avisoDaLista);
    semLista->addWidget(tentar, 0, Qt::AlignCenter);
    semLista->addStretch(1);
    auto* areaDaLista = new QVBoxLayout(m_areaDaLista);
    areaDaLista->setContentsMargins(0, 0, 0, 0);
    areaDaLista->addWidget(m_semLista);
    m_area->addWidget(m_areaDaLista);
    m_clientes = new TelaDeClientes(m_area);
    m_area->addWidget(m_clientes);
    m_empresa = new TelaDaEmpresa(m_area);
    m_area->addWidget(m_empresa);
    m_debitos = new TelaDeDebitos(m_usuario, m_area);
    m_area->addWidget(m_debitos);

    auto* corpo = new QHBoxLayout;
    corpo->setContentsMargins(0, 0, 0, 0);
    corpo->setSpacing(0);
    corpo->addWidget(m_opcoes);
    corpo->addWidget(m_area, 1);
    auto* tudo = new QVBoxLayout(centro);
    tudo->setContentsMargins(0, 4, 0, 0);
    tudo->setSpacing(0);
    tudo->addWidget(m_guias);
    tudo->addLayout(corpo, 1);
    setCentralWidget(centro);
    statusBar()->showMessage(QStringLiteral("Usuário: %1").arg(m_usuario));
    resize(1280, 760);

    m_guiasEOpcoes = {
        {{QStringLiteral("Contas a receber"), [this] { abrirLista(); }},
         {QStringLiteral("Nova conta a receber"), [this] { abrirFicha(); }},
         {QStringLiteral("Clientes"), [this] { mostrar(Clientes); }},
         {QStringLiteral("Empresa"), [this] { mostrar(Empresa); }}},
        {{QStringLiteral("Débitos de cliente"), [this] { mostrar(Debitos); }}},
    };
    connect(m_guias, &QTabBar::currentChanged, this, [this](int i) { preencherOpcoes(i); });
    connect(m_opcoes, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto& opcoes = m_guiasEOpcoes[std::size_t(m_guias->currentIndex())];
        const int i = m_opcoes->row(item);
        if (i >= 0 && i < int(opcoes.size())) opcoes[std::size_t(i)].acao();
    });
    connect(tentar, &QPushButton::clicked, this, [this] {
        // What a failed opening left goes with the component that built it.
        for (QWidget* w : listasEmbutidas())
            delete w;
        m_componente.reset();
        abrirLista();
    });
    preencherOpcoes(0);
}

frmMenu::~frmMenu() {
    // The embedded list belongs to the component: let it go first.
    delete m_areaDaLista;
    m_componente.reset();
}

bool frmMenu::escolher(const QString& texto) {
    for (std::size_t g = 0; g < m_guiasEOpcoes.size(); ++g)
        for (std::size_t i = 0; i < m_guiasEOpcoes[g].size(); ++i)
            if (m_guiasEOpcoes[g][i].texto == texto) {
                m_guias->setCurrentIndex(int(g));
                m_opcoes->setCurrentRow(int(i));
                m_guiasEOpcoes[g][i].acao();
                return true;
            }
    return false;
}

// One list per work area: while the area holds one, even one whose opening
// failed halfway, choosing the option shows what the area holds.
void frmMenu::abrirLista() {
    mostrar(ContasAReceber);
    selecionarOpcao(QStringLiteral("Contas a receber"));
    if (listaEmbutida()) return;
    if (!componente()) {
        semLista(QStringLiteral("O componente de contas a receber não está disponível."));
        return;
    }
    m_semLista->hide();
    try {
        automation::call(m_componente, QStringLiteral("AbrirLista"), std::int32_t(forms::hWnd(this)),
                         std::int32_t(forms::hWnd(m_areaDaLista)));
    } catch (const rt::RuntimeError& e) {
        semLista(QStringLiteral("Não foi possível abrir a lista de contas a receber.\n%1 (%2)")
                     .arg(e.description())
                     .arg(e.number()));
        return;
    }
    // The component reports its own failures and returns normally; what
    // tells whether the list came is a window in the area.
    if (!listaEmbutida()) semLista(QStringLiteral("A lista de contas a receber não pôde ser aberta."));
}

void frmMenu::abrirFicha() {
    if (!componente()) return;
    try {
        automation::call(m_componente, QStringLiteral("AbrirFicha"));
    } catch (const rt::RuntimeError& e) {
        forms::MsgBox(QStringLiteral("Não foi possível abrir a ficha de conta a receber.\n%1 (%2)")
                          .arg(e.description())
                          .arg(e.number()),
                      forms::vbCritical, nomeDaAplicacao());
    }
}

void frmMenu::preencherOpcoes(int guia) {
    m_opcoes->clear();
    for (const Opcao& o : m_guiasEOpcoes[std::size_t(guia)]) {
        auto* item = new QListWidgetItem(QStringLiteral("  ") + o.texto, m_opcoes);
        item->setSizeHint(QSize(0, 38));
    }
}

void frmMenu::selecionarOpcao(const QString& texto) {
    const auto itens = m_opcoes->findItems(QStringLiteral("  ") + texto, Qt::MatchExactly);
    if (!itens.isEmpty()) m_opcoes->setCurrentItem(itens.front());
}

void frmMenu::mostrar(Pagina p) {
    m_area->setCurrentIndex(p);
    if (p == Clientes) m_clientes->pesquisar();
    if (p == Empresa) m_empresa->carregar();
}

QList<QWidget*> frmMenu::listasEmbutidas() const {
    QList<QWidget*> r;
    for (QWidget* w : m_areaDaLista->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != m_semLista && forms::isEmbedded(w)) r << w;
    return r;
}

bool frmMenu::listaEmbutida() const {
    return !listasEmbutidas().isEmpty();
}

void frmMenu::semLista(const QString& aviso) {
    m_avisoDaLista->setText(aviso);
    m_semLista->show();
    m_semLista->raise();
}

// The component, created on first use and kept: its list lives on in the
// work area.
const rt::Object& frmMenu::componente() {
    if (m_componente) return m_componente;
    try {
        rt::Object c = automation::CreateObject(kReceber);
        automation::set(c, QStringLiteral("DadosDoUsuario"), rt::Object(m_dados));
        automation::let(c, QStringLiteral("NomeDaAplicacao"), nomeDaAplicacao());
        m_componente = std::move(c);
    } catch (const rt::RuntimeError& e) {
        forms::MsgBox(QStringLiteral("Não foi possível criar %1.\n%2 (%3)\n\nRegistre os componentes "
                                     "com: quva-suite register")
                          .arg(kReceber, e.description())
                          .arg(e.number()),
                      forms::vbCritical, nomeDaAplicacao());
    }
    return m_componente;
}

} // namespace quva::suite::menu
