// The form shell (frame, message panel, modal entry) on forms built the way
// the component's screens build theirs, and the message form, with the
// suite's components played by the registered stand-ins and a hand-driven
// clock so the one-second pauses take no real time.

#include "component/Ambiente.h"
#include "component/Formularios.h"
#include "component/modPrincipal.h"
#include "forms/Controls.h"
#include "forms/shell/FormularioDoComponente.h"
#include "forms/shell/frmMensagem.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"
#include "support/Modal.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>

Q_DECLARE_METATYPE(quva::rt::Variant)

using namespace quva;
using namespace creceber;
using forms::Shape;
using teste::locaisExibidos;

namespace {

const QString kSO = QStringLiteral("QUVA_N_SO.clsObterVersaoDoSO");

// A form of the component as the screens write theirs.
class frmTeste : public FormularioDoComponente {
public:
    struct Opcoes {
        Variante variante = Variante::Padrao;
        bool comPainel = true;
        bool lshpObjDeProjeto = false; // a design-time control already named lshpObj
        bool numeracaoDaPesquisa = false;
    };
    explicit frmTeste(Opcoes o) : FormularioDoComponente(QStringLiteral("frmTeste"), o.variante), m_o(o) {}
    frmTeste() : frmTeste(Opcoes{}) {}

    forms::CommandButton* cmdFechar = nullptr;
    std::function<void()> aoRepintar;
    int repinturas = 0;

    std::int16_t MontarExibirFormulario(const EntradaModal& entrada) {
        ProcedimentoDoFormulario ponto(Name(), QStringLiteral("MontarExibirFormulario"));
        ponto.executar([&] { ExibirModalSobreOMenu(ponto, entrada); });
        return 0;
    }

protected:
    void CreateControls() override {
        setBorderStyle(3);
        setBackColor(forms::vbWhite);
        setClientSize(7200, 4500);
        cmdFechar = add<forms::CommandButton>(QStringLiteral("cmdFechar"));
        cmdFechar->Move(5400, 3700, 1500, 450);
        cmdFechar->setCaption(QStringLiteral("Fechar"));
        if (m_o.lshpObjDeProjeto) add<forms::Label>(QStringLiteral("lshpObj"));
        if (m_o.comPainel) CriarpicMensagem();
    }
    void Form_Load() override {
        if (!m_o.numeracaoDaPesquisa) return FormularioDoComponente::Form_Load();
        ProcedimentoDoFormulario ponto(Name(), QStringLiteral("Form_Load"));
        ponto.executar([&] {
            AdicionarMolduraDoWindows8(ponto, kCarregamentoDaPesquisa);
            ponto(6);
            cmdFechar->setToolTipText(QStringLiteral("Cancelar a pesquisa e fechar"));
        });
    }
    void Repintar() override {
        ++repinturas;
        if (aoRepintar) aoRepintar();
        FormularioDoComponente::Repintar();
    }

private:
    Opcoes m_o;
};

// The list as the shell sees it through gfrmLista: a form that counts its paints.
class ListaDeTeste : public forms::Form, public frmListaBase {
public:
    ListaDeTeste() : Form(QStringLiteral("frmLista")) {}
    std::int16_t MontarExibirFormulario(std::int32_t) override { return 0; }
    int pinturas = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++pinturas;
        return Form::eventFilter(o, e);
    }

protected:
    void CreateControls() override {
        setClientSize(3000, 2000);
        window()->installEventFilter(this);
    }
};

forms::Shape* molduraDe(forms::Form& f) {
    return dynamic_cast<Shape*>(f.Controls().find(QStringLiteral("lshpObj")));
}

} // namespace

class tst_shell : public QObject {
    Q_OBJECT

    std::unique_ptr<rt::ManualClock> m_relogio;
    int m_bombeamentos = 0;

    // Timer readings made by Pausar since the last call.
    int m_leituras = 0;
    int leiturasDoRelogio() {
        const int agora = m_relogio->timerReads();
        return agora - std::exchange(m_leituras, agora);
    }

private slots:
    void initTestCase() { teste::prepararTelas(DOUBLES_LIB); }

    void init() {
        doubles::reset();
        glngFormularioDoMenu_hWnd = 0;
        gfrmLista.reset();
        m_relogio = std::make_unique<rt::ManualClock>(rt::makeDate(2026, 4, 17));
        m_relogio->setStepPerRead(0.25);
        rt::setClock(m_relogio.get());
        m_leituras = 0;
        m_bombeamentos = 0;
        rt::setEventPump([this] {
            ++m_bombeamentos;
            QCoreApplication::processEvents();
        });
    }

    void cleanup() {
        rt::setEventPump({});
        rt::setClock(nullptr);
    }

