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

#include <vector>

namespace teste {

struct CelulaXlsx {
    QString tipo; // "n" number, "inlineStr"/"s" text, "b" boolean, "" blank
    QString texto; // the text, or the number as written
    QString fonte;
    bool negrito = false;
    QString formato = QStringLiteral("General");
    QString alinhamento; // "", "left", "center", "right"
    bool quebra = false;
    bool borda = false;
    bool preenchida = false;
    bool numero() const { return tipo == QLatin1String("n"); }
    bool textual() const { return tipo == QLatin1String("inlineStr") || tipo == QLatin1String("s"); }
};

struct PlanilhaXlsx {
    QHash<QString, CelulaXlsx> celulas; // by reference: "A1", "E5", …
    QHash<QString, double> larguras;    // column letter -> width, for the columns given one
    bool temFormula = false;

    const CelulaXlsx operator()(const QString& ref) const { return celulas.value(ref); }
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

inline PlanilhaXlsx lerXlsx(const QString& arquivo) {
    struct Xf {
        int fonte = 0, formato = 0, borda = 0, preenchimento = 0;
        QString alinhamento;
        bool quebra = false;
    };
    QHash<int, QString> formatos{{0, QStringLiteral("General")}, {14, QStringLiteral("m/d/yyyy")}};
    std::vector<std::pair<QString, bool>> fontes;
    std::vector<bool> bordas, preenchimentos;
    std::vector<Xf> xfs;
    QXmlStreamReader e(parteDoXlsx(arquivo, QStringLiteral("xl/styles.xml")));
    QString secao;
    while (!e.atEnd()) {
        if (!e.readNextStartElement()) continue;
        const auto n = e.name();
        const auto a = e.attributes();
        if (n == u"fonts" || n == u"cellXfs" || n == u"cellStyleXfs" || n == u"borders" || n == u"fills")
            secao = n.toString();
        else if (n == u"numFmt")
            formatos.insert(a.value(QLatin1StringView("numFmtId")).toInt(), a.value(QLatin1StringView("formatCode")).toString());
        else if (n == u"font" && secao == u"fonts")
            fontes.emplace_back(QString(), false);
        else if (n == u"b" && secao == u"fonts")
            fontes.back().second = a.value(QLatin1StringView("val")) != u"0";
        else if (n == u"name" && secao == u"fonts")
            fontes.back().first = a.value(QLatin1StringView("val")).toString();
        else if (n == u"border" && secao == u"borders")
            bordas.push_back(false);
        else if (n == u"bottom" && secao == u"borders")
            bordas.back() = a.hasAttribute(QLatin1StringView("style"));
        else if (n == u"fill" && secao == u"fills")
            preenchimentos.push_back(false);
        else if (n == u"patternFill" && secao == u"fills")
            preenchimentos.back() = a.value(QLatin1StringView("patternType")) == u"solid";
        else if (n == u"xf" && secao == u"cellXfs")
            xfs.push_back(Xf{a.value(QLatin1StringView("fontId")).toInt(), a.value(QLatin1StringView("numFmtId")).toInt(), a.value(QLatin1StringView("borderId")).toInt(),
                             a.value(QLatin1StringView("fillId")).toInt(), {}, false});
        else if (n == u"alignment" && secao == u"cellXfs") {
            xfs.back().alinhamento = a.value(QLatin1StringView("horizontal")).toString();
            xfs.back().quebra = a.value(QLatin1StringView("wrapText")) == u"1";
        }
    }
    PlanilhaXlsx p;
    QXmlStreamReader f(parteDoXlsx(arquivo, QStringLiteral("xl/worksheets/sheet1.xml")));
    CelulaXlsx* atual = nullptr;
    while (!f.atEnd()) {
        if (!f.readNextStartElement()) continue;
        const auto a = f.attributes();
        if (f.name() == u"col") {
            for (int c = a.value(QLatin1StringView("min")).toInt(); c <= a.value(QLatin1StringView("max")).toInt(); ++c)
                p.larguras.insert(letraDaColuna(c), a.value(QLatin1StringView("width")).toDouble());
        } else if (f.name() == u"c") {
            atual = &p.celulas[a.value(QLatin1StringView("r")).toString()];
            atual->tipo = a.value(QLatin1StringView("t")).toString();
            if (atual->tipo.isEmpty()) atual->tipo = QStringLiteral("n");
            const Xf x = std::size_t(a.value(QLatin1StringView("s")).toInt()) < xfs.size() ? xfs[a.value(QLatin1StringView("s")).toInt()] : Xf{};
            if (std::size_t(x.fonte) < fontes.size()) std::tie(atual->fonte, atual->negrito) = fontes[x.fonte];
            atual->formato = formatos.value(x.formato, QString::number(x.formato));
            atual->alinhamento = x.alinhamento;
            atual->quebra = x.quebra;
            atual->borda = std::size_t(x.borda) < bordas.size() && bordas[x.borda];
            atual->preenchida = std::size_t(x.preenchimento) < preenchimentos.size() && preenchimentos[x.preenchimento];
        } else if (f.name() == u"v" || f.name() == u"t") {
            if (atual) atual->texto = f.readElementText();
        } else if (f.name() == u"f") {
            p.temFormula = true;
        }
    }
    // A cell with a style but no value is blank.
    for (auto& c : p.celulas)
        if (c.texto.isEmpty() && c.tipo == QLatin1String("n")) c.tipo.clear();
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
