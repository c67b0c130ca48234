#pragma once
// The flex grid: a control of the forms toolkit with the classic grid's
// members, painted by its own code, and an automation object (object())
// so that another library can read it through late binding.
//
// Semantics kept from the classic control: Row/Col make a cell current and
// collapse the selection to it; the Cell* members act on the current cell
// (on the selected range when FillStyle is flexFillRepeat); a column of
// width 0 is hidden but keeps its values; Redraw false holds every repaint
// until it is set true again; Clear empties cells but keeps the layout.
// Sizes and positions are twips.

#include "flexgrid/CellStore.h"
#include "forms/Control.h"
#include "runtime/Dispatch.h"

#include <QPixmap>

#include <memory>
#include <optional>

namespace quva::flexgrid {

// Alignment of texts (ColAlignment, CellAlignment) and pictures (CellPictureAlignment).
inline constexpr std::int16_t flexAlignLeftTop = 0;
inline constexpr std::int16_t flexAlignLeftCenter = 1;
inline constexpr std::int16_t flexAlignLeftBottom = 2;
inline constexpr std::int16_t flexAlignCenterTop = 3;
inline constexpr std::int16_t flexAlignCenterCenter = 4;
inline constexpr std::int16_t flexAlignCenterBottom = 5;
inline constexpr std::int16_t flexAlignRightTop = 6;
inline constexpr std::int16_t flexAlignRightCenter = 7;
inline constexpr std::int16_t flexAlignRightBottom = 8;
inline constexpr std::int16_t flexAlignGeneral = 9; // texts left, numbers right; pictures stretched
// SelectionMode.
inline constexpr std::int16_t flexSelectionFree = 0;
inline constexpr std::int16_t flexSelectionByRow = 1;
inline constexpr std::int16_t flexSelectionByColumn = 2;
// HighLight.
inline constexpr std::int16_t flexHighlightNever = 0;
inline constexpr std::int16_t flexHighlightAlways = 1;
inline constexpr std::int16_t flexHighlightWithFocus = 2;
// FocusRect.
inline constexpr std::int16_t flexFocusNone = 0;
inline constexpr std::int16_t flexFocusLight = 1;
inline constexpr std::int16_t flexFocusHeavy = 2;
// Appearance, BorderStyle.
inline constexpr std::int16_t flexFlat = 0;
inline constexpr std::int16_t flex3D = 1;
inline constexpr std::int16_t flexBorderNone = 0;
inline constexpr std::int16_t flexBorderSingle = 1;
// ScrollBars.
inline constexpr std::int16_t flexScrollBarNone = 0;
inline constexpr std::int16_t flexScrollBarHorizontal = 1;
inline constexpr std::int16_t flexScrollBarVertical = 2;
inline constexpr std::int16_t flexScrollBarBoth = 3;
// GridLines, GridLinesFixed.
inline constexpr std::int16_t flexGridNone = 0;
inline constexpr std::int16_t flexGridFlat = 1;
inline constexpr std::int16_t flexGridInset = 2;
inline constexpr std::int16_t flexGridRaised = 3;
// FillStyle.
inline constexpr std::int16_t flexFillSingle = 0;
inline constexpr std::int16_t flexFillRepeat = 1;

// Dispatch identifier of SelectionMode on the automation face.
inline constexpr rt::DispId kDispIdSelectionMode = 52;

class GridView;

class MSFlexGrid : public forms::Control {
public:
    MSFlexGrid();
    ~MSFlexGrid() override;
    QString TypeName() const override { return QStringLiteral("MSFlexGrid"); }

    // Layout. Rows below FixedRows lower FixedRows; FixedRows must leave one
    // scrollable row (failure 30009 / 30010 otherwise).
    std::int32_t Rows() const { return m_store.rows(); }
    void setRows(std::int32_t n);
    std::int32_t Cols() const { return m_store.cols(); }
    void setCols(std::int32_t n);
    std::int32_t FixedRows() const { return m_fixedRows; }
    void setFixedRows(std::int32_t n);
    std::int32_t FixedCols() const { return m_fixedCols; }
    void setFixedCols(std::int32_t n);

