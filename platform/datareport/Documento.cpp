#include "datareport/Documento.h"

#include "forms/Font.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace quva::datareport {

QFont fonteDe(const FontDesign& f) {
    forms::ensureFonts();
    QFont q(forms::fontFamilyFor(QString::fromLatin1(f.family)));
    q.setPixelSize(int(std::lround(f.size * 20)));
    q.setBold(f.bold);
    q.setStyleStrategy(QFont::PreferMatch);
    // Hinting would fit glyphs to one device's pixels; pages must break alike on all.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

namespace {

// "#.##0,00" as the Brazilian locale writes the pattern that rt::Format
// reads as "#,##0.00".
QString padraoInvariante(const QString& formato) {
    QString p = formato;
    for (QChar& c : p)
        if (c == u'.')
            c = u',';
        else if (c == u',')
            c = u'.';
    return p;
}

bool ehNumeroDePagina(const QString& t) {
    return t.contains(u"%p") || t.contains(u"%P");
}

Qt::Alignment alinhamento(Align a) {
    return a == Align::Right ? Qt::AlignRight : a == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft;
}

// Lays text out in lines of largura; page numbers stay on one line and are
// never cut, whatever their box.
qreal montar(QTextLayout& l, Twips largura, Align a, bool quebrar) {
    QTextOption o(alinhamento(a));
    o.setWrapMode(quebrar ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    l.setTextOption(o);
    qreal y = 0;
    l.beginLayout();
    for (QTextLine linha = l.createLine(); linha.isValid(); linha = l.createLine()) {
        linha.setLineWidth(largura);
        linha.setPosition(QPointF(0, y));
        y += linha.height();
    }
    l.endLayout();
    return y;
}

QString comoLinhas(QString t) {
    t.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    t.replace(u'\n', QChar::LineSeparator);
    t.replace(u'\r', QChar::LineSeparator);
    return t;
}

} // namespace

Documento::Documento(const DataReport& rel) : m_rel(rel) {
    m_paisagem = rel.Orientation == 2;
    m_larguraDoPapel = m_paisagem ? kA4Altura : kA4Largura;
    m_alturaDoPapel = m_paisagem ? kA4Largura : kA4Altura;
    int ano = 0, mes = 0, dia = 0;
    rt::dateParts(rt::Today(), &ano, &mes, &dia);
    // A machine left in the C locale prints dates as the suite's users write them.
    const QLocale local = QLocale().language() == QLocale::C ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale();
    m_dataDeImpressao = local.toString(QDate(ano, mes, dia), QLocale::ShortFormat);
    ler(rel);
    paginar();
}

const Documento::Fonte& Documento::fonte(const FontDesign& f) const {
    for (const auto& [chave, fo] : m_fontes)
        if (chave.size == f.size && chave.bold == f.bold && qstrcmp(chave.family, f.family) == 0) return *fo;
    const QFont q = fonteDe(f);
    auto fo = std::make_unique<Fonte>(Fonte{q, QFontMetricsF(q), {}});
    for (int c = 0; c < 256; ++c) fo->avanco[std::size_t(c)] = float(fo->metricas.horizontalAdvance(QChar(c)));
    m_fontes.emplace_back(f, std::move(fo));
    return *m_fontes.back().second;
}

bool Documento::Fonte::cabe(const QString& t, Twips largura) const {
    if (t.size() * metricas.maxWidth() <= largura) return true;
    // Summing cached advances is far cheaper than shaping, and kerning only narrows.
    float soma = 0;
    for (QChar ch : t) {
        if (ch.unicode() > 255) return metricas.horizontalAdvance(t) <= largura;
        soma += avanco[ch.unicode()];
    }
    return soma <= largura || metricas.horizontalAdvance(t) <= largura;
}

const Section* Documento::secao(SectionKind k) const {
    for (const auto& s : m_rel.sections())
        if (s->Kind() == k) return s.get();
    return nullptr;
}

void Documento::ler(const DataReport& rel) {
    for (const auto& s : rel.sections())
        for (const auto& c : s->controls())
            if (c->Kind() == ControlKind::TextBox && !c->DataField().isEmpty()) m_ligados.push_back(c.get());
    const std::shared_ptr<ado::Recordset>& rs = rel.DataSource();
    if (!rs || rs->State() != ado::adStateOpen) return;

    std::vector<int> campos;
    std::vector<QString> padroes;
    for (const RptControl* c : m_ligados) {
        const int i = [&] {
            try {
                return rs->fieldIndex(c->DataField());
            } catch (const rt::RuntimeError&) {
                rt::raise(rt::err::ReportDataFieldNotFound);
            }
        }();
        campos.push_back(i);
        padroes.push_back(c->DataFormat().isEmpty() ? QString() : padraoInvariante(c->DataFormat()));
    }
    // One pass from the first record: what is read here is what every page,
    // the page count and the preview show, whatever others write meanwhile.
    const std::int32_t n = rs->RecordCount();
    if (n == 0 || (rs->BOF() && rs->EOF_() && n < 0)) return;
    if (n > 0) m_valores.reserve(std::size_t(n) * campos.size());
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        for (std::size_t k = 0; k < campos.size(); ++k) {
            // Fixed-length fields come padded; the blanks must not wrap or grow a box.
            QString t = rt::RTrim(rt::Format(rs->valueAt(campos[k]), padroes[k]));
            m_valores.push_back(std::move(t));
        }
        ++m_linhas;
    }
}

QString Documento::texto(const RptControl& c, std::size_t linha, int pagina) const {
    if (c.Kind() == ControlKind::TextBox && !c.DataField().isEmpty()) {
        if (m_linhas == 0) return {};
        const auto k = std::size_t(std::find(m_ligados.begin(), m_ligados.end(), &c) - m_ligados.begin());
        return m_valores[std::min(linha, m_linhas - 1) * m_ligados.size() + k];
    }
    QString t = c.Caption();
    if (!t.contains(u'%')) return t;
    t.replace(QStringLiteral("%d"), m_dataDeImpressao);
    t.replace(QStringLiteral("%p"), QString::number(pagina + 1));
    t.replace(QStringLiteral("%P"), QString::number(m_paginas.size()));
    return t;
}

Twips Documento::dispor(const Section& s, std::size_t linha, int pagina, std::vector<Caixa>* caixas) const {
    const auto& cs = s.controls();
    std::vector<Twips> cresce(cs.size(), 0);
    bool algumCresce = false;
    for (std::size_t i = 0; i < cs.size(); ++i) {
        const RptControl& c = *cs[i];
        if (!c.CanGrow || c.Kind() == ControlKind::Line) continue;
        const QString t = texto(c, linha, pagina);
        if (t.isEmpty()) continue;
        const Fonte& fo = fonte(c.Font);
        const QFont& f = fo.font;
        const QFontMetricsF& fm = fo.metricas;
        // Only a text wider than its box can need more lines.
        if (!t.contains(u'\n') && !t.contains(u'\r') && fo.cabe(t, c.Width) && fm.height() <= c.Height)
            continue;
        QTextLayout l(comoLinhas(t), f);
        const Twips h = Twips(std::ceil(montar(l, c.Width, c.Alignment, true)));
        cresce[i] = std::max(0, h - c.Height);
        algumCresce = algumCresce || cresce[i] > 0;
    }
    if (caixas) {
        caixas->clear();
        for (const auto& c : cs) caixas->push_back({c->Top, c->Height});
    }
    if (!algumCresce) return s.Height;

    // A grown box pushes down everything that stood wholly below it.
    std::vector<std::size_t> ordem(cs.size());
    for (std::size_t i = 0; i < ordem.size(); ++i) ordem[i] = i;
    std::stable_sort(ordem.begin(), ordem.end(), [&](auto a, auto b) { return cs[a]->Top < cs[b]->Top; });
    std::vector<Twips> desloca(cs.size(), 0);
    Twips extra = 0;
    for (std::size_t a = 0; a < ordem.size(); ++a) {
        const std::size_t i = ordem[a];
        for (std::size_t b = 0; b < a; ++b) {
            const std::size_t j = ordem[b];
            if (cs[j]->Top + cs[j]->Height <= cs[i]->Top)
                desloca[i] = std::max(desloca[i], desloca[j] + cresce[j]);
        }
        extra = std::max(extra, desloca[i] + cresce[i]);
        if (caixas) (*caixas)[i] = {cs[i]->Top + desloca[i], cs[i]->Height + cresce[i]};
    }
    return s.Height + extra;
}

void Documento::paginar() {
    const Section* cabRel = secao(SectionKind::ReportHeader);
    const Section* cab = secao(SectionKind::PageHeader);
    const Section* det = secao(SectionKind::Detail);
    const Section* rod = secao(SectionKind::PageFooter);
    const Section* rodRel = secao(SectionKind::ReportFooter);
    // Page numbers never change a height, so the count is not needed yet.
    const Twips hCab = cab ? dispor(*cab, 0, 0, nullptr) : 0;
    const Twips hRod = rod ? dispor(*rod, 0, 0, nullptr) : 0;
    const Twips topo = m_rel.TopMargin;
    const Twips limite = m_alturaDoPapel - m_rel.BottomMargin - hRod;

    bool cresce = false;
    if (det)
        for (const auto& c : det->controls()) cresce = cresce || c->CanGrow;
    if (det && cresce) {
        m_alturaDaLinha.resize(m_linhas);
        for (std::size_t i = 0; i < m_linhas; ++i) m_alturaDaLinha[i] = dispor(*det, i, 0, nullptr);
    }

    Pagina pg;
    pg.cabecalhoDoRelatorio = cabRel != nullptr;
    Twips y = topo + (cabRel ? dispor(*cabRel, 0, 0, nullptr) : 0) + hCab;
    auto novaPagina = [&](std::size_t primeira) {
        m_paginas.push_back(pg);
        pg = Pagina{};
        pg.primeira = pg.fim = primeira;
        y = topo + hCab;
    };
    if (det)
        for (std::size_t i = 0; i < m_linhas; ++i) {
            const Twips h = m_alturaDaLinha.empty() ? det->Height : m_alturaDaLinha[i];
            if (y + h > limite && pg.fim > pg.primeira) novaPagina(i);
            y += h;
            pg.fim = i + 1;
        }
    if (rodRel) {
        const Twips h = dispor(*rodRel, 0, 0, nullptr);
        if (y + h > limite && (pg.fim > pg.primeira || pg.cabecalhoDoRelatorio)) novaPagina(m_linhas);
        pg.rodapeDoRelatorio = true;
    }
    m_paginas.push_back(pg);
}

Twips Documento::desenharSecao(QPainter& p, const Section& s, Twips y, std::size_t linha, int pagina) const {
    std::vector<Caixa> caixas;
    const Twips altura = dispor(s, linha, pagina, &caixas);
    const Twips x0 = m_rel.LeftMargin;
    const auto& cs = s.controls();
    for (std::size_t i = 0; i < cs.size(); ++i) {
        const RptControl& c = *cs[i];
        const Caixa& cx = caixas[i];
        if (c.Kind() == ControlKind::Line) {
            p.setPen(QPen(Qt::black, 15));
            p.drawLine(QPointF(x0 + c.Left, y + cx.topo), QPointF(x0 + c.Left + c.Width, y + cx.topo + cx.altura));
            continue;
        }
        const QString t = texto(c, linha, pagina);
        if (t.isEmpty()) continue;
        const Fonte& fo = fonte(c.Font);
        // A caption in a one-line box (a page number, a title, a name put in
        // by the filling code) keeps to its line rather than lose its end.
        const bool umaLinha = c.Kind() == ControlKind::Label && !c.CanGrow &&
                              (ehNumeroDePagina(c.Caption()) || c.Height < 2 * fo.metricas.height());
        p.setPen(Qt::black);
        // Most texts fit their line: drawn straight, as a plain text call would.
        const bool umaSoLinha = !t.contains(u'\n') && !t.contains(u'\r');
        if (umaSoLinha && (umaLinha || fo.cabe(t, c.Width))) {
            const qreal largura = c.Alignment == Align::Left ? 0 : fo.metricas.horizontalAdvance(t);
            const qreal folga = c.Alignment == Align::Right    ? c.Width - largura
                                : c.Alignment == Align::Center ? (c.Width - largura) / 2
                                                               : 0;
            p.setFont(fo.font);
            p.drawText(QPointF(x0 + c.Left + folga, y + cx.topo + fo.metricas.ascent()), t);
            continue;
        }
        QTextLayout l(comoLinhas(t), fo.font);
        montar(l, c.Width, c.Alignment, !umaLinha);
        // A box that cannot grow shows the whole lines that fit, at least one.
        for (int k = 0; k < l.lineCount(); ++k) {
            const QTextLine ln = l.lineAt(k);
            if (k > 0 && !c.CanGrow && ln.y() + ln.height() > cx.altura + 1) break;
            ln.draw(&p, QPointF(x0 + c.Left, y + cx.topo));
        }
    }
    return altura;
}

void Documento::drawPage(QPainter& p, int pagina) const {
    if (pagina < 0 || std::size_t(pagina) >= m_paginas.size()) return;
    const Pagina& pg = m_paginas[std::size_t(pagina)];
    Twips y = m_rel.TopMargin;
    const std::size_t linhaDoTopo = pg.primeira < m_linhas ? pg.primeira : (m_linhas ? m_linhas - 1 : 0);
    if (pg.cabecalhoDoRelatorio)
        if (const Section* s = secao(SectionKind::ReportHeader)) y += desenharSecao(p, *s, y, 0, pagina);
    if (const Section* s = secao(SectionKind::PageHeader)) y += desenharSecao(p, *s, y, linhaDoTopo, pagina);
    if (const Section* s = secao(SectionKind::Detail))
        for (std::size_t i = pg.primeira; i < pg.fim; ++i) y += desenharSecao(p, *s, y, i, pagina);
    if (pg.rodapeDoRelatorio)
        if (const Section* s = secao(SectionKind::ReportFooter)) desenharSecao(p, *s, y, linhaDoTopo, pagina);
    if (const Section* s = secao(SectionKind::PageFooter)) {
        const Twips h = dispor(*s, linhaDoTopo, pagina, nullptr);
        desenharSecao(p, *s, m_alturaDoPapel - m_rel.BottomMargin - h, linhaDoTopo, pagina);
    }
}

} // namespace quva::datareport
