#include "qz/QZTheme.h"

#include "forms/Font.h"
#include "qz/Look.h"

#include <QPainter>
#include <QWidget>

namespace quva::qz {

class ThemeWidget : public QWidget {
public:
    explicit ThemeWidget(QZTheme* owner) : m_owner(owner) { setFocusPolicy(Qt::NoFocus); }
    QZTheme* m_owner;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRect r = rect();
        p.fillRect(r, look::color(m_owner->BackColor()));
        // An accent strip at the left and a hairline under the bar.
        p.fillRect(QRect(0, 0, 6, r.height()), look::color(look::kAccent));
        p.fillRect(QRect(0, r.height() - 1, r.width(), 1), look::color(look::kBorder));

        const int margin = 22;
        QFont small = font();
        small.setBold(false);
        small.setPointSizeF(font().pointSizeF() * 0.72);
        const QFontMetrics sm(small);
        const int linesWidth =
            std::max(sm.horizontalAdvance(m_owner->m_inclusao), sm.horizontalAdvance(m_owner->m_alteracao));

        QFont title = font();
        title.setBold(true);
        p.setFont(title);
        p.setPen(look::color(m_owner->ForeColor()));
        const QRect titleRect(margin, 0, r.width() - 2 * margin - (linesWidth ? linesWidth + 16 : 0),
                              r.height());
        p.drawText(titleRect, Qt::AlignVCenter | Qt::AlignLeft,
                   QFontMetrics(title).elidedText(m_owner->m_titulo, Qt::ElideRight, titleRect.width()));

        if (!linesWidth) return;
        p.setFont(small);
        p.setPen(look::color(look::kMuted));
        const int lineH = sm.height();
        const bool both = !m_owner->m_inclusao.isEmpty() && !m_owner->m_alteracao.isEmpty();
        const int top = both ? r.height() / 2 - lineH : (r.height() - lineH) / 2;
        const QRect lines(r.width() - margin - linesWidth, top, linesWidth, lineH);
        if (!m_owner->m_inclusao.isEmpty()) {
            p.drawText(lines, Qt::AlignRight | Qt::AlignVCenter, m_owner->m_inclusao);
            if (both)
                p.drawText(lines.translated(0, lineH + 2), Qt::AlignRight | Qt::AlignVCenter,
                           m_owner->m_alteracao);
        } else {
            p.drawText(lines, Qt::AlignRight | Qt::AlignVCenter, m_owner->m_alteracao);
        }
    }
};

QZTheme::QZTheme() : QZControl(new ThemeWidget(this)) {
    setBackColor(forms::vbWhite);
    setForeColor(look::kText);
    setFont(QString::fromLatin1(look::kFontName), 15, true);
    setTabStop(false);
}

void QZTheme::setTitulo(const QString& v) {
    m_titulo = v;
    if (widget()) widget()->update();
}

void QZTheme::setLinhaDeInclusao(const QString& v) {
    m_inclusao = v;
    if (widget()) widget()->update();
}

void QZTheme::setLinhaDeAlteracao(const QString& v) {
    m_alteracao = v;
    if (widget()) widget()->update();
}

void QZTheme::applyColors() {
    if (widget()) widget()->update();
}

void QZTheme::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("Titulo"), [this] { return Variant(Titulo()); },
        [this](const Variant& v) { setTitulo(v.toString()); }, rt::kDefaultMember);
    f.prop(
        QStringLiteral("Caption"), [this] { return Variant(Titulo()); },
        [this](const Variant& v) { setTitulo(v.toString()); });
    f.prop(
        QStringLiteral("LinhaDeInclusao"), [this] { return Variant(LinhaDeInclusao()); },
        [this](const Variant& v) { setLinhaDeInclusao(v.toString()); });
    f.prop(
        QStringLiteral("LinhaDeAlteracao"), [this] { return Variant(LinhaDeAlteracao()); },
        [this](const Variant& v) { setLinhaDeAlteracao(v.toString()); });
}

} // namespace quva::qz
