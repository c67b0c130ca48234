#include "flexgrid/FlexGrid.h"

#include "automation/DispatchObject.h"
#include "flexgrid/GridView.h"
#include "forms/Metrics.h"
#include "runtime/Errors.h"

#include <QPointer>
#include <QScrollBar>

#include <algorithm>

namespace quva::flexgrid {

namespace {
constexpr std::int32_t kIndexOutOfRange = 381;

void checkAlignment(std::int16_t a) {
    if (a < flexAlignLeftTop || a > flexAlignGeneral) rt::raise(rt::err::InvalidPropertyValue);
}
void checkRange(std::int16_t v, std::int16_t lo, std::int16_t hi) {
    if (v < lo || v > hi) rt::raise(rt::err::InvalidPropertyValue);
}
} // namespace

MSFlexGrid::MSFlexGrid() : Control(new GridView(this)) {
    m_view = static_cast<GridView*>(widget());
    // Mouse events arrive on the viewport, not on the frame around it.
    watch(m_view->viewport());
    setClickOnRelease(true);
    setBackColor(forms::vbWindowBackground);
    setForeColor(forms::vbWindowText);
    applyFont();
    m_view->applyFrame();
}

MSFlexGrid::~MSFlexGrid() = default;

void MSFlexGrid::checkRow(std::int32_t r) const {
    if (r < 0 || r >= m_store.rows()) rt::raise(rt::err::GridInvalidRow);
}
void MSFlexGrid::checkCol(std::int32_t c) const {
    if (c < 0 || c >= m_store.cols()) rt::raise(rt::err::GridInvalidCol);
}
void MSFlexGrid::checkCell(std::int32_t r, std::int32_t c) const {
    if (r < 0 || r >= m_store.rows() || c < 0 || c >= m_store.cols()) rt::raise(kIndexOutOfRange);
}

void MSFlexGrid::changed(bool layout) {
    if (!m_redraw) {
        m_layoutDirty |= layout;
        return;
    }
    if (layout || m_layoutDirty) {
        m_layoutDirty = false;
        m_view->syncScrollBars();
    }
    m_view->viewport()->update();
}

void MSFlexGrid::clampScroll() {
    const std::int32_t rows = m_store.rows(), cols = m_store.cols();
    m_row = std::clamp(m_row, 0, std::max(0, rows - 1));
    m_rowSel = std::clamp(m_rowSel, 0, std::max(0, rows - 1));
    m_col = std::clamp(m_col, 0, std::max(0, cols - 1));
    m_colSel = std::clamp(m_colSel, 0, std::max(0, cols - 1));
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, rows - 1));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, cols - 1));
}

// Layout.

void MSFlexGrid::setRows(std::int32_t n) {
    if (n < 0) rt::raise(rt::err::InvalidPropertyValue);
    m_store.resize(n, m_store.cols());
    m_fixedRows = std::min(m_fixedRows, n);
    clampScroll();
    changed(true);
}

void MSFlexGrid::setCols(std::int32_t n) {
    if (n < 0) rt::raise(rt::err::InvalidPropertyValue);
    m_store.resize(m_store.rows(), n);
    m_fixedCols = std::min(m_fixedCols, n);
    clampScroll();
    changed(true);
}

// A grid keeps at least one scrollable row (column) below its fixed ones.
void MSFlexGrid::setFixedRows(std::int32_t n) {
    if (n < 0 || (n > 0 && n >= m_store.rows())) rt::raise(rt::err::GridInvalidRow);
    m_fixedRows = n;
    clampScroll();
    changed(true);
}

void MSFlexGrid::setFixedCols(std::int32_t n) {
    if (n < 0 || (n > 0 && n >= m_store.cols())) rt::raise(rt::err::GridInvalidCol);
    m_fixedCols = n;
    clampScroll();
    changed(true);
}

// Texts.

QString MSFlexGrid::TextMatrix(std::int32_t row, std::int32_t col) const {
    checkCell(row, col);
    return m_store.text(row, col);
}

void MSFlexGrid::setTextMatrix(std::int32_t row, std::int32_t col, const QString& v) {
    checkCell(row, col);
    m_store.setText(row, col, v);
    changed();
}

QString MSFlexGrid::Text() const {
    checkCell(m_row, m_col);
    return m_store.text(m_row, m_col);
}

