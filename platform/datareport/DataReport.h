#pragma once
// The banded report runtime: a report design (sections of labels, text boxes
// and lines, in twips) over one recordset, laid out on A4 and drawn by one
// renderer for the preview window, the printer and PDF files, so the three
// agree page for page. The filling code reaches it by the classic names:
//
//     rel.setDataSource(rs);
//     rel.Sections(u"Dados").Controls(u"txtValor").setDataField(u"txtValor");
//     rel.setWindowState(2);
//     rel.Show(vbModal);

#include "ado/Recordset.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

namespace quva::datareport {

using Twips = std::int32_t;

enum class SectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };
enum class ControlKind { Label, TextBox, Line };
enum class Align { Left, Right, Center };

struct FontDesign {
    const char* family = "Arial";
    double size = 8.25;
    bool bold = false;
};
inline constexpr FontDesign kFontePadrao{};

// A design as written at design time; reports/ holds one per report.
struct ControlDesign {
    const char16_t* name;
    ControlKind kind;
    const char16_t* caption;
    Twips left, top, width, height;
    FontDesign font;
    Align align;
    bool canGrow;
    const char16_t* format = u"";
};
struct SectionDesign {
    const char16_t* name;
    SectionKind kind;
    Twips height;
    std::vector<ControlDesign> controls;
};
struct ReportDesign {
    const char16_t* name;
    Twips width;
    Twips leftMargin, rightMargin, topMargin, bottomMargin;
    const char16_t* caption;
    std::vector<SectionDesign> sections;
    std::int16_t orientation = 1; // 2: landscape
};

class RptControl {
public:
    explicit RptControl(const ControlDesign& s);
    const QString& Name() const { return m_name; }
    ControlKind Kind() const { return m_kind; }
    // A label's text (the codes %d, %p and %P are replaced when drawn).
    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& v) { m_caption = v; }
    // A text box's field of the data source, looked up when the report is read.
    const QString& DataField() const { return m_dataField; }
    void setDataField(const QString& v) { m_dataField = v; }
    const QString& DataFormat() const { return m_dataFormat; }
    void setDataFormat(const QString& v) { m_dataFormat = v; }

    Twips Left, Top, Width, Height;
    FontDesign Font;
    Align Alignment;
    bool CanGrow;

private:
    QString m_name;
    ControlKind m_kind;
    QString m_caption;
    QString m_dataField;
    QString m_dataFormat;
};

class Section {
public:
    explicit Section(const SectionDesign& s);
    const QString& Name() const { return m_name; }
    SectionKind Kind() const { return m_kind; }
    // 8503 for a name the section lacks.
    RptControl& Controls(const QString& name);
    const std::vector<std::unique_ptr<RptControl>>& controls() const { return m_controls; }

    Twips Height;

private:
    QString m_name;
    SectionKind m_kind;
    std::vector<std::unique_ptr<RptControl>> m_controls;
};

class Documento;

class DataReport {
public:
    explicit DataReport(const ReportDesign& desenho);
    ~DataReport();
    DataReport(const DataReport&) = delete;
    DataReport& operator=(const DataReport&) = delete;

    const QString& Name() const { return m_name; }
    // 8502 for a name the report lacks.
    Section& Sections(const QString& name);
    const std::vector<std::unique_ptr<Section>>& sections() const { return m_sections; }

    const std::shared_ptr<ado::Recordset>& DataSource() const { return m_dataSource; }
    void setDataSource(std::shared_ptr<ado::Recordset> rs);
    const QString& DataMember() const { return m_dataMember; }
    void setDataMember(const QString& v) { m_dataMember = v; }

    Twips ReportWidth = 0;
    Twips LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
    // 1 portrait, 2 landscape.
    std::int16_t Orientation = 1;
    QString Caption;
    // 0 normal, 2 maximised.
    std::int16_t WindowState = 0;

    // Reads the data source again (from its first record) and lays it out.
    // A text box bound to a field the source lacks is failure 8526.
    void Refresh();
    // Opens the preview (modal when asked) on what Refresh read, refreshing
    // first when nothing was read yet. When a modal show returns the report
    // lets go of its data source; the design and the captions stay.
    void Show(std::int16_t modal = 1);

    // The laid-out document (Refresh when nothing was read yet).
    const Documento& documento();
    int pageCount();
    // The same pages the preview shows, written to a PDF file or an image.
    // Pages are 0-based; an empty list means every page.
    void saveToPdf(const QString& file, const std::vector<int>& pages = {});
    QImage renderPage(int page, double dpi);

private:
    QString m_name;
    std::vector<std::unique_ptr<Section>> m_sections;
    std::shared_ptr<ado::Recordset> m_dataSource;
    QString m_dataMember;
    std::unique_ptr<Documento> m_documento;
};

// Twips of an A4 sheet, portrait.
inline constexpr Twips kA4Largura = 11906;
inline constexpr Twips kA4Altura = 16838;

} // namespace quva::datareport
