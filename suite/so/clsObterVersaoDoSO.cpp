// QUVA_N_SO.clsObterVersaoDoSO: the name of the operating system the suite
// runs on. The screens draw a frame around themselves on "Windows 8", so a
// setting can make the component answer that (or any other name) to see
// the frame on a system that is not one.

#include "automation/DispatchObject.h"
#include "automation/Server.h"

#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>

namespace {

using namespace quva;
using automation::Args;
using rt::Variant;

// The suite's settings file (the same one that names the database).
QString arquivoDeConfiguracao() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quva/suite.ini");
}

QString versaoDoSistema() {
    if (qEnvironmentVariableIsSet("QUVA_SO_VERSAO")) return qEnvironmentVariable("QUVA_SO_VERSAO");
    QSettings configuracao(arquivoDeConfiguracao(), QSettings::IniFormat);
    const QVariant definida = configuracao.value(QStringLiteral("so/versao"));
    if (definida.isValid()) return definida.toString();
    return QSysInfo::prettyProductName();
}

class clsObterVersaoDoSO : public automation::DispatchObject {
public:
    clsObterVersaoDoSO() : DispatchObject(QStringLiteral("clsObterVersaoDoSO")) {
        method(QStringLiteral("ObterversaoDoSO"), 0, [](Args) { return Variant(versaoDoSistema()); });
    }
};

const automation::ServerDescription& descricao() {
    static const automation::ServerDescription d = [] {
        automation::ClassEntry e;
        e.progId = QStringLiteral("QUVA_N_SO.clsObterVersaoDoSO");
        e.clsid = QStringLiteral("{686DF0E2-7918-432C-8097-5BEBA21DD6F8}");
        e.className = QStringLiteral("clsObterVersaoDoSO");
        e.typeLib = QStringLiteral("QUVA_N_SO");
        e.typeLibId = QStringLiteral("{2AB27FF4-3395-4C0A-99AF-65D863BA501A}");
        e.version = QStringLiteral("1.0");
        e.description = QStringLiteral("QUVA - Negócio - Versão do sistema operacional");
        e.interfaceName = QStringLiteral("_clsObterVersaoDoSO");
        e.interfaceId = QStringLiteral("{BDBDD52C-85CE-4E3A-B802-3A629024DCD8}");
        return automation::ServerDescription{{automation::serverClass<clsObterVersaoDoSO>(e)}};
    }();
    return d;
}

} // namespace

QUVA_AUTOMATION_SERVER(descricao)
