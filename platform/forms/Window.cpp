#include "forms/Window.h"

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quva::forms {

namespace {
const char* const kHandleProperty = "quvaHwnd";
const char* const kEmbeddedProperty = "quvaEmbedded";

struct HandleTable {
    QHash<HWND, QPointer<QWidget>> byHandle;
    // Handles grow in steps of 4 from an arbitrary base, as real ones look.
    HWND next = 0x00010010;
};

HandleTable& table() {
    static HandleTable* t = new HandleTable; // outlives every widget
    return *t;
}

// Keeps an embedded window the size of its container.
class FillTracker : public QObject {
public:
    FillTracker(QWidget* child, QWidget* container) : QObject(child), m_child(child), m_container(container) {
        setObjectName(QStringLiteral("quvaFillTracker"));
        container->installEventFilter(this);
        fill();
    }
    ~FillTracker() override {
        if (m_container) m_container->removeEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == m_container && e->type() == QEvent::Resize) fill();
        return false;
    }

private:
    void fill() {
        if (m_child && m_container) m_child->setGeometry(m_container->rect());
    }
    QPointer<QWidget> m_child;
    QPointer<QWidget> m_container;
};
} // namespace

HWND hWnd(QWidget* w) {
    if (!w) return 0;
    const QVariant v = w->property(kHandleProperty);
    if (v.isValid()) return HWND(v.toInt());
    HandleTable& t = table();
    const HWND h = t.next;
    t.next += 4;
    t.byHandle.insert(h, w);
    w->setProperty(kHandleProperty, h);
    QObject::connect(w, &QObject::destroyed, [h] { table().byHandle.remove(h); });
    return h;
}

QWidget* windowFromHandle(HWND h) {
    if (h == 0) return nullptr;
    return table().byHandle.value(h).data();
}

bool isEmbedded(const QWidget* w) {
    return w && w->property(kEmbeddedProperty).toBool();
}

HWND SetParent(HWND child, HWND newParent) {
    QWidget* c = windowFromHandle(child);
    QWidget* p = newParent ? windowFromHandle(newParent) : nullptr;
    if (!c || (newParent && !p)) return 0;
    for (QWidget* up = p; up; up = up->parentWidget())
        if (up == c) return 0;
    QWidget* old = c->parentWidget();
    const HWND oldHandle = old ? hWnd(old) : 0;
    const bool wasWindow = c->isWindow();
    const bool wasShown = !c->isHidden();
    delete c->findChild<QObject*>(QStringLiteral("quvaFillTracker"), Qt::FindDirectChildrenOnly);
    if (p) {
        c->setParent(p, Qt::Widget);
        if (wasWindow || isEmbedded(c)) {
            c->setProperty(kEmbeddedProperty, true);
            new FillTracker(c, p);
        } else {
            c->move(0, 0);
        }
    } else {
        c->setParent(nullptr, Qt::Window);
        c->setProperty(kEmbeddedProperty, false);
    }
    if (wasShown) c->show();
    return oldHandle;
}

} // namespace quva::forms
