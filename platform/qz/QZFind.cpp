#include "qz/QZFind.h"

#include "qz/Look.h"
#include "runtime/Errors.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

namespace quva::qz {

namespace {

class FindEdit : public QLineEdit {
public:
    std::function<void()> onSearch, onClear;
    std::function<bool()> digitsOnly, canClear;
    std::function<void()> place;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            e->accept();
            if (onSearch) onSearch();
            return;
        }
        if (e->key() == Qt::Key_Escape && canClear && canClear()) {
            e->accept();
            if (onClear) onClear();
            return;
        }
        const QString t = e->text();
        if (digitsOnly && digitsOnly() && t.size() == 1 && t.at(0).isPrint() && !t.at(0).isDigit() &&
            !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return;
        QLineEdit::keyPressEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        QLineEdit::resizeEvent(e);
        if (place) place();
    }
};

QToolButton* makeButton(QWidget* parent, const QString& icon, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setIcon(QIcon(look::icon(icon, 16, look::color(look::kAccent))));
    b->setStyleSheet(
        QStringLiteral("QToolButton { border: none; background: transparent; border-radius: 3px; }"
                       " QToolButton:hover { background: %1; }")
            .arg(look::color(look::kHover).name()));
    return b;
}

} // namespace

QZFind::QZFind() : QZControl(new QWidget) {
    auto* outer = widget();
    auto* edit = new FindEdit;
    m_edit = edit;
    auto* layout = new QHBoxLayout(outer);
    layout->setContentsMargins(0, 0, 0, 0);
    edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(edit);
    outer->setFocusPolicy(Qt::StrongFocus);
    outer->setFocusProxy(edit);
    watch(edit);

    auto* search = makeButton(edit, QStringLiteral("pesquisar"), QStringLiteral("Pesquisar (Enter)"));
    search->setObjectName(QStringLiteral("pesquisar"));
    auto* clear = makeButton(edit, QStringLiteral("limpar"), QStringLiteral("Limpar a pesquisa (Esc)"));
    clear->setObjectName(QStringLiteral("limpar"));
    m_searchButton = search;
    m_clearButton = clear;
    edit->place = [edit, search, clear] {
        const int s = std::max(12, edit->height() - 6);
        const int top = (edit->height() - s) / 2;
        search->setGeometry(edit->width() - s - 4, top, s, s);
        clear->setGeometry(edit->width() - 2 * s - 6, top, s, s);
    };
    edit->onSearch = [this] { requestSearch(); };
    edit->onClear = [this] { requestClear(); };
    edit->digitsOnly = [this] { return m_style == qzFindCode; };
    edit->canClear = [this] { return !Text().isEmpty() || m_status == qzFindSearch; };
    QObject::connect(search, &QToolButton::clicked, this, [this] { requestSearch(); });
    QObject::connect(clear, &QToolButton::clicked, this, [this] { requestClear(); });
    QObject::connect(edit, &QLineEdit::textEdited, this, [this] { m_userEdited = true; });
    QObject::connect(edit, &QLineEdit::textChanged, this, [this] {
        updateButtons();
        raiseChange();
    });

    setBackColor(forms::vbWindowBackground);
    setForeColor(look::kText);
    useSuiteFont();
    updateButtons();
}

QString QZFind::Text() const {
    return m_userEdited ? m_edit->text() : m_codeText;
}

void QZFind::setText(const QString& v) {
    m_codeText = v;
    m_userEdited = false;
    if (m_edit->text() == v)
        raiseChange();
    else
        m_edit->setText(v);
    m_edit->setCursorPosition(0);
}

void QZFind::setStyle(std::int32_t v) {
    if (v != qzFindText && v != qzFindCode) rt::raise(rt::err::InvalidPropertyValue);
    m_style = v;
}

void QZFind::setShowClearButton(bool v) {
    m_showClear = v;
    updateButtons();
}

void QZFind::updateButtons() {
    m_clearButton->setVisible(m_showClear && !m_edit->text().isEmpty());
}

void QZFind::SelectText() {
    QWidget* top = widget() ? widget()->window() : nullptr;
    if (!top || !top->isVisible() || !m_edit->isEnabled()) return;
    if (!top->isActiveWindow()) top->activateWindow();
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

void QZFind::requestSearch() {
    if (!m_edit->isEnabled()) return;
    m_status = qzFindSearch;
    m_searched = Text();
    raiseClick();
}

void QZFind::requestClear() {
    if (!m_edit->isEnabled()) return;
    m_edit->setText(QString());
    m_codeText.clear();
    m_userEdited = false;
    m_searched.clear();
    m_status = qzFindClear;
    raiseClick();
    if (m_edit->isVisible()) m_edit->setFocus(Qt::OtherFocusReason);
}

void QZFind::applyColors() {
    m_edit->setStyleSheet(
        look::editStyle("QLineEdit", look::color(BackColor()), look::color(ForeColor()), true, 44));
}

void QZFind::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("Text"), [this] { return Variant(Text()); },
        [this](const Variant& v) { setText(v.toString()); }, rt::kDefaultMember);
    f.prop(
        QStringLiteral("Status"), [this] { return Variant(Status()); },
        [this](const Variant& v) { setStatus(v.toLong()); });
    f.prop(
        QStringLiteral("style"), [this] { return Variant(style()); },
        [this](const Variant& v) { setStyle(v.toLong()); });
    f.prop(
        QStringLiteral("ShowClearButton"), [this] { return Variant(ShowClearButton()); },
        [this](const Variant& v) { setShowClearButton(v.toBool()); }, kDispShowClearButton);
    f.prop(
        QStringLiteral("SearchedText"), [this] { return Variant(SearchedText()); },
        [this](const Variant& v) { setSearchedText(v.toString()); });
    f.meth(
        QStringLiteral("SelectText"), 0,
        [this](automation::Args) {
            SelectText();
            return Variant();
        },
        kDispSelectText);
}

} // namespace quva::qz
