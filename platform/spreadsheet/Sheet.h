#pragma once
// One worksheet written to an .xlsx file as its cells arrive. Rows are held
// in memory only while they can still change: once the furthest row touched
// is kWindow rows past a row, that row is written out and freed, so a sheet
// filled from top to bottom takes the same memory whatever its length. A
// late change to a row already written is failure 1004, never a silent loss.

#include "runtime/Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace quva::spreadsheet {

inline constexpr int kLastRow = 1048576;
inline constexpr int kLastColumn = 16384;
inline constexpr int kWindow = 256;
inline constexpr int kMaxTextLength = 32767;

// Horizontal alignment codes of the automation interface.
inline constexpr std::int32_t xlGeneral = 1;
inline constexpr std::int32_t xlLeft = -4131;
inline constexpr std::int32_t xlCenter = -4108;
inline constexpr std::int32_t xlRight = -4152;

struct Style {
    std::int16_t font = -1;        // index of Sheet::fontName; -1 the workbook's default font
    std::int16_t numberFormat = 0; // index of Sheet::formatCode; 0 is "General"
    std::int32_t align = xlGeneral;
    bool bold = false;
    bool wrap = false;
    bool top = false;    // vertical alignment at the top (else the bottom)
    bool border = false; // thin grey line under the cell
    bool fill = false;   // pale band
    bool operator==(const Style&) const = default;
};

struct Cell {
    enum class Kind : std::uint8_t { Blank, Number, Currency, Date, Text, Boolean };
    Kind kind = Kind::Blank;
    bool touched = false; // given a value or a format: written out even when blank
    double number = 0;    // Number, Date (serial), Boolean (0 or 1)
    std::int64_t raw = 0; // Currency
    QString text;
    Style style;

    rt::Variant value() const;
    // Takes an automation value: texts stay texts, CR LF become line breaks
    // with wrapping on, dates and currency take their display format when
    // the cell has none of its own. Failure 1004 for what a cell cannot hold.
    void setValue(const rt::Variant& v, class Sheet& sheet);
};

class Sheet {
public:
    // Creates the workbook file's writer; failure 1004 when that is impossible.
    explicit Sheet(const QString& path);
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // The cell to change, in a row still held (1004 outside the sheet or for a row already written).
    Cell& cell(int row, int column);
    // The cell to read; nullptr when it was never touched.
    const Cell* find(int row, int column) const;

    // Column widths fit their contents when the file is finished.
    void fitColumn(int column);

    std::int16_t fontIndex(const QString& name);
    std::int16_t formatIndex(const QString& code);
    QString fontName(std::int16_t index) const;
    QString formatCode(std::int16_t index) const;

    int rowsWithData() const { return m_rowsWithData; }

    // Failure 1004 for a cell outside the sheet.
    static void checkPosition(int row, int column);

    // Writes the rows still held and the column widths and closes the file;
    // 1004 when the file cannot be written. Only once.
    void finish();
    bool finished() const { return m_finished; }

private:
    void advanceTo(int row);
    void writeRow(int row, std::vector<Cell>& cells);
    lxw_format* formatFor(const Style& s);
    void measure(int column, const Cell& c, bool aloneInRow);

    QByteArray m_path;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    std::deque<std::vector<Cell>> m_rows; // rows m_base, m_base + 1, …
    int m_base = 1;
    int m_rowsWithData = 0;
    bool m_finished = false;
    QStringList m_fonts;
    QStringList m_formats{QStringLiteral("General")};
    QHash<quint64, lxw_format*> m_lxwFormats;
    // Per column, the content that looks widest by its character count; it
    // alone is measured in its font when the widths are set.
    struct Widest {
        double estimate = 0;
        QString text;
        std::int16_t font = -1;
        bool bold = false;
    };
    double widthOf(const Widest& w) const;
    std::vector<Widest> m_widest;
    std::vector<bool> m_fit;      // columns whose width fits the contents
};

} // namespace quva::spreadsheet
