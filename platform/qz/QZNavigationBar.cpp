#include "qz/QZNavigationBar.h"

#include "qz/Look.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QToolButton>

#include <cmath>

namespace quva::qz {

namespace {

class BarWidget : public QWidget {
public:
    std::function<void(std::int32_t)> onKey;
    BarWidget() {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_StyledBackground, false);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        std::int32_t b = 0;
        switch (e->key()) {
        case Qt::Key_Home:
            b = qzPrimeiro;
            break;
        case Qt::Key_PageUp:
        case Qt::Key_Left:
            b = qzAnterior;
            break;
        case Qt::Key_PageDown:
        case Qt::Key_Right:
            b = qzProximo;
            break;
        case Qt::Key_End:
            b = qzUltimo;
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
        }
        if (onKey) onKey(b);
    }
    void focusInEvent(QFocusEvent* e) override {
        QWidget::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QWidget::focusOutEvent(e);
        update();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(hasFocus() ? QPen(look::color(look::kAccent), 2) : QPen(look::color(look::kBorder), 1));
        p.setBrush(Qt::white);
        // Inside the margins a form gives the bar, so its box can line up with its neighbours.
        p.drawRoundedRect(QRectF(contentsRect()).adjusted(1, 1, -1, -1), 3, 3);
    }
};

// The ordinals: smaller type rather than a cut number when they are long.
class FittedLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QFont f = font();
        const QRect r = contentsRect();
        const bool points = f.pointSizeF() > 0;
        qreal size = points ? f.pointSizeF() : f.pixelSize();
        while (size > 5 && QFontMetricsF(f).horizontalAdvance(text()) > r.width()) {
            size -= 0.5;
            if (points)
                f.setPointSizeF(size);
            else
                f.setPixelSize(int(size));
        }
        p.setFont(f);
        p.setPen(palette().color(foregroundRole()));
        p.drawText(r, int(alignment()), text());
    }
};

QString whole(double v) {
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(qint64(std::llround(v)));
}

} // namespace

QZNavigationBar::QZNavigationBar() : QZControl(new BarWidget) {
    auto* bar = static_cast<BarWidget*>(widget());
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    const char* icons[] = {"primeiro", "anterior", "proximo", "ultimo"};
    const char* tips[] = {"Primeira página (Home)", "Página anterior (Page Up)", "Próxima página (Page Down)",
                          "Última página (End)"};
    m_label = new FittedLabel(bar);
    m_label->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(icons[i]));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setToolTip(QString::fromUtf8(tips[i]));
        QIcon icon;
        icon.addPixmap(look::icon(QString::fromLatin1(icons[i]), 16, look::color(look::kAccent)),
                       QIcon::Normal);
        icon.addPixmap(look::icon(QString::fromLatin1(icons[i]), 16, look::color(look::kBorder)),
                       QIcon::Disabled);
        b->setIcon(icon);
        b->setStyleSheet(QStringLiteral("QToolButton { border: none; border-radius: 3px; padding: 2px; }"
                                        " QToolButton:hover { background: %1; }")
                             .arg(look::color(look::kHover).name()));
        b->setEnabled(false);
        const std::int32_t number = i + 1;
        QObject::connect(b, &QToolButton::clicked, this, [this, number] { press(number); });
        m_buttons[std::size_t(i)] = b;
        if (i == 2) layout->addWidget(m_label, 1);
        layout->addWidget(b);
    }
    bar->onKey = [this](std::int32_t b) { press(b); };
    setForeColor(look::kText);
    useSuiteFont();
}

QString QZNavigationBar::caption() const {
    return m_label ? m_label->text() : QString();
}

bool QZNavigationBar::isOffered(std::int32_t botao) const {
    if (botao < qzPrimeiro || botao > qzUltimo) return false;
    return m_buttons[std::size_t(botao - 1)]->isEnabled();
}

void QZNavigationBar::Atualizar() {
    if (m_total <= 0) {
        m_label->setText(QStringLiteral("Nenhum registro"));
        m_label->setToolTip(QString());
    } else {
        m_label->setText(
            QStringLiteral("%1 - %2 de %3").arg(whole(m_primeiro), whole(m_ultimo), whole(m_total)));
        if (m_porPagina > 0) {
            const double pages = std::ceil(m_total / m_porPagina);
            const double page = std::ceil(m_ultimo / m_porPagina);
            m_label->setToolTip(QStringLiteral("Página %1 de %2").arg(whole(page), whole(pages)));
        }
    }
    const bool back = m_total > 0 && m_primeiro > 1;
    const bool forward = m_total > 0 && m_ultimo < m_total;
    m_buttons[0]->setEnabled(back);
    m_buttons[1]->setEnabled(back);
    m_buttons[2]->setEnabled(forward);
    m_buttons[3]->setEnabled(forward);
}

void QZNavigationBar::press(std::int32_t botao) {
    if (!isOffered(botao) || !widget()->isEnabled()) return;
    if (onClick) forms::guarded([&] { onClick(botao); });
}

void QZNavigationBar::applyColors() {
    if (!m_label) return;
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, look::color(ForeColor()));
    m_label->setPalette(pal);
}

void QZNavigationBar::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("PrimeiroRegistro"), [this] { return Variant(PrimeiroRegistro()); },
        [this](const Variant& v) { setPrimeiroRegistro(v.toDouble()); });
    f.prop(
        QStringLiteral("UltimoRegistro"), [this] { return Variant(UltimoRegistro()); },
        [this](const Variant& v) { setUltimoRegistro(v.toDouble()); });
    f.prop(
        QStringLiteral("TotalDeRegistros"), [this] { return Variant(TotalDeRegistros()); },
        [this](const Variant& v) { setTotalDeRegistros(v.toDouble()); });
    f.prop(
        QStringLiteral("RegistrosPorPagina"), [this] { return Variant(RegistrosPorPagina()); },
        [this](const Variant& v) { setRegistrosPorPagina(v.toDouble()); });
    f.meth(QStringLiteral("Atualizar"), 0, [this](automation::Args) {
        Atualizar();
        return Variant();
    });
}

} // namespace quva::qz