    // Cell texts; an index outside the grid is failure 381.
    QString TextMatrix(std::int32_t row, std::int32_t col) const;
    void setTextMatrix(std::int32_t row, std::int32_t col, const QString& v);
    // The current cell's text (the selection's with flexFillRepeat).
    QString Text() const;
    void setText(const QString& v);

    // Current cell and selection end. Setting Row or Col collapses the
    // selection to the current cell; each change raises SelChange.
    std::int32_t Row() const { return m_row; }
    void setRow(std::int32_t r);
    std::int32_t Col() const { return m_col; }
    void setCol(std::int32_t c);
    std::int32_t RowSel() const { return m_rowSel; }
    void setRowSel(std::int32_t r);
    std::int32_t ColSel() const { return m_colSel; }
    void setColSel(std::int32_t c);
    // First scrollable row / column shown.
    std::int32_t TopRow() const { return m_topRow; }
    void setTopRow(std::int32_t r);
    std::int32_t LeftCol() const { return m_leftCol; }
    void setLeftCol(std::int32_t c);

    // Column and row settings; index -1 sets every column (row).
    std::int32_t ColWidth(std::int32_t col) const;
    void setColWidth(std::int32_t col, std::int32_t twips);
    std::int32_t RowHeight(std::int32_t row) const;
    void setRowHeight(std::int32_t row, std::int32_t twips);
    std::int16_t ColAlignment(std::int32_t col) const;
    void setColAlignment(std::int32_t col, std::int16_t a);
    // Alignment of the fixed cells of a column (as ColAlignment until set).
    std::int16_t FixedAlignment(std::int32_t col) const;
    void setFixedAlignment(std::int32_t col, std::int16_t a);
    std::int32_t ColData(std::int32_t col) const;
    void setColData(std::int32_t col, std::int32_t v);
    std::int32_t RowData(std::int32_t row) const;
    void setRowData(std::int32_t row, std::int32_t v);

    // The current cell's format.
    OleColor CellBackColor() const;
    void setCellBackColor(OleColor c);
    OleColor CellForeColor() const;
    void setCellForeColor(OleColor c);
    bool CellFontBold() const;
    void setCellFontBold(bool v);
    bool CellFontItalic() const;
    void setCellFontItalic(bool v);
    std::int16_t CellAlignment() const;
    void setCellAlignment(std::int16_t a);
    QPixmap CellPicture() const;
    void setCellPicture(const QPixmap& p); // a null pixmap removes it
    std::int16_t CellPictureAlignment() const;
    void setCellPictureAlignment(std::int16_t a);
    // The current cell's rectangle inside the control, in twips.
    std::int32_t CellLeft() const;
    std::int32_t CellTop() const;
    std::int32_t CellWidth() const;
    std::int32_t CellHeight() const;

    bool Redraw() const { return m_redraw; }
    void setRedraw(bool v);
    void Clear();
    // A row of tab-separated texts, before index (at the end without one).
    void AddItem(const QString& item, std::optional<std::int32_t> index = {});
    // Failure 30015 when it would remove the last scrollable row.
    void RemoveItem(std::int32_t index);

    // The cell under the mouse pointer (-1 when it is outside every cell).
    std::int32_t MouseRow() const { return m_mouseRow; }
    std::int32_t MouseCol() const { return m_mouseCol; }

