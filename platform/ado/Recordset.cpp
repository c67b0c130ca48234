#include "ado/Recordset.h"

#include "ado/Backing.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <algorithm>
#include <limits>

namespace quva::ado {

using automation::Args;
using rt::Variant;
namespace err = rt::err;

namespace {
// Rows fetched at once when a walk crosses the end of what is at hand: a
// report walking a whole selection should not pay one fetch per page, and
// a few hundred rows stay small.
constexpr std::int64_t kStreamBlock = 512;

std::int32_t clampLong(std::int64_t n) {
    return std::int32_t(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}
} // namespace

// ---- ProviderBacking

const Variant* ProviderBacking::lookup(const Block& b, std::int64_t i) const {
    if (b.first < 0 || i < b.first) return nullptr;
    const std::int64_t k = i - b.first;
    return k < b.rows(m_fields) ? b.values.data() + k * m_fields : nullptr;
}

const Variant* ProviderBacking::row(std::int64_t i, std::int64_t blockFirst, std::int64_t blockSize) {
    if (i < 0 || (m_count >= 0 && i >= m_count) || (m_end >= 0 && i >= m_end)) return nullptr;
    if (const Variant* r = lookup(m_cur, i)) return r;
    if (const Variant* r = lookup(m_prev, i)) {
        std::swap(m_cur, m_prev); // buffers move with the swap: row pointers stay valid
        return r;
    }
    // The block being replaced is the older one; the current row's block survives.
    std::swap(m_cur, m_prev);
    m_cur.first = -1;
    m_cur.values.clear();
    if (m_count >= 0) blockSize = std::min(blockSize, m_count - blockFirst);
    m_provider->fetch(blockFirst, blockSize, m_cur.values);
    ++m_fetches;
    const std::size_t whole = std::size_t(blockSize) * std::size_t(m_fields);
    if (m_cur.values.size() > whole) m_cur.values.resize(whole);
    m_cur.values.resize(m_cur.values.size() - m_cur.values.size() % std::size_t(m_fields));
    m_cur.first = blockFirst;
    const std::int64_t got = m_cur.rows(m_fields);
    // A short fetch marks the end only where the count is unknown; with a
    // known count it means rows went away, and only those rows are missing.
    if (got < blockSize && m_count < 0) m_end = blockFirst + got;
    return lookup(m_cur, i);
}

bool ProviderBacking::refresh() {
    if (!m_provider->refresh()) return false;
    m_count = m_provider->count();
    m_end = -1;
    m_cur = Block{};
    m_prev = Block{};
    return true;
}

// ---- Recordset

Recordset::Recordset() : DispatchObject(QStringLiteral("Recordset")), m_fields(new FieldCollection(this)) {
    registerMembers();
}

Recordset::~Recordset() {
    // Field objects handed out may outlive the recordset; they fail from now on.
    m_fields->m_rs = nullptr;
    for (auto& f : m_fieldObjects)
        f->m_rs = nullptr;
}

std::shared_ptr<Recordset> Recordset::create() {
    return std::shared_ptr<Recordset>(new Recordset);
}

std::shared_ptr<Recordset> Recordset::fromRows(const std::vector<FieldInfo>& fields,
                                               std::vector<Variant> values) {
    if (fields.empty() || values.size() % fields.size() != 0) rt::raise(err::AdoInvalidArgument);
    auto rs = create();
    for (const FieldInfo& f : fields)
        rs->appendField(f);
    rs->openOn(std::make_unique<MemoryBacking>(int(fields.size()), std::move(values)));
    return rs;
}

std::shared_ptr<Recordset> Recordset::fromProvider(std::shared_ptr<PageProvider> provider) {
    if (!provider) rt::raise(err::AdoInvalidArgument);
    auto rs = create();
    for (const FieldInfo& f : provider->fields())
        rs->appendField(f);
    if (rs->m_fieldObjects.empty()) rt::raise(err::AdoInvalidArgument);
    const int n = rs->fieldCount();
    rs->openOn(std::make_unique<ProviderBacking>(std::move(provider), n));
    return rs;
}

void Recordset::registerMembers() {
    auto get = [this](auto f) { return [this, f](Args) { return Variant(f(this)); }; };
    objectProperty(
        QStringLiteral("Fields"), [this](Args) { return Variant(m_fields); }, {}, rt::kDefaultMember);
    property(QStringLiteral("RecordCount"), get([](Recordset* r) { return r->RecordCount(); }), {});
    property(QStringLiteral("PageSize"), get([](Recordset* r) { return r->PageSize(); }), [this](Args a) {
        setPageSize(rt::CLng(a[0]));
        return Variant();
    });
    property(QStringLiteral("PageCount"), get([](Recordset* r) { return r->PageCount(); }), {});
    property(QStringLiteral("AbsolutePage"), get([](Recordset* r) { return r->AbsolutePage(); }),
             [this](Args a) {
                 setAbsolutePage(rt::CLng(a[0]));
                 return Variant();
             });
    property(QStringLiteral("AbsolutePosition"), get([](Recordset* r) { return r->AbsolutePosition(); }), {});
    property(QStringLiteral("EOF"), get([](Recordset* r) { return r->EOF_(); }), {});
    property(QStringLiteral("BOF"), get([](Recordset* r) { return r->BOF(); }), {});
    property(QStringLiteral("State"), get([](Recordset* r) { return r->State(); }), {});
    // Accepted for code that sets it before building; rows are always at hand.
    property(
        QStringLiteral("CursorLocation"), [](Args) { return Variant(std::int32_t(adUseClient)); },
        [](Args) { return Variant(); });
    auto action = [this](auto f) {
        return [this, f](Args) {
            f(this);
            return Variant();
        };
    };
    method(QStringLiteral("MoveFirst"), 0, action([](Recordset* r) { r->MoveFirst(); }));
    method(QStringLiteral("MoveNext"), 0, action([](Recordset* r) { r->MoveNext(); }));
    method(QStringLiteral("MovePrevious"), 0, action([](Recordset* r) { r->MovePrevious(); }));
    method(QStringLiteral("MoveLast"), 0, action([](Recordset* r) { r->MoveLast(); }));
    // Source, connection, cursor and lock types mean nothing to a recordset
    // built in memory; they are accepted and ignored.
    method(QStringLiteral("Open"), 5, action([](Recordset* r) { r->Open(); }), rt::kUnknownMember, 0);
    method(QStringLiteral("Close"), 0, action([](Recordset* r) { r->Close(); }));
    // Field lists and value arrays are not supported: only the argument-less forms.
    auto noLists = [](Args a) {
        for (const Variant& v : a)
            if (!v.isMissing()) rt::raise(err::AdoInvalidArgument);
    };
    method(
        QStringLiteral("AddNew"), 2,
        [this, noLists](Args a) {
            noLists(a);
            AddNew();
            return Variant();
        },
        rt::kUnknownMember, 0);
    method(
        QStringLiteral("Update"), 2,
        [this, noLists](Args a) {
            noLists(a);
            Update();
            return Variant();
        },
        rt::kUnknownMember, 0);
}

void Recordset::requireOpen() const {
    if (!m_open) rt::raise(err::AdoObjectClosed);
}

void Recordset::requireClosed() const {
    if (m_open) rt::raise(err::AdoObjectOpen);
}

void Recordset::appendField(FieldInfo info) {
    if (!isKnownType(info.type) || info.name.isEmpty()) rt::raise(err::AdoInvalidArgument);
    const QString lower = info.name.toLower();
    if (m_byLowerName.contains(lower)) rt::raise(err::AdoInvalidArgument);
    const int index = fieldCount();
    m_byName.insert(info.name, index);
    m_byLowerName.insert(lower, index);
    m_fieldObjects.push_back(std::shared_ptr<Field>(new Field(this, index, std::move(info))));
}

int Recordset::fieldIndex(const QString& name) const {
    // Rows are mostly read and written field after field, in order.
    const int n = fieldCount();
    if (n > 0) {
        const int next = m_lookupHint + 1 < n ? m_lookupHint + 1 : 0;
        if (m_fieldObjects[std::size_t(next)]->m_info.name == name) return m_lookupHint = next;
    }
    if (auto it = m_byName.constFind(name); it != m_byName.cend()) return m_lookupHint = *it;
    auto it = m_byLowerName.constFind(name.toLower());
    if (it == m_byLowerName.cend()) rt::raise(err::AdoItemNotFound);
    return m_lookupHint = *it;
}

Field& Recordset::Fields(std::int32_t index) {
    if (index < 0 || index >= fieldCount()) rt::raise(err::AdoItemNotFound);
    return *m_fieldObjects[std::size_t(index)];
}

void Recordset::openOn(std::unique_ptr<Backing> backing) {
    m_backing = std::move(backing);
    m_open = true;
    m_pendente = false;
    m_cur = m_backing->row(0, 0, m_pageSize);
    m_pos = m_cur ? 0 : -1;
    m_bof = m_eof = !m_cur;
}

std::int64_t Recordset::knownCount() const {
    return m_backing->count();
}

std::int32_t Recordset::RecordCount() const {
    requireOpen();
    const std::int64_t n = knownCount();
    return n < 0 ? -1 : clampLong(n);
}

void Recordset::setPageSize(std::int32_t n) {
    if (n < 1) rt::raise(err::AdoInvalidArgument);
    m_pageSize = n;
}

std::int32_t Recordset::PageCount() const {
    requireOpen();
    const std::int64_t n = knownCount();
    return n < 0 ? -1 : clampLong((n + m_pageSize - 1) / m_pageSize);
}

std::int32_t Recordset::AbsolutePage() const {
    requireOpen();
    if (m_bof && m_eof) return adPosUnknown;
    if (m_bof) return adPosBOF;
    if (m_eof) return adPosEOF;
    return clampLong(m_pos / m_pageSize + 1);
}

std::int32_t Recordset::AbsolutePosition() const {
    requireOpen();
    if (m_bof && m_eof) return adPosUnknown;
    if (m_bof) return adPosBOF;
    if (m_eof) return adPosEOF;
    return clampLong(m_pos + 1);
}

bool Recordset::BOF() const {
    requireOpen();
    return m_bof;
}

bool Recordset::EOF_() const {
    requireOpen();
    return m_eof;
}

bool Recordset::goTo(std::int64_t i, std::int64_t blockFirst, std::int64_t blockSize) {
    const Variant* r = m_backing->row(i, blockFirst, blockSize);
    if (!r) return false;
    m_pos = i;
    m_cur = r;
    m_pendente = false;
    m_bof = m_eof = false;
    return true;
}

bool Recordset::rowAtHand() const {
    if (m_cur || !m_pendente) return m_cur != nullptr;
    m_pendente = false;
    m_cur = m_backing->row(m_pos, m_pos, std::max<std::int64_t>(m_pageSize, kStreamBlock));
    return m_cur != nullptr;
}

void Recordset::setEof() {
    m_cur = nullptr;
    m_pendente = false;
    m_eof = true;
    m_bof = false;
}

void Recordset::setAbsolutePage(std::int32_t n) {
    requireOpen();
    // Other writers may have changed the rows since the last page: the
    // current row is read again, and the page is checked against today's count.
    if (m_backing->refresh() && m_cur && !goTo(m_pos, m_pos / m_pageSize * m_pageSize, m_pageSize)) setEof();
    const std::int64_t count = knownCount();
    if (n < 1 || (count >= 0 && n > PageCount())) rt::raise(err::AdoInvalidArgument);
    const std::int64_t first = std::int64_t(n - 1) * m_pageSize;
    // Where the count is unknown, the fetch tells; the position stays as it was.
    if (!goTo(first, first, m_pageSize)) rt::raise(err::AdoInvalidArgument);
}

void Recordset::MoveFirst() {
    requireOpen();
    if (!goTo(0, 0, m_pageSize)) rt::raise(err::AdoNoCurrentRecord);
}

void Recordset::MoveNext() {
    requireOpen();
    if (m_eof) rt::raise(err::AdoNoCurrentRecord);
    const std::int64_t i = m_pos + 1;
    // A walk that reads no field (a report binding its controls row by
    // row) reads no rows; a row gone since the count is then 3021 when read.
    if (i < knownCount()) {
        m_pos = i;
        m_cur = nullptr;
        m_pendente = true;
        m_bof = m_eof = false;
        return;
    }
    if (!goTo(i, i, std::max<std::int64_t>(m_pageSize, kStreamBlock))) {
        m_pos = i;
        setEof();
    }
}

void Recordset::MovePrevious() {
    requireOpen();
    if (m_bof) rt::raise(err::AdoNoCurrentRecord);
    const std::int64_t i = m_pos - 1;
    if (i >= 0 && goTo(i, std::max<std::int64_t>(0, i - kStreamBlock + 1), kStreamBlock)) return;
    m_pos = -1;
    m_cur = nullptr;
    m_pendente = false;
    m_bof = true;
    m_eof = false;
}

void Recordset::MoveLast() {
    requireOpen();
    std::int64_t last = knownCount() - 1;
    if (knownCount() < 0) {
        // Walk to the end; the backing keeps only the blocks it needs.
        for (std::int64_t i = std::max<std::int64_t>(m_pos, 0); m_backing->row(i, i, kStreamBlock); ++i)
            last = i;
        if (last < 0 && m_backing->row(0, 0, m_pageSize)) last = 0;
    }
    if (last < 0) rt::raise(err::AdoNoCurrentRecord);
    const std::int64_t block = std::max<std::int64_t>(0, last - m_pageSize + 1);
    if (!goTo(last, block, last - block + 1)) rt::raise(err::AdoNoCurrentRecord);
}

void Recordset::Open() {
    requireClosed();
    if (m_fieldObjects.empty()) rt::raise(err::AdoInvalidArgument);
    openOn(std::make_unique<MemoryBacking>(fieldCount(), std::vector<Variant>{}));
}

void Recordset::AddNew() {
    requireOpen();
    const std::int64_t i = m_backing->appendRow();
    if (i < 0) rt::raise(err::AdoFeatureNotAvailable);
    goTo(i, i, 1);
}

void Recordset::Update() {
    requireOpen();
    // Values are stored as they are set; there is no pending edit to write.
}

void Recordset::Close() {
    requireOpen();
    m_backing.reset();
    m_open = false;
    m_cur = nullptr;
    m_pendente = false;
    m_pos = -1;
    m_bof = m_eof = true;
}

const Variant& Recordset::valueAt(int field) const {
    if (!rowAtHand()) {
        requireOpen();
        rt::raise(err::AdoNoCurrentRecord);
    }
    return m_cur[field];
}

void Recordset::setValueAt(int field, const Variant& v) {
    if (!rowAtHand()) {
        requireOpen();
        rt::raise(err::AdoNoCurrentRecord);
    }
    Variant* row = m_backing->writableRow(m_pos);
    if (!row) rt::raise(err::AdoFeatureNotAvailable);
    row[field] = coerceToField(m_fieldObjects[std::size_t(field)]->m_info, v);
}

std::shared_ptr<Recordset> Recordset::currentPage() {
    requireOpen();
    std::vector<FieldInfo> infos;
    infos.reserve(m_fieldObjects.size());
    for (const auto& f : m_fieldObjects)
        infos.push_back(f->m_info);
    std::vector<Variant> values;
    if (rowAtHand()) {
        const std::int64_t first = m_pos / m_pageSize * m_pageSize;
        const auto nf = std::size_t(fieldCount());
        values.reserve(std::size_t(m_pageSize) * nf);
        for (std::int64_t i = first; i < first + m_pageSize; ++i) {
            const Variant* r = m_backing->row(i, first, m_pageSize);
            if (!r) break;
            values.insert(values.end(), r, r + nf);
        }
        m_cur = m_backing->row(m_pos, first, m_pageSize);
    }
    auto page = create();
    for (FieldInfo& f : infos)
        page->appendField(std::move(f));
    page->openOn(std::make_unique<MemoryBacking>(page->fieldCount(), std::move(values)));
    page->m_pageSize = m_pageSize;
    return page;
}

} // namespace quva::ado
