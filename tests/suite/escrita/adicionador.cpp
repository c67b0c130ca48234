// A clerk that does nothing but add sales: creates QUVA_N_CReceber.clsCReceber
// as the card does and calls Adicionar with a plan of 12 installments, again
// and again. Before each call it prints "A", after it "F <result>", so the
// test that kills it knows whether the kill fell inside a call.
//
//   quva-teste-adicionador VEZES CLIENTE   (VEZES 0: until killed)

#include "automation/DispatchObject.h"
#include "automation/LateBound.h"
#include "automation/Server.h"

#include <QCoreApplication>

#include <cstdio>

using namespace quva;
using automation::Args;
using rt::Variant;

namespace {

class Grade : public automation::DispatchObject {
public:
    Grade() : DispatchObject(QStringLiteral("MSFlexGrid")) {
        property(QStringLiteral("Rows"), [](Args) { return Variant(std::int32_t(13)); }, {});
        property(
            QStringLiteral("TextMatrix"),
            [](Args a) {
                const int r = a[0].toLong(), c = a[1].toLong();
                if (r == 0 || c == 2) return Variant(QString());
                return Variant(c == 0 ? QStringLiteral("10/%1/2031").arg(r, 2, 10, QLatin1Char('0'))
                                      : QStringLiteral("1.%1,25").arg(r * 7, 3, 10, QLatin1Char('0')));
            },
            {}, rt::kUnknownMember, 2);
    }
};

class Usuario : public automation::DispatchObject {
public:
    Usuario() : DispatchObject(QStringLiteral("clsUsuario")) {
        property(QStringLiteral("NomeDoUsuario"), [](Args) { return Variant(QStringLiteral("soak")); }, {});
    }
};

void dizer(const char* texto) {
    std::fputs(texto, stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: quva-teste-adicionador VEZES CLIENTE\n", stderr);
        return 2;
    }
    const long vezes = args[1].toLong();
    const double cliente = args[2].toDouble();
    try {
        for (long i = 0; vezes == 0 || i < vezes; ++i) {
            rt::Object o = automation::CreateObject(QStringLiteral("QUVA_N_CReceber.clsCReceber"));
            automation::let(o, QStringLiteral("CodigoDoCliente"), cliente);
            automation::let(o, QStringLiteral("Historico"), QStringLiteral("Plano de 12"));
            automation::set(o, QStringLiteral("GradeDasParcelas"), rt::Object(std::make_shared<Grade>()));
            automation::set(o, QStringLiteral("DadosDoUsuario"), rt::Object(std::make_shared<Usuario>()));
            dizer("A\n");
            const int r = automation::call(o, QStringLiteral("Adicionar")).toInteger();
            std::printf("F %d\n", r);
            std::fflush(stdout);
            if (r != 0) {
                std::fprintf(stderr, "%s\n",
                             qPrintable(automation::get(o, QStringLiteral("DescricaoDoErro")).toString() +
                                        automation::get(o, QStringLiteral("DescricaoDaFalha")).toString()));
                return 1;
            }
        }
    } catch (const rt::RuntimeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
