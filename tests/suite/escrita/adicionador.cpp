// A clerk that does nothing but add sales: creates QUVA_N_CReceber.clsCReceber
// as the card does and calls Adicionar with a plan of 12 installments, again
// and again. Before each call it prints "A", after it "F <result>", so the
// test that kills it knows whether the kill fell inside a call.
//
//   quva-teste-adicionador VEZES CLIENTE   (VEZES 0: until killed)

#include "suite/Ficha.h"

#include <QCoreApplication>

#include <cstdio>

using namespace quva;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: quva-teste-adicionador VEZES CLIENTE\n", stderr);
        return 2;
    }
    const long vezes = args[1].toLong();
    const double cliente = args[2].toDouble();
    teste::Parcelas plano;
    for (int r = 1; r <= 12; ++r)
        plano.push_back({QStringLiteral("10/%1/2031").arg(r, 2, 10, QLatin1Char('0')),
                         QStringLiteral("1.%1,25").arg(r * 7, 3, 10, QLatin1Char('0'))});
    try {
        for (long i = 0; vezes == 0 || i < vezes; ++i) {
            rt::Object o = teste::componenteDaFicha(plano, QStringLiteral("soak"));
            automation::let(o, QStringLiteral("CodigoDoCliente"), cliente);
            automation::let(o, QStringLiteral("Historico"), QStringLiteral("Plano de 12"));
            std::fputs("A\n", stdout);
            std::fflush(stdout);
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
