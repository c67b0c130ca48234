// The forms toolkit: twips, colours, fonts, handles, the form life cycle
// with modal shows, control events and the scripted message boxes.

#include "forms/Controls.h"
#include "forms/Font.h"
#include "forms/Form.h"
#include "forms/Keys.h"
#include "forms/MsgBox.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace quva::forms;
using teste::failureOf;

namespace {

// A small form that logs its events.
class frmTeste : public Form {
public:
    frmTeste() : Form(QStringLiteral("frmTeste")) {}
    Label* lblMensagem = nullptr;
    TextBox* txtValor = nullptr;
    TextBox* txtOutro = nullptr;
    CheckBox* chkVencidas = nullptr;
    CheckBox* chkBaixada = nullptr;
    OptionButton* optTodas = nullptr;
    OptionButton* optPeriodo = nullptr;
    CommandButton* cmdOk = nullptr;
    ControlArray<CommandButton>* cmdSaida = nullptr;
    QStringList log;
    int loads = 0;
    int cancelUnloads = 0; // how many Form_Unload calls to refuse
    std::function<void()> whenActivated;

protected:
    void CreateControls() override {
        setCaption(QStringLiteral("Teste"));
        setClientSize(5100, 3000);
        lblMensagem = add<Label>(QStringLiteral("lblMensagem"));
        lblMensagem->Move(405, 555, 4290, 330);
        lblMensagem->setCaption(QStringLiteral("Aguarde, acessando o sistema"));
        txtValor = add<TextBox>(QStringLiteral("txtValor"));
        txtValor->Move(100, 1000, 1500, 300);
        txtOutro = add<TextBox>(QStringLiteral("txtOutro"));
        txtOutro->Move(1700, 1000, 1500, 300);
        chkVencidas = add<CheckBox>(QStringLiteral("chkVencidas"));
        chkVencidas->Move(100, 1400, 2000, 270);
        chkBaixada = add<CheckBox>(QStringLiteral("chkBaixada"));
        chkBaixada->Move(100, 1700, 2000, 270);
        optTodas = add<OptionButton>(QStringLiteral("optTodas"));
        optTodas->Move(2200, 1400, 2000, 270);
        optTodas->setValue(true);
        optPeriodo = add<OptionButton>(QStringLiteral("optPeriodo"));
        optPeriodo->Move(2200, 1700, 2000, 270);
        cmdOk = add<CommandButton>(QStringLiteral("cmdOk"));
        cmdOk->Move(100, 2100, 1200, 400);
        cmdSaida = addArray<CommandButton>(QStringLiteral("cmdSaida"));
        cmdSaida->add(0)->Move(1400, 2100, 1200, 400);
        cmdSaida->add(1)->Move(2700, 2100, 1200, 400);
    }
    void Form_Load() override {
        ++loads;
        log << QStringLiteral("Load");
    }
    void Form_Resize() override { log << QStringLiteral("Resize"); }
    void Form_Activate() override {
        log << QStringLiteral("Activate");
        if (whenActivated) whenActivated();
    }
    void Form_Unload(std::int16_t& Cancel) override {
        log << QStringLiteral("Unload");
        if (cancelUnloads > 0) {
            --cancelUnloads;
            Cancel = 1;
        }
        Unload(); // asking again while unloading changes nothing
    }
};

} // namespace

class TstForms : public QObject {
    Q_OBJECT

private slots:
    void init() { setLogicalDpiOverride(96); }
    void cleanup() {
        setLogicalDpiOverride(0);
        destroyDefaultInstances();
    }

    void twipsAtDpi_data() {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("96 dpi") << 96.0 << 405.0 << 27;
        QTest::newRow("96 dpi, half pixel rounds up") << 96.0 << 4297.5 << 287;
        QTest::newRow("120 dpi") << 120.0 << 1440.0 << 120;
        QTest::newRow("120 dpi, fraction") << 120.0 << 405.0 << 34;
        QTest::newRow("144 dpi") << 144.0 << 555.0 << 56;
    }
    void twipsAtDpi() {
        QFETCH(double, dpi);
        QFETCH(double, twips);
        QFETCH(int, pixels);
        setLogicalDpiOverride(dpi);
        frmTeste f;
        f.Load();
        f.lblMensagem->Move(twips, twips, twips, twips);
        QCOMPARE(f.lblMensagem->widget()->geometry(), QRect(pixels, pixels, pixels, pixels));
    }

