#include "spreadsheet/Sheet.h"

#include "runtime/Errors.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>

namespace quva::spreadsheet {

namespace {

using rt::Variant;
using rt::VarType;

[[noreturn]] void fail(const QString& why) {
    rt::raise(rt::err::AppObjectError, why);
}

// The first date the file's serial numbers and automation dates agree on
// (01/03/1900); earlier dates are written as their text.
constexpr double kFirstSharedSerial = 61;

quint64 keyOf(const Style& s) {
    auto alignBits = [](std::int32_t a) -> quint64 {
        switch (a) {
        case xlLeft: return 1;
        case xlCenter: return 2;
        case xlRight: return 3;
        default: return 0;
        }
    };
    return quint64(quint16(s.font + 1)) | quint64(quint16(s.numberFormat)) << 16 | alignBits(s.align) << 32 |
           quint64(s.bold) << 35 | quint64(s.wrap) << 36 | quint64(s.top) << 37 | quint64(s.border) << 38 |
           quint64(s.fill) << 39;
}

QString dateText(double serial) {
    return QDate(1899, 12, 30).addDays(qint64(std::floor(serial))).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

Variant Cell::value() const {
    switch (kind) {
    case Kind::Blank: return Variant();
    case Kind::Number: return Variant(number);
    case Kind::Currency: return Variant(rt::Currency::fromRaw(raw));
    case Kind::Date: return Variant(rt::Date{number});
    case Kind::Text: return Variant(text);
    case Kind::Boolean: return Variant(number != 0);
    }
    return Variant();
}

void Cell::setValue(const Variant& v, Sheet& sheet) {
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null:
        kind = Kind::Blank;
        text.clear();
        break;
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double: {
        const double d = v.toDouble();
        if (!std::isfinite(d)) fail(QStringLiteral("Valor numérico inválido para uma célula."));
        kind = Kind::Number;
        number = d;
        text.clear();
        break;
    }
    case VarType::Currency:
        kind = Kind::Currency;
        raw = v.rawCurrency().raw;
        text.clear();
        if (style.numberFormat == 0) style.numberFormat = sheet.formatIndex(QStringLiteral("#,##0.00"));
        break;
    case VarType::Date:
        kind = Kind::Date;
        number = v.rawDate().serial;
        text.clear();
        if (style.numberFormat == 0) style.numberFormat = sheet.formatIndex(QStringLiteral("dd/mm/yyyy"));
        break;
    case VarType::String: {
        QString s = v.rawString();
        if (s.contains(u'\r')) {
            s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            s.replace(u'\r', u'\n');
        }
        if (s.size() > kMaxTextLength)
            fail(QStringLiteral("Um texto de célula tem no máximo %1 caracteres.").arg(kMaxTextLength));
        if (s.contains(u'\n')) style.wrap = true;
        kind = Kind::Text;
        text = std::move(s);
        break;
    }
    case VarType::Boolean:
        kind = Kind::Boolean;
        number = v.rawBoolean() ? 1 : 0;
        text.clear();
        break;
    default:
        rt::raise(rt::err::TypeMismatch);
    }
    touched = true;
}

Sheet::Sheet(const QString& path) : m_path(path.toLocal8Bit()) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    m_book = workbook_new_opt(m_path.constData(), &options);
    if (m_book) m_sheet = workbook_add_worksheet(m_book, "Planilha1");
    if (!m_sheet) fail(QStringLiteral("Não foi possível criar a pasta de trabalho."));
}

Sheet::~Sheet() {
    // An unfinished workbook is dropped without writing the file.
    if (!m_finished && m_book) lxw_workbook_free(m_book);
}

void Sheet::checkPosition(int row, int column) {
    if (row < 1 || row > kLastRow || column < 1 || column > kLastColumn)
        fail(QStringLiteral("A célula (%1, %2) está fora da planilha.").arg(row).arg(column));
}

Cell& Sheet::cell(int row, int column) {
    checkPosition(row, column);
    if (m_finished) fail(QStringLiteral("A pasta de trabalho já foi gravada."));
    if (row < m_base)
        fail(QStringLiteral("A linha %1 já foi gravada e não pode mais ser alterada.").arg(row));
    advanceTo(row);
    std::vector<Cell>& cells = m_rows[std::size_t(row - m_base)];
    if (cells.empty()) ++m_rowsWithData;
    if (cells.size() < std::size_t(column)) cells.resize(std::size_t(column));
    return cells[std::size_t(column - 1)];
}

const Cell* Sheet::find(int row, int column) const {
    checkPosition(row, column);
    if (row < m_base || m_finished)
        fail(QStringLiteral("A linha %1 já foi gravada e não pode mais ser lida.").arg(row));
    const std::size_t r = std::size_t(row - m_base);
    if (r >= m_rows.size() || m_rows[r].size() < std::size_t(column)) return nullptr;
    const Cell& c = m_rows[r][std::size_t(column - 1)];
    return c.touched ? &c : nullptr;
}

void Sheet::advanceTo(int row) {
    // Rows this far behind the furthest one touched can no longer change.
    const int keepFrom = row - kWindow + 1;
    while (!m_rows.empty() && m_base < keepFrom) {
        writeRow(m_base, m_rows.front());
        m_rows.pop_front();
        ++m_base;
    }
    if (m_rows.empty() && m_base < keepFrom) m_base = keepFrom;
    while (m_base + int(m_rows.size()) <= row)
        m_rows.emplace_back();
}

void Sheet::fitColumn(int column) {
    checkPosition(1, column);
    if (m_fit.size() < std::size_t(column)) m_fit.resize(std::size_t(column), false);
    m_fit[std::size_t(column - 1)] = true;
}

std::int16_t Sheet::fontIndex(const QString& name) {
    qsizetype i = m_fonts.indexOf(name);
    if (i < 0) {
        if (m_fonts.size() >= 4000) fail(QStringLiteral("Fontes demais na planilha."));
        m_fonts.append(name);
        i = m_fonts.size() - 1;
    }
    return std::int16_t(i);
}

std::int16_t Sheet::formatIndex(const QString& code) {
    qsizetype i = m_formats.indexOf(code);
    if (i < 0) {
        if (m_formats.size() >= 4000) fail(QStringLiteral("Formatos de número demais na planilha."));
        m_formats.append(code);
        i = m_formats.size() - 1;
    }
    return std::int16_t(i);
}

QString Sheet::fontName(std::int16_t index) const {
    return index < 0 ? QStringLiteral("Calibri") : m_fonts.at(index);
}

QString Sheet::formatCode(std::int16_t index) const {
    return m_formats.at(index);
}

lxw_format* Sheet::formatFor(const Style& s) {
    if (s == Style{}) return nullptr;
    const quint64 key = keyOf(s);
    if (lxw_format* f = m_lxwFormats.value(key)) return f;
    lxw_format* f = workbook_add_format(m_book);
    if (s.font >= 0) format_set_font_name(f, m_fonts.at(s.font).toUtf8().constData());
    if (s.bold) format_set_bold(f);
    if (s.numberFormat > 0) format_set_num_format(f, m_formats.at(s.numberFormat).toUtf8().constData());
    switch (s.align) {
    case xlLeft: format_set_align(f, LXW_ALIGN_LEFT); break;
    case xlCenter: format_set_align(f, LXW_ALIGN_CENTER); break;
    case xlRight: format_set_align(f, LXW_ALIGN_RIGHT); break;
    default: break;
    }
    if (s.top) format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
    if (s.wrap) format_set_text_wrap(f);
    if (s.border) {
        format_set_bottom(f, LXW_BORDER_THIN);
        format_set_bottom_color(f, 0xBFBFBF);
    }
    if (s.fill) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, 0xDCE6F1);
    }
    m_lxwFormats.insert(key, f);
    return f;
}

