// The suite's control library on a form: keyboard and mouse, the find box's
// Status, the combo's Click from code, the paging bar's offers, and code-set
// texts kept as given.

#include "forms/Controls.h"
#include "forms/Form.h"
#include "qz/QZ.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "support/Falhas.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

using namespace quva;
using namespace quva::forms;
using namespace quva::qz;
using teste::failureOf;

namespace {

// A form with every control of the library, laid out as a screen would be.
class frmDemo : public Form {
public:
    frmDemo() : Form(QStringLiteral("frmDemo")) {}
    QZTheme* qzTheme = nullptr;
    QZFind* qzfndPesquisar = nullptr;
    QZComboBox* qzcmbSituacao = nullptr;
    QZCommandButton* qzcmdImprimirLista = nullptr;
    QZNavigationBar* qznbBarraDeNavegacao = nullptr;
    QZFind* qzfCodigoDoCliente = nullptr;
    QZTextBox* qztxtNumeroDaVenda = nullptr;
    QZMemoBox* qzmemHistorico = nullptr;
    QZDTPicker* qzdtpVencimento = nullptr;
    QZNumberBox* qznumValor = nullptr;
    QZPeriod* qzPeriodo = nullptr;
    QZCommandButton* qzcmdSalvar = nullptr;
    QZCommandButton* qzcmdCancelar = nullptr;
    ControlArray<QZCommandButton>* qzcmdSaida = nullptr;

protected:
    void CreateControls() override {
        setClientSize(11400, 7500);
        qzTheme = add<QZTheme>(QStringLiteral("qzTheme"));
        qzTheme->Move(0, 0, 11400, 795);

        qzfndPesquisar = add<QZFind>(QStringLiteral("qzfndPesquisar"));
        qzfndPesquisar->Move(300, 1050, 4200, 390);
        qzcmbSituacao = add<QZComboBox>(QStringLiteral("qzcmbSituacao"));
        qzcmbSituacao->Move(4600, 1050, 2400, 390);
        qzcmdImprimirLista = add<QZCommandButton>(QStringLiteral("qzcmdImprimirLista"));
        qzcmdImprimirLista->Move(7100, 1050, 450, 390);
        qznbBarraDeNavegacao = add<QZNavigationBar>(QStringLiteral("qznbBarraDeNavegacao"));
        qznbBarraDeNavegacao->Move(7700, 1050, 3400, 390);

        qzfCodigoDoCliente = add<QZFind>(QStringLiteral("qzfCodigoDoCliente"));
        qzfCodigoDoCliente->Move(300, 1800, 1800, 390);
        qzfCodigoDoCliente->setStyle(qzFindCode);
        qztxtNumeroDaVenda = add<QZTextBox>(QStringLiteral("qztxtNumeroDaVenda"));
        qztxtNumeroDaVenda->Move(2200, 1800, 1800, 390);
        qzmemHistorico = add<QZMemoBox>(QStringLiteral("qzmemHistorico"));
        qzmemHistorico->Move(300, 2400, 5400, 1500);
        qzdtpVencimento = add<QZDTPicker>(QStringLiteral("qzdtpVencimento"));
        qzdtpVencimento->Move(5900, 1800, 2200, 390);
        qznumValor = add<QZNumberBox>(QStringLiteral("qznumValor"));
        qznumValor->Move(8300, 1800, 2200, 390);
        qzPeriodo = add<QZPeriod>(QStringLiteral("qzPeriodo"));
        qzPeriodo->Move(5900, 2400, 4600, 390);

        qzcmdSalvar = add<QZCommandButton>(QStringLiteral("qzcmdSalvar"));
        qzcmdSalvar->Move(8900, 6600, 1800, 450);
        qzcmdSalvar->setStyle(qzHighlight);
        qzcmdCancelar = add<QZCommandButton>(QStringLiteral("qzcmdCancelar"));
        qzcmdCancelar->Move(6900, 6600, 1800, 450);
        qzcmdSaida = addArray<QZCommandButton>(QStringLiteral("qzcmdSaida"));
        qzcmdSaida->add(0)->Move(300, 6600, 2400, 450);
        qzcmdSaida->add(1)->Move(2800, 6600, 2400, 450);
    }
};

QToolButton* innerButton(QWidget* w, const char* name) {
    auto* b = w->findChild<QToolButton*>(QString::fromLatin1(name));
    Q_ASSERT(b);
    return b;
}

} // namespace