void MSFlexGrid::setText(const QString& v) {
    forTargetCells([&](std::int32_t r, std::int32_t c) { m_store.setText(r, c, v); });
    changed();
}

// Current cell and selection.

void MSFlexGrid::select(std::int32_t row, std::int32_t col, std::int32_t rowSel, std::int32_t colSel) {
    if (row == m_row && col == m_col && rowSel == m_rowSel && colSel == m_colSel) return;
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
    changed();
    forms::guarded(onSelChange);
}

void MSFlexGrid::setRow(std::int32_t r) {
    checkRow(r);
    select(r, m_col, r, m_col);
}

void MSFlexGrid::setCol(std::int32_t c) {
    checkCol(c);
    select(m_row, c, m_row, c);
}

void MSFlexGrid::setRowSel(std::int32_t r) {
    checkRow(r);
    select(m_row, m_col, r, m_colSel);
}

void MSFlexGrid::setColSel(std::int32_t c) {
    checkCol(c);
    select(m_row, m_col, m_rowSel, c);
}

void MSFlexGrid::setTopRow(std::int32_t r) {
    checkRow(r);
    m_topRow = std::clamp(r, m_fixedRows, std::max(m_fixedRows, m_view->maxTopRow()));
    m_view->syncScrollBars();
    changed();
}

void MSFlexGrid::setLeftCol(std::int32_t c) {
    checkCol(c);
    m_leftCol = std::clamp(c, m_fixedCols, std::max(m_fixedCols, m_view->maxLeftCol()));
    m_view->syncScrollBars();
    changed();
}

// Columns and rows.

std::int32_t MSFlexGrid::ColWidth(std::int32_t col) const {
    if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
    const std::int32_t w = m_store.col(col).width;
    return w < 0 ? 960 : w;
}

void MSFlexGrid::setColWidth(std::int32_t col, std::int32_t twips) {
    if (twips < -1) rt::raise(rt::err::InvalidPropertyValue);
    if (col == -1) {
        for (std::int32_t c = 0; c < m_store.cols(); ++c)
            m_store.col(c).width = twips;
    } else {
        if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
        m_store.col(col).width = twips;
    }
    changed(true);
}

std::int32_t MSFlexGrid::RowHeight(std::int32_t row) const {
    if (row < 0 || row >= m_store.rows()) rt::raise(kIndexOutOfRange);
    const std::int32_t h = m_store.row(row).height;
    return h < 0 ? std::int32_t(forms::toTwipsY(m_view->defaultRowPixels())) : h;
}

void MSFlexGrid::setRowHeight(std::int32_t row, std::int32_t twips) {
    if (twips < -1) rt::raise(rt::err::InvalidPropertyValue);
    if (row == -1) {
        for (std::int32_t r = 0; r < m_store.rows(); ++r)
            m_store.row(r).height = twips;
    } else {
        if (row < 0 || row >= m_store.rows()) rt::raise(kIndexOutOfRange);
        m_store.row(row).height = twips;
    }
    changed(true);
}

std::int16_t MSFlexGrid::ColAlignment(std::int32_t col) const {
    if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
    return m_store.col(col).align;
}

void MSFlexGrid::setColAlignment(std::int32_t col, std::int16_t a) {
    checkAlignment(a);
    if (col == -1) {
        for (std::int32_t c = 0; c < m_store.cols(); ++c)
            m_store.col(c).align = a;
    } else {
        if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
        m_store.col(col).align = a;
    }
    changed();
}

std::int16_t MSFlexGrid::FixedAlignment(std::int32_t col) const {
    if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
    const ColInfo& ci = m_store.col(col);
    return ci.fixedAlign >= 0 ? ci.fixedAlign : ci.align;
}

void MSFlexGrid::setFixedAlignment(std::int32_t col, std::int16_t a) {
    checkAlignment(a);
    if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
    m_store.col(col).fixedAlign = a;
    changed();
}

std::int32_t MSFlexGrid::ColData(std::int32_t col) const {
    if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
    return m_store.col(col).data;
}

void MSFlexGrid::setColData(std::int32_t col, std::int32_t v) {
    if (col < 0 || col >= m_store.cols()) rt::raise(kIndexOutOfRange);
    m_store.col(col).data = v;
}

std::int32_t MSFlexGrid::RowData(std::int32_t row) const {
    if (row < 0 || row >= m_store.rows()) rt::raise(kIndexOutOfRange);
    return m_store.row(row).data;
}

