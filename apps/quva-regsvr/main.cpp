// quva-regsvr: registers and unregisters self-registering component
// libraries, and lists what the per-user registry holds.

#include "automation/Registry.h"
#include "automation/Server.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

using namespace quva::automation;

namespace {

// Exit codes of the classic tool.
enum Exit { Ok = 0, FailArgs = 1, FailLoad = 3, FailEntry = 4, FailReg = 5 };

QString usage() {
    return QStringLiteral("Uso: quva-regsvr [-u] [-s] biblioteca...\n"
                          "     quva-regsvr --list\n"
                          "\n"
                          "-u      Cancela o registro do servidor\n"
                          "-s      Modo silencioso; não exibe mensagens\n"
                          "--list  Lista as classes registradas\n");
}

void print(FILE* to, const QString& text) {
    QTextStream out(to);
    out << text << '\n';
}

int list() {
    QTextStream out(stdout);
    out << "ProgID\tCLSID\tBiblioteca\tBiblioteca de tipos\tVersão\tDescrição\n";
    for (const ClassEntry& e : Registry::all()) {
        out << e.progId << '\t' << e.clsid << '\t' << e.library << '\t' << e.typeLib << ' ' << e.typeLibId
            << '\t' << e.version << '\t' << e.description << '\n';
    }
    return Ok;
}

int registerOne(const QString& library, bool unregister, bool silent) {
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const RegistrationResult r = callRegistrationEntry(library, unregister);
    switch (r.stage) {
    case RegistrationResult::Stage::Done:
        if (!silent)
            print(stdout, QStringLiteral("%1 em %2 obteve êxito.").arg(QLatin1StringView(entry), library));
        return Ok;
    case RegistrationResult::Stage::LoadFailed:
        if (!silent)
            print(stderr, QStringLiteral("Falha ao carregar o módulo \"%1\".\n\n"
                                         "Verifique se o binário está armazenado no caminho indicado ou "
                                         "depure-o para verificar se há problemas com o binário ou com "
                                         "arquivos .DLL dependentes.\n\n%2")
                              .arg(library, r.loadError));
        return FailLoad;
    case RegistrationResult::Stage::EntryPointMissing:
        if (!silent)
            print(stderr,
                  QStringLiteral("O módulo \"%1\" foi carregado, mas o ponto de entrada %2 não foi "
                                 "encontrado.\n\nVerifique se \"%1\" é um arquivo DLL ou OCX válido e "
                                 "tente novamente.")
                      .arg(library, QLatin1StringView(entry)));
        return FailEntry;
    case RegistrationResult::Stage::CallFailed:
        if (!silent)
            print(stderr,
                  QStringLiteral("O módulo \"%1\" foi carregado, mas houve falha na chamada a %2, com o "
                                 "código de erro 0x%3.\n\nPara obter mais informações sobre este "
                                 "problema, pesquise online usando o código de erro como termo de "
                                 "pesquisa.")
                      .arg(library, QLatin1StringView(entry))
                      .arg(quint32(r.code), 8, 16, QLatin1Char('0')));
        return FailReg;
    }
    return FailReg;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool unregister = false;
    bool silent = false;
    bool listing = false;
    QStringList libraries;
    const QStringList args = app.arguments().mid(1);
    for (const QString& a : args) {
        // Both the classic slash options and the usual dash ones.
        const QString o = a.toLower();
        if (o == u"-u" || o == u"/u")
            unregister = true;
        else if (o == u"-s" || o == u"/s")
            silent = true;
        else if (o == u"--list" || o == u"-l" || o == u"/l")
            listing = true;
        else if (o == u"-h" || o == u"--help" || o == u"/?") {
            print(stdout, usage());
            return Ok;
        } else if (a.startsWith(u'-')) {
            if (!silent) print(stderr, QStringLiteral("Opção desconhecida: %1\n\n%2").arg(a, usage()));
            return FailArgs;
        } else
            libraries.append(a);
    }
    if (listing) return list();
    if (libraries.isEmpty()) {
        if (!silent) print(stderr, usage());
        return FailArgs;
    }
    int result = Ok;
    for (const QString& lib : libraries) {
        const int r = registerOne(lib, unregister, silent);
        if (r != Ok) result = r;
    }
    return result;
}
