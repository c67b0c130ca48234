#include "flexgrid/GridView.h"

#include "flexgrid/FlexGrid.h"
#include "forms/Metrics.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>

namespace quva::flexgrid {

namespace {

constexpr int kTextPad = 3;

// The classic "general" alignment puts numbers to the right.
bool looksNumeric(const QString& t) {
    bool digit = false;
    for (QChar ch : t) {
        const char16_t u = ch.unicode();
        if (u >= u'0' && u <= u'9')
            digit = true;
        else if (u != u'.' && u != u',' && u != u'-' && u != u'+' && u != u' ')
            return false;
    }
    return digit;
}

int textFlags(std::int16_t align, const QString& text, bool wrap) {
    int f = wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    if (align == flexAlignGeneral)
        return f | Qt::AlignVCenter | (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft);
    if (align < 0 || align > 8) align = flexAlignLeftCenter;
    static constexpr int h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr int v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return f | h[align / 3] | v[align % 3];
}

// Wrapped text taller than its cell: the lines that fit whole, the last of
// them cut with an ellipsis, so no line is drawn half outside the cell.
// Empty when the text fits as it is.
QString fitWrapped(const QString& t, const QFont& font, const QRect& r) {
    const QFontMetrics fm(font);
    if (fm.horizontalAdvance(t) <= r.width()) return {};
    QTextLayout layout(t, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    std::vector<std::pair<int, int>> lines; // start, length
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(r.width());
        lines.emplace_back(line.textStart(), line.textLength());
    }
    layout.endLayout();
    const int fit = std::max(1, r.height() / std::max(1, fm.lineSpacing()));
    if (int(lines.size()) <= fit) return {};
    QStringList shown;
    for (int i = 0; i < fit - 1; ++i)
        shown << t.mid(lines[std::size_t(i)].first, lines[std::size_t(i)].second).trimmed();
    shown << fm.elidedText(t.mid(lines[std::size_t(fit - 1)].first).trimmed(), Qt::ElideRight, r.width());
    return shown.join(u'\n');
}

QRect placePicture(const QRect& cell, QSize size, std::int16_t align) {
    if (align == flexAlignGeneral) return cell;
    if (align < 0 || align > 8) align = flexAlignLeftCenter;
    const int hx = align / 3, vy = align % 3;
    const int x = hx == 0   ? cell.left()
                  : hx == 1 ? cell.left() + (cell.width() - size.width()) / 2
                            : cell.right() + 1 - size.width();
    const int y = vy == 0   ? cell.top()
                  : vy == 1 ? cell.top() + (cell.height() - size.height()) / 2
                            : cell.bottom() + 1 - size.height();
    return QRect(QPoint(x, y), size);
}

} // namespace

GridView::GridView(MSFlexGrid* grid) : m_grid(grid) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    fontChanged();
}

void GridView::fontChanged() {
    QFont base = font();
    for (int i = 0; i < 4; ++i) {
        m_fonts[i] = base;
        m_fonts[i].setBold(i & 1);
        m_fonts[i].setItalic(i & 2);
    }
    m_defaultRowPx = QFontMetrics(base).height() + 4;
}

void GridView::applyFrame() {
    const MSFlexGrid& g = *m_grid;
    if (g.m_borderStyle == flexBorderNone) {
        setFrameStyle(QFrame::NoFrame);
    } else if (g.m_appearance == flexFlat) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    }
    setHorizontalScrollBarPolicy(g.m_scrollBars & flexScrollBarHorizontal ? Qt::ScrollBarAsNeeded
                                                                          : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(g.m_scrollBars & flexScrollBarVertical ? Qt::ScrollBarAsNeeded
                                                                      : Qt::ScrollBarAlwaysOff);
}

int GridView::colPixels(std::int32_t c) const {
    const std::int32_t w = m_grid->m_store.col(c).width;
    return w < 0 ? forms::toPixelsX(960) : forms::toPixelsX(w);
}