void MSFlexGrid::setRowData(std::int32_t row, std::int32_t v) {
    if (row < 0 || row >= m_store.rows()) rt::raise(kIndexOutOfRange);
    m_store.row(row).data = v;
}

// The current cell's format.

template <class F> void MSFlexGrid::forTargetCells(F&& f) {
    checkCell(m_row, m_col);
    if (m_fillStyle != flexFillRepeat) {
        f(m_row, m_col);
        return;
    }
    const std::int32_t r1 = std::min(std::max(m_row, m_rowSel), m_store.rows() - 1);
    const std::int32_t c1 = std::min(std::max(m_col, m_colSel), m_store.cols() - 1);
    for (std::int32_t r = std::min(m_row, m_rowSel); r <= r1; ++r)
        for (std::int32_t c = std::min(m_col, m_colSel); c <= c1; ++c)
            f(r, c);
}

OleColor MSFlexGrid::CellBackColor() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    if (f && (f->set & CellFormat::Back)) return f->back;
    return m_row < m_fixedRows || m_col < m_fixedCols ? m_backColorFixed : BackColor();
}

void MSFlexGrid::setCellBackColor(OleColor c) {
    forTargetCells([&](std::int32_t r, std::int32_t col) {
        CellFormat& f = m_store.formatFor(r, col);
        f.back = c;
        f.set |= CellFormat::Back;
    });
    changed();
}

OleColor MSFlexGrid::CellForeColor() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    if (f && (f->set & CellFormat::Fore)) return f->fore;
    return m_row < m_fixedRows || m_col < m_fixedCols ? m_foreColorFixed : ForeColor();
}

void MSFlexGrid::setCellForeColor(OleColor c) {
    forTargetCells([&](std::int32_t r, std::int32_t col) {
        CellFormat& f = m_store.formatFor(r, col);
        f.fore = c;
        f.set |= CellFormat::Fore;
    });
    changed();
}

bool MSFlexGrid::CellFontBold() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    return f && (f->set & CellFormat::Bold) ? f->bold : FontBold();
}

void MSFlexGrid::setCellFontBold(bool v) {
    forTargetCells([&](std::int32_t r, std::int32_t c) {
        CellFormat& f = m_store.formatFor(r, c);
        f.bold = v;
        f.set |= CellFormat::Bold;
    });
    changed();
}

bool MSFlexGrid::CellFontItalic() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    return f && (f->set & CellFormat::Italic) ? f->italic : FontItalic();
}

void MSFlexGrid::setCellFontItalic(bool v) {
    forTargetCells([&](std::int32_t r, std::int32_t c) {
        CellFormat& f = m_store.formatFor(r, c);
        f.italic = v;
        f.set |= CellFormat::Italic;
    });
    changed();
}

std::int16_t MSFlexGrid::CellAlignment() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    if (f && (f->set & CellFormat::Align)) return f->align;
    return m_row < m_fixedRows ? FixedAlignment(m_col) : m_store.col(m_col).align;
}

void MSFlexGrid::setCellAlignment(std::int16_t a) {
    checkAlignment(a);
    forTargetCells([&](std::int32_t r, std::int32_t c) {
        CellFormat& f = m_store.formatFor(r, c);
        f.align = std::int8_t(a);
        f.set |= CellFormat::Align;
    });
    changed();
}

QPixmap MSFlexGrid::CellPicture() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    return f && f->picture >= 0 ? m_store.picture(f->picture) : QPixmap();
}

void MSFlexGrid::setCellPicture(const QPixmap& p) {
    checkCell(m_row, m_col);
    const std::int16_t index = p.isNull() ? std::int16_t(-1) : m_store.pictureIndex(p);
    forTargetCells([&](std::int32_t r, std::int32_t c) { m_store.formatFor(r, c).picture = index; });
    changed();
}

std::int16_t MSFlexGrid::CellPictureAlignment() const {
    checkCell(m_row, m_col);
    const CellFormat* f = m_store.format(m_row, m_col);
    return f && (f->set & CellFormat::PicAlign) ? f->picAlign : flexAlignLeftCenter;
}

void MSFlexGrid::setCellPictureAlignment(std::int16_t a) {
    checkAlignment(a);
    forTargetCells([&](std::int32_t r, std::int32_t c) {
        CellFormat& f = m_store.formatFor(r, c);
        f.picAlign = std::int8_t(a);
        f.set |= CellFormat::PicAlign;
    });
    changed();
}

