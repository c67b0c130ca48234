#include "qz/Look.h"

#include "runtime/Errors.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace quva::qz::look {

QColor color(forms::OleColor c) {
    return forms::toQColor(c);
}

namespace {

using Painter = std::function<void(QPainter&)>;

// Icons are drawn on a 16 × 16 grid and scaled.
const std::map<QString, Painter>& painters() {
    static const std::map<QString, Painter> m = {
        {QStringLiteral("adicionar"),
         [](QPainter& p) {
             p.drawLine(QPointF(8, 3), QPointF(8, 13));
             p.drawLine(QPointF(3, 8), QPointF(13, 8));
         }},
        {QStringLiteral("alterar"),
         [](QPainter& p) {
             QPainterPath path(QPointF(3, 13));
             path.lineTo(3.5, 10.5);
             path.lineTo(11, 3);
             path.lineTo(13, 5);
             path.lineTo(5.5, 12.5);
             path.closeSubpath();
             p.drawPath(path);
             p.drawLine(QPointF(9.5, 4.5), QPointF(11.5, 6.5));
         }},
        {QStringLiteral("baixar"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(2, 4, 12, 8), 1.5, 1.5);
             p.drawLine(QPointF(5, 8), QPointF(7, 10));
             p.drawLine(QPointF(7, 10), QPointF(11, 6));
         }},
        {QStringLiteral("excluir"),
         [](QPainter& p) {
             p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
             p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 2.5));
             p.drawLine(QPointF(6.5, 2.5), QPointF(9.5, 2.5));
             p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 4.5));
             QPainterPath path(QPointF(4.5, 4.5));
             path.lineTo(5.3, 13.5);
             path.lineTo(10.7, 13.5);
             path.lineTo(11.5, 4.5);
             p.drawPath(path);
             p.drawLine(QPointF(8, 7), QPointF(8, 11.5));
         }},
        {QStringLiteral("imprimir"),
         [](QPainter& p) {
             p.drawRect(QRectF(5, 2.5, 6, 3.5));
             p.drawRoundedRect(QRectF(2.5, 6, 11, 5), 1, 1);
             p.drawRect(QRectF(5, 9.5, 6, 4));
         }},
        {QStringLiteral("carta"),
         [](QPainter& p) {
             p.drawRect(QRectF(2.5, 4, 11, 8));
             p.drawLine(QPointF(2.5, 4), QPointF(8, 8.5));
             p.drawLine(QPointF(8, 8.5), QPointF(13.5, 4));
         }},
        {QStringLiteral("comprovante"),
         [](QPainter& p) {
             QPainterPath path(QPointF(4, 2.5));
             path.lineTo(12, 2.5);
             path.lineTo(12, 13.5);
             path.lineTo(10.5, 12.5);
             path.lineTo(9, 13.5);
             path.lineTo(7.5, 12.5);
             path.lineTo(6, 13.5);
             path.lineTo(4, 12.5);
             path.closeSubpath();
             p.drawPath(path);
             p.drawLine(QPointF(6, 5.5), QPointF(10, 5.5));
             p.drawLine(QPointF(6, 8), QPointF(10, 8));
             p.drawLine(QPointF(6, 10.5), QPointF(8.5, 10.5));
         }},
        {QStringLiteral("salvar"),
         [](QPainter& p) {
             p.drawLine(QPointF(3, 8.5), QPointF(6.5, 12));
             p.drawLine(QPointF(6.5, 12), QPointF(13, 4.5));
         }},
        {QStringLiteral("cancelar"),
         [](QPainter& p) {
             p.drawLine(QPointF(4, 4), QPointF(12, 12));
             p.drawLine(QPointF(12, 4), QPointF(4, 12));
         }},
        {QStringLiteral("fechar"),
         [](QPainter& p) {
             p.drawLine(QPointF(4, 4), QPointF(12, 12));
             p.drawLine(QPointF(12, 4), QPointF(4, 12));
         }},
        {QStringLiteral("limpar"),
         [](QPainter& p) {
             p.drawLine(QPointF(5, 5), QPointF(11, 11));
             p.drawLine(QPointF(11, 5), QPointF(5, 11));
         }},
        {QStringLiteral("pesquisar"),
         [](QPainter& p) {
             p.drawEllipse(QPointF(7, 7), 4, 4);
             p.drawLine(QPointF(10, 10), QPointF(13.5, 13.5));
         }},
        {QStringLiteral("primeiro"),
         [](QPainter& p) {
             p.drawLine(QPointF(4.5, 4), QPointF(4.5, 12));
             p.drawLine(QPointF(11, 4), QPointF(7, 8));
             p.drawLine(QPointF(7, 8), QPointF(11, 12));
         }},
        {QStringLiteral("anterior"),
         [](QPainter& p) {
             p.drawLine(QPointF(10, 4), QPointF(6, 8));
             p.drawLine(QPointF(6, 8), QPointF(10, 12));
         }},
        {QStringLiteral("proximo"),
         [](QPainter& p) {
             p.drawLine(QPointF(6, 4), QPointF(10, 8));
             p.drawLine(QPointF(10, 8), QPointF(6, 12));
         }},
        {QStringLiteral("ultimo"),
         [](QPainter& p) {
             p.drawLine(QPointF(11.5, 4), QPointF(11.5, 12));
             p.drawLine(QPointF(5, 4), QPointF(9, 8));
             p.drawLine(QPointF(9, 8), QPointF(5, 12));
         }},
        {QStringLiteral("calendario"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(2.5, 3.5, 11, 10), 1, 1);
             p.drawLine(QPointF(2.5, 6.5), QPointF(13.5, 6.5));
             p.drawLine(QPointF(5.5, 2), QPointF(5.5, 4.5));
             p.drawLine(QPointF(10.5, 2), QPointF(10.5, 4.5));
             p.drawPoint(QPointF(6, 9.5));
             p.drawPoint(QPointF(10, 9.5));
         }},
        {QStringLiteral("excel"),
         [](QPainter& p) {
             p.drawRect(QRectF(2.5, 2.5, 11, 11));
             p.drawLine(QPointF(2.5, 6), QPointF(13.5, 6));
             p.drawLine(QPointF(2.5, 9.75), QPointF(13.5, 9.75));
             p.drawLine(QPointF(6.5, 2.5), QPointF(6.5, 13.5));
         }},
        {QStringLiteral("visualizar"),
         [](QPainter& p) {
             QPainterPath path(QPointF(1.5, 8));
             path.quadTo(8, 1, 14.5, 8);
             path.quadTo(8, 15, 1.5, 8);
             p.drawPath(path);
             p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
         }},
    };
    return m;
}

} // namespace