    // The frame: only the exact name, in any letter case.
    void moldura_data() {
        QTest::addColumn<rt::Variant>("versao");
        QTest::addColumn<bool>("comMoldura");
        QTest::newRow("Windows 8") << rt::Variant(QStringLiteral("Windows 8")) << true;
        QTest::newRow("WINDOWS 8") << rt::Variant(QStringLiteral("WINDOWS 8")) << true;
        QTest::newRow("Windows 8.1") << rt::Variant(QStringLiteral("Windows 8.1")) << false;
        QTest::newRow("branco antes") << rt::Variant(QStringLiteral(" Windows 8")) << false;
        QTest::newRow("Null") << rt::Variant(rt::NullT{}) << false;
    }
    void moldura() {
        QFETCH(rt::Variant, versao);
        QFETCH(bool, comMoldura);
        doubles::setResult(kSO, QStringLiteral("ObterversaoDoSO"), versao);
        frmTeste f;
        f.Load();
        QCOMPARE(locaisExibidos(), QStringList{});
        Shape* s = molduraDe(f);
        QCOMPARE(s != nullptr, comMoldura);
        if (!s) return;
        QVERIFY(s->Visible());
        QCOMPARE(QRectF(s->Left(), s->Top(), s->Width(), s->Height()),
                 QRectF(f.ScaleLeft(), f.ScaleTop(), f.ScaleWidth(), f.ScaleHeight()));
        // Not moved again on later resizes.
        const forms::Twips largura = s->Width();
        f.Show();
        f.setWidth(f.Width() + 1500);
        QCOMPARE(s->Width(), largura);
        f.Unload();
        // A form loaded again creates it again.
        f.Load();
        QVERIFY(molduraDe(f) && molduraDe(f) != s);
    }

    void painelPadrao() {
        frmTeste f;
        f.Show();
        auto* p = f.picMensagem;
        QVERIFY(!p->Visible());

        f.ExibirOcultarpicMensagem(true);
        QVERIFY(p->Visible());
        QVERIFY(f.Enabled()); // the standard panel leaves the form usable
        // Centred on the outer size, so below the inner centre under a title bar.
        QCOMPARE(p->Top(), (f.Height() - p->Height()) / 2);
        QVERIFY(p->Top() > (f.ScaleHeight() - p->Height()) / 2);
        QCOMPARE(p->Left(), f.Width() / 2 - p->Width() / 2);
        QCOMPARE(f.window()->children().last(), p->widget()); // in front of the other controls
        QVERIFY(leiturasDoRelogio() >= 5);                    // one second at a quarter per reading
        QVERIFY(m_bombeamentos > 0);

        // Again: neither centred nor paused.
        p->Move(10, 20);
        m_bombeamentos = 0;
        f.ExibirOcultarpicMensagem(true);
        QCOMPARE(QPointF(p->Left(), p->Top()), QPointF(10, 20));
        QCOMPARE(leiturasDoRelogio(), 0);
        QCOMPARE(m_bombeamentos, 0);

        f.setMousePointer(forms::vbHourglass);
        f.ExibirOcultarpicMensagem(false);
        QVERIFY(!p->Visible());
        QCOMPARE(f.MousePointer(), forms::vbDefault);
        QCOMPARE(f.repinturas, 1);

        // Hiding a hidden panel leaves the pointer alone.
        f.setMousePointer(forms::vbHourglass);
        f.ExibirOcultarpicMensagem(false);
        QCOMPARE(f.MousePointer(), forms::vbHourglass);
        QCOMPARE(f.repinturas, 1);
        QCOMPARE(locaisExibidos(), QStringList{});
    }

    void painelDoDialogo() {
        frmTeste f({.variante = FormularioDoComponente::Variante::Dialogo});
        f.Load();
        auto* p = f.picMensagem;

        // A hidden dialog shows no panel and does not pause.
        f.ExibirOcultarpicMensagem(true);
        QVERIFY(!p->Visible());
        QVERIFY(f.Enabled());
        QCOMPARE(leiturasDoRelogio(), 0);

        f.Show();
        f.ExibirOcultarpicMensagem(true);
        QVERIFY(p->Visible());
        QVERIFY(!f.Enabled());
        QVERIFY(leiturasDoRelogio() >= 5);
        // No visibility test: a repeated show centres and pauses again.
        p->Move(10, 20);
        f.ExibirOcultarpicMensagem(true);
        QCOMPARE(p->Top(), (f.Height() - p->Height()) / 2);
        QVERIFY(leiturasDoRelogio() >= 5);

        f.ExibirOcultarpicMensagem(false);
        QVERIFY(!p->Visible());
        QVERIFY(f.Enabled());
        QCOMPARE(locaisExibidos(), QStringList{});
    }

