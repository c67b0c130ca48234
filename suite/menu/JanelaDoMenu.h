#pragma once
// The suite's menu window: tabs on top ("Cadastros", "Caixa"), the tab's
// options in a menu on the left, and the work area on the right, where the
// receivables component embeds its list and the menu shows its own screens.
// quva-menu is this window and its command line; tests drive it in process.

#include "automation/DispatchObject.h"
#include "runtime/Variant.h"

#include <QMainWindow>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QStackedWidget;
class QTabBar;

namespace quva::suite::menu {

class TelaDeClientes;
class TelaDaEmpresa;
class TelaDeDebitos;

// Title of the menu's windows and boxes, and the name handed to the components.
QString nomeDaAplicacao();

// What the menu sets up for the whole process: its name, and the run-time
// error box for a failure that escapes a screen's event. No display name:
// window titles are exactly the forms' captions.
void prepararAplicacao();

// The options --abrir accepts, each with the text of its menu line.
const QMap<QString, QString>& telasDeAbertura();

// Opens the configured database, migrating it; an embedded file must exist.
// Returns the connection setting in use, its password masked. Throws ErroDoBanco.
QString prepararBanco();

// The logged-in user, as the components receive it.
class clsDadosDoUsuario : public automation::DispatchObject {
public:
    clsDadosDoUsuario(QString nome, std::int32_t codigo);

private:
    QString m_nome;
    std::int32_t m_codigo;
};

class frmMenu : public QMainWindow {
public:
    explicit frmMenu(QString usuario);
    ~frmMenu() override;
    frmMenu(const frmMenu&) = delete;
    frmMenu& operator=(const frmMenu&) = delete;

    // Shows an option by the text of its menu line, selecting its tab and
    // its line on the left; false for an unknown text.
    bool escolher(const QString& texto);
    void abrirLista();
    void abrirFicha();

    // The container the component's list lives in.
    QWidget* areaDaLista() const { return m_areaDaLista; }
    bool listaEmbutida() const;
    QList<QWidget*> listasEmbutidas() const;

private:
    enum Pagina { Inicio, ContasAReceber, Clientes, Empresa, Debitos };
    struct Opcao {
        QString texto;
        std::function<void()> acao;
    };

    void preencherOpcoes(int guia);
    void selecionarOpcao(const QString& texto);
    void mostrar(Pagina p);
    void semLista(const QString& aviso);
    const rt::Object& componente();

    QString m_usuario;
    std::shared_ptr<clsDadosDoUsuario> m_dados;
    rt::Object m_componente;
    QTabBar* m_guias;
    QListWidget* m_opcoes;
    QStackedWidget* m_area;
    QWidget* m_areaDaLista;
    QWidget* m_semLista;
    QLabel* m_avisoDaLista;
    TelaDeClientes* m_clientes;
    TelaDaEmpresa* m_empresa;
    TelaDeDebitos* m_debitos;
    std::vector<std::vector<Opcao>> m_guiasEOpcoes;
};

} // namespace quva::suite::menu
