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
        {3, QStringLiteral("Return sem GoSub")},
        {10, QStringLiteral("Esta matriz está fixa ou temporariamente bloqueada")},
        {14, QStringLiteral("Espaço de seqüência insuficiente")},
        {17, QStringLiteral("Não é possível executar a operação solicitada")},
        {18, QStringLiteral("Ocorreu interrupção do usuário")},
        {20, QStringLiteral("Resume sem erro")},
        {28, QStringLiteral("Espaço de pilha insuficiente")},
        {35, QStringLiteral("Sub ou Function não definida")},
        {48, QStringLiteral("Erro ao carregar DLL")},
        {51, QStringLiteral("Erro interno")},
        {52, QStringLiteral("Nome ou número de arquivo incorreto")},
        {err::FileNotFound, QStringLiteral("Arquivo não encontrado")},
        {54, QStringLiteral("Modo de arquivo incorreto")},
        {55, QStringLiteral("Arquivo já aberto")},
        {57, QStringLiteral("Erro de E/S do dispositivo")},
        {58, QStringLiteral("Arquivo já existe")},
        {61, QStringLiteral("Disco cheio")},
        {62, QStringLiteral("Entrada após o final do arquivo")},
        {67, QStringLiteral("Excesso de arquivos")},
        {68, QStringLiteral("Dispositivo não disponível")},
        {err::PermissionDenied, QStringLiteral("Permissão negada")},
        {71, QStringLiteral("Disco não está pronto")},
        {err::PathFileAccess, QStringLiteral("Erro de acesso ao caminho/arquivo")},
        {err::PathNotFound, QStringLiteral("Caminho não encontrado")},
        {err::ObjectNotSet, QStringLiteral("Variável de objeto ou variável do bloco With não definida")},
        {err::InvalidUseOfNull, QStringLiteral("Uso inválido de Null")},
        {92, QStringLiteral("Loop For não inicializado")},
        {93, QStringLiteral("Seqüência padrão inválida")},
        {err::ControlArrayElementMissing, QStringLiteral("O elemento de matriz de controle não existe")},
        {360, QStringLiteral("Objeto já carregado")},
        {err::UnableToUnload, QStringLiteral("Não é possível carregar ou descarregar este objeto")},
        {err::ObjectUnloaded, QStringLiteral("Objeto foi descarregado")},
        {err::UnloadNotAllowed, QStringLiteral("Não é possível descarregar neste contexto")},
        {err::InvalidPropertyValue, QStringLiteral("Valor de propriedade inválido")},
        {381, QStringLiteral("Índice de matriz de propriedades inválido")},
        {err::PropertyReadOnly,
         QStringLiteral("Não é possível definir a propriedade. Propriedade somente leitura")},
        {err::FormAlreadyShown,
         QStringLiteral("O formulário já está sendo exibido; não é possível exibi-lo de forma restrita")},
        {err::ModelessOverModal,
         QStringLiteral("Não é possível exibir um formulário não restrito quando um formulário restrito está "
                        "sendo exibido")},
        {422, QStringLiteral("Propriedade não encontrada")},
        {423, QStringLiteral("Propriedade ou método não encontrado")},
        {err::ObjectRequired, QStringLiteral("Objeto necessário")},
        {err::CannotCreateObject, QStringLiteral("O componente ActiveX não pode criar o objeto")},
        {err::MemberNotSupported, QStringLiteral("O objeto não aceita esta propriedade ou método")},
        {err::AutomationError, QStringLiteral("Erro de automação")},
        {err::ActionNotSupported, QStringLiteral("O objeto não aceita esta ação")},
        {err::NamedArgumentsNotSupported, QStringLiteral("O objeto não aceita argumentos nomeados")},
        {err::NamedArgumentNotFound, QStringLiteral("Argumento nomeado não encontrado")},
        {err::ArgumentNotOptional, QStringLiteral("O argumento não é opcional")},
        {err::WrongArgumentCount,
         QStringLiteral("Número de argumentos incorreto ou atribuição de propriedade inválida")},
        {err::NotACollection,
         QStringLiteral("Procedimento Property Let não definido e procedimento Property Get não retornou um "
                        "objeto")},
        {err::DuplicateKey, QStringLiteral("Esta chave já está associada a um elemento desta coleção")},
        {err::AdoInvalidArgument,
         QStringLiteral("Os argumentos são do tipo incorreto, estão fora do intervalo aceitável ou estão em "
                        "conflito uns com os outros.")},
        {err::AdoNoCurrentRecord,
         QStringLiteral("BOF ou EOF é verdadeiro, ou o registro atual foi excluído. A operação solicitada "
                        "requer um registro atual.")},
        {err::AdoNotAllowed, QStringLiteral("A operação solicitada não é permitida neste contexto.")},
        {err::AdoFeatureNotAvailable,
         QStringLiteral("O objeto ou o provedor não é capaz de executar a operação solicitada.")},
        {err::AdoItemNotFound,
         QStringLiteral("O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal "
                        "solicitado.")},
        {err::AdoDataConversion,
         QStringLiteral("O aplicativo usa um valor do tipo errado para a operação atual.")},
        {err::AdoObjectClosed, QStringLiteral("A operação não é permitida quando o objeto está fechado.")},
        {err::AdoObjectOpen, QStringLiteral("A operação não é permitida quando o objeto está aberto.")},
        {err::AdoMultipleStep,
         QStringLiteral("Operação de várias etapas gerou erros. Verifique cada valor de status.")},
        {err::ReportSectionNotFound, QStringLiteral("Seção não encontrada")},
        {err::ReportControlNotFound, QStringLiteral("Controle não encontrado")},
        {err::ReportDataFieldNotFound, QStringLiteral("Campo de dados não encontrado")},
        {err::AppObjectError, QStringLiteral("Erro definido pelo aplicativo ou pelo objeto")},
        {err::SpreadsheetBusy, QStringLiteral("Erro definido pelo aplicativo ou pelo objeto")},
        {err::GridInvalidRow, QStringLiteral("Valor de linha inválido")},
        {err::GridInvalidCol, QStringLiteral("Valor de coluna inválido")},
        {err::GridLastNonFixedRow, QStringLiteral("Não é possível remover a última linha não fixa")},
    };
    return t;
}
} // namespace

QString errorDescription(std::int32_t number) {
    auto it = table().constFind(number);
    return it != table().cend() ? *it : QStringLiteral("Erro definido pelo aplicativo ou pelo objeto");
}

RuntimeError::RuntimeError(std::int32_t number) : RuntimeError(number, errorDescription(number)) {}

RuntimeError::RuntimeError(std::int32_t number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toUtf8()) {}

void raise(std::int32_t number) {
    throw RuntimeError(number);
}
void raise(std::int32_t number, const QString& description) {
    throw RuntimeError(number, description);
}

} // namespace quva::rt