bool isIcon(const QString& name) {
    return painters().count(name.toLower()) != 0;
}

QPixmap icon(const QString& name, int size, const QColor& c) {
    auto it = painters().find(name.toLower());
    if (it == painters().end() || size <= 0) return {};
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPen pen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    it->second(p);
    return pm;
}

QPixmap picture(const QString& fonte, int size, const QColor& c) {
    if (fonte.isEmpty()) return {};
    if (isIcon(fonte)) return icon(fonte, size, c);
    QPixmap pm;
    if (!pm.load(fonte)) rt::raise(rt::err::FileNotFound);
    return pm;
}

QString editStyle(const char* widgetClass, const QColor& back, const QColor& fore, bool rightPadding,
                  int extraRight) {
    const QString cls = QString::fromLatin1(widgetClass);
    const QString accent = color(kAccent).name();
    return QStringLiteral("%1 { background: %2; color: %3; border: 1px solid %4; border-radius: 3px;"
                          " padding: 1px %7px 1px 5px; selection-background-color: %5; }"
                          " %1:focus { border: 2px solid %5; padding: 0px %8px 0px 4px; }"
                          " %1:disabled { background: %6; color: %9; }")
        .arg(cls, back.name(), fore.name(), color(kBorder).name(), accent, color(kDisabledFill).name())
        .arg(rightPadding ? 5 + extraRight : 5)
        .arg(rightPadding ? 4 + extraRight : 4)
        .arg(color(kText).name());
}

} // namespace quva::qz::look
