#pragma once
// The per-user registry of automation classes: one INI file, in the user's
// configuration folder (quva/registry.ini) unless QUVA_REGISTRY names another.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quva::automation {

struct ClassEntry {
    QString progId;        // "QUVA_A_CReceber.clsCReceber"
    QString clsid;         // "{FC77F644-…}"
    QString className;     // "clsCReceber"
    QString library;       // absolute path of the shared library
    QString typeLib;       // "QUVA_A_CReceber"
    QString typeLibId;     // "{9A1F3A22-…}"
    QString version;       // "1.0"
    QString description;   // "QUVA - Apresentação - Contas a Receber"
    QString interfaceName; // "_clsCReceber"
    QString interfaceId;   // "{843C3156-…}"
    QStringList members;   // in order
};

class Registry {
public:
    static QString path(); // the file in force
    // ProgIDs are matched without letter case.
    static std::optional<ClassEntry> find(const QString& progId);
    static std::optional<ClassEntry> findByClsid(const QString& clsid);
    static std::vector<ClassEntry> all();
    // Replaces an entry with the same ProgID (in any letter case); false
    // when the file cannot be written.
    static bool write(const ClassEntry& e);
    static bool remove(const QString& progId); // true also when there was nothing to remove
};

} // namespace quva::automation
