#pragma once
// The ADO recordset the business components hand out and the screens read:
// rows held in memory (built by Fields.Append, Open, AddNew, Update), or a
// selection paged from a PageProvider that keeps only a page or two at a
// time. Both answer to C++ calls and to late-bound calls by the ADO names.

#include "ado/PageProvider.h"
#include "ado/Types.h"
#include "automation/DispatchObject.h"
#include "runtime/Variant.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace quva::ado {

class Recordset;
class Backing;

// Answers late-bound calls from one shared member table (Value, the
// default member, Name, Type, DefinedSize): a recordset makes one per field,
// so a field costs no registration of its own.
class Field : public rt::IDispatch {
public:
    rt::DispId memberId(const QString& name) const override;
    rt::Variant invoke(rt::DispId id, rt::CallKind kind, std::span<rt::Variant> args) override;
    QString typeName() const override { return QStringLiteral("Field"); }

    const QString& Name() const { return m_info.name; }
    DataType Type() const { return m_info.type; }
    std::int32_t DefinedSize() const;
    // Null where the row holds none. 3021 without a current row, 3704 once
    // the recordset is closed or gone.
    const rt::Variant& Value() const;
    // Converted to the field's type on the way in (rules in Field.cpp).
    void setValue(const rt::Variant& v);

private:
    friend class Recordset;
    Field(Recordset* rs, int index, FieldInfo info);
    Recordset* m_rs;
    int m_index;
    FieldInfo m_info;
};

class FieldCollection : public automation::DispatchObject {
public:
    std::int32_t Count() const;
    Field& Item(const QString& name); // 3265 for a name the recordset lacks
    Field& Item(std::int32_t index);  // 0-based; 3265 out of range
    Field& Item(const rt::Variant& nameOrIndex);
    // Only while closed; 3001 for an unknown type, a fixed text without a
    // size, or a name already there.
    void Append(const QString& name, DataType type, std::int32_t definedSize = 0,
                std::int32_t attributes = adFldUnspecified);

private:
    friend class Recordset;
    explicit FieldCollection(Recordset* rs);
    Recordset* m_rs;
};

class Recordset : public automation::DispatchObject {
public:
    // A new, closed recordset to be built in memory.
    static std::shared_ptr<Recordset> create();
    // An open recordset over rows already at hand (row after row, fields
    // order), first row current. Values are taken as given.
    static std::shared_ptr<Recordset> fromRows(const std::vector<FieldInfo>& fields,
                                               std::vector<rt::Variant> values);
    // An open recordset paged from storage, first row current.
    static std::shared_ptr<Recordset> fromProvider(std::shared_ptr<PageProvider> provider);

    ~Recordset() override;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    FieldCollection& Fields() { return *m_fields; }
    Field& Fields(const QString& name) { return *m_fieldObjects[fieldIndex(name)]; }
    Field& Fields(std::int32_t index);

    std::int32_t State() const { return m_open ? adStateOpen : adStateClosed; }
    // -1 when the provider does not know it.
    std::int32_t RecordCount() const;
    std::int32_t PageSize() const { return m_pageSize; }
    void setPageSize(std::int32_t n); // 3001 below 1
    // -1 when the count is unknown.
    std::int32_t PageCount() const;
    // The page of the current row, or adPosBOF / adPosEOF / adPosUnknown.
    std::int32_t AbsolutePage() const;
    // Makes the first row of page n current; a page that does not exist is 3001.
    void setAbsolutePage(std::int32_t n);
    std::int32_t AbsolutePosition() const; // 1-based, or a PositionEnum
    bool BOF() const;
    bool EOF_() const; // EOF is a macro of the C library

    void MoveFirst(); // 3021 when empty
    void MoveNext();  // 3021 at EOF
    void MovePrevious();
    void MoveLast();

    // Building in memory.
    void Open();
    void AddNew(); // appends an empty row and makes it current; 3251 for a paged selection
    void Update();
    void Close();

    // A new in-memory recordset with the rows of the current page (what a
    // business component hands out as "the page AbsolutePage was set to").
    std::shared_ptr<Recordset> currentPage();

    // Index of a field by name, letter case ignored; 3265 when absent.
    int fieldIndex(const QString& name) const;
    int fieldCount() const { return int(m_fieldObjects.size()); }
    const rt::Variant& valueAt(int field) const;
    void setValueAt(int field, const rt::Variant& v);

private:
    friend class Field;
    friend class FieldCollection;
    Recordset();
    void registerMembers();
    void requireOpen() const;
    void requireClosed() const;
    void appendField(FieldInfo info);
    void openOn(std::unique_ptr<Backing> backing);
    std::int64_t knownCount() const;
    // Moves to row i (0-based); false, and nothing moves, when there is no such row.
    bool goTo(std::int64_t i, std::int64_t blockFirst, std::int64_t blockSize);
    void setEof();

    std::shared_ptr<FieldCollection> m_fields;
    std::vector<std::shared_ptr<Field>> m_fieldObjects;
    QHash<QString, int> m_byName;      // as appended
    QHash<QString, int> m_byLowerName; // letter case ignored
    std::unique_ptr<Backing> m_backing;
    bool m_open = false;
    std::int32_t m_pageSize = 10;
    std::int64_t m_pos = -1; // current row, 0-based; -1 before the first
    bool m_bof = true;
    bool m_eof = true;
    mutable const rt::Variant* m_cur = nullptr; // values of the current row
    // MoveNext over a known count moved without reading: the row is read
    // when a field of it is.
    mutable bool m_pendente = false;
    bool rowAtHand() const;
    mutable int m_lookupHint = -1;      // the field found last
};

} // namespace quva::ado
