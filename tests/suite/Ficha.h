#pragma once
// What the card hands the business component: its installment grid (Rows
// and TextMatrix, date and value columns) and the signed-in user.

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Server.h"

#include <utility>
#include <vector>

namespace quva::teste {

using Parcelas = std::vector<std::pair<QString, QString>>;

class Grade : public automation::DispatchObject {
public:
    explicit Grade(Parcelas linhas)
        : DispatchObject(QStringLiteral("MSFlexGrid")), m_linhas(std::move(linhas)) {
        property(QStringLiteral("Rows"),
                 [this](automation::Args) { return rt::Variant(std::int32_t(m_linhas.size() + 1)); }, {});
        property(
            QStringLiteral("TextMatrix"),
            [this](automation::Args a) {
                const int r = a[0].toLong(), c = a[1].toLong();
                if (r == 0 || c > 1) return rt::Variant(QString());
                const auto& l = m_linhas.at(std::size_t(r - 1));
                return rt::Variant(c == 0 ? l.first : l.second);
            },
            {}, rt::kUnknownMember, 2);
    }

private:
    Parcelas m_linhas;
};

class Usuario : public automation::DispatchObject {
public:
    explicit Usuario(QString nome) : DispatchObject(QStringLiteral("clsUsuario")), m_nome(std::move(nome)) {
        property(QStringLiteral("NomeDoUsuario"), [this](automation::Args) { return rt::Variant(m_nome); },
                 {});
    }

private:
    QString m_nome;
};

// The business component as the card hands it over: its grid and user set.
inline rt::Object componenteDaFicha(const Parcelas& parcelas, const QString& usuario) {
    rt::Object o = automation::CreateObject(QStringLiteral("QUVA_N_CReceber.clsCReceber"));
    automation::set(o, QStringLiteral("GradeDasParcelas"), rt::Object(std::make_shared<Grade>(parcelas)));
    automation::set(o, QStringLiteral("DadosDoUsuario"), rt::Object(std::make_shared<Usuario>(usuario)));
    return o;
}

} // namespace quva::teste
