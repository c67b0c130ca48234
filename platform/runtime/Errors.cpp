#include "runtime/Errors.h"

#include <QHash>

namespace quva::rt {

namespace {
const QHash<std::int32_t, QString>& table() {
    static const QHash<std::int32_t, QString> t = {
        {err::InvalidCall, QStringLiteral("Chamada de procedimento ou argumento inválido")},
        {err::Overflow, QStringLiteral("Estouro")},
        {7, QStringLiteral("Memória insuficiente")},
        {err::SubscriptOutOfRange, QStringLiteral("Subscrito fora do intervalo")},
        {err::DivisionByZero, QStringLiteral("Divisão por zero")},
        {err::TypeMismatch, QStringLiteral("Tipos incompatíveis")},
        {err::ObjectNotSet, QStringLiteral("Variável de objeto ou variável do bloco With não definida")},
        {err::InvalidUseOfNull, QStringLiteral("Uso inválido de Null")},
        {err::InvalidPropertyValue, QStringLiteral("Valor de propriedade inválido")},
        {err::ObjectRequired, QStringLiteral("Objeto necessário")},
        {err::CannotCreateObject, QStringLiteral("O componente ActiveX não pode criar o objeto")},
        {err::MemberNotSupported, QStringLiteral("O objeto não aceita esta propriedade ou método")},
        {err::AutomationError, QStringLiteral("Erro de automação")},
        {err::ArgumentNotOptional, QStringLiteral("O argumento não é opcional")},
        {err::WrongArgumentCount,
         QStringLiteral("Número de argumentos incorreto ou atribuição de propriedade inválida")},
        {err::AdoInvalidArgument,
         QStringLiteral("Os argumentos são do tipo incorreto, estão fora do intervalo aceitável ou estão em "
                        "conflito uns com os outros.")},
        {err::AdoNoCurrentRecord,
         QStringLiteral("BOF ou EOF é verdadeiro, ou o registro atual foi excluído. A operação solicitada "
                        "requer um registro atual.")},
        {err::AdoNotAllowed, QStringLiteral("A operação solicitada não é permitida neste contexto.")},
        {err::AdoItemNotFound,
         QStringLiteral("O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal "
                        "solicitado.")},
        {err::AdoObjectClosed, QStringLiteral("A operação não é permitida quando o objeto está fechado.")},
        {err::AdoObjectOpen, QStringLiteral("A operação não é permitida quando o objeto está aberto.")},
        {err::AdoMultipleStep,
         QStringLiteral("Operação de várias etapas gerou erros. Verifique cada valor de status.")},
        {err::ReportSectionNotFound, QStringLiteral("Seção não encontrada")},
        {err::ReportControlNotFound, QStringLiteral("Controle não encontrado")},
        {err::ReportDataFieldNotFound, QStringLiteral("Campo de dados não encontrado")},
        {err::AppObjectError, QStringLiteral("Erro definido pelo aplicativo ou pelo objeto")},
        {err::SpreadsheetBusy, QStringLiteral("Erro definido pelo aplicativo ou pelo objeto")},
    };
    return t;
}
}  // namespace

QString errorDescription(std::int32_t number) {
    auto it = table().constFind(number);
    return it != table().cend() ? *it : QStringLiteral("Erro definido pelo aplicativo ou pelo objeto");
}

RuntimeError::RuntimeError(std::int32_t number) : RuntimeError(number, errorDescription(number)) {}

RuntimeError::RuntimeError(std::int32_t number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toUtf8()) {}

void raise(std::int32_t number) { throw RuntimeError(number); }
void raise(std::int32_t number, const QString& description) { throw RuntimeError(number, description); }

}  // namespace quva::rt
