#pragma once
// Internal: where a recordset's rows live. Rows are runs of fieldCount
// values; a row pointer stays valid until the next call that may fetch.

#include "ado/PageProvider.h"
#include "ado/Types.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace quva::ado {

// The value a field of f's type stores for v (rules in Field.cpp).
rt::Variant coerceToField(const FieldInfo& f, const rt::Variant& v);

class Backing {
public:
    virtual ~Backing() = default;
    // -1 when unknown.
    virtual std::int64_t count() const = 0;
    // The values of row i, or nullptr when there is no such row. Rows not at
    // hand are fetched as the block [blockFirst, blockFirst + blockSize),
    // which contains i.
    virtual const rt::Variant* row(std::int64_t i, std::int64_t blockFirst, std::int64_t blockSize) = 0;
    // True when the rows changed in storage since they were read; the row
    // pointers handed out before are then no longer valid.
    virtual bool refresh() { return false; }
    // nullptr where the rows cannot be changed.
    virtual rt::Variant* writableRow(std::int64_t) { return nullptr; }
    // Appends a row of Nulls and returns its index; -1 where rows cannot be added.
    virtual std::int64_t appendRow() { return -1; }
};

class MemoryBacking final : public Backing {
public:
    MemoryBacking(int fieldCount, std::vector<rt::Variant> values)
        : m_fields(fieldCount), m_values(std::move(values)) {}
    std::int64_t count() const override { return std::int64_t(m_values.size()) / m_fields; }
    const rt::Variant* row(std::int64_t i, std::int64_t, std::int64_t) override { return writableRow(i); }
    rt::Variant* writableRow(std::int64_t i) override {
        return i >= 0 && i < count() ? m_values.data() + i * m_fields : nullptr;
    }
    std::int64_t appendRow() override {
        for (int f = 0; f < m_fields; ++f)
            m_values.emplace_back(rt::Null);
        return count() - 1;
    }

private:
    int m_fields;
    std::vector<rt::Variant> m_values;
};

// Keeps the block of the current row and the one before it, so that paging
// back and forth over two pages does not fetch again.
class ProviderBacking final : public Backing {
public:
    ProviderBacking(std::shared_ptr<PageProvider> provider, int fieldCount)
        : m_provider(std::move(provider)), m_fields(fieldCount), m_count(m_provider->count()) {}
    std::int64_t count() const override { return m_count; }
    const rt::Variant* row(std::int64_t i, std::int64_t blockFirst, std::int64_t blockSize) override;
    bool refresh() override;
    std::int64_t fetches() const { return m_fetches; }

private:
    struct Block {
        std::int64_t first = -1;
        std::int64_t asked = 0;
        std::vector<rt::Variant> values;
        std::int64_t rows(int fields) const { return std::int64_t(values.size()) / fields; }
    };
    const rt::Variant* lookup(const Block& b, std::int64_t i) const;

    std::shared_ptr<PageProvider> m_provider;
    int m_fields;
    std::int64_t m_count;
    std::int64_t m_end = -1; // first missing row, once a short fetch showed it
    Block m_cur, m_prev;
    std::int64_t m_fetches = 0;
};

} // namespace quva::ado