int GridView::rowPixels(std::int32_t r) const {
    const std::int32_t h = m_grid->m_store.row(r).height;
    return h < 0 ? m_defaultRowPx : forms::toPixelsY(h);
}

int GridView::cellX(std::int32_t c) const {
    const MSFlexGrid& g = *m_grid;
    int x = 0;
    const std::int32_t fixedEnd = std::min(g.m_fixedCols, c);
    for (std::int32_t i = 0; i < fixedEnd; ++i)
        x += colPixels(i);
    if (c < g.m_fixedCols) return x;
    for (std::int32_t i = fixedEnd; i < g.m_fixedCols; ++i)
        x += colPixels(i);
    if (c >= g.m_leftCol)
        for (std::int32_t i = g.m_leftCol; i < c; ++i)
            x += colPixels(i);
    else
        for (std::int32_t i = c; i < g.m_leftCol; ++i)
            x -= colPixels(i);
    return x;
}

int GridView::cellY(std::int32_t r) const {
    const MSFlexGrid& g = *m_grid;
    int y = 0;
    const std::int32_t fixedEnd = std::min(g.m_fixedRows, r);
    for (std::int32_t i = 0; i < fixedEnd; ++i)
        y += rowPixels(i);
    if (r < g.m_fixedRows) return y;
    for (std::int32_t i = fixedEnd; i < g.m_fixedRows; ++i)
        y += rowPixels(i);
    if (r >= g.m_topRow)
        for (std::int32_t i = g.m_topRow; i < r; ++i)
            y += rowPixels(i);
    else
        for (std::int32_t i = r; i < g.m_topRow; ++i)
            y -= rowPixels(i);
    return y;
}

bool GridView::cellAt(QPoint p, std::int32_t& row, std::int32_t& col) const {
    const MSFlexGrid& g = *m_grid;
    const CellStore& s = g.m_store;
    auto find = [](int at, std::int32_t fixed, std::int32_t first, std::int32_t count,
                   auto size) -> std::int32_t {
        if (at < 0) return -1;
        int pos = 0;
        for (std::int32_t i = 0; i < fixed; ++i) {
            pos += size(i);
            if (at < pos) return i;
        }
        for (std::int32_t i = first; i < count; ++i) {
            pos += size(i);
            if (at < pos) return i;
        }
        return -1;
    };
    row = find(p.y(), g.m_fixedRows, g.m_topRow, s.rows(), [this](std::int32_t r) { return rowPixels(r); });
    col = find(p.x(), g.m_fixedCols, g.m_leftCol, s.cols(), [this](std::int32_t c) { return colPixels(c); });
    return row >= 0 && col >= 0;
}

std::int32_t GridView::maxTopRow(int height) const {
    const MSFlexGrid& g = *m_grid;
    const std::int32_t rows = g.m_store.rows();
    if (rows <= g.m_fixedRows) return g.m_fixedRows;
    int avail = height < 0 ? viewport()->height() : height;
    for (std::int32_t i = 0; i < g.m_fixedRows; ++i)
        avail -= rowPixels(i);
    if (avail <= 0) return rows - 1;
    int sum = 0;
    for (std::int32_t r = rows - 1; r >= g.m_fixedRows; --r) {
        sum += rowPixels(r);
        if (sum > avail) return std::min(r + 1, rows - 1);
    }
    return g.m_fixedRows;
}

std::int32_t GridView::maxLeftCol(int width) const {
    const MSFlexGrid& g = *m_grid;
    const std::int32_t cols = g.m_store.cols();
    if (cols <= g.m_fixedCols) return g.m_fixedCols;
    int avail = width < 0 ? viewport()->width() : width;
    for (std::int32_t i = 0; i < g.m_fixedCols; ++i)
        avail -= colPixels(i);
    if (avail <= 0) return cols - 1;
    int sum = 0;
    for (std::int32_t c = cols - 1; c >= g.m_fixedCols; --c) {
        sum += colPixels(c);
        if (sum > avail) return std::min(c + 1, cols - 1);
    }
    return g.m_fixedCols;
}

