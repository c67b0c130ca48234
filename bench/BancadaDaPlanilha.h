#pragma once
// What the export benchmarks share: a settled receivable per row (nine
// columns), written straight with libxlsxwriter (the baseline) or through
// excel.application cell by cell, with the calls the exports make.

#include "automation/LateBound.h"
#include "automation/Server.h"

#include <QFile>
#include <QString>

#include <xlsxwriter.h>

#include <chrono>
#include <ctime>

namespace bench {

struct LinhaLiquidada {
    std::int32_t numero;
    QString cliente, historico;
    double vencimento, baixa; // date serials
    std::int64_t documento, desconto, juros, pago; // currency, four decimals
};

inline LinhaLiquidada linhaLiquidada(int i) {
    const std::int64_t doc = 10000LL * (100 + (i * 37) % 90000) + (i % 100) * 100;
    return {i + 1,
            QStringLiteral("Cliente %1 Comércio Ltda").arg(i % 5000),
            QStringLiteral("Parcela %1/12 da venda %2 - mercadorias").arg(i % 12 + 1).arg(i),
            44927.0 + i % 700,
            44957.0 + i % 700,
            doc,
            (i % 7) * 10000LL,
            (i % 5) * 2500LL,
            doc - (i % 7) * 10000LL + (i % 5) * 2500LL};
}

inline const char* const kCabecalhos[9] = {"Numero do lançamento", "Cliente", "Histórico",
                                           "Data de vencimento", "Valor do documento", "Desconto/Abatimento",
                                           "Juros/Mora/Multa", "Data da baixa", "Valor da baixa"};

inline double cpuMs() {
    return double(std::clock()) * 1000 / CLOCKS_PER_SEC;
}

inline double elapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// The baseline: the same cells and formats, straight into libxlsxwriter.
inline double escreverDireto(const QString& arquivo, int linhas) {
    const auto t0 = std::chrono::steady_clock::now();
    lxw_workbook_options o{};
    o.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(arquivo.toLocal8Bit().constData(), &o);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* data = workbook_add_format(wb);
    format_set_num_format(data, "dd/mm/yyyy");
    lxw_format* dinheiro = workbook_add_format(wb);
    format_set_num_format(dinheiro, "#,##0.00");
    lxw_format* titulo = workbook_add_format(wb);
    format_set_font_name(titulo, "Verdana");
    format_set_bold(titulo);
    lxw_format* negrito = workbook_add_format(wb);
    format_set_bold(negrito);
    worksheet_write_string(ws, 0, 0, "Empresa Exemplo Ltda", titulo);
    worksheet_write_string(ws, 1, 0, "Contas baixadas - Lista completa", nullptr);
    for (int c = 0; c < 9; ++c)
        worksheet_write_string(ws, 3, lxw_col_t(c), kCabecalhos[c], negrito);
    for (int i = 0; i < linhas; ++i) {
        const LinhaLiquidada l = linhaLiquidada(i);
        const lxw_row_t r = lxw_row_t(i + 4);
        worksheet_write_number(ws, r, 0, l.numero, nullptr);
        worksheet_write_string(ws, r, 1, l.cliente.toUtf8().constData(), nullptr);
        worksheet_write_string(ws, r, 2, l.historico.toUtf8().constData(), nullptr);
        worksheet_write_number(ws, r, 3, l.vencimento, data);
        worksheet_write_number(ws, r, 4, double(l.documento) / 10000, dinheiro);
        worksheet_write_number(ws, r, 5, double(l.desconto) / 10000, dinheiro);
        worksheet_write_number(ws, r, 6, double(l.juros) / 10000, dinheiro);
        worksheet_write_number(ws, r, 7, l.baixa, data);
        worksheet_write_number(ws, r, 8, double(l.pago) / 10000, dinheiro);
    }
    workbook_close(wb);
    return elapsedMs(t0);
}

// Through excel.application: per cell its value, the list format, and the
// number format of a money cell; the file is written when the application
// is released.
inline double escreverPelaCamada(int linhas) {
    using namespace quva;
    using automation::call;
    using automation::get;
    using automation::let;
    using automation::obj;
    const auto t0 = std::chrono::steady_clock::now();
    {
        rt::Object app = automation::CreateObject(QStringLiteral("excel.application"));
        call(obj(get(app, "Workbooks")), "Add");
        let(app, "Visible", true);
        auto celula = [&](int r, int c) { return obj(get(obj(get(app, "ActiveSheet")), "Cells", r, c)); };
        let(celula(1, 1), "Value", "Empresa Exemplo Ltda");
        let(obj(get(celula(1, 1), "Font")), "Name", "Verdana");
        let(obj(get(celula(1, 1), "Font")), "Bold", true);
        let(celula(2, 1), "Value", "Contas baixadas - Lista completa");
        for (int c = 1; c <= 9; ++c)
            let(celula(4, c), "Value", kCabecalhos[c - 1]);
        for (int c = 1; c <= 9; ++c)
            let(obj(get(celula(4, c), "Font")), "Bold", true);
        rt::Currency somas[9];
        for (int i = 0; i < linhas; ++i) {
            const LinhaLiquidada l = linhaLiquidada(i);
            const rt::Variant valores[9] = {l.numero,
                                            l.cliente,
                                            l.historico,
                                            rt::Date{l.vencimento},
                                            rt::Currency::fromRaw(l.documento),
                                            rt::Currency::fromRaw(l.desconto),
                                            rt::Currency::fromRaw(l.juros),
                                            rt::Date{l.baixa},
                                            rt::Currency::fromRaw(l.pago)};
            const int r = i + 5;
            for (int c = 1; c <= 9; ++c) {
                let(celula(r, c), "Value", valores[c - 1]);
                call(obj(get(obj(get(obj(get(app, "ActiveCell")), "Worksheet")), "Cells", r, c)), "AutoFormat", 11, 0,
                     rt::Variant(), 3, 1, 1);
                if (valores[c - 1].type() == rt::VarType::Currency) {
                    let(celula(r, c), "NumberFormat", "#,##0.00");
                    somas[c - 1] = somas[c - 1] + valores[c - 1].rawCurrency();
                }
            }
        }
        const int total = linhas + 5;
        let(celula(total, 4), "Value", "Total:");
        let(obj(get(celula(total, 4), "Font")), "Bold", true);
        let(celula(total, 4), "HorizontalAlignment", -4152);
        for (int c : {5, 6, 7, 9}) {
            let(celula(total, c), "Value", somas[c - 1]);
            let(obj(get(celula(total, c), "Font")), "Bold", true);
            let(celula(total, c), "NumberFormat", "#,##0.00");
        }
    }
    return elapsedMs(t0);
}

// Resident memory now and at its peak since the last reset, in MB.
inline double memoriaMb(const char* campo) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& linha : f.readAll().split('\n'))
        if (linha.startsWith(campo)) return linha.mid(int(qstrlen(campo))).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}
inline void zerarPicoDeMemoria() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

} // namespace bench
