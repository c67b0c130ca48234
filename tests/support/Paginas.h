#pragma once
// A report's pages as pdftotext -layout reads them back from the PDF the
// engine writes, each line's blank runs squeezed to one blank.

#include "datareport/DataReport.h"
#include "support/Processo.h"

#include <QStringList>
#include <QTemporaryDir>

namespace teste {

inline QStringList paginasDoPdf(quva::datareport::DataReport& r, const std::vector<int>& quais = {}) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    r.saveToPdf(pdf, quais);
    QStringList pgs =
        executarPrograma(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .saida.split(u'\f');
    if (!pgs.isEmpty() && pgs.back().trimmed().isEmpty()) pgs.removeLast();
    for (QString& s : pgs) {
        QStringList linhas = s.split(u'\n');
        for (QString& l : linhas)
            l = l.simplified();
        linhas.removeAll(QString());
        s = linhas.join(u'\n');
    }
    return pgs;
}

} // namespace teste