void GridView::syncScrollBars() {
    MSFlexGrid& g = *m_grid;
    m_syncing = true;
    // Each bar takes room from the other, so both are decided together from
    // the whole area inside the frame: a bar still shown for a longer grid
    // must not keep the other one, nor the other one keep it.
    const QRect area = contentsRect();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool mayV = verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    const bool mayH = horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    bool needV = false, needH = false;
    for (int pass = 0; pass < 2; ++pass) {
        needV = mayV && maxTopRow(area.height() - (needH ? extent : 0)) > g.m_fixedRows;
        needH = mayH && maxLeftCol(area.width() - (needV ? extent : 0)) > g.m_fixedCols;
    }
    const int height = area.height() - (needH ? extent : 0);
    const std::int32_t maxTop = maxTopRow(height), maxLeft = maxLeftCol(area.width() - (needV ? extent : 0));
    g.m_topRow = std::clamp(g.m_topRow, g.m_fixedRows, std::max(g.m_fixedRows, maxTop));
    g.m_leftCol = std::clamp(g.m_leftCol, g.m_fixedCols, std::max(g.m_fixedCols, maxLeft));
    verticalScrollBar()->setRange(0, std::max(0, maxTop - g.m_fixedRows));
    verticalScrollBar()->setPageStep(std::max(1, height / std::max(1, m_defaultRowPx)));
    verticalScrollBar()->setValue(g.m_topRow - g.m_fixedRows);
    horizontalScrollBar()->setRange(0, std::max(0, maxLeft - g.m_fixedCols));
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(g.m_leftCol - g.m_fixedCols);
    m_syncing = false;
}

void GridView::ensureVisible(std::int32_t row, std::int32_t col) {
    MSFlexGrid& g = *m_grid;
    if (row >= g.m_fixedRows) {
        if (row < g.m_topRow) {
            g.setTopRow(row);
        } else {
            std::int32_t top = g.m_topRow;
            auto bottom = [&] { return cellY(row) + rowPixels(row); };
            while (top < row && bottom() > viewport()->height()) {
                g.m_topRow = ++top;
            }
            g.setTopRow(top);
        }
    }
    if (col >= g.m_fixedCols) {
        if (col < g.m_leftCol) {
            g.setLeftCol(col);
        } else {
            std::int32_t left = g.m_leftCol;
            auto right = [&] { return cellX(col) + colPixels(col); };
            while (left < col && right() > viewport()->width()) {
                g.m_leftCol = ++left;
            }
            g.setLeftCol(left);
        }
    }
}

void GridView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    syncScrollBars();
}

void GridView::scrollContentsBy(int, int) {
    if (m_syncing) return;
    MSFlexGrid& g = *m_grid;
    g.m_topRow = g.m_fixedRows + verticalScrollBar()->value();
    g.m_leftCol = g.m_fixedCols + horizontalScrollBar()->value();
    if (g.m_redraw) viewport()->update();
}

