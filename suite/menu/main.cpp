// quva-menu: the suite's menu application, as a clerk starts it. Tabs on
// top ("Cadastros", "Caixa"), the tab's options in a menu on the left, and
// the work area on the right, where the receivables component embeds its
// list and the menu shows its own screens.

#include "suite/cli/Administracao.h"
#include "suite/menu/Telas.h"

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Server.h"
#include "forms/Window.h"
#include "runtime/Errors.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"
#include "suite/storage/Demonstracao.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace {

using namespace quva;
using automation::Args;

const QString kNomeDaAplicacao = QStringLiteral("QUVA - Gestão Comercial");
const QString kReceber = QStringLiteral("QUVA_A_CReceber.clsCReceber");

// The logged-in user, as the components receive it.
class clsDadosDoUsuario : public automation::DispatchObject {
public:
    clsDadosDoUsuario(QString nome, std::int32_t codigo)
        : DispatchObject(QStringLiteral("clsDadosDoUsuario")), m_nome(std::move(nome)), m_codigo(codigo) {
        property(QStringLiteral("NomeDoUsuario"), [this](Args) { return rt::Variant(m_nome); }, {});
        property(QStringLiteral("CodigoDoUsuario"), [this](Args) { return rt::Variant(m_codigo); }, {});
    }

private:
    QString m_nome;
    std::int32_t m_codigo;
};

enum Pagina { Inicio, ContasAReceber, Clientes, Empresa, Debitos };

struct Opcao {
    QString texto;
    std::function<void()> acao;
};

class frmMenu : public QMainWindow {
public:
    explicit frmMenu(QString usuario) : m_usuario(std::move(usuario)) {
        setObjectName(QStringLiteral("frmMenu"));
        setWindowTitle(kNomeDaAplicacao);
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
        m_semLista = new QWidget(m_areaDaLista);
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
        m_clientes = new suite::menu::TelaDeClientes(m_area);
        m_area->addWidget(m_clientes);
        m_empresa = new suite::menu::TelaDaEmpresa(m_area);
        m_area->addWidget(m_empresa);
        m_debitos = new suite::menu::TelaDeDebitos(m_usuario, m_area);
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
            m_componente.reset();
            m_listaAberta = false;
            abrirLista();
        });
        preencherOpcoes(0);
    }

    ~frmMenu() override {
        // The embedded list belongs to the component: let it go first.
        delete m_areaDaLista;
        m_componente.reset();
    }
    frmMenu(const frmMenu&) = delete;
    frmMenu& operator=(const frmMenu&) = delete;

    // Shows an option by its text, selecting its tab and its line on the left.
    bool escolher(const QString& texto) {
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

    void abrirLista() {
        mostrar(ContasAReceber);
        selecionarOpcao(QStringLiteral("Contas a receber"));
        if (m_listaAberta) return;
        if (!componente()) {
            semLista(QStringLiteral("O componente de contas a receber não está disponível."));
            return;
        }
        m_listaAberta = true;
        m_semLista->hide();
        try {
            automation::call(m_componente, QStringLiteral("AbrirLista"), std::int32_t(forms::hWnd(this)),
                             std::int32_t(forms::hWnd(m_areaDaLista)));
        } catch (const rt::RuntimeError& e) {
            m_listaAberta = false;
            semLista(QStringLiteral("Não foi possível abrir a lista de contas a receber.\n%1 (%2)")
                         .arg(e.description())
                         .arg(e.number()));
            return;
        }
        // The component reports its own failures and returns normally; what
        // tells whether the list came is a window in the area.
        if (!listaEmbutida()) {
            m_listaAberta = false;
            semLista(QStringLiteral("A lista de contas a receber não pôde ser aberta."));
        }
    }

    void abrirFicha() {
        if (!componente()) return;
        try {
            automation::call(m_componente, QStringLiteral("AbrirFicha"));
        } catch (const rt::RuntimeError& e) {
            QMessageBox::critical(
                this, kNomeDaAplicacao,
                QStringLiteral("Não foi possível abrir a ficha de conta a receber.\n%1 (%2)")
                    .arg(e.description())
                    .arg(e.number()));
        }
    }

private:
    void preencherOpcoes(int guia) {
        m_opcoes->clear();
        for (const Opcao& o : m_guiasEOpcoes[std::size_t(guia)]) {
            auto* item = new QListWidgetItem(QStringLiteral("  ") + o.texto, m_opcoes);
            item->setSizeHint(QSize(0, 38));
        }
    }

    void selecionarOpcao(const QString& texto) {
        const auto itens = m_opcoes->findItems(QStringLiteral("  ") + texto, Qt::MatchExactly);
        if (!itens.isEmpty()) m_opcoes->setCurrentItem(itens.front());
    }

    void mostrar(Pagina p) {
        m_area->setCurrentIndex(p);
        if (p == Clientes) m_clientes->pesquisar();
        if (p == Empresa) m_empresa->carregar();
    }

    bool listaEmbutida() const {
        for (QWidget* w : m_areaDaLista->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w != m_semLista && forms::isEmbedded(w)) return true;
        return false;
    }

    void semLista(const QString& aviso) {
        m_avisoDaLista->setText(aviso);
        m_semLista->show();
    }

    // The component, created on first use and kept: its list lives on in
    // the work area.
    const rt::Object& componente() {
        if (m_componente) return m_componente;
        try {
            rt::Object c = automation::CreateObject(kReceber);
            automation::set(c, QStringLiteral("DadosDoUsuario"), rt::Object(m_dados));
            automation::let(c, QStringLiteral("NomeDaAplicacao"), kNomeDaAplicacao);
            m_componente = std::move(c);
        } catch (const rt::RuntimeError& e) {
            QMessageBox::critical(
                this, kNomeDaAplicacao,
                QStringLiteral("Não foi possível criar %1.\n%2 (%3)\n\nRegistre os componentes "
                               "com: quva-suite register")
                    .arg(kReceber, e.description())
                    .arg(e.number()));
        }
        return m_componente;
    }

    QString m_usuario;
    std::shared_ptr<clsDadosDoUsuario> m_dados;
    rt::Object m_componente;
    bool m_listaAberta = false;
    QTabBar* m_guias;
    QListWidget* m_opcoes;
    QStackedWidget* m_area;
    QWidget* m_areaDaLista;
    QWidget* m_semLista;
    QLabel* m_avisoDaLista;
    suite::menu::TelaDeClientes* m_clientes;
    suite::menu::TelaDaEmpresa* m_empresa;
    suite::menu::TelaDeDebitos* m_debitos;
    std::vector<std::vector<Opcao>> m_guiasEOpcoes;
};

