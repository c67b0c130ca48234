// QUVA_A_MsgErro.clsMensagem: the suite's error window. It shows the
// failure's number, description and place, with the calling application's
// name as its title, and waits until the user closes it. Without a window
// system (a console tool) the failure goes to the standard error instead.

#include "automation/DispatchObject.h"
#include "automation/Server.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cstdio>

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

// What a caller handed in, as text; a value that has none (Null, an
// object) must not turn the error window into a second failure.
QString comoTexto(const Variant& v) {
    const Variant& valor = v.deref();
    if (valor.isNull() || valor.isEmpty() || valor.isMissing()) return {};
    if (valor.isObject()) return valor.rawObject() ? valor.rawObject()->typeName() : QString();
    try {
        return valor.toString();
    } catch (const rt::RuntimeError&) {
        return {};
    }
}

QLabel* rotulo(const QString& texto, const QString& nome, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(360);
    return l;
}

void exibirJanela(const QString& numero, const QString& descricao, const QString& local,
                  const QString& aplicacao) {
    QDialog janela(QApplication::activeWindow());
    janela.setObjectName(QStringLiteral("frmMensagemDeErro"));
    janela.setWindowTitle(aplicacao.isEmpty() ? QApplication::applicationDisplayName() : aplicacao);
    janela.setWindowModality(Qt::ApplicationModal);

    auto* icone = new QLabel(&janela);
    icone->setPixmap(janela.style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(48, 48));
    icone->setAlignment(Qt::AlignTop);

    auto* titulo = new QLabel(QStringLiteral("Ocorreu um erro durante a operação."), &janela);
    QFont negrito = titulo->font();
    negrito.setBold(true);
    negrito.setPointSizeF(negrito.pointSizeF() * 1.15);
    titulo->setFont(negrito);

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Número:"), rotulo(numero, QStringLiteral("lblNumeroDoErro"), &janela));
    campos->addRow(QStringLiteral("Descrição:"),
                   rotulo(descricao, QStringLiteral("lblDescricaoDoErro"), &janela));
    campos->addRow(QStringLiteral("Local:"), rotulo(local, QStringLiteral("lblLocalDoErro"), &janela));

    auto* botoes = new QDialogButtonBox(&janela);
    QPushButton* fechar = botoes->addButton(QStringLiteral("Fechar"), QDialogButtonBox::AcceptRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    fechar->setDefault(true);
    QPushButton* copiar = botoes->addButton(QStringLiteral("Copiar detalhes"), QDialogButtonBox::ActionRole);
    copiar->setObjectName(QStringLiteral("cmdCopiar"));
    QObject::connect(botoes, &QDialogButtonBox::accepted, &janela, &QDialog::accept);
    QObject::connect(copiar, &QPushButton::clicked, &janela, [=] {
        QApplication::clipboard()->setText(
            QStringLiteral("Número: %1\nDescrição: %2\nLocal: %3").arg(numero, descricao, local));
    });

    auto* texto = new QVBoxLayout;
    texto->addWidget(titulo);
    texto->addSpacing(8);
    texto->addLayout(campos);
    auto* corpo = new QHBoxLayout;
    corpo->addWidget(icone);
    corpo->addSpacing(8);
    corpo->addLayout(texto, 1);
    auto* tudo = new QVBoxLayout(&janela);
    tudo->addLayout(corpo);
    tudo->addWidget(botoes);

    QApplication::beep();
    janela.exec();
}

class clsMensagem : public automation::DispatchObject {
public:
    clsMensagem() : DispatchObject(QStringLiteral("clsMensagem")) {
        method(QStringLiteral("Exibir"), 4, [](Args a) {
            const QString numero = comoTexto(a[0]);
            const QString descricao = comoTexto(a[1]);
            const QString local = comoTexto(a[2]);
            const QString aplicacao = comoTexto(a[3]);
            if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
                exibirJanela(numero, descricao, local, aplicacao);
            } else {
                std::fprintf(stderr, "%s\n",
                             qPrintable(QStringLiteral("%1: erro %2: %3 (%4)")
                                            .arg(aplicacao.isEmpty() ? QStringLiteral("QUVA") : aplicacao,
                                                 numero, descricao, local)));
            }
            return Variant();
        });
    }
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_A_MsgErro.clsMensagem");
        e.clsid = QStringLiteral("{59D68E4C-1E23-4B43-A03F-1F2FD44A0F5C}");
        e.className = QStringLiteral("clsMensagem");
        e.typeLib = QStringLiteral("QUVA_A_MsgErro");
        e.typeLibId = QStringLiteral("{EE804CF8-FC0B-4946-B10D-0E650F660713}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Apresentação - Mensagem de erro");
        e.interfaceName = QStringLiteral("_clsMensagem");
        e.interfaceId = QStringLiteral("{596D3AEE-0F6B-485B-BBF1-A2715AF72783}");
        return automation::ServerDescription{{automation::serverClass<clsMensagem>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
