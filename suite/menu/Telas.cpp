#include "suite/menu/Telas.h"

#include "suite/menu/JanelaDoMenu.h"

#include "forms/MsgBox.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "suite/cli/Administracao.h"
#include "suite/storage/Banco.h"
#include "suite/storage/Cadastros.h"
#include "suite/storage/Valores.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quva::suite::menu {

namespace {

const QString kTitulo = nomeDaAplicacao();

// The menu's boxes go through the forms' service, like the component's.
void aviso(const QString& texto) {
    forms::MsgBox(texto, forms::vbInformation, kTitulo);
}

QLabel* titulo(const QString& texto, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(QStringLiteral("lblTitulo"));
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #404040; padding-bottom: 6px;"));
    return l;
}

QLineEdit* campo(QFormLayout* form, const QString& rotulo, const QString& nome, int maximo = 100) {
    auto* e = new QLineEdit;
    e->setObjectName(nome);
    e->setMaxLength(maximo);
    form->addRow(rotulo, e);
    return e;
}

QTableWidget* grade(const QStringList& colunas, QWidget* pai) {
    auto* g = new QTableWidget(0, int(colunas.size()), pai);
    g->setHorizontalHeaderLabels(colunas);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setAlternatingRowColors(true);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setSectionResizeMode(int(colunas.size()) - 1, QHeaderView::Stretch);
    return g;
}

// Columns fit their texts; the last one takes what width is left (grade).
void ajustarColunas(QTableWidget* g) {
    for (int c = 0; c + 1 < g->columnCount(); ++c)
        g->resizeColumnToContents(c);
}

QTableWidgetItem* celula(const QString& texto, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* i = new QTableWidgetItem(texto);
    i->setTextAlignment(a);
    return i;
}

std::shared_ptr<Banco> banco() {
    return Banco::abrir();
}

// Database failures end here: the clerk reads the reason, nothing was written.
template <class F> bool tentar(QWidget*, F&& f) {
    try {
        f();
        return true;
    } catch (const ErroDoBanco& e) {
        forms::MsgBox(e.texto(), forms::vbCritical, kTitulo);
    } catch (const rt::RuntimeError& e) {
        forms::MsgBox(e.description(), forms::vbCritical, kTitulo);
    }
    return false;
}

const QStringList& situacoes() {
    static const QStringList s{QStringLiteral("Ativo"), QStringLiteral("Inativo"),
                               QStringLiteral("Bloqueado"), QStringLiteral("Excluído")};
    return s;
}

} // namespace

void CamposDeEndereco::montar(QFormLayout* form) {
    logradouro = campo(form, QStringLiteral("Logradouro"), QStringLiteral("txtLogradouro"));
    numero = campo(form, QStringLiteral("Número"), QStringLiteral("txtNumero"), 10);
    complemento = campo(form, QStringLiteral("Complemento"), QStringLiteral("txtComplemento"), 40);
    bairro = campo(form, QStringLiteral("Bairro"), QStringLiteral("txtBairro"), 60);
    cidade = campo(form, QStringLiteral("Cidade"), QStringLiteral("txtCidade"), 60);
    uf = campo(form, QStringLiteral("UF"), QStringLiteral("txtUF"), 2);
    cep = campo(form, QStringLiteral("CEP"), QStringLiteral("txtCEP"), 9);
    telefone = campo(form, QStringLiteral("Telefone"), QStringLiteral("txtTelefone"), 30);
    email = campo(form, QStringLiteral("E-mail"), QStringLiteral("txtEmail"));
}

// ---------------------------------------------------------------- clients

