// The grid: filling a 40-row page of 25 columns (colours by row parity,
// bold header, one picture per row) with drawing suspended, and a full
// repaint of that page at 1366 x 768. The baseline is a QTableWidget filled
// item by item, and its repaint.
//
// bench_grid --screenshot FILE writes the filled page as a picture instead.

#include "BenchUtil.h"

#include "flexgrid/FlexGrid.h"
#include "forms/Metrics.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>

#include <cstring>

using namespace quva;
using namespace quva::flexgrid;

namespace {

constexpr int kRows = 40;
constexpr int kCols = 25;
constexpr int kScreenW = 1366;
constexpr int kScreenH = 768;

// Column widths of the receivables page (0 hides a column).
constexpr std::int32_t kWidths[kCols] = {0, 1600, 2560, 0, 4000, 4000, 0, 0,    0, 0, 0, 0, 0,
                                         0, 1500, 1500, 0, 0,    0,    0, 1400, 0, 0, 0, 0};

QPixmap label(const QString& text, QColor colour) {
    QPixmap p(72, 20);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 71, 19), 9, 9);
    painter.setPen(Qt::white);
    QFont f = painter.font();
    f.setPixelSize(11);
    f.setBold(true);
    painter.setFont(f);
    painter.drawText(p.rect(), Qt::AlignCenter, text);
    return p;
}

struct Page {
    QString text[kRows + 1][kCols];
    QPixmap pictures[3];
};

Page makePage() {
    static const char16_t* const headers[kCols] = {u"Coluna em branco",
                                                   u"Nº Lançamento",
                                                   u"Código do\r\nCliente",
                                                   u"Apelido ou \r\nNome do cliente",
                                                   u"Nome ou \r\nRazão Social do cliente",
                                                   u"Histórico",
                                                   u"Número da venda",
                                                   u"Data da venda",
                                                   u"Valor da venda",
                                                   u"Valor recebido a vista",
                                                   u"Percentual recebido a vista",
                                                   u"Número da parcela",
                                                   u"Número de parcelas",
                                                   u"Número de parcelas anterior ao recebimento",
                                                   u"Data de vencimento",
                                                   u"Valor do documento",
                                                   u"Desconto/Abatimento",
                                                   u"Juros/Mora/Multa",
                                                   u"Data da baixa",
                                                   u"Valor da baixa",
                                                   u"Situação",
                                                   u"Data e hora da inclusão",
                                                   u"Usuário da inclusão",
                                                   u"Data e hora da alteração",
                                                   u"Usuário da alteração"};
    static const char16_t* const names[] = {u"Comercial Andrade Ltda", u"Maria das Graças Souza",
                                            u"Padaria Pão Dourado ME", u"José Carlos Pereira",
                                            u"Auto Peças Ribeiro Eireli"};
    Page page;
    for (int c = 0; c < kCols; ++c)
        page.text[0][c] = QString::fromUtf16(headers[c]);
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 0; c < kCols; ++c)
            page.text[r][c] = QStringLiteral("%1").arg(r * 100 + c);
        page.text[r][0].clear();
        page.text[r][1] = QString::number(4000 + r);
        page.text[r][2] = QString::number(120 + r % 7);
        page.text[r][4] = QString::fromUtf16(names[r % 5]);
        page.text[r][5] = QStringLiteral("Venda a prazo, parcela %1 de 3").arg(1 + r % 3);
        page.text[r][14] = QStringLiteral("%1/%2/2025")
                               .arg(1 + r % 28, 2, 10, QChar(u'0'))
                               .arg(1 + r % 12, 2, 10, QChar(u'0'));
        page.text[r][15] = QStringLiteral("%1,%2").arg(150 + r * 37).arg(r * 7 % 100, 2, 10, QChar(u'0'));
        page.text[r][20].clear();
    }
    page.pictures[0] = label(QStringLiteral("A vencer"), QColor(0x2E, 0x7D, 0x32));
    page.pictures[1] = label(QStringLiteral("Vencido"), QColor(0xC6, 0x28, 0x28));
    page.pictures[2] = label(QStringLiteral("Baixado"), QColor(0x15, 0x65, 0xC0));
    return page;
}

