#include "automation/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quva::automation {

namespace {

const QString kClsid = QStringLiteral("CLSID");
const QString kClass = QStringLiteral("Class");
const QString kLibrary = QStringLiteral("Library");
const QString kTypeLib = QStringLiteral("TypeLib");
const QString kTypeLibId = QStringLiteral("TypeLibID");
const QString kVersion = QStringLiteral("Version");
const QString kDescription = QStringLiteral("Description");
const QString kInterface = QStringLiteral("Interface");
const QString kInterfaceId = QStringLiteral("InterfaceID");
const QString kMembers = QStringLiteral("Members");

// The member list is kept as one comma-separated value: names never carry
// commas, and an empty or one-name list then reads back as it was written.
const QChar kSeparator = u',';

ClassEntry readEntry(QSettings& s, const QString& group) {
    s.beginGroup(group);
    ClassEntry e;
    e.progId = group;
    e.clsid = s.value(kClsid).toString();
    e.className = s.value(kClass).toString();
    e.library = s.value(kLibrary).toString();
    e.typeLib = s.value(kTypeLib).toString();
    e.typeLibId = s.value(kTypeLibId).toString();
    e.version = s.value(kVersion).toString();
    e.description = s.value(kDescription).toString();
    e.interfaceName = s.value(kInterface).toString();
    e.interfaceId = s.value(kInterfaceId).toString();
    const QString members = s.value(kMembers).toString();
    if (!members.isEmpty()) e.members = members.split(kSeparator);
    s.endGroup();
    return e;
}

// The stored group of a ProgID, whatever its letter case.
QString groupOf(QSettings& s, const QString& progId) {
    const QStringList groups = s.childGroups();
    for (const QString& g : groups)
        if (g.compare(progId, Qt::CaseInsensitive) == 0) return g;
    return {};
}

} // namespace

QString Registry::path() {
    const QString fromEnv = qEnvironmentVariable("QUVA_REGISTRY");
    if (!fromEnv.isEmpty()) return QFileInfo(fromEnv).absoluteFilePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quva/registry.ini");
}

std::optional<ClassEntry> Registry::find(const QString& progId) {
    QSettings s(path(), QSettings::IniFormat);
    const QString g = groupOf(s, progId);
    if (g.isEmpty() || progId.isEmpty()) return std::nullopt;
    return readEntry(s, g);
}

std::optional<ClassEntry> Registry::findByClsid(const QString& clsid) {
    QSettings s(path(), QSettings::IniFormat);
    const QStringList groups = s.childGroups();
    for (const QString& g : groups) {
        if (s.value(g + u'/' + kClsid).toString().compare(clsid, Qt::CaseInsensitive) == 0)
            return readEntry(s, g);
    }
    return std::nullopt;
}

std::vector<ClassEntry> Registry::all() {
    QSettings s(path(), QSettings::IniFormat);
    std::vector<ClassEntry> out;
    const QStringList groups = s.childGroups();
    for (const QString& g : groups)
        out.push_back(readEntry(s, g));
    return out;
}

bool Registry::write(const ClassEntry& e) {
    if (e.progId.isEmpty() || e.progId.contains(u'/') || e.progId.contains(u'\\')) return false;
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    QSettings s(file, QSettings::IniFormat);
    const QString old = groupOf(s, e.progId);
    if (!old.isEmpty()) s.remove(old);
    s.beginGroup(e.progId);
    s.setValue(kClsid, e.clsid);
    s.setValue(kClass, e.className);
    s.setValue(kLibrary, e.library);
    s.setValue(kTypeLib, e.typeLib);
    s.setValue(kTypeLibId, e.typeLibId);
    s.setValue(kVersion, e.version);
    s.setValue(kDescription, e.description);
    s.setValue(kInterface, e.interfaceName);
    s.setValue(kInterfaceId, e.interfaceId);
    s.setValue(kMembers, e.members.join(kSeparator));
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool Registry::remove(const QString& progId) {
    const QString file = path();
    if (!QFileInfo::exists(file)) return true;
    QSettings s(file, QSettings::IniFormat);
    const QString g = groupOf(s, progId);
    if (g.isEmpty()) return true;
    s.remove(g);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace quva::automation
