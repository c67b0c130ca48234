#include "qz/QZEdit.h"

#include "forms/Controls.h"
#include "qz/Look.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Errors.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <QValidator>

namespace quva::qz {

namespace {

bool isTyping(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString t = e->text();
    return t.size() == 1 && t.at(0).isPrint();
}

// A line editor that remembers whether the user changed its text.
class LineEdit : public QLineEdit {
public:
    bool userEdited = false;
    bool settingFromCode = false;
};

// Whether a money box may hold t: digits with "." anywhere among the whole
// ones (thousands, as the clerk groups them), one "," with at most two
// decimals, a leading minus; no more whole digits than the currency holds,
// and not beyond its largest value.
bool moneyFits(const QString& t) {
    static const QRegularExpression shape(QStringLiteral("^-?[0-9.]*(,[0-9]{0,2})?$"));
    if (!shape.match(t).hasMatch()) return false;
    QString plain = t;
    plain.remove(u'.');
    const qsizetype comma = plain.indexOf(u',');
    const qsizetype whole = (comma < 0 ? plain.size() : comma) - (plain.startsWith(u'-') ? 1 : 0);
    if (whole > 15) return false;
    if (plain.endsWith(u',')) plain.chop(1);
    if (plain.isEmpty() || plain == u"-" || plain.startsWith(u',') || plain.startsWith(u"-,")) return true;
    rt::Currency c;
    return rt::parseMoney(plain, &c);
}

// Pasted or dropped text goes through the typing rules: what could not have
// been typed is left out.
class MoneyValidator : public QValidator {
public:
    explicit MoneyValidator(LineEdit* e) : QValidator(e), m_edit(e) {}
    State validate(QString& input, int& pos) const override {
        if (m_edit->settingFromCode || moneyFits(input)) return Acceptable;
        QString kept;
        int keptPos = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (moneyFits(kept + input[i])) kept += input[i];
            if (i < pos) keptPos = int(kept.size());
        }
        input = kept;
        pos = keptPos;
        return Acceptable;
    }

private:
    LineEdit* m_edit;
};

// Money typing.
class MoneyEdit : public LineEdit {
public:
    MoneyEdit() { setValidator(new MoneyValidator(this)); }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (!isTyping(e) || isReadOnly()) {
            LineEdit::keyPressEvent(e);
            return;
        }
        // Only the keypad's decimal key stands for the comma; "." groups thousands.
        const bool keypadDecimal = (e->modifiers() & Qt::KeypadModifier) &&
                                   (e->key() == Qt::Key_Period || e->key() == Qt::Key_Comma);
        const QChar ch = keypadDecimal ? QChar(u',') : e->text().at(0);
        QString after = text();
        const int from = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = hasSelectedText() ? int(selectedText().size()) : 0;
        after.replace(from, length, ch);
        if (!moneyFits(after)) return; // swallowed
        if (ch != e->text().at(0)) {
            userEdited = true;
            insert(QString(ch));
            return;
        }
        LineEdit::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override {
        LineEdit::focusInEvent(e);
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus()) selectAll();
        });
    }
    void focusOutEvent(QFocusEvent* e) override {
        if (userEdited && e->reason() != Qt::PopupFocusReason) {
            const QString formatted = rt::Format(rt::Variant(text()), QStringLiteral("#,##0.00"));
            if (formatted != text()) setText(formatted);
        }
        LineEdit::focusOutEvent(e);
    }
};

// Positions of the digits in "DD/MM/YYYY".
bool isSlot(int i) {
    return i >= 0 && i < 10 && i != 2 && i != 5;
}

