#pragma once
// The desktop spreadsheet program a finished workbook is opened in. It is
// the command line in QUVA_PLANILHA, else planilha/programa of the suite's
// settings file, else LibreOffice's "soffice -n" (a new untitled document
// made from the file); the file's path is added as the last argument.

#include <QString>
#include <QStringList>

#include <optional>

namespace quva::spreadsheet {

struct Program {
    QString executable; // absolute path
    QStringList arguments;
};

// Empty when the program named cannot be found or nothing is installed.
std::optional<Program> spreadsheetProgram();

// Starts the program on the file without waiting for it, and removes the
// file once the program returns (LibreOffice returns after it has loaded a
// file handed to an instance already running, or when it ends).
bool openDetached(const Program& p, const QString& file);

} // namespace quva::spreadsheet
