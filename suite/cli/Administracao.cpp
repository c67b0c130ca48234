#include "suite/cli/Administracao.h"

#include "automation/Registry.h"
#include "automation/Server.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace quva::suite::admin {

namespace {

// The ProgIDs that tell whether a library is registered.
const QList<std::pair<QString, QString>>& classesPrincipais() {
    static const QList<std::pair<QString, QString>> c{
        {QStringLiteral("QUVA_A_CReceber"), QStringLiteral("QUVA_A_CReceber.clsCReceber")},
        {QStringLiteral("QUVA_N_CReceber"), QStringLiteral("QUVA_N_CReceber.clsCReceber")},
        {QStringLiteral("QUVA_N_ClientAnim"), QStringLiteral("QUVA_N_ClientAnim.clsClientes")},
        {QStringLiteral("QUVA_N_Empresa"), QStringLiteral("QUVA_N_Empresa.clsEmpresa")},
        {QStringLiteral("QUVA_N_SO"), QStringLiteral("QUVA_N_SO.clsObterVersaoDoSO")},
        {QStringLiteral("QUVA_A_MsgErro"), QStringLiteral("QUVA_A_MsgErro.clsMensagem")},
        {QStringLiteral("QUVA_A_MsgAcesso"), QStringLiteral("QUVA_A_MsgAcesso.clsMensagem")},
        {QStringLiteral("QUVA_A_EfeitosDeTela"), QStringLiteral("QUVA_A_EfeitosDeTela.clsFundoEscuro")},
        {QStringLiteral("quva_spreadsheet"), QStringLiteral("excel.application")},
    };
    return c;
}

QString arquivoDa(const QString& pasta, const QString& biblioteca) {
    return QDir(pasta).absoluteFilePath(QStringLiteral("lib") + biblioteca + QStringLiteral(".so"));
}

Registro registrar(const QString& arquivo, bool remover) {
    Registro r{arquivo, false, {}};
    if (!QFileInfo::exists(arquivo)) {
        r.erro = QStringLiteral("não encontrada (foi compilada?)");
        return r;
    }
    const auto resultado = automation::callRegistrationEntry(arquivo, remover);
    switch (resultado.stage) {
    case automation::RegistrationResult::Stage::Done:
        r.feito = true;
        break;
    case automation::RegistrationResult::Stage::LoadFailed:
        r.erro = QStringLiteral("não pôde ser carregada: ") + resultado.loadError;
        break;
    case automation::RegistrationResult::Stage::EntryPointMissing:
        r.erro = QStringLiteral("não é uma biblioteca que se registra");
        break;
    case automation::RegistrationResult::Stage::CallFailed:
        r.erro = QStringLiteral("o registro falhou com o código 0x%1 (registro %2)")
                     .arg(QString::number(quint32(resultado.code), 16), automation::Registry::path());
        break;
    }
    return r;
}

} // namespace

const QStringList& bibliotecasDaSuite() {
    static const QStringList nomes = [] {
        QStringList n;
        for (const auto& [biblioteca, progId] : classesPrincipais())
            n << biblioteca;
        return n;
    }();
    return nomes;
}

QString pastaDasBibliotecas() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")).absolutePath();
}

std::vector<Registro> registrarSuite(const QString& pasta, bool remover) {
    std::vector<Registro> out;
    for (const QString& b : bibliotecasDaSuite())
        out.push_back(registrar(arquivoDa(pasta, b), remover));
    return out;
}

bool registrarOQueFalta(const QString& pasta, QStringList* erros) {
    bool tudo = true;
    for (const auto& [biblioteca, progId] : classesPrincipais()) {
        const auto e = automation::Registry::find(progId);
        if (e && QFileInfo::exists(e->library)) continue;
        const Registro r = registrar(arquivoDa(pasta, biblioteca), false);
        if (!r.feito) {
            tudo = false;
            if (erros) *erros << QStringLiteral("%1: %2").arg(r.biblioteca, r.erro);
        }
    }
    return tudo;
}

QString emPortugues(QString texto) {
    static const std::pair<QRegularExpression, QString> trocas[] = {
        {QRegularExpression(QStringLiteral("^Usage: ")), QStringLiteral("Uso: ")},
        {QRegularExpression(QStringLiteral(" \\[options\\]")), QStringLiteral(" [opções]")},
        {QRegularExpression(QStringLiteral("^Options:$"), QRegularExpression::MultilineOption),
         QStringLiteral("Opções:")},
        {QRegularExpression(QStringLiteral("^Arguments:$"), QRegularExpression::MultilineOption),
         QStringLiteral("Argumentos:")},
        {QRegularExpression(QStringLiteral("^Unknown option '(.*)'\\.$")),
         QStringLiteral("Opção desconhecida '\\1'.")},
        {QRegularExpression(QStringLiteral("^Unknown options: (.*)\\.$")),
         QStringLiteral("Opções desconhecidas: \\1.")},
        {QRegularExpression(QStringLiteral("^Missing value after '(.*)'\\.$")),
         QStringLiteral("Falta o valor depois de '\\1'.")},
        {QRegularExpression(QStringLiteral("^Unexpected value after '(.*)'\\.$")),
         QStringLiteral("Valor inesperado depois de '\\1'.")},
    };
    for (const auto& [de, para] : trocas)
        texto.replace(de, para);
    return texto;
}

} // namespace quva::suite::admin
