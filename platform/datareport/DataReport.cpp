#include "datareport/DataReport.h"

#include "datareport/Documento.h"
#include "datareport/Visualizacao.h"
#include "runtime/Errors.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace quva::datareport {

RptControl::RptControl(const ControlDesign& s)
    : Left(s.left), Top(s.top), Width(s.width), Height(s.height), Font(s.font), Alignment(s.align),
      CanGrow(s.canGrow), m_name(QString::fromUtf16(s.name)), m_kind(s.kind),
      m_caption(QString::fromUtf16(s.caption)), m_dataFormat(QString::fromUtf16(s.format)) {}

Section::Section(const SectionDesign& s)
    : Height(s.height), m_name(QString::fromUtf16(s.name)), m_kind(s.kind) {
    for (const ControlDesign& c : s.controls) m_controls.push_back(std::make_unique<RptControl>(c));
}

RptControl& Section::Controls(const QString& name) {
    // Callers spell the names as designed, and may bind on every record.
    for (const auto& c : m_controls)
        if (c->Name() == name) return *c;
    for (const auto& c : m_controls)
        if (c->Name().compare(name, Qt::CaseInsensitive) == 0) return *c;
    rt::raise(rt::err::ReportControlNotFound);
}

DataReport::DataReport(const ReportDesign& desenho)
    : ReportWidth(desenho.width), LeftMargin(desenho.leftMargin), RightMargin(desenho.rightMargin),
      TopMargin(desenho.topMargin), BottomMargin(desenho.bottomMargin), Orientation(desenho.orientation), Caption(QString::fromUtf16(desenho.caption)),
      m_name(QString::fromUtf16(desenho.name)) {
    for (const SectionDesign& s : desenho.sections) m_sections.push_back(std::make_unique<Section>(s));
}

DataReport::~DataReport() = default;

Section& DataReport::Sections(const QString& name) {
    for (const auto& s : m_sections)
        if (s->Name() == name) return *s;
    for (const auto& s : m_sections)
        if (s->Name().compare(name, Qt::CaseInsensitive) == 0) return *s;
    rt::raise(rt::err::ReportSectionNotFound);
}

void DataReport::setDataSource(std::shared_ptr<ado::Recordset> rs) {
    m_dataSource = std::move(rs);
    m_documento.reset();
}

void DataReport::Refresh() {
    m_documento.reset();
    m_documento = std::make_unique<Documento>(*this);
}

const Documento& DataReport::documento() {
    if (!m_documento) Refresh();
    return *m_documento;
}

int DataReport::pageCount() {
    return int(documento().pageCount());
}

void DataReport::Show(std::int16_t) {
    struct Soltar {
        DataReport& r;
        // Whatever way the preview ends, the selection and its handle go.
        ~Soltar() {
            r.m_documento.reset();
            r.m_dataSource.reset();
        }
    };
    Soltar soltar{*this};
    if (!m_documento) Refresh();
    Visualizacao janela(*this);
    janela.exibir();
}

void DataReport::saveToPdf(const QString& file, const std::vector<int>& pages) {
    const Documento& d = documento();
    QPdfWriter w(file);
    w.setCreator(QStringLiteral("QUVA"));
    w.setTitle(Caption);
    w.setResolution(1440);
    w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                d.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    QPainter p;
    if (!p.begin(&w)) rt::raise(rt::err::PathFileAccess);
    std::vector<int> todas;
    const std::vector<int>* lista = &pages;
    if (pages.empty()) {
        for (int i = 0; i < int(d.pageCount()); ++i) todas.push_back(i);
        lista = &todas;
    }
    bool primeira = true;
    for (int pg : *lista) {
        if (!primeira) w.newPage();
        primeira = false;
        d.drawPage(p, pg);
    }
    if (!p.end()) rt::raise(rt::err::PathFileAccess);
}

QImage DataReport::renderPage(int page, double dpi) {
    const Documento& d = documento();
    const double k = dpi / 1440.0;
    QImage img(QSize(int(d.paperWidth() * k + 0.5), int(d.paperHeight() * k + 0.5)), QImage::Format_RGB32);
    img.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    img.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(k, k);
    d.drawPage(p, page);
    return img;
}

} // namespace quva::datareport