    // The darkening brackets the modal show exactly, however the form is closed.
    void escurecimentoEnvolveOShow_data() {
        QTest::addColumn<int>("fechamento"); // 0 Hide, 1 Unload, 2 the window's close button
        QTest::newRow("ocultado") << 0;
        QTest::newRow("descarregado") << 1;
        QTest::newRow("botão fechar da janela") << 2;
    }
    void escurecimentoEnvolveOShow() {
        QFETCH(int, fechamento);
        auto lista = std::make_shared<ListaDeTeste>();
        lista->Show();
        QApplication::processEvents();
        gfrmLista = lista;

        frmTeste f;
        bool eventoPendenteProcessado = false;
        int pinturasDaListaAoRestaurar = -1;
        const int pinturasAntes = lista->pinturas;
        QStringList ordem;
        for (const QString& membro : {QStringLiteral("Aplicar"), QStringLiteral("Remover")})
            doubles::setBehaviour(teste::kFundoEscuro, membro, [&, membro](std::span<rt::Variant>) {
                ordem << membro;
                pinturasDaListaAoRestaurar = lista->pinturas;
                return rt::Variant();
            });
        QTimer::singleShot(0, [&] {
            if (f.Visible() && f.isModal()) ordem << "exibido";
            QTimer::singleShot(0, [&] { eventoPendenteProcessado = true; });
            if (fechamento == 0) f.Hide();
            if (fechamento == 1) f.Unload();
            if (fechamento == 2) f.window()->close();
        });
        // The caller's work between darkening and showing (the print dialog keeps its argument there).
        QCOMPARE(f.MontarExibirFormulario({32, 33, 34, [&] { ordem << "argumento"; }}), std::int16_t(0));
        QVERIFY(!f.Visible());
        QCOMPARE(ordem, (QStringList{"Aplicar", "argumento", "exibido", "Remover"}));
        // Before restoring: pending events processed and the list repainted.
        QVERIFY(eventoPendenteProcessado);
        QVERIFY(pinturasDaListaAoRestaurar > pinturasAntes);
        QCOMPARE(locaisExibidos(), QStringList{});
        lista->Unload();
    }

    void mensagemLarguraEExibicao_data() {
        QTest::addColumn<QString>("legenda");
        QTest::newRow("de projeto") << QString();
        QTest::newRow("mais longa") << QStringLiteral(
            "Aguarde, reorganizando dados. Isto pode levar alguns minutos.");
        QTest::newRow("curta") << QStringLiteral("Aguarde.");
    }
    void mensagemLarguraEExibicao() {
        QFETCH(QString, legenda);
        frmMensagem f;
        f.Load();
        auto* l = f.lblMensagem;
        if (legenda.isEmpty()) { // as designed
            QCOMPARE(l->Caption(), QStringLiteral("Aguarde, acessando o sistema"));
            QCOMPARE(l->FontName(), QStringLiteral("Arial"));
            QVERIFY(l->FontBold());
            QCOMPARE(l->FontSize(), 14.25);
            QCOMPARE(l->ForeColor(), forms::OleColor(0xD36C00));
            QCOMPARE(l->widget()->geometry(), QRect(27, 37, 286, 22));
            QCOMPARE(f.window()->size(), QSize(340, 97));
        } else {
            l->setCaption(legenda);
        }
        const forms::Twips rotulo = f.lblMensagem->Width();
        const double antes = rt::CDbl(rt::Variant(rt::Now()));
        QCOMPARE(f.MontarExibirFormulario(), std::int16_t(0));
        QCOMPARE(f.Width(), rotulo + 780);
        // The whole caption fits.
        const QFontMetrics fm(f.lblMensagem->widget()->font());
        QVERIFY(fm.horizontalAdvance(f.lblMensagem->Caption()) <= forms::toPixelsX(f.ScaleWidth()));
        // Modeless, and a second has passed before the caller's work.
        QVERIFY(f.Visible());
        QVERIFY(!f.isModal());
        QVERIFY((rt::CDbl(rt::Variant(rt::Now())) - antes) * 86400.0 >= 1.0);
        QCOMPARE(locaisExibidos(), QStringList{});
        f.Unload();
        QVERIFY(!f.Visible());
    }

    // Every other resize stretches the caption across the form.
    void mensagemEsticaAlternadamente() {
        frmMensagem f;
        f.Load();
        auto* l = f.lblMensagem;
        for (const forms::Twips largura : {6000.f, 6500.f, 7000.f}) {
            l->Move(100, 555, 2000);
            f.setWidth(largura);
            const bool esticado = largura != 6500.f;
            QCOMPARE(l->Left(), esticado ? 0.f : 100.f);
            QCOMPARE(l->Width(), esticado ? largura : 2000.f);
        }
        f.Unload();
    }

