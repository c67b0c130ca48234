#pragma once
// Reads back an .xlsx the way a spreadsheet program would see it: every
// cell of the first sheet with its kind, text or number, and the font,
// number format and alignment its style gives it. Unzips with `unzip -p`.

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QString>
#include <QXmlStreamReader>

namespace teste {

struct CelulaXlsx {
    QString tipo; // "n" number, "inlineStr"/"s" text, "b" boolean, "" blank
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
    // A row's first cells as "text|text|…", or each one's kind, format and weight.
    QString linha(int row, int colunas, bool estilo = false) const;
};

inline QByteArray parteDoXlsx(const QString& arquivo, const QString& parte) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), arquivo, parte});
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

inline QString letraDaColuna(int coluna) {
    QString s;
    for (; coluna > 0; coluna = (coluna - 1) / 26)
        s.prepend(QChar(u'A' + (coluna - 1) % 26));
    return s;
}

inline QString PlanilhaXlsx::linha(int row, int colunas, bool estilo) const {
    QStringList r;
    for (int c = 1; c <= colunas; ++c) {
        const QString ref = letraDaColuna(c) + QString::number(row);
        const CelulaXlsx x = celulas.value(ref);
        r << (!celulas.contains(ref) ? QString()
              : estilo               ? x.tipo + u' ' + x.formato + (x.negrito ? QStringLiteral(" B") : QString())
                                     : x.texto);
    }
    return r.join(u'|');
}

// The entries of the style part's lists (fonts, fills, borders, cellXfs,
// numFmts), each one's attributes with its children's as "child.attribute"
// (a child without any as "child").
using EntradaDeEstilo = QHash<QString, QString>;
inline QHash<QString, QList<EntradaDeEstilo>> estilosDoXlsx(const QString& arquivo) {
    QHash<QString, QList<EntradaDeEstilo>> listas;
    QXmlStreamReader e(parteDoXlsx(arquivo, QStringLiteral("xl/styles.xml")));
    QList<EntradaDeEstilo>* lista = nullptr;
    for (int nivel = 0; !e.atEnd();) {
        e.readNext();
        if (e.isEndElement()) --nivel;
        if (!e.isStartElement()) continue;
        ++nivel;
        const QString nome = e.name().toString();
        if (nivel == 2) {
            lista = &listas[nome];
        } else if (nivel == 3) {
            lista->append(EntradaDeEstilo());
            for (const auto& a : e.attributes())
                lista->back().insert(a.name().toString(), a.value().toString());
        } else if (nivel == 4) {
            lista->back().insert(nome, {});
            for (const auto& a : e.attributes())
                lista->back().insert(nome + u'.' + a.name().toString(), a.value().toString());
        }
    }
    return listas;
}

inline PlanilhaXlsx lerXlsx(const QString& arquivo) {
    const auto estilos = estilosDoXlsx(arquivo);
    QHash<QString, QString> formatos{{QStringLiteral("0"), QStringLiteral("General")},
                                     {QStringLiteral("14"), QStringLiteral("m/d/yyyy")}};
    for (const EntradaDeEstilo& f : estilos.value(QStringLiteral("numFmts")))
        formatos.insert(f.value(QStringLiteral("numFmtId")), f.value(QStringLiteral("formatCode")));
    const auto entrada = [&](const char* lista, const EntradaDeEstilo& xf, const char* id) {
        return estilos.value(QString::fromLatin1(lista)).value(xf.value(QString::fromLatin1(id)).toInt());
    };
    PlanilhaXlsx p;
    QXmlStreamReader f(parteDoXlsx(arquivo, QStringLiteral("xl/worksheets/sheet1.xml")));
    CelulaXlsx* atual = nullptr;
    while (!f.atEnd()) {
        if (!f.readNextStartElement()) continue;
        const auto a = [&f](const char* nome) { return f.attributes().value(QLatin1StringView(nome)).toString(); };
        if (f.name() == u"col") {
            for (int c = a("min").toInt(); c <= a("max").toInt(); ++c)
                p.larguras.insert(letraDaColuna(c), a("width").toDouble());
        } else if (f.name() == u"c") {
            atual = &p.celulas[a("r")];
            atual->tipo = a("t");
            const EntradaDeEstilo xf = estilos.value(QStringLiteral("cellXfs")).value(a("s").toInt());
            const EntradaDeEstilo fonte = entrada("fonts", xf, "fontId");
            atual->fonte = fonte.value(QStringLiteral("name.val"));
            atual->negrito = fonte.contains(QStringLiteral("b")) && fonte.value(QStringLiteral("b.val")) != u"0";
            const QString formato = xf.value(QStringLiteral("numFmtId"), QStringLiteral("0"));
            atual->formato = formatos.value(formato, formato);
            atual->alinhamento = xf.value(QStringLiteral("alignment.horizontal"));
            atual->quebra = xf.value(QStringLiteral("alignment.wrapText")) == u"1";
            atual->borda = entrada("borders", xf, "borderId").contains(QStringLiteral("bottom.style"));
            atual->preenchida = entrada("fills", xf, "fillId").value(QStringLiteral("patternFill.patternType")) == u"solid";
        } else if (f.name() == u"v" || f.name() == u"t") {
            atual->texto = f.readElementText();
            if (atual->tipo.isEmpty()) atual->tipo = QStringLiteral("n"); // a value without a kind is a number
        }
    }
    return p;
}

// The first sheet as LibreOffice reads it, converted headless to CSV
// (semicolons, en-US separators) in pasta; null when LibreOffice is not
// installed, empty when the conversion failed.
inline QString csvDoLibreOffice(const QString& arquivo, const QString& pasta) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) return {};
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + QDir(pasta).filePath(QStringLiteral("perfil")),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true"),
                      QStringLiteral("--outdir"), pasta, arquivo});
    p.waitForFinished(120000);
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
    // The arguments of the program's next start, waited for; empty when it did not start.
    QStringList proximaAbertura() {
        ++m_aberturas;
        QStringList linhas;
        for (int i = 0; i < 500 && linhas.size() < m_aberturas; ++i) {
            linhas = lerLinhas(QStringLiteral("programa.log"));
            if (linhas.size() < m_aberturas) QThread::msleep(20);
        }
        return linhas.size() < m_aberturas ? QStringList() : linhas[m_aberturas - 1].split(u' ');
    }
    // The copy of the workbook of the program's next start.
    QString proximaPlanilha() {
        const QStringList a = proximaAbertura();
        return a.isEmpty() ? QString() : arquivo(QFileInfo(a.last()).fileName());
    }
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