void Sheet::measure(int column, const Cell& c, bool aloneInRow) {
    QStringView widest;
    qsizetype digits = 0; // a number is measured as that many zeros
    switch (c.kind) {
    case Cell::Kind::Blank: return;
    case Cell::Kind::Text:
        // A title alone in its row runs over the empty cells to its right.
        if (aloneInRow && !c.style.wrap) return;
        for (const QStringView line : QStringView(c.text).split(u'\n'))
            if (line.size() > widest.size()) widest = line;
        if (c.style.wrap && widest.size() > 60) widest = widest.first(60);
        break;
    case Cell::Kind::Date:
    case Cell::Kind::Boolean: digits = 10; break;
    case Cell::Kind::Number:
    case Cell::Kind::Currency: {
        const double d = c.kind == Cell::Kind::Currency ? double(c.raw) / rt::Currency::kScale : c.number;
        const QString& code = m_formats.at(c.style.numberFormat);
        if (code.contains(QStringLiteral("yy"))) {
            digits = 10;
        } else if (code.contains(QStringLiteral("#,##0"))) {
            const qsizetype whole = QString::number(std::floor(std::fabs(d)), 'f', 0).size();
            digits = whole + (whole - 1) / 3 + 3 + (d < 0 ? 1 : 0);
        } else {
            digits = QString::number(d, 'g', 11).size();
        }
        break;
    }
    }
    const double estimate = double(digits ? digits : widest.size()) * (c.style.bold ? 1.4 : 1.0);
    if (m_widest.size() < std::size_t(column)) m_widest.resize(std::size_t(column));
    Widest& w = m_widest[std::size_t(column - 1)];
    if (estimate <= w.estimate) return;
    w.estimate = estimate;
    w.text = digits ? QString(digits, u'0') : widest.toString();
    w.font = c.style.font;
    w.bold = c.style.bold;
}

