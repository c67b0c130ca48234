#pragma once
// What the admin tool and the menu share: registering the suite's
// libraries, and the command line in Portuguese.

#include "suite/storage/Cadastros.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quva::suite::admin {

// The suite's self-registering libraries, by type library name.
const QStringList& bibliotecasDaSuite();
// Where the libraries of this build are: the lib folder beside the bin
// folder of the running program.
QString pastaDasBibliotecas();

struct Registro {
    QString biblioteca; // full path
    bool feito = false;
    QString erro; // why not
};
// Registers (or unregisters) every library of the suite found in pasta.
std::vector<Registro> registrarSuite(const QString& pasta, bool remover = false);
// Registers the libraries whose classes the registry lacks; true when
// everything the suite needs is registered afterwards.
bool registrarOQueFalta(const QString& pasta, QStringList* erros = nullptr);

// The texts Qt's command-line parser writes (usage, option headings, its
// errors) in the suite's language.
QString emPortugues(QString texto);

} // namespace quva::suite::admin
