#pragma once
// Shared set-up of the component tests: a registry of the test's own with
// the stand-ins registered, and short ways to read what they received.

#include "Script.h"
#include "automation/Registry.h"
#include "automation/Server.h"

#include <QFile>
#include <QTest>

namespace teste {

inline void registrar(const char* biblioteca) {
    QString erro;
    const long r = quva::automation::RegisterLibrary(QString::fromUtf8(biblioteca), &erro);
    QVERIFY2(r == quva::automation::S_OK_, qPrintable(QStringLiteral("%1: %2").arg(biblioteca, erro)));
}

inline void registroNovo() {
    const QString arquivo = quva::automation::Registry::path();
    QVERIFY2(arquivo.contains(QStringLiteral("test-registry")), qPrintable(arquivo));
    QFile::remove(arquivo);
}

inline const QString kMsgErro = QStringLiteral("QUVA_A_MsgErro.clsMensagem");
inline const QString kFundoEscuro = QStringLiteral("QUVA_A_EfeitosDeTela.clsFundoEscuro");
inline const QString kNegocio = QStringLiteral("QUVA_N_CReceber.clsCReceber");

inline std::uint16_t porRef(quva::rt::VarType t) {
    return std::uint16_t(t) | quva::rt::kByRef;
}

// The location texts the error message received, in order.
inline QStringList locaisExibidos() {
    QStringList r;
    for (const auto& c : quva::doubles::calls(kMsgErro, QStringLiteral("Exibir")))
        r << c.args.at(2).value.toString();
    return r;
}

// The calls the dark backdrop received, as "Aplicar 777".
inline QStringList fundoEscuro() {
    QStringList r;
    for (const auto& c : quva::doubles::calls(kFundoEscuro))
        r << c.member + u' ' + c.args.at(0).value.toString();
    return r;
}

} // namespace teste
