#pragma once
// The menu's own screens: clients, the company record and a client's
// debts (where receivables are settled). They read and write through the
// suite's storage.

#include <QLineEdit>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QTableWidget;

namespace quva::suite::menu {

// The address and contact boxes the client and company screens share; both
// records name these fields alike.
struct CamposDeEndereco {
    QLineEdit *logradouro, *numero, *complemento, *bairro, *cidade, *uf, *cep, *telefone, *email;
    void montar(QFormLayout* form);
    template <class Registro> void mostrar(const Registro& r) {
        logradouro->setText(r.logradouro);
        numero->setText(r.numero);
        complemento->setText(r.complemento);
        bairro->setText(r.bairro);
        cidade->setText(r.cidade);
        uf->setText(r.uf);
        cep->setText(r.cep);
        telefone->setText(r.telefone);
        email->setText(r.email);
    }
    template <class Registro> void ler(Registro& r) const {
        r.logradouro = logradouro->text().trimmed();
        r.numero = numero->text().trimmed();
        r.complemento = complemento->text().trimmed();
        r.bairro = bairro->text().trimmed();
        r.cidade = cidade->text().trimmed();
        r.uf = uf->text().trimmed().toUpper();
        r.cep = cep->text().trimmed();
        r.telefone = telefone->text().trimmed();
        r.email = email->text().trimmed();
    }
    void limpar() {
        for (QLineEdit* e : {logradouro, numero, complemento, bairro, cidade, uf, cep, telefone, email})
            e->clear();
    }
};

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
    QLineEdit *m_codigo, *m_apelido, *m_nome, *m_cpfCnpj;
    CamposDeEndereco m_endereco;
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
    QLineEdit *m_nomeFantasia, *m_razaoSocial, *m_cnpj;
    CamposDeEndereco m_endereco;
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