// Positions are measured from the control's own top left corner, frame included.
std::int32_t MSFlexGrid::CellLeft() const {
    checkCell(m_row, m_col);
    return std::int32_t(forms::toTwipsX(m_view->viewport()->x() + m_view->cellX(m_col)));
}

std::int32_t MSFlexGrid::CellTop() const {
    checkCell(m_row, m_col);
    return std::int32_t(forms::toTwipsY(m_view->viewport()->y() + m_view->cellY(m_row)));
}

std::int32_t MSFlexGrid::CellWidth() const {
    checkCell(m_row, m_col);
    const std::int32_t w = m_store.col(m_col).width;
    return w >= 0 ? w : ColWidth(m_col);
}

std::int32_t MSFlexGrid::CellHeight() const {
    checkCell(m_row, m_col);
    return RowHeight(m_row);
}

// Drawing and rows.

void MSFlexGrid::setRedraw(bool v) {
    if (v == m_redraw) return;
    m_redraw = v;
    if (v) changed(true);
}

void MSFlexGrid::Clear() {
    m_store.clearCells();
    changed();
}

void MSFlexGrid::AddItem(const QString& item, std::optional<std::int32_t> index) {
    const std::int32_t at = index.value_or(m_store.rows());
    if (at < 0 || at > m_store.rows()) rt::raise(rt::err::GridInvalidRow);
    m_store.insertRow(at, item);
    changed(true);
}

// Fixed rows are not items: RemoveItem takes scrollable rows only.
void MSFlexGrid::RemoveItem(std::int32_t index) {
    checkRow(index);
    if (index < m_fixedRows) rt::raise(rt::err::GridInvalidRow);
    if (m_store.rows() - m_fixedRows <= 1) rt::raise(rt::err::GridLastNonFixedRow);
    m_store.removeRow(index);
    clampScroll();
    changed(true);
}

// Look.

void MSFlexGrid::setSelectionMode(std::int16_t v) {
    checkRange(v, 0, 2);
    m_selectionMode = v;
    changed();
}
void MSFlexGrid::setHighLight(std::int16_t v) {
    checkRange(v, 0, 2);
    m_highLight = v;
    changed();
}
void MSFlexGrid::setFocusRect(std::int16_t v) {
    checkRange(v, 0, 2);
    m_focusRect = v;
    changed();
}
void MSFlexGrid::setAppearance(std::int16_t v) {
    checkRange(v, 0, 1);
    m_appearance = v;
    m_view->applyFrame();
    changed(true);
}
void MSFlexGrid::setBorderStyle(std::int16_t v) {
    checkRange(v, 0, 1);
    m_borderStyle = v;
    m_view->applyFrame();
    changed(true);
}
void MSFlexGrid::setScrollBars(std::int16_t v) {
    checkRange(v, 0, 3);
    m_scrollBars = v;
    m_view->applyFrame();
    changed(true);
}
void MSFlexGrid::setGridLines(std::int16_t v) {
    checkRange(v, 0, 3);
    m_gridLines = v;
    changed();
}
void MSFlexGrid::setGridLinesFixed(std::int16_t v) {
    checkRange(v, 0, 3);
    m_gridLinesFixed = v;
    changed();
}
void MSFlexGrid::setGridLineWidth(std::int16_t v) {
    checkRange(v, 1, 10);
    m_gridLineWidth = v;
    changed();
}
void MSFlexGrid::setWordWrap(bool v) {
    m_wordWrap = v;
    changed();
}
void MSFlexGrid::setFillStyle(std::int16_t v) {
    checkRange(v, 0, 1);
    m_fillStyle = v;
}
void MSFlexGrid::setBackColorFixed(OleColor c) {
    m_backColorFixed = c;
    changed();
}
void MSFlexGrid::setForeColorFixed(OleColor c) {
    m_foreColorFixed = c;
    changed();
}
void MSFlexGrid::setBackColorSel(OleColor c) {
    m_backColorSel = c;
    changed();
}
void MSFlexGrid::setForeColorSel(OleColor c) {
    m_foreColorSel = c;
    changed();
}
void MSFlexGrid::setBackColorBkg(OleColor c) {
    m_backColorBkg = c;
    changed();
}
void MSFlexGrid::setGridColor(OleColor c) {
    m_gridColor = c;
    changed();
}
void MSFlexGrid::setGridColorFixed(OleColor c) {
    m_gridColorFixed = c;
    changed();
}

