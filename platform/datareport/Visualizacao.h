#pragma once
// The report's preview window: one page at a time, drawn when shown (never
// all pages kept as pictures), with page navigation, zoom, printing through
// the system's print dialog and "Salvar PDF".

#include <QDialog>
#include <QImage>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;

namespace quva::datareport {

class DataReport;

class Visualizacao : public QDialog {
    Q_OBJECT
public:
    explicit Visualizacao(DataReport& rel, QWidget* parent = nullptr);
    // Shows the window as the report asks (caption, maximised) and waits until it closes.
    void exibir();

    int pagina() const { return m_pagina; }
    void irPara(int pagina);
    // Zoom in percent; 0 fits the page's width to the window.
    void setZoom(int porcento);
    void imprimir();
    void salvarPdf();
    // Prints the pages from, to (1-based, 0 for all) on an A4 sheet, whatever the printer's default.
    void imprimirEm(QPrinter& impressora, int de, int ate);

    // The first page has been drawn (the moment the clerk sees something).
    static void setAoDesenharPrimeiraPagina(void (*f)());

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    class Folha;
    void atualizar();
    double escala() const;

    DataReport& m_rel;
    int m_pagina = 0;
    int m_paginas = 0;
    int m_zoom = 0;
    QLabel* m_rotulo = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QScrollArea* m_rolagem = nullptr;
    Folha* m_folha = nullptr;
};

} // namespace quva::datareport