// A fresh embedded database gets demo data, so the first run shows work.
QString prepararBanco(bool demonstracao) {
    const QString conexao = suite::Banco::conexaoConfigurada();
    const bool novo = !suite::Banco::ehPostgreSQL(conexao) && !QFileInfo::exists(conexao);
    auto banco = suite::Banco::abrir();
    if (novo && demonstracao) suite::gerarDemonstracao(*banco);
    return banco->conexao();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quva-menu"));
    QApplication::setApplicationDisplayName(kNomeDaAplicacao);

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral("Menu da suíte QUVA."));
    opcoes.addHelpOption();
    const QCommandLineOption abrir(
        QStringLiteral("abrir"),
        QStringLiteral("Abre ao iniciar: contas-a-receber (a lista), ficha (uma nova "
                       "conta), clientes, empresa ou debitos."),
        QStringLiteral("tela"));
    const QCommandLineOption usuario(QStringLiteral("usuario"), QStringLiteral("Nome do usuário."),
                                     QStringLiteral("nome"),
                                     qEnvironmentVariable("USER", QStringLiteral("Administrador")));
    const QCommandLineOption semDemo(QStringLiteral("sem-demonstracao"),
                                     QStringLiteral("Não preenche um banco novo com dados de demonstração."));
    const QCommandLineOption captura(QStringLiteral("captura"),
                                     QStringLiteral("Grava uma imagem da janela em <arquivo> e fecha."),
                                     QStringLiteral("arquivo"));
    const QCommandLineOption sairApos(QStringLiteral("sair-apos"),
                                      QStringLiteral("Fecha após <ms> milissegundos."), QStringLiteral("ms"));
    opcoes.addOptions({abrir, usuario, semDemo, captura, sairApos});
    opcoes.process(app);

    static const QMap<QString, QString> telas{
        {QStringLiteral("contas-a-receber"), QStringLiteral("Contas a receber")},
        {QStringLiteral("ficha"), QStringLiteral("Nova conta a receber")},
        {QStringLiteral("clientes"), QStringLiteral("Clientes")},
        {QStringLiteral("empresa"), QStringLiteral("Empresa")},
        {QStringLiteral("debitos"), QStringLiteral("Débitos de cliente")}};
    if (opcoes.isSet(abrir) && !telas.contains(opcoes.value(abrir))) {
        std::fprintf(stderr, "quva-menu: --abrir aceita %s\n",
                     qPrintable(telas.keys().join(QStringLiteral(", "))));
        return 2;
    }

    QString banco;
    try {
        banco = prepararBanco(!opcoes.isSet(semDemo));
    } catch (const suite::ErroDoBanco& e) {
        QMessageBox::critical(nullptr, kNomeDaAplicacao, e.texto());
        return 1;
    }
    QStringList erros;
    if (!suite::admin::registrarOQueFalta(suite::admin::pastaDasBibliotecas(), &erros))
        std::fprintf(stderr, "quva-menu: %s\n", qPrintable(erros.join(QStringLiteral("\nquva-menu: "))));

    // A modal screen of the component runs a loop of its own: closing every
    // window first lets it end before the application does.
    const auto encerrar = [] {
        QApplication::closeAllWindows();
        QApplication::exit(0);
    };
    int resultado = 0;
    {
        frmMenu janela(opcoes.value(usuario));
        janela.statusBar()->showMessage(
            QStringLiteral("Usuário: %1    Banco de dados: %2").arg(opcoes.value(usuario), banco));
        janela.show();
        if (opcoes.isSet(captura)) {
            const QString arquivo = opcoes.value(captura);
            QTimer::singleShot(opcoes.isSet(sairApos) ? opcoes.value(sairApos).toInt() : 1500, &janela,
                               [&janela, arquivo, encerrar] {
                                   janela.grab().save(arquivo);
                                   encerrar();
                               });
        } else if (opcoes.isSet(sairApos)) {
            QTimer::singleShot(opcoes.value(sairApos).toInt(), &janela, [encerrar] { encerrar(); });
        }
        if (opcoes.isSet(abrir)) {
            const QString tela = telas.value(opcoes.value(abrir));
            QTimer::singleShot(0, &janela, [&janela, tela] { janela.escolher(tela); });
        }
        resultado = app.exec();
    }
    return resultado;
}