TelaDeClientes::TelaDeClientes(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("frmClientes"));
    m_pesquisa = new QLineEdit(this);
    m_pesquisa->setObjectName(QStringLiteral("txtPesquisar"));
    m_pesquisa->setPlaceholderText(QStringLiteral("Código, apelido, nome fantasia, nome ou razão social"));
    m_pesquisa->setClearButtonEnabled(true);
    auto* pesquisar = new QPushButton(QStringLiteral("Pesquisar"), this);
    auto* novo = new QPushButton(QStringLiteral("Novo cliente"), this);
    m_grade = grade({QStringLiteral("Código"), QStringLiteral("Apelido/Nome fantasia"),
                     QStringLiteral("Nome/Razão Social"), QStringLiteral("Situação"), QStringLiteral("VIP"),
                     QStringLiteral("Curva ABC"), QStringLiteral("Cidade")},
                    this);
    m_grade->setObjectName(QStringLiteral("grdClientes"));

    auto* ficha = new QGroupBox(QStringLiteral("Ficha do cliente"), this);
    auto* form = new QFormLayout(ficha);
    m_codigo = campo(form, QStringLiteral("Código"), QStringLiteral("txtCodigo"), 10);
    m_codigo->setReadOnly(true);
    m_codigo->setPlaceholderText(QStringLiteral("novo"));
    m_apelido = campo(form, QStringLiteral("Apelido/Nome fantasia"), QStringLiteral("txtApelido"));
    m_nome = campo(form, QStringLiteral("Nome/Razão social*"), QStringLiteral("txtNome"));
    m_situacao = new QComboBox(ficha);
    m_situacao->addItems(situacoes());
    form->addRow(QStringLiteral("Situação"), m_situacao);
    m_cpfCnpj = campo(form, QStringLiteral("CPF/CNPJ"), QStringLiteral("txtCpfCnpj"), 18);
    m_endereco.montar(form);
    m_vip = new QCheckBox(QStringLiteral("Cliente VIP"), ficha);
    form->addRow(QString(), m_vip);
    m_categoria = new QComboBox(ficha);
    m_categoria->addItems({QString(), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    form->addRow(QStringLiteral("Curva ABC"), m_categoria);
    auto* salvar = new QPushButton(QStringLiteral("Salvar"), ficha);
    salvar->setObjectName(QStringLiteral("cmdSalvar"));
    form->addRow(QString(), salvar);
    ficha->setMaximumWidth(420);

    auto* barra = new QHBoxLayout;
    barra->addWidget(m_pesquisa, 1);
    barra->addWidget(pesquisar);
    barra->addWidget(novo);
    auto* esquerda = new QVBoxLayout;
    esquerda->addLayout(barra);
    esquerda->addWidget(m_grade, 1);
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(esquerda, 1);
    corpo->addWidget(ficha);
    auto* tudo = new QVBoxLayout(this);
    tudo->addWidget(titulo(QStringLiteral("Clientes"), this));
    tudo->addLayout(corpo, 1);

    connect(pesquisar, &QPushButton::clicked, this, [this] { this->pesquisar(); });
    connect(m_pesquisa, &QLineEdit::returnPressed, this, [this] { this->pesquisar(); });
    connect(novo, &QPushButton::clicked, this, [this] { this->novo(); });
    connect(salvar, &QPushButton::clicked, this, [this] { this->salvar(); });
    connect(m_grade, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto linhas = m_grade->selectionModel()->selectedRows();
        if (!linhas.isEmpty()) mostrar(m_grade->item(linhas.front().row(), 0)->text().toLongLong());
    });
}

void TelaDeClientes::pesquisar() {
    tentar(this, [&] {
        const auto clientes = pesquisarClientes(*banco(), m_pesquisa->text(), 500);
        m_grade->setRowCount(0);
        m_grade->setRowCount(int(clientes.size()));
        for (int r = 0; r < int(clientes.size()); ++r) {
            const Cliente& c = clientes[std::size_t(r)];
            m_grade->setItem(r, 0, celula(QString::number(c.codigo), Qt::AlignRight | Qt::AlignVCenter));
            m_grade->setItem(r, 1, celula(c.apelidoOuNomeFantasia));
            m_grade->setItem(r, 2, celula(c.nomeOuRazaoSocial));
            m_grade->setItem(r, 3, celula(situacoes().value(c.situacao - 1)));
            m_grade->setItem(r, 4, celula(c.vip ? QStringLiteral("Sim") : QStringLiteral("Não")));
            m_grade->setItem(r, 5, celula(c.categoriaDaCurvaABC));
            m_grade->setItem(r, 6, celula(c.cidade));
        }
        ajustarColunas(m_grade);
    });
}

