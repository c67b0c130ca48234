#include "datareport/Visualizacao.h"

#include "datareport/DataReport.h"
#include "datareport/Documento.h"
#include "runtime/Errors.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

namespace quva::datareport {

namespace {
void (*g_aoDesenharPrimeiraPagina)() = nullptr;
}

void Visualizacao::setAoDesenharPrimeiraPagina(void (*f)()) {
    g_aoDesenharPrimeiraPagina = f;
}

// The sheet on screen: the current page drawn at the zoom on every paint.
class Visualizacao::Folha : public QWidget {
public:
    explicit Folha(Visualizacao* v) : QWidget(v), m_v(v) {}
    void redimensionar() {
        const Documento& d = m_v->m_rel.documento();
        m_escala = m_v->escala();
        setFixedSize(int(d.paperWidth() * m_escala), int(d.paperHeight() * m_escala));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(m_escala, m_escala);
        m_v->m_rel.documento().drawPage(p, m_v->m_pagina);
        p.end();
        if (!m_desenhou && g_aoDesenharPrimeiraPagina) g_aoDesenharPrimeiraPagina();
        m_desenhou = true;
    }

private:
    Visualizacao* m_v;
    double m_escala = 1;
    bool m_desenhou = false;
};

Visualizacao::Visualizacao(DataReport& rel, QWidget* parent) : QDialog(parent), m_rel(rel) {
    m_paginas = int(rel.documento().pageCount());
    setWindowTitle(rel.Caption);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(900, 700);

    auto* barra = new QToolBar(this);
    auto acao = [&](const QString& texto, auto fn) { return barra->addAction(texto, this, fn); };
    acao(QStringLiteral("|<"), [this] { irPara(0); })->setToolTip(QStringLiteral("Primeira página"));
    acao(QStringLiteral("<"), [this] { irPara(m_pagina - 1); })->setToolTip(QStringLiteral("Página anterior"));
    m_rotulo = new QLabel(barra);
    m_rotulo->setContentsMargins(8, 0, 8, 0);
    barra->addWidget(m_rotulo);
    acao(QStringLiteral(">"), [this] { irPara(m_pagina + 1); })->setToolTip(QStringLiteral("Próxima página"));
    acao(QStringLiteral(">|"), [this] { irPara(m_paginas - 1); })->setToolTip(QStringLiteral("Última página"));
    barra->addSeparator();
    m_zoomBox = new QComboBox(barra);
    m_zoomBox->addItem(QStringLiteral("Largura da página"), 0);
    for (int z : {50, 75, 100, 150, 200}) m_zoomBox->addItem(QStringLiteral("%1%").arg(z), z);
    connect(m_zoomBox, &QComboBox::activated, this, [this](int i) { setZoom(m_zoomBox->itemData(i).toInt()); });
    barra->addWidget(m_zoomBox);
    barra->addSeparator();
    acao(QStringLiteral("Imprimir..."), [this] { imprimir(); });
    acao(QStringLiteral("Salvar PDF"), [this] { salvarPdf(); });
    acao(QStringLiteral("Fechar"), [this] { reject(); });

    m_rolagem = new QScrollArea(this);
    m_rolagem->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_rolagem->setBackgroundRole(QPalette::Dark);
    m_folha = new Folha(this);
    m_rolagem->setWidget(m_folha);
    m_rolagem->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(barra);
    layout->addWidget(m_rolagem);

    auto atalho = [this](QKeySequence k, auto fn) { connect(new QShortcut(k, this), &QShortcut::activated, this, fn); };
    atalho(QKeySequence(Qt::Key_PageDown), [this] { irPara(m_pagina + 1); });
    atalho(QKeySequence(Qt::Key_PageUp), [this] { irPara(m_pagina - 1); });
    atalho(QKeySequence(Qt::Key_Home), [this] { irPara(0); });
    atalho(QKeySequence(Qt::Key_End), [this] { irPara(m_paginas - 1); });
    atalho(QKeySequence::Print, [this] { imprimir(); });
    atalho(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { salvarPdf(); });
    atualizar();
}

void Visualizacao::exibir() {
    setWindowModality(Qt::ApplicationModal);
    if (m_rel.WindowState == 2) {
        // Without a window manager the state alone sizes nothing.
        if (const QScreen* tela = screen()) setGeometry(tela->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    exec();
}

bool Visualizacao::eventFilter(QObject* o, QEvent* e) {
    // Fitting the page's width follows the window's.
    if (o == m_rolagem->viewport() && e->type() == QEvent::Resize && m_zoom == 0) m_folha->redimensionar();
    return QDialog::eventFilter(o, e);
}

double Visualizacao::escala() const {
    const Documento& d = m_rel.documento();
    if (m_zoom > 0) return m_zoom / 100.0 * logicalDpiX() / 1440.0;
    const int largura = std::max(200, m_rolagem->viewport()->width() - 24);
    return double(largura) / d.paperWidth();
}

void Visualizacao::irPara(int pagina) {
    pagina = std::clamp(pagina, 0, std::max(0, m_paginas - 1));
    if (pagina == m_pagina) return;
    m_pagina = pagina;
    m_rolagem->verticalScrollBar()->setValue(0);
    atualizar();
}

void Visualizacao::setZoom(int porcento) {
    m_zoom = std::max(0, porcento);
    const int i = m_zoomBox->findData(m_zoom);
    if (i >= 0) m_zoomBox->setCurrentIndex(i);
    atualizar();
}

void Visualizacao::atualizar() {
    m_rotulo->setText(QStringLiteral("Página %1 de %2").arg(m_pagina + 1).arg(m_paginas));
    m_folha->redimensionar();
    m_folha->update();
}

void Visualizacao::imprimir() {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setDocName(m_rel.Caption);
    impressora.setFromTo(1, m_paginas);
    QPrintDialog dialogo(&impressora, this);
    dialogo.setMinMax(1, m_paginas);
    if (dialogo.exec() != QDialog::Accepted) return;
    imprimirEm(impressora, impressora.fromPage(), impressora.toPage());
}

void Visualizacao::imprimirEm(QPrinter& impressora, int de, int ate) {
    const Documento& d = m_rel.documento();
    if (de <= 0) de = 1;
    if (ate <= 0 || ate > m_paginas) ate = m_paginas;
    // The designs need A4 (the letter fills 14,250 of its 15,138 twips), so
    // the printer's default sheet is not trusted.
    impressora.setFullPage(true);
    impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         d.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF()));
    QPainter p;
    if (!p.begin(&impressora)) {
        QMessageBox::warning(this, m_rel.Caption, QStringLiteral("Não foi possível iniciar a impressão."));
        return;
    }
    const double k = impressora.resolution() / 1440.0;
    for (int i = de; i <= ate; ++i) {
        if (i > de) impressora.newPage();
        p.save();
        p.scale(k, k);
        d.drawPage(p, i - 1);
        p.restore();
    }
    p.end();
}

void Visualizacao::salvarPdf() {
    QString arquivo = QFileDialog::getSaveFileName(
        this, QStringLiteral("Salvar PDF"), QDir::home().filePath(m_rel.Caption + QStringLiteral(".pdf")),
        QStringLiteral("Arquivos PDF (*.pdf)"));
    if (arquivo.isEmpty()) return;
    if (!arquivo.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) arquivo += QStringLiteral(".pdf");
    try {
        m_rel.saveToPdf(arquivo);
    } catch (const rt::RuntimeError&) {
        QMessageBox::warning(this, m_rel.Caption,
                             QStringLiteral("Não foi possível salvar o arquivo \"%1\".").arg(arquivo));
    }
}

} // namespace quva::datareport
