#pragma once
// The menu's own screens: clients, the company record and a client's
// debts (where receivables are settled). They read and write through the
// suite's storage.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace quva::suite::menu {

class TelaDeClientes : public QWidget {
public:
    explicit TelaDeClientes(QWidget* pai = nullptr);
    void pesquisar();

private:
    void mostrar(std::int64_t codigo);
    void novo();
    void salvar();

    QLineEdit* m_pesquisa;
    QTableWidget* m_grade;
    QLineEdit *m_codigo, *m_apelido, *m_nome, *m_cpfCnpj, *m_logradouro, *m_numero, *m_complemento, *m_bairro,
        *m_cidade, *m_uf, *m_cep, *m_telefone, *m_email;
    QComboBox *m_situacao, *m_categoria;
    QCheckBox* m_vip;
};

class TelaDaEmpresa : public QWidget {
public:
    explicit TelaDaEmpresa(QWidget* pai = nullptr);
    void carregar();

private:
    void salvar();
    std::int64_t m_id = 0;
    QLineEdit *m_nomeFantasia, *m_razaoSocial, *m_cnpj, *m_logradouro, *m_numero, *m_complemento, *m_bairro,
        *m_cidade, *m_uf, *m_cep, *m_telefone, *m_email;
};

class TelaDeDebitos : public QWidget {
public:
    TelaDeDebitos(QString usuario, QWidget* pai = nullptr);
    void pesquisar();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void recalcular();
    void baixar();

    QString m_usuario;
    QLineEdit* m_codigo;
    QLabel* m_cliente;
    QTableWidget* m_grade;
    QDateEdit* m_data;
    QLineEdit *m_desconto, *m_juros;
    QLabel *m_valor, *m_aReceber, *m_total, *m_ultimaBaixa;
};

} // namespace quva::suite::menu