void TelaDeClientes::mostrar(std::int64_t codigo) {
    tentar(this, [&] {
        const auto c = lerCliente(*banco(), codigo);
        if (!c) return;
        m_codigo->setText(QString::number(c->codigo));
        m_apelido->setText(c->apelidoOuNomeFantasia);
        m_nome->setText(c->nomeOuRazaoSocial);
        m_situacao->setCurrentIndex(c->situacao - 1);
        m_cpfCnpj->setText(c->cpfCnpj);
        m_endereco.mostrar(*c);
        m_vip->setChecked(c->vip);
        m_categoria->setCurrentText(c->categoriaDaCurvaABC);
    });
}

void TelaDeClientes::novo() {
    m_grade->clearSelection();
    for (QLineEdit* e : {m_codigo, m_apelido, m_nome, m_cpfCnpj})
        e->clear();
    m_endereco.limpar();
    m_situacao->setCurrentIndex(0);
    m_vip->setChecked(false);
    m_categoria->setCurrentIndex(0);
    m_apelido->setFocus();
}

void TelaDeClientes::salvar() {
    if (m_nome->text().trimmed().isEmpty()) {
        aviso(QStringLiteral("Informe o nome ou a razão social do cliente."));
        m_nome->setFocus();
        return;
    }
    Cliente c;
    c.codigo = m_codigo->text().toLongLong();
    c.apelidoOuNomeFantasia = m_apelido->text().trimmed();
    c.nomeOuRazaoSocial = m_nome->text().trimmed();
    c.situacao = m_situacao->currentIndex() + 1;
    c.cpfCnpj = m_cpfCnpj->text().trimmed();
    m_endereco.ler(c);
    c.vip = m_vip->isChecked();
    c.categoriaDaCurvaABC = m_categoria->currentText();
    if (tentar(this, [&] { salvarCliente(*banco(), c); })) {
        m_codigo->setText(QString::number(c.codigo));
        if (m_pesquisa->text().trimmed().isEmpty()) m_pesquisa->setText(QString::number(c.codigo));
        pesquisar();
    }
}

// ---------------------------------------------------------------- company

TelaDaEmpresa::TelaDaEmpresa(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("frmEmpresa"));
    auto* caixa = new QGroupBox(QStringLiteral("Dados da empresa"), this);
    auto* form = new QFormLayout(caixa);
    m_nomeFantasia = campo(form, QStringLiteral("Nome fantasia*"), QStringLiteral("txtNomeFantasia"));
    m_razaoSocial = campo(form, QStringLiteral("Razão social"), QStringLiteral("txtRazaoSocial"));
    m_cnpj = campo(form, QStringLiteral("CNPJ"), QStringLiteral("txtCNPJ"), 18);
    m_endereco.montar(form);
    auto* salvar = new QPushButton(QStringLiteral("Salvar"), caixa);
    salvar->setObjectName(QStringLiteral("cmdSalvar"));
    form->addRow(QString(), salvar);
    caixa->setMaximumWidth(560);
    auto* tudo = new QVBoxLayout(this);
    tudo->addWidget(titulo(QStringLiteral("Empresa"), this));
    tudo->addWidget(caixa);
    tudo->addStretch(1);
    connect(salvar, &QPushButton::clicked, this, [this] { this->salvar(); });
}