class TstQz : public QObject {
    Q_OBJECT

    rt::ManualClock m_clock{rt::makeDate(2026, 3, 17)};
    std::unique_ptr<frmDemo> f;

    void showForm() {
        f->Show();
        f->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->window()));
    }

private slots:
    void initTestCase() { rt::setClock(&m_clock); }
    void cleanupTestCase() { rt::setClock(nullptr); }
    void init() {
        setLogicalDpiOverride(96);
        f = std::make_unique<frmDemo>();
        f->Load();
    }
    void cleanup() {
        f.reset();
        setLogicalDpiOverride(0);
    }

    // Find box.

    void findStatusFollowsTheUsersActions() {
        showForm();
        auto* find = f->qzfndPesquisar;
        QList<std::pair<std::int32_t, QString>> clicks;
        find->onClick = [&] { clicks.append({find->Status(), find->Text()}); };
        QCOMPARE(find->Status(), qzFindNone);

        QTest::keyClicks(find->editor(), QStringLiteral("Silva"));
        QTest::keyClick(find->editor(), Qt::Key_Return);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.last(), std::make_pair(qzFindSearch, QStringLiteral("Silva")));
        QCOMPARE(find->SearchedText(), QStringLiteral("Silva"));
        // Kept until the next action, also across focus changes.
        f->qzcmbSituacao->SetFocus();
        QCOMPARE(find->Status(), qzFindSearch);

        auto* clear = innerButton(find->widget(), "limpar");
        QVERIFY(clear->isVisible());
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(clicks.last(), std::make_pair(qzFindClear, QString()));
        QVERIFY(find->SearchedText().isEmpty());
        QVERIFY(!clear->isVisible());

        QTest::keyClicks(find->editor(), QStringLiteral("12"));
        QTest::mouseClick(innerButton(find->widget(), "pesquisar"), Qt::LeftButton);
        QCOMPARE(clicks.last(), std::make_pair(qzFindSearch, QStringLiteral("12")));
        QTest::keyClick(find->editor(), Qt::Key_Escape);
        QCOMPARE(clicks.size(), 4);
        QCOMPARE(clicks.last(), std::make_pair(qzFindClear, QString()));
        // Nothing left to clear: Escape is not a new action.
        QTest::keyClick(find->editor(), Qt::Key_Escape);
        QCOMPARE(clicks.size(), 4);

        // A hidden box ignores a request to select its text instead of failing.
        f->Hide();
        find->invokeById(kDispSelectText, rt::CallKind::Method);
    }

    void findRaisesKeyDownAndKeepsDisabledBoxesQuiet() {
        showForm();
        auto* find = f->qzfCodigoDoCliente;
        QList<std::int16_t> keys;
        find->onKeyDown = [&](std::int16_t& code, std::int16_t) { keys.append(code); };
        int clicks = 0;
        find->onClick = [&] { ++clicks; };
        find->SetFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4a2"));
        QCOMPARE(keys.size(), 3);
        // The code style takes digits only.
        QCOMPARE(find->Text(), QStringLiteral("42"));
        find->setEnabled(false);
        find->requestSearch();
        QTest::keyClick(find->editor(), Qt::Key_Return);
        QCOMPARE(clicks, 0);
        QCOMPARE(failureOf([&] { find->setStyle(3); }), rt::err::InvalidPropertyValue);
    }

    // Combo box.

    // A Click for every choice, from code (the same one again too) or by the
    // keyboard; none for clearing the choice.
    void comboRaisesClickForEveryChoice() {
        showForm();
        auto* cmb = f->qzcmbSituacao;
        for (const char* t : {"Todas as situações", "A vencer", "Vencida", "Baixada", "Recentes"})
            cmb->AddItem(QString::fromUtf8(t));
        QList<std::int32_t> clicks;
        cmb->onClick = [&] { clicks.append(cmb->ListIndex()); };
        cmb->setListIndex(0);
        cmb->setListIndex(0);
        cmb->SetFocus();
        QTest::keyClick(cmb->editor(), Qt::Key_Down);
        QCOMPARE(cmb->Text(), QStringLiteral("A vencer"));
        cmb->setListIndex(-1);
        QCOMPARE(clicks, (QList<std::int32_t>{0, 0, 1}));
        QCOMPARE(cmb->Text(), QString());
        QCOMPARE(failureOf([&] { cmb->setListIndex(5); }), rt::err::InvalidPropertyValue);
        QCOMPARE(failureOf([&] { cmb->ItemData(7); }), 381);

        // Opened on its last item, the list still shows every item from the first.
        cmb->setListIndex(4);
        cmb->editor()->showPopup();
        QAbstractItemView* view = cmb->editor()->view();
        QTRY_VERIFY(view->isVisible());
        for (int i = 0; i < 5; ++i)
            QVERIFY2(view->viewport()->rect().contains(view->visualRect(view->model()->index(i, 0))),
                     qPrintable(cmb->List(i)));
        cmb->editor()->hidePopup();
    }

    // Navigation bar.

    void navigationBarShowsAndOffers_data() {
        QTest::addColumn<double>("primeiro");
        QTest::addColumn<double>("ultimo");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("offered"); // first, previous, next, last as 1/0
        const struct {
            const char* name;
            double primeiro, ultimo, total;
            const char *caption, *offered;
        } rows[]{{"first page", 1, 10, 45, "1 - 10 de 45", "0011"},
                 {"middle page", 11, 20, 45, "11 - 20 de 45", "1111"},
                 {"last page", 41, 45, 45, "41 - 45 de 45", "1100"},
                 {"single page", 1, 7, 7, "1 - 7 de 7", "0000"},
                 {"thousands", 1221, 1234, 1234, "1.221 - 1.234 de 1.234", "1100"},
                 {"nothing found", 1, 0, 0, "Nenhum registro", "0000"}};
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.primeiro << r.ultimo << r.total << QString::fromUtf8(r.caption)
                                  << QString::fromLatin1(r.offered);
    }
    void navigationBarShowsAndOffers() {
        QFETCH(double, primeiro);
        QFETCH(double, ultimo);
        QFETCH(double, total);
        QFETCH(QString, caption);
        QFETCH(QString, offered);
        auto* nb = f->qznbBarraDeNavegacao;
        nb->setPrimeiroRegistro(primeiro);
        nb->setUltimoRegistro(ultimo);
        nb->setTotalDeRegistros(total);
        nb->setRegistrosPorPagina(10);
        nb->Atualizar();
        QCOMPARE(nb->caption(), caption);
        QString got;
        for (std::int32_t b = qzPrimeiro; b <= qzUltimo; ++b)
            got += nb->isOffered(b) ? u'1' : u'0';
        QCOMPARE(got, offered);
    }

    // Six-digit ordinals in the list's bar width: the whole text, not one cut at both ends.
    void navigationBarShowsLongOrdinalsWhole() {
        showForm();
        auto* nb = f->qznbBarraDeNavegacao;
        nb->setPrimeiroRegistro(181357);
        nb->setUltimoRegistro(181365);
        nb->setTotalDeRegistros(181365);
        nb->setRegistrosPorPagina(9);
        nb->Atualizar();
        QApplication::processEvents();
        auto* rotulo = nb->widget()->findChild<QLabel*>();
        const QImage img = nb->widget()->grab(rotulo->geometry()).toImage();
        for (int x : {0, img.width() - 1})
            for (int y = 0; y < img.height(); ++y)
                QVERIFY2(img.pixelColor(x, y).lightness() > 200, qPrintable(QString::number(x)));
        QCOMPARE(nb->caption(), QStringLiteral("181.357 - 181.365 de 181.365"));
    }

    void navigationBarRaisesClickWithTheButton() {
        showForm();
        auto* nb = f->qznbBarraDeNavegacao;
        QList<std::int32_t> pressed;
        nb->onClick = [&](std::int32_t b) { pressed.append(b); };
        nb->setPrimeiroRegistro(11);
        nb->setUltimoRegistro(20);
        nb->setTotalDeRegistros(45);
        nb->setRegistrosPorPagina(10);
        // Nothing shows before Atualizar.
        QVERIFY(!nb->isOffered(qzProximo));
        nb->Atualizar();
        for (const char* name : {"primeiro", "anterior", "proximo", "ultimo"})
            QTest::mouseClick(innerButton(nb->widget(), name), Qt::LeftButton);
        QCOMPARE(pressed, (QList<std::int32_t>{1, 2, 3, 4}));

        pressed.clear();
        nb->SetFocus();
        QCOMPARE(QApplication::focusWidget(), nb->widget());
        for (auto k :
             {Qt::Key_Home, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Left, Qt::Key_Right})
            QTest::keyClick(nb->widget(), k);
        QCOMPARE(pressed, (QList<std::int32_t>{1, 2, 3, 4, 2, 3}));

        // On the last page next and last do nothing, by mouse or keyboard.
        pressed.clear();
        nb->setPrimeiroRegistro(41);
        nb->setUltimoRegistro(45);
        nb->Atualizar();
        QTest::mouseClick(innerButton(nb->widget(), "proximo"), Qt::LeftButton);
        QTest::keyClick(nb->widget(), Qt::Key_End);
        nb->press(qzUltimo);
        QVERIFY(pressed.isEmpty());
        QCOMPARE(nb->widget()->findChild<QToolButton*>(QStringLiteral("ultimo"))->isEnabled(), false);
    }

    // Number and date boxes.

    void codeSetTextsAreReadBackUnchanged_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0,00";
        QTest::newRow("empty date") << "__/__/____";
        QTest::newRow("date") << "04/12/2026";
        QTest::newRow("impossible date") << "31/02/2020";
        QTest::newRow("not a number") << "abc";
        QTest::newRow("unformatted") << "1234,5";
        QTest::newRow("long") << QString(300, u'9');
    }
    void codeSetTextsAreReadBackUnchanged() {
        QFETCH(QString, text);
        f->qznumValor->setMaxLength(10);
        f->qztxtNumeroDaVenda->setMaxLength(5);
        for (QZLineBox* box :
             std::initializer_list<QZLineBox*>{f->qznumValor, f->qzdtpVencimento, f->qztxtNumeroDaVenda}) {
            int changes = 0;
            box->onChange = [&] { ++changes; };
            box->setText(text);
            QCOMPARE(box->Text(), text);
            QCOMPARE(changes, 1);
        }
        f->qzPeriodo->setDataFinal(text);
        QCOMPARE(f->qzPeriodo->DataFinal(), text);
    }

    void newBoxesStartEmptyTheirWay() {
        QCOMPARE(f->qzdtpVencimento->Text(), QStringLiteral("__/__/____"));
        QCOMPARE(f->qznumValor->Text(), QStringLiteral("0,00"));
        QCOMPARE(f->qztxtNumeroDaVenda->Text(), QString());
        QCOMPARE(f->qzPeriodo->DataInicial(), QStringLiteral("01/03/2026"));
        QCOMPARE(f->qzPeriodo->DataFinal(), QStringLiteral("17/03/2026"));
    }

    void dateTypingFillsTheBlanks_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys"); // '<' is Backspace
        QTest::addColumn<QString>("result");
        const char* rows[][4]{{"whole date", "__/__/____", "17032026", "17/03/2026"},
                              {"letters ignored", "__/__/____", "1a7b", "17/__/____"},
                              {"backspace over slash", "__/__/____", "170<", "17/__/____"},
                              {"slash jumps", "__/__/____", "5/3/", "5_/3_/____"},
                              {"too many digits", "__/__/____", "1703202699", "17/03/2026"},
                              {"over a code text", "abc", "01", "01/__/____"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[1]) << QString::fromLatin1(r[2])
                                << QString::fromLatin1(r[3]);
    }
    void dateTypingFillsTheBlanks() {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, result);
        showForm();
        auto* dtp = f->qzdtpVencimento;
        dtp->setText(start);
        dtp->SetFocus();
        QLineEdit* e = dtp->editor();
        e->setCursorPosition(0);
        e->deselect();
        for (QChar c : keys) {
            if (c == u'<')
                QTest::keyClick(e, Qt::Key_Backspace);
            else
                QTest::keyClick(e, c.toLatin1());
        }
        QCOMPARE(dtp->Text(), result);
    }

    void dateCalendarByKeyboard() {
        showForm();
        auto* dtp = f->qzdtpVencimento;
        dtp->setText(QStringLiteral("10/05/2026"));
        dtp->SetFocus();
        QTest::keyClick(dtp->editor(), Qt::Key_F4);
        auto* cal = dtp->editor()->findChild<QCalendarWidget*>();
        QVERIFY(cal);
        QTRY_VERIFY(cal->isVisible());
        QCOMPARE(cal->selectedDate(), QDate(2026, 5, 10));
        emit cal->activated(QDate(2026, 5, 11));
        QCOMPARE(dtp->Text(), QStringLiteral("11/05/2026"));
    }

    // keys: '#' is the keypad's decimal key; "paste:" pastes the rest over "0,00".
    void moneyTyping_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterLeaving");
        const char* rows[][4]{
            {"whole", "1234", "1234", "1.234,00"},
            {"decimals", "1234,5", "1234,5", "1.234,50"},
            {"point groups thousands", "1.000,50", "1.000,50", "1.000,50"},
            {"keypad decimal types a comma", "1000#5", "1000,5", "1.000,50"},
            {"third decimal refused", "1,999", "1,99", "1,99"},
            {"letters refused", "1x2", "12", "12,00"},
            {"second comma refused", "1,2,3", "1,23", "1,23"},
            {"minus at the start", "-5-", "-5", "-5,00"},
            {"one cent", "0,01", "0,01", "0,01"},
            {"no more whole digits than the currency", "12345678901234567890", "123456789012345",
             "123.456.789.012.345,00"},
            {"largest amount", "922337203685477,589", "922337203685477,58", "922.337.203.685.477,58"},
            {"above the largest amount", "922337203685478", "92233720368547", "92.233.720.368.547,00"},
            {"pasted decimals follow the typing rules", "paste:12,345", "12,34", "12,34"},
            {"pasted symbol and letters left out", "paste:R$ 1.234,56", "1.234,56", "1.234,56"},
            {"pasted digits stop at the currency", "paste:99999999999999999999", "99999999999999",
             "99.999.999.999.999,00"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[1]) << QString::fromLatin1(r[2])
                                << QString::fromLatin1(r[3]);
    }
    void moneyTyping() {
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, afterLeaving);
        showForm();
        auto* num = f->qznumValor;
        int lost = 0;
        num->onLostFocus = [&] { ++lost; };
        num->SetFocus();
        QTRY_COMPARE(num->editor()->selectedText(), QStringLiteral("0,00"));
        if (keys.startsWith(QLatin1String("paste:"))) {
            QGuiApplication::clipboard()->setText(keys.mid(6));
            QTest::keyClick(num->editor(), Qt::Key_V, Qt::ControlModifier);
        }
        for (QChar c : keys.startsWith(QLatin1String("paste:")) ? QString() : keys) {
            if (c == u'#')
                QTest::keyClick(num->editor(), Qt::Key_Period, Qt::KeypadModifier);
            else
                QTest::keyClick(num->editor(), c.toLatin1());
        }
        QCOMPARE(num->Text(), typed);
        f->qztxtNumeroDaVenda->SetFocus();
        QCOMPARE(lost, 1);
        QCOMPARE(num->Text(), afterLeaving);
    }

    void memoKeepsLinesAndLetsTabMoveOn() {
        showForm();
        auto* mem = f->qzmemHistorico;
        const QString text = QStringLiteral("Primeira linha\r\nSegunda linha");
        mem->setText(text);
        QCOMPARE(mem->Text(), text);
        QCOMPARE(mem->editor()->blockCount(), 2);
        mem->SetFocus();
        mem->editor()->moveCursor(QTextCursor::End);
        QTest::keyClick(mem->editor(), Qt::Key_Return);
        QTest::keyClicks(mem->editor(), QStringLiteral("Terceira"));
        QCOMPARE(mem->Text(), text + QStringLiteral("\r\nTerceira"));
        QTest::keyClick(mem->editor(), Qt::Key_Tab);
        QVERIFY(!mem->editor()->hasFocus());
        QVERIFY(!mem->Text().contains(u'\t'));
        mem->setMaxLength(5);
        mem->setText(QString());
        mem->SetFocus();
        QTest::keyClicks(mem->editor(), QStringLiteral("abcdefgh"));
        QCOMPARE(mem->Text(), QStringLiteral("abcde"));
    }

    // Period.

    void periodMembers() {
        showForm();
        auto* per = f->qzPeriodo;
        per->setEnabled(false);
        QVERIFY(!per->inicio().editor()->isEnabled());
        QVERIFY(!per->fim().editor()->isEnabled());
        QCOMPARE(failureOf([&] { per->SetFocus(); }), rt::err::InvalidCall);
        per->setEnabled(true);
        per->SetFocus();
        QCOMPARE(QApplication::focusWidget(), per->inicio().editor());
    }

    // Command button.

    void buttonClickedByMouseAndKeyboard() {
        showForm();
        int clicks = 0;
        f->qzcmdSalvar->onClick = [&] { ++clicks; };
        QTest::mouseClick(f->qzcmdSalvar->widget(), Qt::LeftButton);
        f->qzcmdSalvar->SetFocus();
        QTest::keyClick(f->qzcmdSalvar->widget(), Qt::Key_Space);
        QTest::keyClick(f->qzcmdSalvar->widget(), Qt::Key_Return);
        QTRY_COMPARE(clicks, 3);
        f->qzcmdSalvar->setEnabled(false);
        QTest::mouseClick(f->qzcmdSalvar->widget(), Qt::LeftButton);
        f->qzcmdSalvar->setValue(true);
        QCOMPARE(clicks, 3);
    }

    void buttonSettingsRefusedOrEmptied() {
        auto* b = f->qzcmdCancelar;
        QCOMPARE(failureOf([&] { b->setStyle(7); }), rt::err::InvalidPropertyValue);
        QCOMPARE(failureOf([&] { b->setPicture(QStringLiteral("/nao/existe.png")); }), rt::err::FileNotFound);
        // No picture at all is a setting, not a missing file.
        b->setPicture(QString());
        QCOMPARE(b->Picture(), QString());
    }

    // Keyboard: Tab walks the controls in their order; every stop shows its focus.

    void tabOrderVisitsEveryControl() {
        showForm();
        f->qzfndPesquisar->SetFocus();
        const QList<QWidget*> expected{f->qzcmbSituacao->widget(),        f->qzcmdImprimirLista->widget(),
                                       f->qznbBarraDeNavegacao->widget(), f->qzfCodigoDoCliente->editor(),
                                       f->qztxtNumeroDaVenda->widget(),   f->qzmemHistorico->widget(),
                                       f->qzdtpVencimento->widget(),      f->qznumValor->widget(),
                                       f->qzPeriodo->inicio().widget(),   f->qzPeriodo->fim().widget(),
                                       f->qzcmdSalvar->widget(),          f->qzcmdCancelar->widget(),
                                       (*f->qzcmdSaida)(0).widget(),      (*f->qzcmdSaida)(1).widget(),
                                       f->qzfndPesquisar->editor()};
        for (QWidget* w : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), (*f->qzcmdSaida)(1).widget());
    }

    void focusIsVisible() {
        showForm();
        // A focused button paints differently from the same button without focus.
        QWidget* b = f->qzcmdCancelar->widget();
        f->qzcmdSalvar->SetFocus();
        const QImage before = b->grab().toImage();
        f->qzcmdCancelar->SetFocus();
        const QImage after = b->grab().toImage();
        QVERIFY(before != after);
        QWidget* bar = f->qznbBarraDeNavegacao->widget();
        const QImage barBefore = bar->grab().toImage();
        f->qznbBarraDeNavegacao->SetFocus();
        QVERIFY(bar->grab().toImage() != barBefore);
    }

};

QTEST_MAIN(TstQz)
#include "tst_qz.moc"