    // Look.
    std::int16_t SelectionMode() const { return m_selectionMode; }
    void setSelectionMode(std::int16_t v);
    std::int16_t HighLight() const { return m_highLight; }
    void setHighLight(std::int16_t v);
    std::int16_t FocusRect() const { return m_focusRect; }
    void setFocusRect(std::int16_t v);
    std::int16_t Appearance() const { return m_appearance; }
    void setAppearance(std::int16_t v);
    std::int16_t BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(std::int16_t v);
    std::int16_t ScrollBars() const { return m_scrollBars; }
    void setScrollBars(std::int16_t v);
    std::int16_t GridLines() const { return m_gridLines; }
    void setGridLines(std::int16_t v);
    std::int16_t GridLinesFixed() const { return m_gridLinesFixed; }
    void setGridLinesFixed(std::int16_t v);
    std::int16_t GridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(std::int16_t v); // pixels, 1 to 10
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool v);
    std::int16_t FillStyle() const { return m_fillStyle; }
    void setFillStyle(std::int16_t v);
    OleColor BackColorFixed() const { return m_backColorFixed; }
    void setBackColorFixed(OleColor c);
    OleColor ForeColorFixed() const { return m_foreColorFixed; }
    void setForeColorFixed(OleColor c);
    OleColor BackColorSel() const { return m_backColorSel; }
    void setBackColorSel(OleColor c);
    OleColor ForeColorSel() const { return m_foreColorSel; }
    void setForeColorSel(OleColor c);
    OleColor BackColorBkg() const { return m_backColorBkg; }
    void setBackColorBkg(OleColor c);
    OleColor GridColor() const { return m_gridColor; }
    void setGridColor(OleColor c);
    OleColor GridColorFixed() const { return m_gridColorFixed; }
    void setGridColorFixed(OleColor c);

    // Raised when the current cell or the selection changes, by the user or by code.
    std::function<void()> onSelChange;

    // The automation face: the members above by name; calls after the grid
    // is gone fail with 364.
    rt::Object object();

    // Toolkit helpers.
    const CellStore& store() const { return m_store; }
    // Paints done so far (Redraw tests).
    int paintCount() const { return m_paints; }

protected:
    void applyColors() override;
    void applyFont() override;

private:
    friend class GridView;
    class Face;

    void checkRow(std::int32_t r) const;
    void checkCol(std::int32_t c) const;
    void checkCell(std::int32_t r, std::int32_t c) const;
    // Calls f(row, col) for the cells the Cell* setters act on.
    template <class F> void forTargetCells(F&& f);
    void select(std::int32_t row, std::int32_t col, std::int32_t rowSel, std::int32_t colSel);
    void changed(bool layout = false);
    void clampScroll();

    CellStore m_store{2, 2};
    GridView* m_view = nullptr;
    std::shared_ptr<Face> m_face;
    std::int32_t m_fixedRows = 1, m_fixedCols = 1;
    std::int32_t m_row = 1, m_col = 1, m_rowSel = 1, m_colSel = 1;
    std::int32_t m_topRow = 1, m_leftCol = 1;
    std::int32_t m_mouseRow = -1, m_mouseCol = -1;
    bool m_redraw = true;
    bool m_layoutDirty = false;
    bool m_wordWrap = false;
    std::int16_t m_selectionMode = flexSelectionFree;
    std::int16_t m_highLight = flexHighlightAlways;
    std::int16_t m_focusRect = flexFocusLight;
    std::int16_t m_appearance = flex3D;
    std::int16_t m_borderStyle = flexBorderSingle;
    std::int16_t m_scrollBars = flexScrollBarBoth;
    std::int16_t m_gridLines = flexGridFlat;
    std::int16_t m_gridLinesFixed = flexGridInset;
    std::int16_t m_gridLineWidth = 1;
    std::int16_t m_fillStyle = flexFillSingle;
    OleColor m_backColorFixed = forms::vbButtonFace;
    OleColor m_foreColorFixed = forms::vbButtonText;
    OleColor m_backColorSel = forms::vbHighlight;
    OleColor m_foreColorSel = forms::vbHighlightText;
    OleColor m_backColorBkg = forms::vbButtonShadow;
    OleColor m_gridColor = 0xC0C0C0;
    OleColor m_gridColorFixed = forms::vbBlack;
    int m_paints = 0;
};

} // namespace quva::flexgrid
