#include "qz/QZPeriod.h"

#include "qz/Look.h"
#include "qz/QZEdit.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

#include <QHBoxLayout>
#include <QLabel>

namespace quva::qz {

QZPeriod::QZPeriod()
    : QZControl(new QWidget), m_inicio(std::make_unique<QZDTPicker>()),
      m_fim(std::make_unique<QZDTPicker>()) {
    auto* outer = widget();
    auto* layout = new QHBoxLayout(outer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* a = new QLabel(QStringLiteral("a"), outer);
    a->setAlignment(Qt::AlignCenter);
    m_separator = a;
    m_inicio->widget()->setObjectName(QStringLiteral("DataInicial"));
    m_fim->widget()->setObjectName(QStringLiteral("DataFinal"));
    m_inicio->widget()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_fim->widget()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(m_inicio->widget(), 1);
    layout->addWidget(a);
    layout->addWidget(m_fim->widget(), 1);
    outer->setFocusPolicy(Qt::StrongFocus);
    outer->setFocusProxy(m_inicio->widget());
    watch(m_inicio->widget());
    watch(m_fim->widget());
    m_inicio->onChange = [this] { raiseChange(); };
    m_fim->onChange = [this] { raiseChange(); };

    const rt::Date today = rt::Today();
    int y = 0, m = 0, d = 0;
    rt::dateParts(today, &y, &m, &d);
    m_inicio->setText(rt::formatDate(rt::makeDate(y, m, 1)));
    m_fim->setText(rt::formatDate(today));
    setForeColor(look::kText);
    useSuiteFont();
}

QZPeriod::~QZPeriod() {
    // The inner boxes' widgets belong to this control's widget.
    m_inicio.reset();
    m_fim.reset();
}

QString QZPeriod::DataInicial() const {
    return m_inicio->Text();
}

void QZPeriod::setDataInicial(const QString& v) {
    m_inicio->setText(v);
}

QString QZPeriod::DataFinal() const {
    return m_fim->Text();
}

void QZPeriod::setDataFinal(const QString& v) {
    m_fim->setText(v);
}

void QZPeriod::applyColors() {
    if (!m_separator) return;
    QPalette pal = m_separator->palette();
    pal.setColor(QPalette::WindowText, look::color(ForeColor()));
    m_separator->setPalette(pal);
}

void QZPeriod::applyFont() {
    QZControl::applyFont();
    if (!m_inicio) return;
    m_inicio->setFont(FontName(), FontSize(), FontBold(), FontItalic());
    m_fim->setFont(FontName(), FontSize(), FontBold(), FontItalic());
}

void QZPeriod::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("DataInicial"), [this] { return Variant(DataInicial()); },
        [this](const Variant& v) { setDataInicial(v.toString()); });
    f.prop(
        QStringLiteral("DataFinal"), [this] { return Variant(DataFinal()); },
        [this](const Variant& v) { setDataFinal(v.toString()); });
}

} // namespace quva::qz
