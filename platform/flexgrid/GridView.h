#pragma once
// The grid's widget: paints the cells of a MSFlexGrid itself and turns
// mouse, keyboard and scroll bar input into changes of the current cell,
// the selection and the first row and column shown.

#include <QAbstractScrollArea>
#include <QFont>

#include <cstdint>
#include <vector>

namespace quva::flexgrid {

class MSFlexGrid;

class GridView : public QAbstractScrollArea {
public:
    explicit GridView(MSFlexGrid* grid);

    int colPixels(std::int32_t c) const;
    int rowPixels(std::int32_t r) const;
    int defaultRowPixels() const { return m_defaultRowPx; }
    // Left and top of a cell in viewport pixels as it is (or would be) drawn.
    int cellX(std::int32_t c) const;
    int cellY(std::int32_t r) const;
    // False when the point is beyond the last row or column.
    bool cellAt(QPoint p, std::int32_t& row, std::int32_t& col) const;
    // The largest first scrollable row (column) that still fills the view,
    // or a view of the given height (width) in pixels.
    std::int32_t maxTopRow(int height = -1) const;
    std::int32_t maxLeftCol(int width = -1) const;
    void syncScrollBars();
    void ensureVisible(std::int32_t row, std::int32_t col);
    void fontChanged();
    // Frame and scroll bar settings of the grid to the widget.
    void applyFrame();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    MSFlexGrid* m_grid;
    QFont m_fonts[4]; // regular, bold, italic, bold italic
    int m_defaultRowPx = 16;
    bool m_dragging = false;
    bool m_syncing = false;
};

} // namespace quva::flexgrid