void GridView::paintEvent(QPaintEvent*) {
    MSFlexGrid& g = *m_grid;
    ++g.m_paints;
    const CellStore& s = g.m_store;
    const QPalette& pal = palette();
    QPainter p(viewport());
    const int W = viewport()->width(), H = viewport()->height();

    struct Span {
        std::int32_t index;
        int pos, size;
    };
    std::vector<Span> rows, cols;
    rows.reserve(64);
    cols.reserve(32);
    int y = 0;
    for (std::int32_t r = 0; r < g.m_fixedRows && y < H; ++r) {
        const int h = rowPixels(r);
        if (h > 0) rows.push_back({r, y, h});
        y += h;
    }
    for (std::int32_t r = g.m_topRow; r < s.rows() && y < H; ++r) {
        const int h = rowPixels(r);
        if (h > 0) rows.push_back({r, y, h});
        y += h;
    }
    int x = 0;
    for (std::int32_t c = 0; c < g.m_fixedCols && x < W; ++c) {
        const int w = colPixels(c);
        if (w > 0) cols.push_back({c, x, w});
        x += w;
    }
    for (std::int32_t c = g.m_leftCol; c < s.cols() && x < W; ++c) {
        const int w = colPixels(c);
        if (w > 0) cols.push_back({c, x, w});
        x += w;
    }
    const int xEnd = std::min(x, W), yEnd = std::min(y, H);
    const QColor bkg = forms::toQColor(g.m_backColorBkg, pal);
    if (xEnd < W) p.fillRect(xEnd, 0, W - xEnd, H, bkg);
    if (yEnd < H) p.fillRect(0, yEnd, xEnd, H - yEnd, bkg);

    // The highlighted range.
    const bool highlight =
        g.m_highLight == flexHighlightAlways || (g.m_highLight == flexHighlightWithFocus && hasFocus());
    std::int32_t r0 = std::min(g.m_row, g.m_rowSel), r1 = std::max(g.m_row, g.m_rowSel);
    std::int32_t c0 = std::min(g.m_col, g.m_colSel), c1 = std::max(g.m_col, g.m_colSel);
    if (g.m_selectionMode == flexSelectionByRow) {
        c0 = g.m_fixedCols;
        c1 = s.cols() - 1;
    } else if (g.m_selectionMode == flexSelectionByColumn) {
        r0 = g.m_fixedRows;
        r1 = s.rows() - 1;
    }
    const bool free = g.m_selectionMode == flexSelectionFree;
    auto selected = [&](std::int32_t r, std::int32_t c) {
        return highlight && r >= r0 && r <= r1 && c >= c0 && c <= c1 &&
               !(free && r == g.m_row && c == g.m_col);
    };

    const QColor backNormal = forms::toQColor(g.BackColor(), pal);
    const QColor foreNormal = forms::toQColor(g.ForeColor(), pal);
    const QColor backFixed = forms::toQColor(g.m_backColorFixed, pal);
    const QColor foreFixed = forms::toQColor(g.m_foreColorFixed, pal);
    const QColor backSel = forms::toQColor(g.m_backColorSel, pal);
    const QColor foreSel = forms::toQColor(g.m_foreColorSel, pal);
    const int lw = g.m_gridLineWidth;
    // Grid lines are gathered and drawn at the end, one batch per colour.
    std::vector<QRect> flatNormal, flatFixed, light, dark;
    int fontIndex = -1;
    QColor pen;
    bool penSet = false;

    for (const Span& rs : rows) {
        const std::int32_t r = rs.index;
        for (const Span& cs : cols) {
            const std::int32_t c = cs.index;
            const bool fixed = r < g.m_fixedRows || c < g.m_fixedCols;
            const std::int16_t lines = fixed ? g.m_gridLinesFixed : g.m_gridLines;
            const QRect cell(cs.pos, rs.pos, cs.size, rs.size);
            QRect inner = cell;
            if (lines == flexGridFlat) {
                inner.adjust(0, 0, -lw, -lw);
                auto& v = fixed ? flatFixed : flatNormal;
                v.emplace_back(cell.right() + 1 - lw, cell.top(), lw, cell.height());
                v.emplace_back(cell.left(), cell.bottom() + 1 - lw, cell.width() - lw, lw);
            } else if (lines == flexGridInset || lines == flexGridRaised) {
                inner.adjust(1, 1, -1, -1);
                auto& tl = lines == flexGridInset ? dark : light;
                auto& br = lines == flexGridInset ? light : dark;
                tl.emplace_back(cell.left(), cell.top(), cell.width(), 1);
                tl.emplace_back(cell.left(), cell.top(), 1, cell.height());
                br.emplace_back(cell.left(), cell.bottom(), cell.width(), 1);
                br.emplace_back(cell.right(), cell.top(), 1, cell.height());
            }
            const CellFormat* f = s.format(r, c);
            const bool sel = !fixed && selected(r, c);
            const QColor back = sel                                ? backSel
                                : f && (f->set & CellFormat::Back) ? forms::toQColor(f->back, pal)
                                : fixed                            ? backFixed
                                                                   : backNormal;
            p.fillRect(cell, back);
            if (f && f->picture >= 0) {
                const QPixmap& pm = s.picture(f->picture);
                const std::int16_t pa = f->set & CellFormat::PicAlign ? f->picAlign : flexAlignLeftCenter;
                const QRect at = placePicture(inner, pm.deviceIndependentSize().toSize(), pa);
                if (inner.contains(at)) {
                    p.drawPixmap(at, pm);
                } else {
                    p.save();
                    p.setClipRect(inner);
                    p.drawPixmap(at, pm);
                    p.restore();
                }
            }
            const QString& t = s.text(r, c);
            if (t.isEmpty()) continue;
            const int fi = (f && (f->set & CellFormat::Bold) && f->bold ? 1 : 0) |
                           (f && (f->set & CellFormat::Italic) && f->italic ? 2 : 0);
            if (fi != fontIndex) {
                p.setFont(m_fonts[fi]);
                fontIndex = fi;
            }
            const QColor fore = sel                                ? foreSel
                                : f && (f->set & CellFormat::Fore) ? forms::toQColor(f->fore, pal)
                                : fixed                            ? foreFixed
                                                                   : foreNormal;
            if (!penSet || fore != pen) {
                p.setPen(fore);
                pen = fore;
                penSet = true;
            }
            std::int16_t align = f && (f->set & CellFormat::Align) ? f->align : flexAlignGeneral;
            if (!(f && (f->set & CellFormat::Align))) {
                const ColInfo& ci = s.col(c);
                align = fixed && r < g.m_fixedRows && ci.fixedAlign >= 0 ? ci.fixedAlign : ci.align;
            }
            const QRect textRect = inner.adjusted(kTextPad, 0, -kTextPad, 0);
            if (t.contains(u'\r')) {
                QString n = t;
                n.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
                p.drawText(textRect, textFlags(align, n, g.m_wordWrap) & ~Qt::TextSingleLine, n);
            } else {
                int flags = textFlags(align, t, g.m_wordWrap);
                // Too wide to centre or right-align: the start of the text stays readable.
                if (!g.m_wordWrap && !(flags & Qt::AlignLeft) &&
                    p.fontMetrics().horizontalAdvance(t) > textRect.width())
                    flags = (flags & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
                const QString cut = g.m_wordWrap ? fitWrapped(t, p.font(), textRect) : QString();
                if (cut.isEmpty())
                    p.drawText(textRect, flags, t);
                else
                    p.drawText(textRect, flags & ~Qt::TextWordWrap, cut);
            }
        }
    }
    p.setPen(Qt::NoPen);
    auto batch = [&](const std::vector<QRect>& v, const QColor& colour) {
        if (v.empty()) return;
        p.setBrush(colour);
        p.drawRects(v.data(), int(v.size()));
    };
    batch(flatNormal, forms::toQColor(g.m_gridColor, pal));
    batch(flatFixed, forms::toQColor(g.m_gridColorFixed, pal));
    batch(light, pal.color(QPalette::Light));
    batch(dark, pal.color(QPalette::Dark));

    if (g.m_focusRect != flexFocusNone && hasFocus() && g.m_row >= g.m_fixedRows &&
        g.m_col >= g.m_fixedCols && g.m_row < s.rows() && g.m_col < s.cols()) {
        const QRect cur(cellX(g.m_col), cellY(g.m_row), colPixels(g.m_col), rowPixels(g.m_row));
        if (cur.width() > 0 && cur.height() > 0) {
            p.setBrush(Qt::NoBrush);
            QPen fp(foreNormal, g.m_focusRect == flexFocusHeavy ? 2 : 1,
                    g.m_focusRect == flexFocusHeavy ? Qt::SolidLine : Qt::DotLine);
            p.setPen(fp);
            p.drawRect(cur.adjusted(1, 1, -2, -2));
        }
    }
}

void GridView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    MSFlexGrid& g = *m_grid;
    std::int32_t r, c;
    if (!cellAt(e->position().toPoint(), r, c)) return;
    // Fixed cells do not take the selection.
    if (r < g.m_fixedRows || c < g.m_fixedCols) return;
    m_dragging = true;
    if (e->modifiers() & Qt::ShiftModifier)
        g.select(g.m_row, g.m_col, r, c);
    else
        g.select(r, c, r, c);
}