void MSFlexGrid::applyColors() {
    if (m_view) changed();
}

void MSFlexGrid::applyFont() {
    Control::applyFont();
    if (!m_view) return;
    m_view->fontChanged();
    changed(true);
}

// The automation face.

namespace {
using automation::Args;
using rt::Variant;

template <class T> Variant out(T v) {
    return Variant(v);
}
template <class T> T in(const Variant& v) {
    if constexpr (std::is_same_v<T, bool>)
        return v.toBool();
    else if constexpr (std::is_same_v<T, QString>)
        return v.toString();
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return v.toInteger();
    else if constexpr (std::is_same_v<T, float>)
        return v.toSingle();
    else if constexpr (std::is_same_v<T, double>)
        return v.toDouble();
    else
        return v.toLong();
}
} // namespace

class MSFlexGrid::Face : public automation::DispatchObject {
public:
    explicit Face(MSFlexGrid* g) : DispatchObject(QStringLiteral("MSFlexGrid")), m_grid(g) {
        using G = MSFlexGrid;
        prop(u"Rows", &G::Rows, &G::setRows);
        prop(u"Cols", &G::Cols, &G::setCols);
        prop(u"FixedRows", &G::FixedRows, &G::setFixedRows);
        prop(u"FixedCols", &G::FixedCols, &G::setFixedCols);
        property(
            QStringLiteral("TextMatrix"),
            [this](Args a) { return Variant(grid().TextMatrix(a[0].toLong(), a[1].toLong())); },
            [this](Args a) {
                grid().setTextMatrix(a[0].toLong(), a[1].toLong(), a[2].toString());
                return Variant();
            },
            rt::kUnknownMember, 2);
        prop(u"Text", &G::Text, &G::setText);
        prop(u"Row", &G::Row, &G::setRow);
        prop(u"Col", &G::Col, &G::setCol);
        prop(u"RowSel", &G::RowSel, &G::setRowSel);
        prop(u"ColSel", &G::ColSel, &G::setColSel);
        prop(u"TopRow", &G::TopRow, &G::setTopRow);
        prop(u"LeftCol", &G::LeftCol, &G::setLeftCol);
        indexed(u"ColWidth", &G::ColWidth, &G::setColWidth);
        indexed(u"RowHeight", &G::RowHeight, &G::setRowHeight);
        indexed(u"ColAlignment", &G::ColAlignment, &G::setColAlignment);
        indexed(u"FixedAlignment", &G::FixedAlignment, &G::setFixedAlignment);
        indexed(u"ColData", &G::ColData, &G::setColData);
        indexed(u"RowData", &G::RowData, &G::setRowData);
        prop(u"CellBackColor", &G::CellBackColor, &G::setCellBackColor);
        prop(u"CellForeColor", &G::CellForeColor, &G::setCellForeColor);
        prop(u"CellFontBold", &G::CellFontBold, &G::setCellFontBold);
        prop(u"CellFontItalic", &G::CellFontItalic, &G::setCellFontItalic);
        prop(u"CellAlignment", &G::CellAlignment, &G::setCellAlignment);
        prop(u"CellPictureAlignment", &G::CellPictureAlignment, &G::setCellPictureAlignment);
        prop<std::int32_t>(u"CellLeft", &G::CellLeft);
        prop<std::int32_t>(u"CellTop", &G::CellTop);
        prop<std::int32_t>(u"CellWidth", &G::CellWidth);
        prop<std::int32_t>(u"CellHeight", &G::CellHeight);
        prop(u"Redraw", &G::Redraw, &G::setRedraw);
        method(QStringLiteral("Clear"), 0, [this](Args) {
            grid().Clear();
            return Variant();
        });
        method(
            QStringLiteral("AddItem"), 2,
            [this](Args a) {
                std::optional<std::int32_t> index;
                if (!a[1].isMissing()) index = a[1].toLong();
                grid().AddItem(a[0].toString(), index);
                return Variant();
            },
            rt::kUnknownMember, 1);
        method(QStringLiteral("RemoveItem"), 1, [this](Args a) {
            grid().RemoveItem(a[0].toLong());
            return Variant();
        });
        prop<std::int32_t>(u"MouseRow", &G::MouseRow);
        prop<std::int32_t>(u"MouseCol", &G::MouseCol);
        prop(u"SelectionMode", &G::SelectionMode, &G::setSelectionMode, kDispIdSelectionMode);
        prop(u"HighLight", &G::HighLight, &G::setHighLight);
        prop(u"FocusRect", &G::FocusRect, &G::setFocusRect);
        prop(u"Appearance", &G::Appearance, &G::setAppearance);
        prop(u"BorderStyle", &G::BorderStyle, &G::setBorderStyle);
        prop(u"ScrollBars", &G::ScrollBars, &G::setScrollBars);
        prop(u"GridLines", &G::GridLines, &G::setGridLines);
        prop(u"GridLinesFixed", &G::GridLinesFixed, &G::setGridLinesFixed);
        prop(u"GridLineWidth", &G::GridLineWidth, &G::setGridLineWidth);
        prop(u"WordWrap", &G::WordWrap, &G::setWordWrap);
        prop(u"FillStyle", &G::FillStyle, &G::setFillStyle);
        prop(u"BackColor", &G::BackColor, &G::setBackColor);
        prop(u"ForeColor", &G::ForeColor, &G::setForeColor);
        prop(u"BackColorFixed", &G::BackColorFixed, &G::setBackColorFixed);
        prop(u"ForeColorFixed", &G::ForeColorFixed, &G::setForeColorFixed);
        prop(u"BackColorSel", &G::BackColorSel, &G::setBackColorSel);
        prop(u"ForeColorSel", &G::ForeColorSel, &G::setForeColorSel);
        prop(u"BackColorBkg", &G::BackColorBkg, &G::setBackColorBkg);
        prop(u"GridColor", &G::GridColor, &G::setGridColor);
        prop(u"GridColorFixed", &G::GridColorFixed, &G::setGridColorFixed);
        prop(u"Enabled", &G::Enabled, &G::setEnabled);
        prop(u"Visible", &G::Visible, &G::setVisible);
        prop(u"Left", &G::Left, &G::setLeft);
        prop(u"Top", &G::Top, &G::setTop);
        prop(u"Width", &G::Width, &G::setWidth);
        prop(u"Height", &G::Height, &G::setHeight);
        prop(u"FontName", &G::FontName, &G::setFontName);
        prop(u"FontSize", &G::FontSize, &G::setFontSize);
        prop(u"FontBold", &G::FontBold, &G::setFontBold);
        prop<std::int32_t>(u"hWnd", &G::hWnd);
        prop<QString>(u"Name", &G::Name);
        prop(u"Tag", &G::Tag, &G::setTag);
    }

private:
    MSFlexGrid& grid() const {
        if (!m_grid) rt::raise(rt::err::ObjectUnloaded);
        return *m_grid;
    }