void TelaDaEmpresa::carregar() {
    tentar(this, [&] {
        const Empresa e = lerEmpresa(*banco()).value_or(Empresa{});
        m_id = e.id;
        m_nomeFantasia->setText(e.nomeFantasia);
        m_razaoSocial->setText(e.razaoSocial);
        m_cnpj->setText(e.cnpj);
        m_endereco.mostrar(e);
    });
}

void TelaDaEmpresa::salvar() {
    if (m_nomeFantasia->text().trimmed().isEmpty()) {
        aviso(QStringLiteral("Informe o nome fantasia: é ele que aparece nos documentos."));
        m_nomeFantasia->setFocus();
        return;
    }
    Empresa e;
    e.id = m_id;
    e.nomeFantasia = m_nomeFantasia->text().trimmed();
    e.razaoSocial = m_razaoSocial->text().trimmed();
    e.cnpj = m_cnpj->text().trimmed();
    m_endereco.ler(e);
    if (tentar(this, [&] { m_id = salvarEmpresa(*banco(), e); }))
        aviso(QStringLiteral("Dados da empresa salvos."));
}

// ---------------------------------------------------------------- debts

TelaDeDebitos::TelaDeDebitos(QString usuario, QWidget* pai) : QWidget(pai), m_usuario(std::move(usuario)) {
    setObjectName(QStringLiteral("frmDebitosDeCliente"));
    m_codigo = new QLineEdit(this);
    m_codigo->setObjectName(QStringLiteral("txtCodigoDoCliente"));
    m_codigo->setPlaceholderText(QStringLiteral("Código do cliente"));
    m_codigo->setMaximumWidth(160);
    auto* pesquisar = new QPushButton(QStringLiteral("Pesquisar"), this);
    m_cliente = new QLabel(this);
    m_cliente->setObjectName(QStringLiteral("lblCliente"));
    m_grade = grade({QStringLiteral("Lançamento"), QStringLiteral("Vencimento"), QStringLiteral("Parcela"),
                     QStringLiteral("Valor"), QStringLiteral("Histórico")},
                    this);
    m_grade->setObjectName(QStringLiteral("grdDebitos"));
    m_total = new QLabel(this);
    m_ultimaBaixa = new QLabel(this);
    m_ultimaBaixa->setObjectName(QStringLiteral("lblUltimaBaixa"));
    m_ultimaBaixa->setWordWrap(true);
    m_ultimaBaixa->setStyleSheet(QStringLiteral("color: #1d6b2f;"));

    auto* caixa = new QGroupBox(QStringLiteral("Baixa da conta selecionada"), this);
    auto* form = new QFormLayout(caixa);
    m_valor = new QLabel(QStringLiteral("0,00"), caixa);
    form->addRow(QStringLiteral("Valor do documento"), m_valor);
    m_data = new QDateEdit(QDate::currentDate(), caixa);
    m_data->setObjectName(QStringLiteral("dtpDataDaBaixa"));
    m_data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_data->setCalendarPopup(true);
    form->addRow(QStringLiteral("Data da baixa"), m_data);
    m_desconto = campo(form, QStringLiteral("Desconto/Abatimento"), QStringLiteral("txtDesconto"), 20);
    m_juros = campo(form, QStringLiteral("Juros/Mora/Multa"), QStringLiteral("txtJuros"), 20);
    for (QLineEdit* e : {m_desconto, m_juros}) {
        e->setText(QStringLiteral("0,00"));
        e->setAlignment(Qt::AlignRight);
    }
    m_aReceber = new QLabel(QStringLiteral("0,00"), caixa);
    m_aReceber->setObjectName(QStringLiteral("lblValorAReceber"));
    QFont negrito = m_aReceber->font();
    negrito.setBold(true);
    m_aReceber->setFont(negrito);
    form->addRow(QStringLiteral("Valor a receber"), m_aReceber);
    auto* baixar = new QPushButton(QStringLiteral("Baixar"), caixa);
    baixar->setObjectName(QStringLiteral("cmdBaixar"));
    form->addRow(QString(), baixar);
    caixa->setMaximumWidth(380);

    auto* barra = new QHBoxLayout;
    barra->addWidget(new QLabel(QStringLiteral("Código do cliente:"), this));
    barra->addWidget(m_codigo);
    barra->addWidget(pesquisar);
    barra->addSpacing(16);
    barra->addWidget(m_cliente, 1);
    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(m_grade, 1);
    esquerda->addWidget(m_total);
    auto* corpo = new QHBoxLayout;
    auto* direita = new QVBoxLayout;
    direita->addWidget(caixa);
    direita->addWidget(m_ultimaBaixa);
    direita->addStretch(1);
    m_ultimaBaixa->setMaximumWidth(380);
    corpo->addLayout(esquerda, 1);
    corpo->addLayout(direita);
    auto* tudo = new QVBoxLayout(this);
    tudo->addWidget(titulo(QStringLiteral("Débitos de cliente"), this));
    tudo->addLayout(barra);
    tudo->addLayout(corpo, 1);

    connect(pesquisar, &QPushButton::clicked, this, [this] { this->pesquisar(); });
    connect(m_codigo, &QLineEdit::returnPressed, this, [this] { this->pesquisar(); });
    connect(m_grade, &QTableWidget::itemSelectionChanged, this, [this] { recalcular(); });
    connect(m_desconto, &QLineEdit::textChanged, this, [this] { recalcular(); });
    connect(m_juros, &QLineEdit::textChanged, this, [this] { recalcular(); });
    connect(baixar, &QPushButton::clicked, this, [this] { this->baixar(); });
}