class DateEdit : public LineEdit {
public:
    std::function<void()> wantsCalendar;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (isReadOnly()) {
            LineEdit::keyPressEvent(e);
            return;
        }
        if (e->key() == Qt::Key_F4 || (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier))) {
            if (wantsCalendar) wantsCalendar();
            return;
        }
        if (e->matches(QKeySequence::Paste)) {
            pasteDate();
            return;
        }
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
            blank(e->key() == Qt::Key_Backspace);
            return;
        }
        if (!isTyping(e)) {
            LineEdit::keyPressEvent(e);
            return;
        }
        const QChar ch = e->text().at(0);
        if (ch == u'/') {
            const int p = cursorPosition();
            setCursorPosition(p < 3 ? 3 : 6);
            return;
        }
        if (!ch.isDigit()) return;
        QString t = text();
        int p = hasSelectedText() ? selectionStart() : cursorPosition();
        if (!dates::isMaskShape(t)) {
            t = QZDTPicker::emptyText();
            p = 0;
        } else if (hasSelectedText()) {
            for (int i = selectionStart(); i < selectionStart() + selectedText().size(); ++i)
                if (isSlot(i)) t[i] = u'_';
        }
        while (p < 10 && !isSlot(p))
            ++p;
        if (p >= 10) return;
        t[p] = ch;
        ++p;
        while (p < 10 && !isSlot(p))
            ++p;
        change(t, p);
    }
    void focusInEvent(QFocusEvent* e) override {
        LineEdit::focusInEvent(e);
        QTimer::singleShot(0, this, [this] {
            if (!hasFocus() || isReadOnly()) return;
            const int blankAt = int(text().indexOf(u'_'));
            if (dates::isMaskShape(text()) && blankAt >= 0)
                setCursorPosition(blankAt);
            else
                selectAll();
        });
    }

private:
    void change(const QString& t, int cursor) {
        userEdited = true;
        setText(t);
        setCursorPosition(cursor);
        emit textEdited(t);
    }
    void blank(bool backwards) {
        QString t = text();
        if (!dates::isMaskShape(t)) {
            change(QZDTPicker::emptyText(), 0);
            return;
        }
        if (hasSelectedText()) {
            const int from = selectionStart();
            for (int i = from; i < from + selectedText().size(); ++i)
                if (isSlot(i)) t[i] = u'_';
            change(t, from);
            return;
        }
        int p = cursorPosition();
        if (backwards) {
            --p;
            while (p >= 0 && !isSlot(p))
                --p;
            if (p < 0) return;
        } else {
            while (p < 10 && !isSlot(p))
                ++p;
            if (p >= 10) return;
        }
        t[p] = u'_';
        change(t, backwards ? p : p + 1);
    }
    void pasteDate() {
        auto* cb = QGuiApplication::clipboard();
        rt::Date d;
        if (cb && rt::parseDate(cb->text().trimmed(), &d)) change(rt::formatDate(d), 10);
    }
};

} // namespace

namespace dates {
bool isMaskShape(const QString& s) {
    if (s.size() != 10 || s[2] != u'/' || s[5] != u'/') return false;
    for (int i = 0; i < 10; ++i)
        if (isSlot(i) && !s[i].isDigit() && s[i] != u'_') return false;
    return true;
}
} // namespace dates

// QZLineBox

QZLineBox::QZLineBox(QLineEdit* e) : QZControl(e) {
    setBackColor(forms::vbWindowBackground);
    setForeColor(look::kText);
    useSuiteFont();
    QObject::connect(e, &QLineEdit::textChanged, this, [this] { raiseChange(); });
    QObject::connect(e, &QLineEdit::textEdited, this, [e] { static_cast<LineEdit*>(e)->userEdited = true; });
}

QLineEdit* QZLineBox::editor() const {
    return static_cast<QLineEdit*>(widget());
}

QString QZLineBox::Text() const {
    if (!editor()) return {};
    auto* e = static_cast<LineEdit*>(editor());
    return e->userEdited ? e->text() : e->property("qzText").toString();
}

void QZLineBox::setText(const QString& v) {
    auto* e = static_cast<LineEdit*>(editor());
    if (!e) return;
    e->setProperty("qzText", v);
    e->userEdited = false;
    if (e->text() == v) {
        raiseChange(); // the editor changes nothing, but the code did set it
    } else {
        e->settingFromCode = true;
        e->setText(v);
        e->settingFromCode = false;
    }
    e->setCursorPosition(0);
}

std::int32_t QZLineBox::MaxLength() const {
    if (!editor()) return 0;
    const int m = editor()->maxLength();
    return m == 32767 ? 0 : m;
}