void setUpGrid(MSFlexGrid& g) {
    g.setRedraw(false);
    g.Clear();
    g.setFocusRect(flexFocusNone);
    g.setAppearance(flexFlat);
    g.setBorderStyle(flexBorderNone);
    g.setFixedCols(0);
    g.setFont(QStringLiteral("Arial"), 11);
    g.setBackColorFixed(0xFFFFFF);
    g.setBackColorSel(0xD9D9D9);
    g.setForeColorSel(forms::vbButtonText);
    g.setBackColorBkg(0xFFFFFF);
    g.setGridColor(0xEFEFEF);
    g.setGridColorFixed(0xEFEFEF);
    g.setBackColor(0xFFFFFF);
    g.setForeColor(0x000000);
    g.setGridLines(flexGridNone);
    g.setGridLinesFixed(flexGridNone);
    g.setSelectionMode(flexSelectionByRow);
    g.setRows(1);
    g.setCols(kCols);
    for (int c = 0; c < kCols; ++c) {
        g.setColWidth(c, kWidths[c]);
        g.setColAlignment(c, c == 1 || (c >= 6 && c <= 20) ? flexAlignCenterCenter : flexAlignLeftCenter);
    }
    g.setRedraw(true);
}

void fillGrid(MSFlexGrid& g, const Page& page) {
    g.setRedraw(false);
    g.setRows(kRows + 1);
    g.setFixedRows(1);
    g.setRowHeight(0, 700);
    g.setRow(0);
    for (int c = 0; c < kCols; ++c) {
        g.setCol(c);
        g.setTextMatrix(0, c, page.text[0][c]);
        g.setCellFontBold(true);
        g.setCellForeColor(c == 1 ? 0x808080 : 0x000000);
        g.setCellBackColor(0xFFFFFF);
    }
    for (int r = 1; r <= kRows; ++r) {
        g.setRowHeight(r, 570);
        g.setRow(r);
        const OleColor back = r % 2 ? 0xF2F2F2 : 0xFFFFFF;
        for (int c = 0; c < kCols; ++c) {
            g.setCol(c);
            g.setCellBackColor(back);
            g.setCellForeColor(c == 1 ? 0x808080 : 0x000000);
        }
        for (int c = 1; c < kCols; ++c)
            g.setTextMatrix(r, c, page.text[r][c]);
        g.setCol(20);
        g.setCellAlignment(flexAlignCenterCenter);
        g.setCellPictureAlignment(flexAlignCenterCenter);
        g.setCellPicture(page.pictures[r % 3]);
    }
    g.setRedraw(true);
}

void fillTable(QTableWidget& t, const Page& page) {
    t.setUpdatesEnabled(false);
    t.clear();
    t.setRowCount(kRows);
    t.setColumnCount(kCols);
    QFont bold = t.font();
    bold.setBold(true);
    for (int c = 0; c < kCols; ++c) {
        auto* h = new QTableWidgetItem(page.text[0][c]);
        h->setFont(bold);
        h->setForeground(QColor(c == 1 ? 0x808080 : 0));
        t.setHorizontalHeaderItem(c, h);
    }
    for (int r = 1; r <= kRows; ++r) {
        const QColor back = r % 2 ? QColor(0xF2, 0xF2, 0xF2) : QColor(Qt::white);
        for (int c = 0; c < kCols; ++c) {
            auto* item = new QTableWidgetItem(page.text[r][c]);
            item->setBackground(back);
            item->setForeground(QColor(c == 1 ? 0x808080 : 0));
            item->setTextAlignment(Qt::AlignCenter);
            if (c == 20) item->setData(Qt::DecorationRole, page.pictures[r % 3]);
            t.setItem(r - 1, c, item);
        }
    }
    t.setUpdatesEnabled(true);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    forms::setLogicalDpiOverride(96);
    const Page page = makePage();

    MSFlexGrid grid;
    grid.Move(0, 0, forms::Twips(kScreenW * 15), forms::Twips(kScreenH * 15));
    setUpGrid(grid);
    grid.widget()->show();
    fillGrid(grid, page);
    QApplication::processEvents();

    if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        // The selection as the list shows it under the mouse.
        grid.setHighLight(flexHighlightAlways);
        grid.setRow(3);
        grid.setCol(0);
        grid.setColSel(kCols - 1);
        grid.widget()->resize(1120, 560);
        QApplication::processEvents();
        return grid.widget()->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }

    const double fill = bench::medianSeconds(
        51, [&] { fillGrid(grid, page); }, 1e3);
    QApplication::processEvents();
    const double repaint = bench::medianSeconds(
        31, [&] { grid.widget()->repaint(); }, 1e3);

    QTableWidget table;
    table.resize(kScreenW, kScreenH);
    table.show();
    for (int c = 0; c < kCols; ++c)
        table.setColumnWidth(c, forms::toPixelsX(kWidths[c]));
    fillTable(table, page);
    QApplication::processEvents();
    const double fillBase = bench::medianSeconds(
        11, [&] { fillTable(table, page); }, 1e3);
    QApplication::processEvents();
    const double repaintBase = bench::medianSeconds(
        11, [&] { table.repaint(); }, 1e3);

    bench::report("grid_fill_40x25", fill, "ms", 1, fillBase);
    bench::report("grid_repaint", repaint, "ms", 25, repaintBase);
    return 0;
}