void TelaDeDebitos::pesquisar() {
    m_grade->setRowCount(0);
    m_cliente->clear();
    m_total->clear();
    m_ultimaBaixa->clear();
    bool ok = false;
    const std::int64_t codigo = m_codigo->text().trimmed().toLongLong(&ok);
    if (!ok || codigo <= 0) {
        aviso(QStringLiteral("Informe o código do cliente."));
        m_codigo->setFocus();
        return;
    }
    tentar(this, [&] {
        auto b = banco();
        const auto cliente = lerCliente(*b, codigo);
        if (!cliente) {
            m_cliente->setText(QStringLiteral("Nenhum cliente com o código %1.").arg(codigo));
            return;
        }
        m_cliente->setText(QStringLiteral("%1 - %2").arg(cliente->codigo).arg(cliente->nomeOuRazaoSocial));
        const auto contas = contasEmAbertoDoCliente(*b, codigo);
        std::optional<rt::Currency> total = rt::Currency{};
        m_grade->setRowCount(int(contas.size()));
        for (int r = 0; r < int(contas.size()); ++r) {
            const ContaEmAberto& c = contas[std::size_t(r)];
            auto* numero = celula(QString::number(c.numeroDoLancamento), Qt::AlignRight | Qt::AlignVCenter);
            numero->setData(Qt::UserRole, qlonglong(c.valor.raw));
            m_grade->setItem(r, 0, numero);
            m_grade->setItem(r, 1, celula(c.vencimento.toString(QStringLiteral("dd/MM/yyyy"))));
            m_grade->setItem(r, 2,
                             celula(QStringLiteral("%1/%2").arg(c.numeroDaParcela).arg(c.numeroDeParcelas)));
            m_grade->setItem(r, 3, celula(rt::formatMoney(c.valor), Qt::AlignRight | Qt::AlignVCenter));
            m_grade->setItem(r, 4, celula(c.historico));
            if (c.vencimento < QDate::currentDate())
                for (int col = 0; col < 5; ++col)
                    m_grade->item(r, col)->setForeground(QColor(0xb0, 0x20, 0x20));
            if (total) total = somarValores(*total, c.valor);
        }
        ajustarColunas(m_grade);
        m_total->setText(contas.empty() ? QStringLiteral("Nenhum débito em aberto.")
                                        : QStringLiteral("%1 conta(s) em aberto, total %2")
                                              .arg(contas.size())
                                              .arg(total ? rt::formatMoney(*total)
                                                         : QStringLiteral("acima de ") + maiorValorAceito()));
        if (!contas.empty()) m_grade->selectRow(0);
    });
    recalcular();
}