    template <class T, class B>
    void prop(const char16_t* name, T (B::*get)() const, void (B::*set)(T) = nullptr,
              rt::DispId id = rt::kUnknownMember) {
        Handler let;
        if (set)
            let = [this, set](Args a) {
                (grid().*set)(in<T>(a[0]));
                return Variant();
            };
        property(
            QString::fromUtf16(name), [this, get](Args) { return out<T>((grid().*get)()); }, std::move(let),
            id);
    }
    template <class T, class B>
    void prop(const char16_t* name, T (B::*get)() const, void (B::*set)(const T&)) {
        property(
            QString::fromUtf16(name), [this, get](Args) { return out<T>((grid().*get)()); },
            [this, set](Args a) {
                (grid().*set)(in<T>(a[0]));
                return Variant();
            });
    }
    template <class T>
    void indexed(const char16_t* name, T (MSFlexGrid::*get)(std::int32_t) const,
                 void (MSFlexGrid::*set)(std::int32_t, T)) {
        property(
            QString::fromUtf16(name), [this, get](Args a) { return out<T>((grid().*get)(a[0].toLong())); },
            [this, set](Args a) {
                (grid().*set)(a[0].toLong(), in<T>(a[1]));
                return Variant();
            },
            rt::kUnknownMember, 1);
    }

    QPointer<MSFlexGrid> m_grid;
};

rt::Object MSFlexGrid::object() {
    if (!m_face) m_face = std::make_shared<Face>(this);
    return m_face;
}

} // namespace quva::flexgrid