void QZLineBox::setMaxLength(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (editor()) {
        const QString keep = Text();
        const bool edited = static_cast<LineEdit*>(editor())->userEdited;
        editor()->setMaxLength(v == 0 ? 32767 : v);
        if (!edited) editor()->setProperty("qzText", keep);
    }
}

bool QZLineBox::Locked() const {
    return editor() && editor()->isReadOnly();
}

void QZLineBox::setLocked(bool v) {
    if (editor()) editor()->setReadOnly(v);
}

void QZLineBox::setAlignment(std::int16_t v) {
    if (v < 0 || v > 2) rt::raise(rt::err::InvalidPropertyValue);
    m_alignment = v;
    const Qt::Alignment a = v == forms::vbRightJustify ? Qt::AlignRight
                            : v == forms::vbCenter     ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
    if (editor()) editor()->setAlignment(a | Qt::AlignVCenter);
}

std::int32_t QZLineBox::SelStart() const {
    if (!editor()) return 0;
    return editor()->hasSelectedText() ? editor()->selectionStart() : editor()->cursorPosition();
}

void QZLineBox::setSelStart(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (editor()) editor()->setCursorPosition(v);
}

std::int32_t QZLineBox::SelLength() const {
    return editor() ? std::int32_t(editor()->selectedText().size()) : 0;
}

void QZLineBox::setSelLength(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    if (editor()) editor()->setSelection(SelStart(), v);
}

QString QZLineBox::SelText() const {
    return editor() ? editor()->selectedText() : QString();
}

void QZLineBox::applyColors() {
    if (!editor()) return;
    editor()->setStyleSheet(
        look::editStyle("QLineEdit", look::color(BackColor()), look::color(ForeColor()), true, m_rightRoom));
}

void QZLineBox::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("Text"), [this] { return Variant(Text()); },
        [this](const Variant& v) { setText(v.toString()); }, rt::kDefaultMember);
    f.prop(
        QStringLiteral("MaxLength"), [this] { return Variant(MaxLength()); },
        [this](const Variant& v) { setMaxLength(v.toLong()); });
    f.prop(
        QStringLiteral("Locked"), [this] { return Variant(Locked()); },
        [this](const Variant& v) { setLocked(v.toBool()); });
    f.prop(
        QStringLiteral("Alignment"), [this] { return Variant(Alignment()); },
        [this](const Variant& v) { setAlignment(v.toInteger()); });
    f.prop(
        QStringLiteral("SelStart"), [this] { return Variant(SelStart()); },
        [this](const Variant& v) { setSelStart(v.toLong()); });
    f.prop(
        QStringLiteral("SelLength"), [this] { return Variant(SelLength()); },
        [this](const Variant& v) { setSelLength(v.toLong()); });
    f.prop(QStringLiteral("SelText"), [this] { return Variant(SelText()); });
}

QZTextBox::QZTextBox() : QZLineBox(new LineEdit) {}

QZNumberBox::QZNumberBox() : QZLineBox(new MoneyEdit) {
    setAlignment(forms::vbRightJustify);
    setText(QStringLiteral("0,00"));
}

QZDTPicker::QZDTPicker() : QZLineBox(new DateEdit) {
    m_rightRoom = 22;
    applyColors();
    auto* e = static_cast<DateEdit*>(editor());
    e->wantsCalendar = [this] { showCalendar(); };
    auto* b = new QToolButton(e);
    b->setObjectName(QStringLiteral("calendario"));
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(QStringLiteral("Calendário (F4)"));
    b->setIcon(QIcon(look::icon(QStringLiteral("calendario"), 16, look::color(look::kAccent))));
    b->setAutoRaise(true);
    b->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    QObject::connect(b, &QToolButton::clicked, this, [this] { showCalendar(); });
    // The button follows the box's size.
    struct Placer : QObject {
        QToolButton* button;
        explicit Placer(QToolButton* b) : QObject(b), button(b) {}
        bool eventFilter(QObject* o, QEvent* ev) override {
            if (ev->type() == QEvent::Resize || ev->type() == QEvent::Show) {
                auto* w = static_cast<QWidget*>(o);
                const int s = std::max(12, w->height() - 6);
                button->setGeometry(w->width() - s - 4, (w->height() - s) / 2, s, s);
            }
            return false;
        }
    };
    e->installEventFilter(new Placer(b));
    setText(emptyText());
}