// In the file's unit, the width of a zero in the default font, measured with
// the fonts the desktop has; by character count where there are no fonts.
double Sheet::widthOf(const Widest& w) const {
    double units = w.estimate;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QFont font(fontName(w.font));
        font.setPointSizeF(11);
        font.setBold(w.bold);
        QFont standard(fontName(-1));
        standard.setPointSizeF(11);
        const double zero = QFontMetricsF(standard).horizontalAdvance(u'0');
        if (zero > 0) units = QFontMetricsF(font).horizontalAdvance(w.text) / zero;
    }
    return std::clamp(units + 1.5, LXW_DEF_COL_WIDTH, 100.0);
}

void Sheet::writeRow(int row, std::vector<Cell>& cells) {
    const bool alone =
        std::count_if(cells.begin(), cells.end(), [](const Cell& c) { return c.kind != Cell::Kind::Blank; }) == 1;
    const auto r = lxw_row_t(row - 1);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        Cell& c = cells[i];
        if (!c.touched) continue;
        const auto col = lxw_col_t(i);
        lxw_format* f = formatFor(c.style);
        lxw_error e = LXW_NO_ERROR;
        switch (c.kind) {
        case Cell::Kind::Blank: e = worksheet_write_blank(m_sheet, r, col, f); break;
        case Cell::Kind::Number: e = worksheet_write_number(m_sheet, r, col, c.number, f); break;
        case Cell::Kind::Currency:
            e = worksheet_write_number(m_sheet, r, col, double(c.raw) / rt::Currency::kScale, f);
            break;
        case Cell::Kind::Date:
            if (c.number >= kFirstSharedSerial)
                e = worksheet_write_number(m_sheet, r, col, c.number, f);
            else
                e = worksheet_write_string(m_sheet, r, col, dateText(c.number).toUtf8().constData(), f);
            break;
        case Cell::Kind::Text: e = worksheet_write_string(m_sheet, r, col, c.text.toUtf8().constData(), f); break;
        case Cell::Kind::Boolean: e = worksheet_write_boolean(m_sheet, r, col, int(c.number), f); break;
        }
        if (e != LXW_NO_ERROR)
            fail(QStringLiteral("Não foi possível gravar a célula (%1, %2): %3")
                     .arg(row)
                     .arg(i + 1)
                     .arg(QString::fromUtf8(lxw_strerror(e))));
        measure(int(i) + 1, c, alone);
    }
    std::vector<Cell>().swap(cells);
}

void Sheet::finish() {
    if (m_finished) return;
    while (!m_rows.empty()) {
        writeRow(m_base, m_rows.front());
        m_rows.pop_front();
        ++m_base;
    }
    for (std::size_t i = 0; i < m_fit.size(); ++i) {
        if (!m_fit[i]) continue;
        const double w = i < m_widest.size() ? widthOf(m_widest[i]) : LXW_DEF_COL_WIDTH;
        worksheet_set_column(m_sheet, lxw_col_t(i), lxw_col_t(i), w, nullptr);
    }
    m_finished = true;
    const lxw_error e = workbook_close(m_book);
    m_book = nullptr;
    if (e != LXW_NO_ERROR)
        fail(QStringLiteral("Não foi possível gravar a pasta de trabalho %1: %2")
                 .arg(QString::fromLocal8Bit(m_path), QString::fromUtf8(lxw_strerror(e))));
}

} // namespace quva::spreadsheet