void TelaDeDebitos::recalcular() {
    const auto linhas = m_grade->selectionModel()->selectedRows();
    if (linhas.isEmpty()) {
        m_valor->setText(QStringLiteral("0,00"));
        m_aReceber->setText(QStringLiteral("0,00"));
        return;
    }
    const rt::Currency valor =
        rt::Currency::fromRaw(m_grade->item(linhas.front().row(), 0)->data(Qt::UserRole).toLongLong());
    m_valor->setText(rt::formatMoney(valor));
    rt::Currency desconto{}, juros{};
    const LeituraDeValor d = lerValor(m_desconto->text(), &desconto);
    const LeituraDeValor j = lerValor(m_juros->text(), &juros);
    std::optional<rt::Currency> aReceber;
    if (d == LeituraDeValor::Aceito && j == LeituraDeValor::Aceito)
        if ((aReceber = somarValores(valor, rt::Currency::fromRaw(-desconto.raw))))
            aReceber = somarValores(*aReceber, juros);
    m_aReceber->setText(aReceber ? rt::formatMoney(*aReceber)
                        : d == LeituraDeValor::Invalido || j == LeituraDeValor::Invalido
                            ? QStringLiteral("valor inválido")
                            : QStringLiteral("acima do limite"));
}

void TelaDeDebitos::baixar() {
    const auto linhas = m_grade->selectionModel()->selectedRows();
    if (linhas.isEmpty()) {
        aviso(QStringLiteral("Selecione a conta a receber."));
        return;
    }
    Baixa b;
    b.numeroDoLancamento = m_grade->item(linhas.front().row(), 0)->text().toLongLong();
    b.data = m_data->date();
    // A box that holds no amount, or one too large, keeps the clerk there.
    const auto valorDaCaixa = [](QLineEdit* caixa, const QString& oQue, const QString& comoInformar,
                                 rt::Currency* v) {
        const LeituraDeValor l = lerValor(caixa->text(), v);
        if (l == LeituraDeValor::Aceito && v->raw >= 0) return true;
        aviso(l == LeituraDeValor::ForaDoLimite ? textoForaDoLimite(oQue) : comoInformar);
        caixa->setFocus();
        return false;
    };
    if (!valorDaCaixa(m_desconto, QStringLiteral("O desconto"),
                      QStringLiteral("Informe o desconto como 12,50."), &b.desconto) ||
        !valorDaCaixa(m_juros, QStringLiteral("O valor dos juros"),
                      QStringLiteral("Informe os juros como 3,20."), &b.juros))
        return;
    b.usuario = m_usuario.isNull() ? QStringLiteral("") : m_usuario;
    const rt::Currency valor =
        rt::Currency::fromRaw(m_grade->item(linhas.front().row(), 0)->data(Qt::UserRole).toLongLong());
    if (tentar(this, [&] { suite::baixar(*banco(), b); })) {
        m_desconto->setText(QStringLiteral("0,00"));
        m_juros->setText(QStringLiteral("0,00"));
        pesquisar();
        m_ultimaBaixa->setText(QStringLiteral("Conta %1 baixada em %2: %3 recebidos.")
                                   .arg(b.numeroDoLancamento)
                                   .arg(b.data.toString(QStringLiteral("dd/MM/yyyy")))
                                   .arg(rt::formatMoney(valor - b.desconto + b.juros)));
    }
}

void TelaDeDebitos::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The clerk comes here to type a client's code.
    m_codigo->setFocus();
    m_codigo->selectAll();
}

} // namespace quva::suite::menu
