#include "flexgrid/CellStore.h"

namespace quva::flexgrid {

void CellStore::resize(std::int32_t rows, std::int32_t cols) {
    const auto nc = std::size_t(cols);
    if (nc != m_cols.size()) {
        m_cols.resize(nc);
        for (RowInfo& r : m_rows) {
            r.text.resize(nc);
            if (!r.format.empty()) r.format.resize(nc);
        }
    }
    const auto old = m_rows.size();
    m_rows.resize(std::size_t(rows));
    for (std::size_t i = old; i < m_rows.size(); ++i)
        m_rows[i].text.resize(nc);
}

CellFormat& CellStore::formatFor(std::int32_t r, std::int32_t c) {
    auto& f = m_rows[std::size_t(r)].format;
    if (f.empty()) f.resize(m_cols.size());
    return f[std::size_t(c)];
}

void CellStore::insertRow(std::int32_t at, const QString& tabbed) {
    RowInfo row;
    row.text.resize(m_cols.size());
    std::size_t c = 0;
    for (const auto& part : QStringView(tabbed).split(u'\t')) {
        if (c >= row.text.size()) break;
        row.text[c++] = part.toString();
    }
    m_rows.insert(m_rows.begin() + at, std::move(row));
}

void CellStore::removeRow(std::int32_t at) {
    m_rows.erase(m_rows.begin() + at);
}

void CellStore::clearCells() {
    for (RowInfo& r : m_rows) {
        for (QString& t : r.text)
            t.clear();
        r.format.clear();
    }
    m_pictures.clear();
}

std::int16_t CellStore::pictureIndex(const QPixmap& p) {
    const qint64 key = p.cacheKey();
    for (std::size_t i = 0; i < m_pictures.size(); ++i)
        if (m_pictures[i].cacheKey() == key) return std::int16_t(i);
    m_pictures.push_back(p);
    return std::int16_t(m_pictures.size() - 1);
}

} // namespace quva::flexgrid