void QZDTPicker::showCalendar() {
    auto* e = editor();
    if (!e || !e->isEnabled() || e->isReadOnly()) return;
    auto* cal = new QCalendarWidget(e);
    cal->setWindowFlags(Qt::Popup);
    cal->setAttribute(Qt::WA_DeleteOnClose);
    cal->setFirstDayOfWeek(Qt::Sunday);
    cal->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    cal->setGridVisible(false);
    rt::Date d;
    int y = 0, m = 0, day = 0;
    if (!rt::parseDate(Text(), &d)) d = rt::Today();
    rt::dateParts(d, &y, &m, &day);
    cal->setSelectedDate(QDate(y, m, day));
    QObject::connect(cal, &QCalendarWidget::activated, this, [this, cal](QDate chosen) {
        auto* le = static_cast<LineEdit*>(editor());
        le->userEdited = true;
        le->setText(chosen.toString(QStringLiteral("dd/MM/yyyy")));
        cal->close();
        le->setFocus(Qt::PopupFocusReason);
    });
    cal->move(e->mapToGlobal(QPoint(0, e->height())));
    cal->show();
    cal->setFocus(Qt::PopupFocusReason);
}

// QZMemoBox

namespace {
class MemoEdit : public QPlainTextEdit {
public:
    MemoEdit() { setTabChangesFocus(true); }
};
} // namespace

QZMemoBox::QZMemoBox() : QZControl(new MemoEdit) {
    setBackColor(forms::vbWindowBackground);
    setForeColor(look::kText);
    useSuiteFont();
    auto* e = editor();
    QObject::connect(e, &QPlainTextEdit::textChanged, this, [this] {
        if (m_settingText) return;
        QString t = editor()->toPlainText();
        if (m_maxLength > 0 && t.size() > m_maxLength) {
            // Typing past the limit is undone.
            QTextCursor c = editor()->textCursor();
            m_settingText = true;
            editor()->setPlainText(t.left(m_maxLength));
            m_settingText = false;
            c.setPosition(std::min<int>(m_maxLength, int(c.position())));
            editor()->setTextCursor(c);
            t = editor()->toPlainText();
        }
        m_text = t;
        m_text.replace(u'\n', QStringLiteral("\r\n"));
        raiseChange();
    });
}

QPlainTextEdit* QZMemoBox::editor() const {
    return static_cast<QPlainTextEdit*>(widget());
}

QString QZMemoBox::Text() const {
    return m_text;
}

void QZMemoBox::setText(const QString& v) {
    m_text = v;
    if (!editor()) return;
    QString shown = v;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    m_settingText = true;
    editor()->setPlainText(shown);
    m_settingText = false;
    raiseChange();
}

void QZMemoBox::setMaxLength(std::int32_t v) {
    if (v < 0) rt::raise(rt::err::InvalidPropertyValue);
    m_maxLength = v;
}

bool QZMemoBox::Locked() const {
    return editor() && editor()->isReadOnly();
}

void QZMemoBox::setLocked(bool v) {
    if (editor()) editor()->setReadOnly(v);
}

void QZMemoBox::applyColors() {
    if (editor())
        editor()->setStyleSheet(
            look::editStyle("QPlainTextEdit", look::color(BackColor()), look::color(ForeColor())));
}

void QZMemoBox::describe(ControlFace& f) {
    f.prop(
        QStringLiteral("Text"), [this] { return Variant(Text()); },
        [this](const Variant& v) { setText(v.toString()); }, rt::kDefaultMember);
    f.prop(
        QStringLiteral("MaxLength"), [this] { return Variant(MaxLength()); },
        [this](const Variant& v) { setMaxLength(v.toLong()); });
    f.prop(
        QStringLiteral("Locked"), [this] { return Variant(Locked()); },
        [this](const Variant& v) { setLocked(v.toBool()); });
}

} // namespace quva::qz
