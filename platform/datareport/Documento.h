#pragma once
// A report read and laid out: one snapshot of the bound fields of its data
// source, already formatted, and the page breaks. Pages are drawn from it on
// demand, in twips from the sheet's top-left corner, on any painter.

#include "datareport/DataReport.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QPainter;

namespace quva::datareport {

class Documento {
public:
    // Reads rel's data source from its first record; 8526 for a text box
    // bound to a field the source lacks.
    explicit Documento(const DataReport& rel);

    std::size_t pageCount() const { return m_paginas.size(); }
    std::size_t rowCount() const { return m_linhas; }
    Twips paperWidth() const { return m_larguraDoPapel; }
    Twips paperHeight() const { return m_alturaDoPapel; }
    bool landscape() const { return m_paisagem; }

    // Draws page (0-based) with the painter's unit being one twip.
    void drawPage(QPainter& p, int page) const;

private:
    struct Pagina {
        std::size_t primeira = 0, fim = 0; // detail rows [primeira, fim)
        bool cabecalhoDoRelatorio = false;
        bool rodapeDoRelatorio = false;
    };
    struct Caixa {
        Twips topo, altura;
    };

    struct Fonte {
        QFont font;
        QFontMetricsF metricas;
        std::array<float, 256> avanco; // of each Latin-1 character
        // Whether a text without line breaks fits largura on one line.
        bool cabe(const QString& t, Twips largura) const;
    };
    const Fonte& fonte(const FontDesign& f) const;
    const Section* secao(SectionKind k) const;
    QString texto(const RptControl& c, std::size_t linha, int pagina) const;
    // The section's height for a row, and with caixas where each control lands.
    Twips dispor(const Section& s, std::size_t linha, int pagina, std::vector<Caixa>* caixas) const;
    Twips desenharSecao(QPainter& p, const Section& s, Twips y, std::size_t linha, int pagina) const;
    void ler(const DataReport& rel);
    void paginar();

    const DataReport& m_rel;
    Twips m_larguraDoPapel, m_alturaDoPapel;
    bool m_paisagem;
    QString m_dataDeImpressao;
    // Bound text boxes, and their formatted values row after row.
    std::vector<const RptControl*> m_ligados;
    std::vector<QString> m_valores;
    std::size_t m_linhas = 0;
    std::vector<Twips> m_alturaDaLinha; // empty when every row has the section's height
    std::vector<Pagina> m_paginas;
    mutable std::vector<std::pair<FontDesign, std::unique_ptr<Fonte>>> m_fontes;
};

// The engine's font for a control: sized in twips, so one layout serves
// every device.
QFont fonteDe(const FontDesign& f);

} // namespace quva::datareport