void GridView::mouseMoveEvent(QMouseEvent* e) {
    MSFlexGrid& g = *m_grid;
    std::int32_t r, c;
    if (!cellAt(e->position().toPoint(), r, c)) r = c = -1;
    g.m_mouseRow = r;
    g.m_mouseCol = c;
    if (m_dragging && (e->buttons() & Qt::LeftButton) && r >= g.m_fixedRows && c >= g.m_fixedCols) {
        g.select(g.m_row, g.m_col, r, c);
        ensureVisible(r, c);
    }
}

void GridView::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
}

void GridView::keyPressEvent(QKeyEvent* e) {
    MSFlexGrid& g = *m_grid;
    const CellStore& s = g.m_store;
    if (s.rows() <= g.m_fixedRows || s.cols() <= g.m_fixedCols) {
        e->ignore();
        return;
    }
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    std::int32_t r = shift ? g.m_rowSel : g.m_row;
    std::int32_t c = shift ? g.m_colSel : g.m_col;
    // Hidden rows and columns are stepped over.
    auto stepRow = [&](std::int32_t from, int dir) {
        for (std::int32_t i = from + dir; i >= g.m_fixedRows && i < s.rows(); i += dir)
            if (rowPixels(i) > 0) return i;
        return from;
    };
    auto stepCol = [&](std::int32_t from, int dir) {
        for (std::int32_t i = from + dir; i >= g.m_fixedCols && i < s.cols(); i += dir)
            if (colPixels(i) > 0) return i;
        return from;
    };
    const std::int32_t page = std::max(1, verticalScrollBar()->pageStep());
    switch (e->key()) {
    case Qt::Key_Up:
        r = stepRow(r, -1);
        break;
    case Qt::Key_Down:
        r = stepRow(r, 1);
        break;
    case Qt::Key_Left:
        c = stepCol(c, -1);
        break;
    case Qt::Key_Right:
        c = stepCol(c, 1);
        break;
    case Qt::Key_PageUp:
        r = std::max(g.m_fixedRows, r - page);
        break;
    case Qt::Key_PageDown:
        r = std::min(s.rows() - 1, r + page);
        break;
    case Qt::Key_Home:
        if (ctrl)
            r = stepRow(g.m_fixedRows - 1, 1);
        else
            c = stepCol(g.m_fixedCols - 1, 1);
        break;
    case Qt::Key_End:
        if (ctrl)
            r = stepRow(s.rows(), -1);
        else
            c = stepCol(s.cols(), -1);
        break;
    default:
        e->ignore();
        return;
    }
    r = std::clamp(r, g.m_fixedRows, s.rows() - 1);
    c = std::clamp(c, g.m_fixedCols, s.cols() - 1);
    if (shift)
        g.select(g.m_row, g.m_col, r, c);
    else
        g.select(r, c, r, c);
    ensureVisible(r, c);
    e->accept();
}

void GridView::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    if (m_grid->m_redraw) viewport()->update();
}

void GridView::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    if (m_grid->m_redraw) viewport()->update();
}

} // namespace quva::flexgrid
