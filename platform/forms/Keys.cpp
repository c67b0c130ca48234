#include "forms/Keys.h"

#include "runtime/Errors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <vector>

namespace quva::forms {

namespace {
struct KeyName {
    const char* name;
    int qtKey;
};

const KeyName kNames[] = {
    {"BACKSPACE", Qt::Key_Backspace},
    {"BS", Qt::Key_Backspace},
    {"BKSP", Qt::Key_Backspace},
    {"DELETE", Qt::Key_Delete},
    {"DEL", Qt::Key_Delete},
    {"DOWN", Qt::Key_Down},
    {"END", Qt::Key_End},
    {"ENTER", Qt::Key_Return},
    {"ESC", Qt::Key_Escape},
    {"HOME", Qt::Key_Home},
    {"INSERT", Qt::Key_Insert},
    {"INS", Qt::Key_Insert},
    {"LEFT", Qt::Key_Left},
    {"PGDN", Qt::Key_PageDown},
    {"PGUP", Qt::Key_PageUp},
    {"RIGHT", Qt::Key_Right},
    {"TAB", Qt::Key_Tab},
    {"UP", Qt::Key_Up},
    {"F1", Qt::Key_F1},
    {"F2", Qt::Key_F2},
    {"F3", Qt::Key_F3},
    {"F4", Qt::Key_F4},
    {"F5", Qt::Key_F5},
    {"F6", Qt::Key_F6},
    {"F7", Qt::Key_F7},
    {"F8", Qt::Key_F8},
    {"F9", Qt::Key_F9},
    {"F10", Qt::Key_F10},
    {"F11", Qt::Key_F11},
    {"F12", Qt::Key_F12},
};

struct Stroke {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

Stroke strokeForChar(QChar c, Qt::KeyboardModifiers m) {
    if (c == u'~') return {Qt::Key_Return, m, QStringLiteral("\r")};
    int key = c.toUpper().unicode();
    if (c.isUpper()) m |= Qt::ShiftModifier;
    // Control and alt chords carry no text.
    const QString text = (m & (Qt::ControlModifier | Qt::AltModifier)) ? QString() : QString(c);
    return {key, m, text};
}

QString textOfKey(int key) {
    switch (key) {
    case Qt::Key_Return:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Escape:
        return QString(QChar(27));
    default:
        return {};
    }
}

// Reads one key, a {name} or a (group), starting at i, with the modifiers held.
void parse(const QString& s, int& i, Qt::KeyboardModifiers held, std::vector<Stroke>& out) {
    Qt::KeyboardModifiers m = held;
    while (i < s.size() && (s[i] == u'+' || s[i] == u'^' || s[i] == u'%')) {
        m |= s[i] == u'+' ? Qt::ShiftModifier : s[i] == u'^' ? Qt::ControlModifier : Qt::AltModifier;
        ++i;
    }
    if (i >= s.size()) rt::raise(rt::err::InvalidCall);
    const QChar c = s[i];
    if (c == u'(') {
        ++i;
        while (i < s.size() && s[i] != u')')
            parse(s, i, m, out);
        if (i >= s.size()) rt::raise(rt::err::InvalidCall);
        ++i;
        return;
    }
    if (c == u'{') {
        // "{}}" is a literal brace; otherwise the name runs to the first '}'.
        int close = s.indexOf(u'}', i + 2);
        if (close < 0) rt::raise(rt::err::InvalidCall);
        QString name = s.mid(i + 1, close - i - 1);
        int repeat = 1;
        if (const int blank = name.indexOf(u' '); blank > 0) {
            bool ok = false;
            repeat = name.mid(blank + 1).toInt(&ok);
            if (!ok || repeat < 0) rt::raise(rt::err::InvalidCall);
            name = name.left(blank);
        }
        i = close + 1;
        Stroke st{};
        if (name.size() == 1) {
            st = strokeForChar(name[0], m);
            if (name[0] == u'~') st = {Qt::Key_AsciiTilde, m, QStringLiteral("~")};
        } else {
            bool found = false;
            for (const KeyName& k : kNames)
                if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
                    st = {k.qtKey, m,
                          (m & (Qt::ControlModifier | Qt::AltModifier)) ? QString() : textOfKey(k.qtKey)};
                    found = true;
                }
            if (!found) rt::raise(rt::err::InvalidCall);
        }
        for (int r = 0; r < repeat; ++r)
            out.push_back(st);
        return;
    }
    if (c == u')' || c == u'}') rt::raise(rt::err::InvalidCall);
    ++i;
    out.push_back(strokeForChar(c, m));
}
} // namespace

std::int16_t keyCodeFromQt(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return std::int16_t(k);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return std::int16_t(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F16) return std::int16_t(vbKeyF1 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace:
        return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Shift:
        return vbKeyShift;
    case Qt::Key_Control:
        return vbKeyControl;
    case Qt::Key_Alt:
        return vbKeyMenu;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_Space:
        return vbKeySpace;
    case Qt::Key_PageUp:
        return vbKeyPageUp;
    case Qt::Key_PageDown:
        return vbKeyPageDown;
    case Qt::Key_End:
        return vbKeyEnd;
    case Qt::Key_Home:
        return vbKeyHome;
    case Qt::Key_Left:
        return vbKeyLeft;
    case Qt::Key_Up:
        return vbKeyUp;
    case Qt::Key_Right:
        return vbKeyRight;
    case Qt::Key_Down:
        return vbKeyDown;
    case Qt::Key_Insert:
        return vbKeyInsert;
    case Qt::Key_Delete:
        return vbKeyDelete;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Period:
        return 190;
    default:
        return 0;
    }
}

int qtKeyFromKeyCode(std::int16_t code) {
    for (int k :
         {int(Qt::Key_Backspace), int(Qt::Key_Tab), int(Qt::Key_Return), int(Qt::Key_Escape),
          int(Qt::Key_Space), int(Qt::Key_PageUp), int(Qt::Key_PageDown), int(Qt::Key_End), int(Qt::Key_Home),
          int(Qt::Key_Left), int(Qt::Key_Up), int(Qt::Key_Right), int(Qt::Key_Down), int(Qt::Key_Insert),
          int(Qt::Key_Delete), int(Qt::Key_Shift), int(Qt::Key_Control), int(Qt::Key_Alt)})
        if (keyCodeFromQt(k) == code) return k;
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
    if (code >= vbKeyF1 && code < vbKeyF1 + 16) return Qt::Key_F1 + (code - vbKeyF1);
    return Qt::Key_unknown;
}

void SendKeys(const QString& keys, bool wait) {
    std::vector<Stroke> strokes;
    for (int i = 0; i < keys.size();)
        parse(keys, i, Qt::NoModifier, strokes);
    for (const Stroke& st : strokes) {
        // Resolved per key, as a handler may move the focus between them.
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        // Right after a message box closes the window manager may not have
        // given the activation back yet: the modal form it returns to is
        // the one the keys are meant for.
        if (QWidget* modal = target ? nullptr : QApplication::activeModalWidget())
            target = modal->focusWidget() ? modal->focusWidget() : modal;
        if (!target) continue;
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, st.key, st.modifiers, st.text));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, st.key, st.modifiers, st.text));
    }
    if (wait) QCoreApplication::processEvents();
}

} // namespace quva::forms
