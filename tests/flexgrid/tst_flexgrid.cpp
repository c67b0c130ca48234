// The flex grid: layout rules, texts in hidden columns, Clear, items, cell
// formats, mouse positions in twips, keyboard moves and suspended drawing.

#include "automation/LateBound.h"
#include "flexgrid/FlexGrid.h"
#include "forms/Metrics.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace quva;
using namespace quva::flexgrid;
using teste::failureOf;

namespace {

QWidget* viewportOf(MSFlexGrid& g) {
    return static_cast<QAbstractScrollArea*>(g.widget())->viewport();
}

// A grid on screen, 96 DPI, no frame, known sizes: columns 1500 twips
// (100 px), header 300 twips (20 px), rows 450 twips (30 px).
std::unique_ptr<MSFlexGrid> shownGrid(std::int32_t rows, std::int32_t cols, forms::Twips width = 6000,
                                      forms::Twips height = 3000) {
    auto g = std::make_unique<MSFlexGrid>();
    g->setBorderStyle(flexBorderNone);
    g->setRows(rows);
    g->setCols(cols);
    g->setColWidth(-1, 1500);
    g->setRowHeight(-1, 450);
    g->setRowHeight(0, 300);
    g->Move(0, 0, width, height);
    g->widget()->show();
    if (!QTest::qWaitForWindowExposed(g->widget())) return nullptr;
    return g;
}

QPixmap etiqueta() {
    QPixmap p(40, 14);
    p.fill(Qt::red);
    return p;
}

} // namespace

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { forms::setLogicalDpiOverride(96); }
    void cleanupTestCase() { forms::setLogicalDpiOverride(0); }

    void rowsAndFixedRows() {
        MSFlexGrid g;
        QCOMPARE(g.Rows(), 2);
        QCOMPARE(g.FixedRows(), 1);
        g.setRows(1); // every row fixed: allowed when reached through Rows
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(failureOf([&] { g.setFixedRows(1); }), rt::err::GridInvalidRow);
        g.setRows(4);
        g.setFixedRows(2);
        g.setTextMatrix(3, 1, QStringLiteral("x"));
        g.setRows(1); // below FixedRows lowers it
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.Row(), 0);
        g.setRows(4); // rows that come back are empty
        QCOMPARE(g.TextMatrix(3, 1), QString());
        g.setRows(0);
        QCOMPARE(g.FixedRows(), 0);
        QCOMPARE(failureOf([&] { g.setFixedRows(-1); }), rt::err::GridInvalidRow);
        g.setCols(1);
        QCOMPARE(g.FixedCols(), 1);
        QCOMPARE(failureOf([&] { g.setFixedCols(1); }), rt::err::GridInvalidCol);
        QCOMPARE(failureOf([&] { g.setRows(-1); }), rt::err::InvalidPropertyValue);
    }

    void resizingKeepsCells() {
        MSFlexGrid g;
        g.setRows(3);
        g.setCols(3);
        g.setTextMatrix(2, 2, QStringLiteral("canto"));
        g.setRow(2);
        g.setCol(2);
        g.setCellBackColor(0x00FF00);
        g.setCols(5);
        g.setRows(10);
        QCOMPARE(g.TextMatrix(2, 2), QStringLiteral("canto"));
        QCOMPARE(g.CellBackColor(), 0x00FF00);
        g.setCols(2);
        g.setCols(3);
        QCOMPARE(g.TextMatrix(2, 2), QString());
    }

    void textMatrixInHiddenColumns() {
        MSFlexGrid g;
        g.setRows(3);
        g.setCols(3);
        g.setColWidth(2, 0);
        g.setTextMatrix(1, 2, QStringLiteral("123"));
        QCOMPARE(g.TextMatrix(1, 2), QStringLiteral("123"));
        g.AddItem(QStringLiteral("a\tb\toculto"));
        QCOMPARE(g.TextMatrix(3, 2), QStringLiteral("oculto"));
        QCOMPARE(failureOf([&] { g.TextMatrix(4, 0); }), 381);
        QCOMPARE(failureOf([&] { g.TextMatrix(0, 3); }), 381);
        QCOMPARE(failureOf([&] { g.setTextMatrix(-1, 0, {}); }), 381);
    }

    void clearKeepsLayout() {
        MSFlexGrid g;
        g.setRows(5);
        g.setCols(3);
        g.setColWidth(1, 2950);
        g.setRowHeight(2, 570);
        g.setColAlignment(1, flexAlignRightCenter);
        g.setColData(1, 7);
        g.setTextMatrix(2, 1, QStringLiteral("10,00"));
        g.setRow(2);
        g.setCol(1);
        g.setCellBackColor(0xF2F2F2);
        g.setCellFontBold(true);
        g.setCellPicture(etiqueta());
        g.Clear();
        QCOMPARE(g.Rows(), 5);
        QCOMPARE(g.Cols(), 3);
        QCOMPARE(g.ColWidth(1), 2950);
        QCOMPARE(g.RowHeight(2), 570);
        QCOMPARE(g.ColAlignment(1), flexAlignRightCenter);
        QCOMPARE(g.ColData(1), 7);
        QCOMPARE(g.TextMatrix(2, 1), QString());
        QCOMPARE(g.CellBackColor(), g.BackColor());
        QVERIFY(!g.CellFontBold());
        QVERIFY(g.CellPicture().isNull());
    }

    void addItemAndRemoveItem() {
        MSFlexGrid g;
        g.setCols(3);
        g.AddItem(QStringLiteral("10/01/2030\t100,00"));
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("100,00"));
        QCOMPARE(g.TextMatrix(2, 2), QString());
        g.AddItem(QStringLiteral("primeira\tx\ty\tsobra"), 1);
        QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("primeira"));
        QCOMPARE(g.TextMatrix(1, 2), QStringLiteral("y"));
        QCOMPARE(g.TextMatrix(3, 0), QStringLiteral("10/01/2030"));
        QCOMPARE(failureOf([&] { g.AddItem({}, 5); }), rt::err::GridInvalidRow);

        g.RemoveItem(1);
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(g.TextMatrix(1, 0), QString());
        QCOMPARE(failureOf([&] { g.RemoveItem(0); }), rt::err::GridInvalidRow);
        g.RemoveItem(1);
        QCOMPARE(g.Rows(), 2);
        // The last scrollable row stays: add an empty one first, then remove.
        QCOMPARE(failureOf([&] { g.RemoveItem(1); }), rt::err::GridLastNonFixedRow);
        QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("10/01/2030"));
        g.AddItem(QString());
        g.RemoveItem(1);
        QCOMPARE(g.Rows(), 2);
        QCOMPARE(g.TextMatrix(1, 0), QString());
    }

    void cellFormatsActOnTheCurrentCell() {
        MSFlexGrid g;
        g.setRows(4);
        g.setCols(4);
        g.setRow(2);
        g.setCol(3);
        g.setCellForeColor(0x808080);
        g.setRow(1);
        QCOMPARE(g.CellForeColor(), g.ForeColor());
        g.setRow(2);
        QCOMPARE(g.CellForeColor(), 0x808080);
        // Header cells report the fixed colours until given their own.
        g.setRow(0);
        QCOMPARE(g.CellBackColor(), g.BackColorFixed());
        g.setCellFontBold(true);
        g.setCol(1);
        QVERIFY(!g.CellFontBold());
        // Setting the row collapses the selection to the current cell.
        g.setRowSel(3);
        g.setColSel(2);
        g.setRow(3);
        QCOMPARE(g.RowSel(), 3);
        QCOMPARE(g.ColSel(), 1);
        QCOMPARE(failureOf([&] { g.setRow(4); }), rt::err::GridInvalidRow);
        QCOMPARE(failureOf([&] { g.setCol(4); }), rt::err::GridInvalidCol);
    }

    void selChangeFromCodeOnlyWhenSomethingChanges() {
        MSFlexGrid g;
        g.setRows(5);
        int changes = 0;
        g.onSelChange = [&] { ++changes; };
        g.setRow(1); // already there
        QCOMPARE(changes, 0);
        g.setRow(2);
        g.setColSel(0);
        QCOMPARE(changes, 2);
    }

    void cellGeometryInTwips() {
        auto g = shownGrid(5, 4);
        QVERIFY(g);
        g->setColWidth(0, 0);
        g->setRow(2);
        g->setCol(2);
        QCOMPARE(g->CellLeft(), 1500); // column 0 hidden, column 1 is 1500 wide
        QCOMPARE(g->CellTop(), 300 + 450);
        QCOMPARE(g->CellWidth(), 1500);
        g->setBorderStyle(flexBorderSingle);
        g->setAppearance(flexFlat);
        QCOMPARE(g->CellLeft(), 1500 + 15); // the one-pixel frame
    }

    void mouseMoveReportsTwips() {
        auto g = shownGrid(5, 4);
        QVERIFY(g);
        QList<std::array<float, 2>> moves;
        g->onMouseMove = [&](std::int16_t, std::int16_t, forms::Twips x, forms::Twips y) {
            moves.append({x, y});
        };
        QTest::mouseMove(viewportOf(*g), QPoint(150, 55));
        QTRY_VERIFY(!moves.isEmpty());
        QCOMPARE(moves.last()[0], 150.0f * 15);
        QCOMPARE(moves.last()[1], 55.0f * 15);
    }

    void clickSelectsTheCellBeforeClick() {
        auto g = shownGrid(5, 4);
        QVERIFY(g);
        std::int32_t rowAtClick = -1;
        g->onClick = [&] { rowAtClick = g->Row(); };
        QTest::mouseClick(viewportOf(*g), Qt::LeftButton, {}, QPoint(250, 85));
        QCOMPARE(rowAtClick, 3);
        QCOMPARE(g->Col(), 2);
        // A header click leaves the current cell alone.
        QTest::mouseClick(viewportOf(*g), Qt::LeftButton, {}, QPoint(250, 5));
        QCOMPARE(g->Row(), 3);
    }

    void keyboardMovesRaiseSelChange_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("rowSel");
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << 3 << 2 << 3;
        QTest::newRow("right skips hidden") << int(Qt::Key_Right) << 0 << 2 << 4 << 2;
        QTest::newRow("home") << int(Qt::Key_Home) << 0 << 2 << 1 << 2;
        QTest::newRow("end") << int(Qt::Key_End) << 0 << 2 << 4 << 2;
        QTest::newRow("ctrl end") << int(Qt::Key_End) << int(Qt::ControlModifier) << 19 << 2 << 19;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << -1 << 2 << -1;
        QTest::newRow("shift down") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 2 << 2 << 3;
    }
    void keyboardMovesRaiseSelChange() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, rowSel);
        auto g = shownGrid(20, 5);
        QVERIFY(g);
        g->setColWidth(3, 0);
        g->setRow(2);
        g->setCol(2);
        int changes = 0;
        g->onSelChange = [&] { ++changes; };
        g->widget()->setFocus();
        QTest::keyClick(g->widget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(changes, 1);
        if (row < 0) { // a page: further down, and scrolled so that it shows
            QVERIFY(g->Row() > 3);
            QVERIFY(g->TopRow() > 1);
            QCOMPARE(g->RowSel(), g->Row());
        } else {
            QCOMPARE(g->Row(), row);
            QCOMPARE(g->RowSel(), rowSel);
        }
        QCOMPARE(g->Col(), col);
        if (row == 19) QVERIFY(g->TopRow() > 1);
    }

    void keyPressHandlerCanSwallowKeys() {
        auto g = shownGrid(5, 3);
        QVERIFY(g);
        g->onKeyDown = [](std::int16_t& code, std::int16_t) { code = 0; };
        g->widget()->setFocus();
        QTest::keyClick(g->widget(), Qt::Key_Down);
        QCOMPARE(g->Row(), 1);
        std::int16_t seen = 0;
        g->onKeyDown = nullptr;
        g->onKeyPress = [&](std::int16_t& ascii) { seen = ascii; };
        QTest::keyClick(g->widget(), Qt::Key_A);
        QCOMPARE(seen, std::int16_t('a'));
    }

    void redrawFalseHoldsPainting() {
        auto g = shownGrid(30, 25);
        QVERIFY(g);
        QTRY_VERIFY(g->paintCount() > 0);
        QTest::qWait(20);
        const int before = g->paintCount();
        g->setRedraw(false);
        for (std::int32_t r = 1; r < 30; ++r) {
            g->setRow(r);
            for (std::int32_t c = 0; c < 25; ++c) {
                g->setCol(c);
                g->setCellBackColor(r % 2 ? 0xF2F2F2 : 0xFFFFFF);
                g->setTextMatrix(r, c, QString::number(r * c));
            }
        }
        g->setRows(40);
        QTest::qWait(50);
        QCOMPARE(g->paintCount(), before);
        g->setRedraw(true);
        QTRY_COMPARE(g->paintCount(), before + 1);
        QTest::qWait(50);
        QCOMPARE(g->paintCount(), before + 1);
    }

    void topRowStaysWithinWhatCanScroll() {
        auto g = shownGrid(40, 3); // 3000 twips high: 20 px header, about 6 rows show
        QVERIFY(g);
        g->setTopRow(39);
        QVERIFY(g->TopRow() < 39);
        QVERIFY(g->TopRow() > 30);
        g->setTopRow(0);
        QCOMPARE(g->TopRow(), 1);
        g->setRows(3);
        QCOMPARE(g->TopRow(), 1);
    }

    // A bar left from a longer grid must keep neither itself nor the other
    // bar once the rows fit again: a header and five rows tall, two columns
    // that fill the width and narrow for the vertical bar from the sixth row.
    void scrollBarsGoWhenEverythingFitsAgain() {
        auto g = std::make_unique<MSFlexGrid>();
        g->setAppearance(flexFlat);
        g->setScrollBars(flexScrollBarBoth);
        g->setRows(2);
        g->setCols(3);
        g->setColWidth(0, 2950);
        g->setColWidth(2, 0);
        g->Move(0, 0, 6315, forms::Twips(g->RowHeight(0) * 6) + forms::toTwipsY(2));
        g->widget()->show();
        QVERIFY(QTest::qWaitForWindowExposed(g->widget()));
        auto* area = static_cast<QAbstractScrollArea*>(g->widget());
        auto bars = [&] {
            QTest::qWait(20);
            return QString::number(area->verticalScrollBar()->isVisible()) +
                   QString::number(area->horizontalScrollBar()->isVisible());
        };
        auto widthOfValues = [&] { g->setColWidth(1, g->Rows() < 7 ? 3315 : 3065); };
        for (int i = 0; i < 6; ++i) {
            g->AddItem(QStringLiteral("01/01/2030\t1,00"));
            if (i == 0) g->RemoveItem(1);
            widthOfValues();
        }
        QCOMPARE(bars(), QStringLiteral("10"));
        g->RemoveItem(6);
        widthOfValues();
        QCOMPARE(bars(), QStringLiteral("00"));
        QCOMPARE(g->TopRow(), 1);
    }

    // The business component keeps the installment grid it was handed after
    // the card has gone: reading it then fails cleanly.
    void faceOutlivingItsGridFailsCleanly() {
        auto g = std::make_unique<MSFlexGrid>();
        rt::Object o = g->object();
        g.reset();
        QCOMPARE(failureOf([&] { automation::get(o, QStringLiteral("Rows")); }), rt::err::ObjectUnloaded);
    }

    // A wrapped header taller than its row shows its first line whole (cut
    // with an ellipsis), not two lines clipped at the top and the bottom.
    void wrappedTextTallerThanTheRowStaysReadable() {
        auto g = shownGrid(2, 1);
        QVERIFY(g);
        g->setWordWrap(true);
        g->setFont(QStringLiteral("Arial"), 11, true);
        g->setTextMatrix(0, 0, QStringLiteral("Apelido/Nome fantasia"));
        g->widget()->repaint();
        const QImage img = viewportOf(*g)->grab().toImage();
        auto tinta = [&](int y) {
            for (int x = 0; x < 100; ++x)
                if (qGray(img.pixel(x, y)) < 128) return true;
            return false;
        };
        QVERIFY(!tinta(0) && !tinta(1) && !tinta(18));
        QVERIFY(tinta(10));
    }
};

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
