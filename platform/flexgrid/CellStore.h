#pragma once
// The grid's data: texts of every cell, and formats only for the cells that
// were given one. Rows own their cells, so inserting and removing rows moves
// texts and formats together. No widgets here: the view reads this store.

#include "forms/Color.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace quva::flexgrid {

using forms::OleColor;

struct CellFormat {
    enum Bits : std::uint8_t {
        Back = 1,
        Fore = 2,
        Bold = 4,
        Italic = 8,
        Align = 16,
        PicAlign = 32,
    };
    std::uint8_t set = 0; // which members below were given
    bool bold = false;
    bool italic = false;
    std::int8_t align = 0;
    std::int8_t picAlign = 0;
    std::int16_t picture = -1; // index into the store's pictures
    OleColor back = 0;
    OleColor fore = 0;

    bool empty() const { return set == 0 && picture < 0; }
};

struct RowInfo {
    std::vector<QString> text;
    std::vector<CellFormat> format; // empty until a cell of the row is formatted
    std::int32_t height = -1;       // twips; -1 is the font's default
    std::int32_t data = 0;
};

struct ColInfo {
    std::int32_t width = -1;      // twips; -1 is the default width
    std::int16_t align = 9;       // general: text left, numbers right
    std::int16_t fixedAlign = -1; // -1: as the column
    std::int32_t data = 0;
};

class CellStore {
public:
    CellStore(std::int32_t rows, std::int32_t cols) { resize(rows, cols); }

    std::int32_t rows() const { return std::int32_t(m_rows.size()); }
    std::int32_t cols() const { return std::int32_t(m_cols.size()); }
    // New rows and columns are empty; existing cells keep their texts and formats.
    void resize(std::int32_t rows, std::int32_t cols);

    const QString& text(std::int32_t r, std::int32_t c) const {
        return m_rows[std::size_t(r)].text[std::size_t(c)];
    }
    void setText(std::int32_t r, std::int32_t c, const QString& v) {
        m_rows[std::size_t(r)].text[std::size_t(c)] = v;
    }
    // nullptr when the cell has no format of its own.
    const CellFormat* format(std::int32_t r, std::int32_t c) const {
        const auto& f = m_rows[std::size_t(r)].format;
        return f.empty() ? nullptr : &f[std::size_t(c)];
    }
    CellFormat& formatFor(std::int32_t r, std::int32_t c);

    RowInfo& row(std::int32_t r) { return m_rows[std::size_t(r)]; }
    const RowInfo& row(std::int32_t r) const { return m_rows[std::size_t(r)]; }
    ColInfo& col(std::int32_t c) { return m_cols[std::size_t(c)]; }
    const ColInfo& col(std::int32_t c) const { return m_cols[std::size_t(c)]; }

    // A row made of tab-separated texts from column 0, inserted before `at` (rows() appends).
    void insertRow(std::int32_t at, const QString& tabbed);
    void removeRow(std::int32_t at);
    // Texts, formats and pictures go; rows, columns, sizes and column settings stay.
    void clearCells();

    // Pictures are shared between the cells that show the same one.
    std::int16_t pictureIndex(const QPixmap& p);
    const QPixmap& picture(std::int16_t i) const { return m_pictures[std::size_t(i)]; }

private:
    std::vector<RowInfo> m_rows;
    std::vector<ColInfo> m_cols;
    std::vector<QPixmap> m_pictures;
};

} // namespace quva::flexgrid