    void colours_data() {
        QTest::addColumn<qint64>("ole");
        QTest::addColumn<QColor>("expected");
        const QPalette p = QGuiApplication::palette();
        QTest::newRow("medium blue") << qint64(0xD36C00) << QColor(0x00, 0x6C, 0xD3);
        QTest::newRow("grey") << qint64(0x494949) << QColor(73, 73, 73);
        QTest::newRow("button face") << qint64(0x8000000F) << p.color(QPalette::Button);
        QTest::newRow("window text") << qint64(0x80000008) << p.color(QPalette::Text);
        QTest::newRow("highlight") << qint64(0x8000000D) << p.color(QPalette::Highlight);
        QTest::newRow("highlight text") << qint64(0x8000000E) << p.color(QPalette::HighlightedText);
    }
    void colours() {
        QFETCH(qint64, ole);
        QFETCH(QColor, expected);
        const OleColor c = OleColor(std::uint32_t(ole));
        QCOMPARE(toQColor(c), expected);
        if (!isSystemColor(c)) QCOMPARE(fromQColor(expected), c);
    }

    void fonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        for (const auto& [name, family] : {std::pair{"Arial", "Liberation Sans"},
                                           {"Arial Narrow", "Liberation Sans Narrow"},
                                           {"Tahoma", "Tahoma"},
                                           {"verdana", "DejaVu Sans"}})
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(family);
    }
    void fonts() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QCOMPARE(fontFamilyFor(name), family);
        // A control keeps the classic name while drawing with the installed
        // family, which really resolves (no fallback).
        frmTeste f;
        f.Load();
        f.lblMensagem->setFont(name, 11.25, true);
        const QFont font = f.lblMensagem->widget()->font();
        QCOMPARE(font.pointSizeF(), 11.25);
        QVERIFY(font.bold());
        QCOMPARE(QFontInfo(font).family(), family);
    }

    void innerAndOuterSizes() {
        frmTeste f;
        f.Load();
        QCOMPARE(f.ScaleWidth(), Twips(5100));
        QCOMPARE(f.ScaleHeight(), Twips(3000));
        // The outer size carries the frame and the title bar.
        QCOMPARE(f.Width(), Twips(5100 + 2 * 4 * 15));
        QCOMPARE(f.Height(), Twips(3000 + (26 + 4) * 15));
        QCOMPARE(f.window()->size(), QSize(340, 200));
        f.setWidth(6000);
        QCOMPARE(f.Width(), Twips(6000));
        QCOMPARE(f.ScaleWidth(), Twips(6000 - 120));
        QCOMPARE(f.log.count(QStringLiteral("Resize")), 1);
        f.setBorderStyle(0);
        QCOMPARE(f.ScaleWidth(), Twips(6000 - 120));
        QCOMPARE(f.Width(), f.ScaleWidth());
        QCOMPARE(failureOf([&] { f.setWidth(-1); }), quva::rt::err::InvalidPropertyValue);
    }

    void eventsOfAModelessShow() {
        frmTeste f;
        f.Show();
        QVERIFY(f.Visible());
        QCOMPARE(f.log, (QStringList{"Load", "Resize", "Activate"}));
        QCOMPARE(ActiveForm(), &f);
        QCOMPARE(failureOf([&] { f.Show(vbModal); }), quva::rt::err::FormAlreadyShown);
        f.Hide();
        QVERIFY(!f.Visible());
        QVERIFY(f.isLoaded());
        QCOMPARE(ActiveForm(), nullptr);
    }

    void controlsStayReadableUntilTheNextLoad() {
        frmTeste f;
        f.Load();
        f.chkVencidas->setValue(vbChecked);
        f.txtValor->setText(QStringLiteral("1.234,56"));
        // After unloading, the last values stay readable until the next load.
        f.Unload();
        QCOMPARE(f.txtValor->Text(), QStringLiteral("1.234,56"));
        f.Load();
        QCOMPARE(f.txtValor->Text(), QString());
        QCOMPARE(f.chkVencidas->Value(), vbUnchecked);
    }

    void unloadCancelledKeepsTheModalShow() {
        frmTeste f;
        f.Load();
        f.cancelUnloads = 1;
        int closes = 0;
        std::function<void()> close = [&] {
            ++closes;
            f.window()->close(); // the title bar's close button
            if (f.isLoaded()) QTimer::singleShot(0, close);
        };
        QTimer::singleShot(0, close);
        f.Show(vbModal);
        QCOMPARE(closes, 2);
        QCOMPARE(f.log.count(QStringLiteral("Unload")), 2);
        QVERIFY(!f.isLoaded());
    }

    void hiddenFormShownModallyAgainFromItsOwnHandler() {
        frmTeste f;
        f.Load();
        int shows = 0;
        f.cmdSaida->onClick = [&](std::int16_t) {
            f.Hide(); // the outer show ends once this handler returns
            ++shows;
            QTimer::singleShot(0, [&] { f.Unload(); });
            f.Show(vbModal); // the same form, modal again, inside its own handler
        };
        QTimer::singleShot(0, [&] { f.cmdSaida->operator()(1).raiseClick(); });
        f.Show(vbModal);
        QCOMPARE(shows, 1);
        QVERIFY(!f.isLoaded());
    }

    // After an unload the next touch loads the same object again, with its
    // design values.
    void defaultInstanceLoadsAgainAfterUnload() {
        frmTeste& d = DefaultInstance<frmTeste>::get();
        d.lblMensagem->setCaption(QStringLiteral("Aguarde, reorganizando dados."));
        QVERIFY(DefaultInstance<frmTeste>::Unload());
        QVERIFY(DefaultInstance<frmTeste>::Unload()); // nothing to unload, nothing loaded
        frmTeste& again = DefaultInstance<frmTeste>::get();
        QCOMPARE(&again, &d);
        QCOMPARE(again.loads, 2);
        QCOMPARE(again.lblMensagem->Caption(), QStringLiteral("Aguarde, acessando o sistema"));
    }

    // A Click on every change of value, by code (also from inside another
    // control's Click) or by mouse, and none when nothing changes.
    void valueChangesRaiseClick() {
        frmTeste f;
        f.Load();
        int vencidas = 0, baixada = 0;
        f.chkVencidas->onClick = [&] { ++vencidas; };
        f.chkBaixada->onClick = [&] {
            ++baixada;
            if (f.chkBaixada->Value() == vbChecked) f.chkVencidas->setValue(vbUnchecked);
        };
        f.chkVencidas->setValue(vbChecked);
        f.chkVencidas->setValue(vbChecked);
        QCOMPARE(vencidas, 1);
        f.Show();
        QTest::mouseClick(f.chkBaixada->widget(), Qt::LeftButton);
        QCOMPARE(f.chkBaixada->Value(), vbChecked);
        QCOMPARE(baixada, 1);
        QCOMPARE(vencidas, 2);
        QCOMPARE(failureOf([&] { f.chkBaixada->setValue(3); }), quva::rt::err::InvalidPropertyValue);
        // Option buttons exclude each other.
        int clicks = 0;
        f.optPeriodo->onClick = [&] { ++clicks; };
        f.optPeriodo->setValue(true);
        f.optPeriodo->setValue(true);
        QCOMPARE(clicks, 1);
        QVERIFY(!f.optTodas->Value());
    }

    void keyPressByReference() {
        frmTeste f;
        f.Show();
        std::vector<int> seen;
        f.txtValor->onKeyPress = [&](std::int16_t& KeyAscii) {
            seen.push_back(KeyAscii);
            if (KeyAscii == 'x') KeyAscii = 0;   // swallowed
            if (KeyAscii == '.') KeyAscii = ','; // typed as another
        };
        f.txtValor->SetFocus();
        QTest::keyClicks(f.txtValor->widget(), QStringLiteral("1x.5"));
        QTest::keyClick(f.txtValor->widget(), Qt::Key_Return);
        QCOMPARE(f.txtValor->Text(), QStringLiteral("1,5"));
        QCOMPARE(seen, (std::vector<int>{'1', 'x', '.', '5', 13}));
    }

    void keyDownAndFocusEvents() {
        frmTeste f;
        f.Show();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        std::vector<std::pair<int, int>> downs;
        int lost = 0, got = 0;
        f.txtValor->onKeyDown = [&](std::int16_t& KeyCode, std::int16_t Shift) {
            downs.emplace_back(KeyCode, Shift);
            if (KeyCode == vbKeyDelete) KeyCode = 0; // swallowed
        };
        f.txtValor->onLostFocus = [&] { ++lost; };
        f.txtOutro->onGotFocus = [&] { ++got; };
        f.txtValor->setText(QStringLiteral("ab"));
        f.txtValor->SetFocus();
        f.txtValor->setSelStart(0);
        QTest::keyClick(f.txtValor->widget(), Qt::Key_Delete);
        QTest::keyClick(f.txtValor->widget(), Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(f.txtValor->Text(), QStringLiteral("ab"));
        // The shift key itself goes down first, as the classic KeyDown reported it.
        QCOMPARE(downs, (std::vector<std::pair<int, int>>{
                            {vbKeyDelete, 0}, {vbKeyShift, vbShiftMask}, {vbKeyHome, vbShiftMask}}));
        f.txtOutro->SetFocus();
        QCOMPARE(lost, 1);
        QCOMPARE(got, 1);
        QCOMPARE(f.ActiveControl(), f.txtOutro);
        // A hidden or disabled control cannot take the focus.
        f.txtValor->setVisible(false);
        QCOMPARE(failureOf([&] { f.txtValor->SetFocus(); }), quva::rt::err::InvalidCall);
        f.txtOutro->setEnabled(false);
        QCOMPARE(failureOf([&] { f.txtOutro->SetFocus(); }), quva::rt::err::InvalidCall);
    }

    // The shell adds its frame on every load: an added control starts hidden,
    // its name is taken only once, and a reload starts without it.
    void controlsAddedAtRunTime() {
        frmTeste f;
        f.Load();
        Control& c = f.Controls().Add(QStringLiteral("VB.Shape"), QStringLiteral("lshpObj"));
        QVERIFY(dynamic_cast<Shape*>(&c));
        QVERIFY(!c.Visible());
        QCOMPARE(failureOf([&] { f.Controls().Add(QStringLiteral("VB.Shape"), QStringLiteral("lshpObj")); }),
                 quva::rt::err::InvalidCall);
        f.Unload();
        f.Load();
        QVERIFY(!f.Controls().find(QStringLiteral("lshpObj")));
    }

    void pictureBoxContainsControls() {
        frmTeste f;
        f.Load();
        auto* pic = f.add<PictureBox>(QStringLiteral("picMensagem"));
        auto* inside = f.add<Label>(QStringLiteral("lblDentro"), pic);
        inside->Move(30, 30, 300, 300);
        QCOMPARE(inside->widget()->parentWidget(), pic->widget());
        QCOMPARE(inside->widget()->pos(), QPoint(2, 2));
    }

    void mousePointers() {
        frmTeste f;
        f.Load();
        for (auto [pointer, shape] : {std::pair{vbHourglass, Qt::WaitCursor},
                                      {vbArrowHourglass, Qt::BusyCursor},
                                      {vbDefault, Qt::ArrowCursor}}) {
            f.setMousePointer(pointer);
            QCOMPARE(f.window()->cursor().shape(), shape);
        }
    }

    void setParentEmbeds() {
        QWidget host;
        host.resize(800, 600);
        auto* area = new QWidget(&host);
        area->setGeometry(0, 100, 640, 400);
        host.show();
        frmTeste f;
        const HWND child = f.hWnd();
        const HWND areaHandle = hWnd(area);
        QVERIFY(child != 0 && areaHandle != 0 && child != areaHandle);
        QCOMPARE(windowFromHandle(areaHandle), area);
        QCOMPARE(SetParent(child, areaHandle), HWND(0)); // it was a top-level window
        QVERIFY(f.isEmbedded());
        QCOMPARE(f.window()->parentWidget(), area);
        f.log.clear();
        f.Show();
        QCOMPARE(f.log, QStringList{"Resize"}); // once, and no activation inside the host
        QCOMPARE(f.ScaleWidth(), Twips(640 * 15));
        QCOMPARE(f.ScaleHeight(), Twips(400 * 15));
        QCOMPARE(f.Width(), f.ScaleWidth()); // no frame inside the host
        QCOMPARE(SetParent(child, 0x7ffffff0), HWND(0)); // unknown parent
        QCOMPARE(SetParent(areaHandle, child), HWND(0)); // a parent inside the child
        QCOMPARE(SetParent(child, 0), areaHandle);       // top-level again
        QVERIFY(!f.isEmbedded());
        QVERIFY(f.window()->isWindow());
        delete area;
        QCOMPARE(windowFromHandle(areaHandle), nullptr);
    }

    void hostDestroyingTheWorkAreaEndsTheForm() {
        auto* area = new QWidget;
        frmTeste f;
        SetParent(f.hWnd(), hWnd(area));
        f.Show();
        delete area;
        QVERIFY(!f.isLoaded());
        QVERIFY(!f.window());
        f.Show(); // loads again as a window of its own
        QVERIFY(f.Visible());
    }

    void realMessageBox_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<int>("icon");
        QTest::newRow("information") << int(vbInformation) << "OK" << int(vbOK) << "OK"
                                     << int(QMessageBox::Information);
        QTest::newRow("question, No by default") << int(vbYesNo + vbQuestion + vbDefaultButton2) << "Sim"
                                                 << int(vbYes) << "Não" << int(QMessageBox::Question);
        QTest::newRow("critical") << int(vbCritical) << "OK" << int(vbOK) << "OK"
                                  << int(QMessageBox::Critical);
    }
    void realMessageBox() {
        QFETCH(int, buttons);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QFETCH(QString, defaultText);
        QFETCH(int, icon);
        QString seenText, seenTitle, seenDefault;
        int seenIcon = -1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenDefault = box->defaultButton()->text();
            seenIcon = box->icon();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == click) b->click();
        });
        const std::int16_t got =
            QtMessageBoxes().show(MessageRequest{QStringLiteral("Linha 1\r\n\tLinha 2"), buttons, "Contas"});
        QCOMPARE(int(got), answer);
        QCOMPARE(seenText, QStringLiteral("Linha 1\n\tLinha 2"));
        QCOMPARE(seenTitle, QStringLiteral("Contas"));
        QCOMPARE(seenDefault, defaultText);
        QCOMPARE(seenIcon, icon);
    }

    // A sample form painted to a picture: the label's text is drawn in its
    // colour. QUVA_FORMS_SCREENSHOT names a file to keep the picture in.
    void sampleFormPaints() {
        Form f(QStringLiteral("frmMensagem"));
        f.Load();
        f.setBorderStyle(3);
        f.setClientSize(5100, 1455);
        f.setBackColor(vbWhite);
        auto* l = f.add<Label>(QStringLiteral("lblMensagem"));
        l->Move(405, 555, 4290, 330);
        l->setFont(QStringLiteral("Arial Narrow"), 14.25, true);
        l->setForeColor(0xD36C00);
        l->setBackStyle(0);
        l->setCaption(QStringLiteral("Aguarde, acessando o sistema"));
        auto& frame =
            static_cast<Shape&>(f.Controls().Add(QStringLiteral("VB.Shape"), QStringLiteral("lshpObj")));
        frame.setVisible(true);
        frame.Move(f.ScaleLeft(), f.ScaleTop(), f.ScaleWidth(), f.ScaleHeight());
        f.Show();
        const QImage img = f.window()->grab().toImage();
        if (const QByteArray path = qgetenv("QUVA_FORMS_SCREENSHOT"); !path.isEmpty())
            img.save(QString::fromLocal8Bit(path));
        int blue = 0;
        for (int y = 37; y < 37 + 22; ++y)
            for (int x = 27; x < 27 + 286; ++x)
                if (img.pixelColor(x, y) == QColor(0x00, 0x6C, 0xD3)) ++blue;
        QVERIFY2(blue > 100, qPrintable(QString::number(blue)));
        // The text fits in the label: nothing blue beyond it.
        QCOMPARE(img.pixelColor(330, 45), QColor(Qt::white));
        QCOMPARE(img.pixelColor(0, 50), toQColor(vbWindowText)); // the frame
    }
};

QTEST_MAIN(TstForms)
#include "tst_forms.moc"
