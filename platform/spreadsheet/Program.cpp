#include "spreadsheet/Program.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace quva::spreadsheet {

namespace {

QString settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quva/suite.ini");
}

std::optional<Program> fromCommandLine(const QString& commandLine) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty()) return std::nullopt;
    const QString name = words.takeFirst();
    QString path;
    if (name.contains(u'/')) {
        const QFileInfo f(name);
        if (f.isFile() && f.isExecutable()) path = f.absoluteFilePath();
    } else {
        path = QStandardPaths::findExecutable(name);
    }
    if (path.isEmpty()) return std::nullopt;
    return Program{path, words};
}

} // namespace

std::optional<Program> spreadsheetProgram() {
    if (qEnvironmentVariableIsSet("QUVA_PLANILHA")) return fromCommandLine(qEnvironmentVariable("QUVA_PLANILHA"));
    const QVariant configured = QSettings(settingsFile(), QSettings::IniFormat).value(QStringLiteral("planilha/programa"));
    if (configured.isValid()) return fromCommandLine(configured.toString());
    if (auto p = fromCommandLine(QStringLiteral("soffice -n"))) return p;
    return fromCommandLine(QStringLiteral("libreoffice -n"));
}

bool openDetached(const Program& p, const QString& file) {
    // sh -c 'file=$1; shift; "$@" "$file"; rm -f -- "$file"' sh FILE PROGRAM ARGS…
    QStringList args{QStringLiteral("-c"),
                     QStringLiteral("f=$1; shift; \"$@\" \"$f\" </dev/null >/dev/null 2>&1; rm -f -- \"$f\""),
                     QStringLiteral("sh"), file, p.executable};
    args += p.arguments;
    return QProcess::startDetached(QStringLiteral("/bin/sh"), args);
}

} // namespace quva::spreadsheet
