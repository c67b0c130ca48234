#pragma once
// Shared set-up of the component tests: a registry of the test's own with
// the stand-ins registered, and short ways to read what they received.

#include "Script.h"
#include "ado/Recordset.h"
#include "automation/Registry.h"
#include "automation/Server.h"
#include "component/modPrincipal.h"
#include "forms/Metrics.h"
#include "forms/MsgBox.h"
#include "forms/list/frmLista.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QFile>
#include <QTest>

#include <memory>

namespace teste {

inline void registrar(const char* biblioteca) {
    QString erro;
    const long r = quva::automation::RegisterLibrary(QString::fromUtf8(biblioteca), &erro);
    QVERIFY2(r == quva::automation::S_OK_, qPrintable(QStringLiteral("%1: %2").arg(biblioteca, erro)));
}

// A screen test's start: a new registry with the stand-ins (and the
// component, when given), at 96 dpi.
inline void prepararTelas(const char* dubles, const char* componente = nullptr) {
    const QString arquivo = quva::automation::Registry::path();
    QVERIFY2(arquivo.contains(QStringLiteral("test-registry")), qPrintable(arquivo));
    QFile::remove(arquivo);
    registrar(dubles);
    if (componente) registrar(componente);
    quva::forms::setLogicalDpiOverride(96);
}
// Midday of 15/06/2025, a third of a second on at every reading: the
// one-second pauses take no real time. Installed until the test case ends.
inline std::unique_ptr<quva::rt::ManualClock> relogioDasTelas() {
    auto r = std::make_unique<quva::rt::ManualClock>(quva::rt::Date{quva::rt::makeDate(2025, 6, 15).serial + 0.5});
    r->setStepPerRead(0.3);
    quva::rt::setClock(r.get());
    return r;
}
inline const QString kMsgErro = QStringLiteral("QUVA_A_MsgErro.clsMensagem");
inline const QString kFundoEscuro = QStringLiteral("QUVA_A_EfeitosDeTela.clsFundoEscuro");
inline const QString kNegocio = QStringLiteral("QUVA_N_CReceber.clsCReceber");

// The location texts the error message received, in order.
inline QStringList locaisExibidos() {
    QStringList r;
    for (const auto& c : quva::doubles::calls(kMsgErro, QStringLiteral("Exibir")))
        r << c.args.at(2).value.toString();
    return r;
}

// An argument as "42", or with its type as "d:42" (i l f d c t s o b v: Integer,
// Long, Single, Double, Currency, Date, String, Object, Boolean, Variant; & by reference).
inline QString argumento(const quva::doubles::Arg& a, bool comTipo) {
    using quva::rt::VarType;
    const QString valor = a.type() == VarType::Object ? QString() : quva::rt::CStr(a.value);
    if (!comTipo) return valor;
    return QChar(u"??ilfdctso?bv"[std::min(int(a.type()), 12)]) + QString::fromLatin1(a.byRef() ? "&:" : ":") + valor;
}
// The calls a stand-in received (of one member, when named), as
// "let Historico s:texto" or "Adicionar".
inline QStringList chamadas(const QString& progId, const QString& membro = {}, bool comTipo = true) {
    using quva::rt::CallKind;
    QStringList r;
    for (const auto& c : membro.isEmpty() ? quva::doubles::calls(progId) : quva::doubles::calls(progId, membro)) {
        QString t = c.kind == CallKind::PropertyLet ? QStringLiteral("let ")
                    : c.kind == CallKind::PropertySet ? QStringLiteral("set ")
                                                      : QString();
        t += c.member;
        for (const auto& a : c.args)
            t += u' ' + argumento(a, comTipo);
        r << t;
    }
    return r;
}
// The calls the dark backdrop received, as "Aplicar 777".
inline QStringList fundoEscuro() {
    return chamadas(kFundoEscuro, {}, false);
}
inline quva::rt::Variant ultimoArgumento(const QString& progId, const QString& membro) {
    auto v = quva::doubles::calls(progId, membro);
    return v.empty() || v.back().args.empty() ? quva::rt::Variant() : v.back().args.back().value;
}

// The message boxes shown, each as "text | buttons | title".
inline QString caixa(const QString& texto, int botoes, const QString& titulo) {
    return texto + QStringLiteral(" | %1 | ").arg(botoes) + titulo;
}
inline QStringList caixas(const quva::forms::ScriptedMessageBoxes& m) {
    QStringList r;
    for (const auto& x : m.shown())
        r << caixa(x.prompt, x.buttons, x.title);
    return r;
}

// A list whose grid holds one row, given as the 25 cells joined by '|', the
// way the list shows a receivable; the component's screens read it there.
inline std::shared_ptr<::creceber::frmLista> listaComUmaLinha(const QString& celulas) {
    auto lista = std::make_shared<::creceber::frmLista>();
    lista->Load();
    auto& g = *lista->msfgGrade;
    g.setRows(2);
    g.setCols(::creceber::colunas::Total);
    const QStringList valores = celulas.split(u'|');
    for (int c = 0; c < ::creceber::colunas::Total; ++c)
        g.setTextMatrix(1, c, valores.value(c));
    g.setRow(1);
    ::creceber::gfrmLista = lista;
    return lista;
}

// A client row as the clients component returns it.
inline const QString kClientes = QStringLiteral("QUVA_N_ClientAnim.clsClientes");
struct Cliente {
    quva::rt::Variant codigo;
    QString apelido, nome;
    quva::rt::Variant situacao = std::int32_t(1);
    QString vip = QStringLiteral("Não"), categoria = QStringLiteral("B");
    QString endereco = QStringLiteral("Rua das Flores, 10");
};
inline std::shared_ptr<quva::ado::Recordset> registrosDeClientes(const std::vector<Cliente>& v) {
    std::vector<quva::ado::FieldInfo> f;
    for (const char* n : {"CodigoDoCliente", "ApelidoOuNomeFantasia", "NomeOuRazaoSocial", "Situacao",
                          "EnderecoCompleto", "VIP", "CategoriaDaCurvaABC"})
        f.push_back({QString::fromLatin1(n), quva::ado::adVariant, 0});
    std::vector<quva::rt::Variant> valores;
    for (const Cliente& c : v)
        valores.insert(valores.end(), {c.codigo, c.apelido, c.nome, c.situacao, c.endereco, c.vip, c.categoria});
    return quva::ado::Recordset::fromRows(f, std::move(valores));
}
// The clients stand-in answers every search with these clients.
inline void responderComClientes(const std::vector<Cliente>& v) {
    quva::doubles::setResult(kClientes, QStringLiteral("Selecionar"), std::int16_t(0));
    quva::doubles::setResult(kClientes, QStringLiteral("ResultadoDaSelecaoEmRecordSet"),
                             quva::rt::Variant(registrosDeClientes(v)));
}
} // namespace teste