    // Every failure is reported once with its procedure, step and number,
    // and the form goes on: loaded without a frame (the search dialog's
    // tooltip comes only after the frame's steps), shown or not as the step
    // says.
    void falhaRelatada_data() {
        // 0 loading, 1 message panel, 2 modal entry, 3 message form, 4 dialog's panel
        QTest::addColumn<int>("alvo");
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("local");
        QTest::addColumn<int>("numero");
        QTest::newRow("criação do objeto da versão") << 0 << 0 << "frmTeste, Form_Load, Ponto: 1" << 429;
        QTest::newRow("consulta da versão") << 0 << 1 << "frmTeste, Form_Load, Ponto: 2" << 440;
        QTest::newRow("moldura") << 0 << 2 << "frmTeste, Form_Load, Ponto: 2" << 5;
        QTest::newRow("moldura, numeração da pesquisa") << 0 << 3 << "frmTeste, Form_Load, Ponto: 4" << 5;
        QTest::newRow("painel: exibir (na pausa)")
            << 1 << 0 << "frmTeste, ExibirOcultarpicMensagem, Ponto: 3" << 6;
        QTest::newRow("painel: ocultar") << 1 << 1 << "frmTeste, ExibirOcultarpicMensagem, Ponto: 4" << 7;
        QTest::newRow("painel: sem painel") << 1 << 2 << "frmTeste, ExibirOcultarpicMensagem, Ponto: 1" << 91;
        QTest::newRow("entrada: escurecer") << 2 << 0 << "frmTeste, MontarExibirFormulario, Ponto: 32" << 440;
        QTest::newRow("entrada: restaurar") << 2 << 1 << "frmTeste, MontarExibirFormulario, Ponto: 34" << 440;
        QTest::newRow("mensagem (pausa)") << 3 << 0 << "frmMensagem, MontarExibirFormulario, Ponto: 2" << 6;
        QTest::newRow("painel do diálogo: sem tratador, relata quem chamou")
            << 4 << 0 << "frmPesquisaDeClientes, PesquisarCliente, Ponto: 3" << 6;
    }
    void falhaRelatada() {
        QFETCH(int, alvo);
        QFETCH(int, caso);
        QFETCH(QString, local);
        QFETCH(int, numero);
        doubles::setResult(kSO, QStringLiteral("ObterversaoDoSO"), QStringLiteral("Windows 8"));
        if (alvo == 0 && caso == 0) doubles::setCreateFailure(kSO, true);
        if (alvo == 0 && caso == 1) doubles::setFailure(kSO, QStringLiteral("ObterversaoDoSO"), 440);
        if (alvo == 2) doubles::setFailure(teste::kFundoEscuro, caso == 0 ? "Aplicar" : "Remover", 440);
        if (alvo == 1 || alvo >= 3) rt::setEventPump([] { rt::raise(6); }); // a failure in the pause
        if (alvo == 3) {
            frmMensagem m;
            m.Load();
            QCOMPARE(m.MontarExibirFormulario(), std::int16_t(0));
            QVERIFY(m.Visible()); // shown, half-built pause
            m.Unload();
        }
        frmTeste f({.variante = alvo == 4 ? FormularioDoComponente::Variante::Dialogo
                                          : FormularioDoComponente::Variante::Padrao,
                    .comPainel = !(alvo == 1 && caso == 2),
                    .lshpObjDeProjeto = alvo == 0 && caso >= 2,
                    .numeracaoDaPesquisa = alvo == 0 && caso == 3});
        if (alvo == 2) {
            QCOMPARE(teste::mostradoDurante(f, [&] { f.MontarExibirFormulario({}); }), caso == 1);
        } else if (alvo != 3) {
            f.Show();
            QVERIFY(f.isLoaded() && f.Visible());
            QVERIFY(!molduraDe(f) || alvo != 0);
            QVERIFY(f.cmdFechar->ToolTipText().isEmpty());
        }
        if (alvo == 1) {
            if (caso == 1) f.picMensagem->setVisible(true);
            f.aoRepintar = [] { rt::raise(7); };
            f.ExibirOcultarpicMensagem(caso != 1);
        }
        if (alvo == 4) {
            bool continuou = false;
            ProcedimentoDoFormulario ponto(QStringLiteral("frmPesquisaDeClientes"),
                                           QStringLiteral("PesquisarCliente"));
            ponto.executar([&] {
                ponto(3);
                f.ExibirOcultarpicMensagem(true);
                continuou = true;
            });
            QVERIFY(!continuou);
        }
        QCOMPARE(locaisExibidos(), QStringList{QStringLiteral("QUVA_A_CReceber, ") + local});
        QCOMPARE(doubles::calls(teste::kMsgErro)[0].args[0].value.toLong(), numero);
    }
};

QTEST_MAIN(tst_shell)
#include "tst_shell.moc"
