#pragma once
// Reads back an .xlsx the way a spreadsheet program would see it: every
// cell of the first sheet with its kind, text or number, and the font,
// number format, alignment, wrap, border and fill its style gives it.

#include "support/Processo.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QThread>
#include <QString>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace teste {

struct CelulaXlsx {
    QString tipo; // "n" number, "s" text, "d" date, "b" boolean, "" blank
    QString texto; // the text, or the number as written
    QString fonte;
    bool negrito = false;
    QString formato = QStringLiteral("General");
    QString alinhamento; // "", "left", "center", "right"
    bool quebra = false;
    bool borda = false;      // a line beneath
    bool preenchida = false; // a solid band
};

struct PlanilhaXlsx {
    QHash<QString, CelulaXlsx> celulas; // by reference: "A1", "E5", …
    QHash<QString, double> larguras;    // column letter -> width, for the columns given one

    const CelulaXlsx operator()(const QString& ref) const { return celulas.value(ref); }
    // A row's first cells (up to Z) as "text|text|…", or each one's kind,
    // format and weight.
    QString linha(int row, int colunas, bool estilo = false) const;
};

inline QString PlanilhaXlsx::linha(int row, int colunas, bool estilo) const {
    QStringList r;
    for (int c = 1; c <= colunas; ++c) {
        const QString ref = QChar(u'A' + c - 1) + QString::number(row);
        const CelulaXlsx x = celulas.value(ref);
        r << (!celulas.contains(ref) ? QString()
              : estilo               ? x.tipo + u' ' + x.formato + (x.negrito ? QStringLiteral(" B") : QString())
                                     : x.texto);
    }
    return r.join(u'|');
}

// Every cell of the first sheet that has a value or a style, and the widths
// given, as openpyxl reads them (dates as dd/mm/yyyy), in JSON.
inline constexpr char kLeitorDePlanilha[] = R"(
import json, sys, openpyxl
folha = openpyxl.load_workbook(sys.argv[1]).active
celulas = {}
for linha in folha.iter_rows():
    for c in linha:
        if c.value is None and not c.has_style:
            continue
        texto = c.value.strftime('%d/%m/%Y') if c.is_date else '' if c.value is None else str(c.value)
        celulas[c.coordinate] = [c.data_type if texto else '', texto, c.font.name or '', bool(c.font.b),
                                 c.number_format, c.alignment.horizontal or '', bool(c.alignment.wrap_text),
                                 c.border.bottom.style is not None, c.fill.fill_type == 'solid']
larguras = {letra: d.width for letra, d in folha.column_dimensions.items()}
json.dump({'celulas': celulas, 'larguras': larguras}, sys.stdout)
)";

inline PlanilhaXlsx lerXlsx(const QString& arquivo) {
    // Debian's own interpreter, where python3-openpyxl is installed.
    const Execucao py = executarPrograma(QStringLiteral("/usr/bin/python3"),
                                         {QStringLiteral("-c"), QString::fromUtf8(kLeitorDePlanilha), arquivo}, {},
                                         60000);
    if (py.codigo != 0) qWarning("%s", qPrintable(py.erro));
    const QJsonObject lido = QJsonDocument::fromJson(py.saida.toUtf8()).object();
    PlanilhaXlsx p;
    const QJsonObject celulas = lido.value(QStringLiteral("celulas")).toObject();
    for (auto i = celulas.begin(); i != celulas.end(); ++i) {
        const QJsonArray c = i.value().toArray();
        p.celulas.insert(i.key(), {c[0].toString(), c[1].toString(), c[2].toString(), c[3].toBool(), c[4].toString(),
                                   c[5].toString(), c[6].toBool(), c[7].toBool(), c[8].toBool()});
    }
    const QJsonObject larguras = lido.value(QStringLiteral("larguras")).toObject();
    for (auto i = larguras.begin(); i != larguras.end(); ++i)
        p.larguras.insert(i.key(), i.value().toDouble());
    return p;
}

// The first sheet as LibreOffice reads it, converted headless to CSV
// (semicolons, en-US separators) in pasta; null when LibreOffice is not
// installed, empty when the conversion failed.
inline QString csvDoLibreOffice(const QString& arquivo, const QString& pasta) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) return {};
    executarPrograma(soffice,
                     {QStringLiteral("-env:UserInstallation=file://") + QDir(pasta).filePath(QStringLiteral("perfil")),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true"),
                      QStringLiteral("--outdir"), pasta, arquivo},
                     {{QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")}});
    QFile csv(QDir(pasta).filePath(QFileInfo(arquivo).completeBaseName() + QStringLiteral(".csv")));
    return csv.open(QIODevice::ReadOnly) ? QString::fromUtf8(csv.readAll()) : QStringLiteral("");
}

// A spreadsheet program (QUVA_PLANILHA) that keeps a copy of every workbook
// it is handed, and the spreadsheet's call log (QUVA_PLANILHA_REGISTRO),
// both in pasta.
class GravadorDePlanilha {
public:
    explicit GravadorDePlanilha(const QString& pasta, const QString& argumentos = {}) : m_pasta(pasta) {
        QFile script(arquivo(QStringLiteral("programa.sh")));
        if (script.open(QIODevice::WriteOnly))
            script.write(QStringLiteral("#!/bin/sh\nfor f; do :; done\ncp \"$f\" '%1/'\necho \"$@\" >> '%1/programa.log'\n")
                             .arg(pasta)
                             .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("QUVA_PLANILHA", (script.fileName() + argumentos).toUtf8());
        qputenv("QUVA_PLANILHA_REGISTRO", arquivo(QStringLiteral("chamadas.log")).toUtf8());
    }
    QString arquivo(const QString& nome) const { return QDir(m_pasta).filePath(nome); }
    // The copy of the workbook of the program's next start, waited for;
    // empty when it did not start.
    QString proximaPlanilha() {
        ++m_aberturas;
        QStringList linhas;
        for (int i = 0; i < 500 && linhas.size() < m_aberturas; ++i) {
            linhas = lerLinhas(QStringLiteral("programa.log"));
            if (linhas.size() < m_aberturas) QThread::msleep(20);
        }
        argumentos = linhas.size() < m_aberturas ? QStringList() : linhas[m_aberturas - 1].split(u' ');
        return argumentos.isEmpty() ? QString() : arquivo(QFileInfo(argumentos.last()).fileName());
    }
    QStringList argumentos; // of that start, the workbook it was handed last
    // The calls since the log was last cleared, one a line.
    QStringList registro() const { return lerLinhas(QStringLiteral("chamadas.log")); }
    void limparRegistro() const { QFile::remove(arquivo(QStringLiteral("chamadas.log"))); }

private:
    QStringList lerLinhas(const QString& nome) const {
        QFile f(arquivo(nome));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                          : QStringList();
    }
    QString m_pasta;
    int m_aberturas = 0;
};

} // namespace teste
