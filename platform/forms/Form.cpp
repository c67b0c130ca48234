#include "forms/Form.h"

#include "forms/Controls.h"
#include "runtime/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHash>
#include <QWidget>

#include <algorithm>

namespace quva::forms {

namespace {
std::vector<Form*>& loadedForms() {
    static auto* v = new std::vector<Form*>;
    return *v;
}

QPointer<Form>& activeForm() {
    static QPointer<Form> f;
    return f;
}

std::vector<std::function<void()>>& defaultResets() {
    static auto* v = new std::vector<std::function<void()>>;
    return *v;
}

QHash<QString, std::function<Control*()>>& controlClasses() {
    static auto* h = [] {
        auto* t = new QHash<QString, std::function<Control*()>>;
        t->insert(QStringLiteral("vb.label"), [] { return new Label; });
        t->insert(QStringLiteral("vb.textbox"), [] { return new TextBox; });
        t->insert(QStringLiteral("vb.checkbox"), [] { return new CheckBox; });
        t->insert(QStringLiteral("vb.optionbutton"), [] { return new OptionButton; });
        t->insert(QStringLiteral("vb.commandbutton"), [] { return new CommandButton; });
        t->insert(QStringLiteral("vb.picturebox"), [] { return new PictureBox; });
        t->insert(QStringLiteral("vb.image"), [] { return new Image; });
        t->insert(QStringLiteral("vb.shape"), [] { return new Shape; });
        return t;
    }();
    return *h;
}

void eraseFrom(std::vector<Control*>& v, const Control* c) {
    std::erase(v, c);
}
} // namespace

// The form's window: it hands closing, resizing and activation to the form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Form* f) : m_form(f) {}

protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (m_form) m_form->windowCloseRequested();
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (m_form) m_form->windowResized();
    }
    void changeEvent(QEvent* e) override {
        QWidget::changeEvent(e);
        if (e->type() == QEvent::ActivationChange && isWindow() && isActiveWindow() && m_form)
            m_form->windowActivated();
    }

public:
    QPointer<Form> m_form;
};

void registerControlClass(const QString& progId, std::function<Control*()> factory) {
    controlClasses().insert(progId.toLower(), std::move(factory));
}

// ControlCollection

Control* ControlCollection::find(const QString& name, std::int16_t index) const {
    Control* best = nullptr;
    for (Control* c : m_items) {
        if (c->Name().compare(name, Qt::CaseInsensitive) != 0) continue;
        if (index >= 0) {
            if (c->Index() == index) return c;
        } else if (!best || c->Index() < best->Index()) {
            best = c;
        }
    }
    return best;
}

Control& ControlCollection::Item(const QString& name) const {
    Control* c = find(name);
    if (!c) rt::raise(rt::err::SubscriptOutOfRange);
    return *c;
}

Control& ControlCollection::Item(std::int32_t position) const {
    if (position < 0 || position >= Count()) rt::raise(rt::err::SubscriptOutOfRange);
    return *m_items[std::size_t(position)];
}

Control& ControlCollection::Add(const QString& progId, const QString& name, Control* container) {
    auto factory = controlClasses().value(progId.toLower());
    if (!factory) rt::raise(rt::err::CannotCreateObject);
    if (name.isEmpty() || find(name)) rt::raise(rt::err::InvalidCall);
    return *m_form->place(factory(), name, container, true, false);
}

void ControlCollection::Remove(const QString& name) {
    Control* c = find(name);
    if (!c) rt::raise(rt::err::SubscriptOutOfRange);
    if (!c->m_addedAtRunTime || c->array()) rt::raise(rt::err::InvalidCall);
    m_form->forget(c);
    c->detach();
    c->setVisible(false);
    c->deleteLater();
}

// Form

Form::Form(const QString& name) {
    setObjectName(name);
}

Form::~Form() {
    endModalShows();
    becomeInactive();
    std::erase(loadedForms(), this);
    for (QObject* o : m_generation)
        if (auto* c = dynamic_cast<Control*>(o)) c->detach();
    for (QObject* o : m_generation)
        delete o;
    m_generation.clear();
    m_controls.m_items.clear();
    m_tabOrder.clear();
    if (m_window) {
        m_window->disconnect(this);
        static_cast<FormWindow*>(m_window.data())->m_form = nullptr;
        delete m_window.data();
    }
}

bool Form::embedded() const {
    return m_window && !m_window->isWindow();
}
bool Form::isEmbedded() const {
    return embedded();
}

int Form::frameSidePixels() const {
    if (embedded() || m_borderStyle == 0) return 0;
    return m_borderStyle == 2 || m_borderStyle == 5 ? 4 : 3;
}

int Form::frameTopPixels() const {
    if (embedded() || m_borderStyle == 0) return 0;
    return frameSidePixels() + (m_borderStyle >= 4 ? 16 : 22);
}

Twips Form::ScaleWidth() const {
    return std::max<Twips>(0, m_width - toTwipsX(2 * frameSidePixels()));
}

Twips Form::ScaleHeight() const {
    return std::max<Twips>(0, m_height - toTwipsY(frameTopPixels() + frameSidePixels()));
}

void Form::setClientSize(Twips scaleWidth, Twips scaleHeight) {
    if (scaleWidth < 0 || scaleHeight < 0) rt::raise(rt::err::InvalidPropertyValue);
    Move(m_left, m_top, scaleWidth + toTwipsX(2 * frameSidePixels()),
         scaleHeight + toTwipsY(frameTopPixels() + frameSidePixels()));
}

void Form::createWindow() {
    auto* w = new FormWindow(this);
    m_window = w;
    w->setObjectName(Name());
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setWindowTitle(m_caption);
    connect(w, &QObject::destroyed, this, [this, w] {
        // The host destroyed the window it held (an embedded form): the form is gone with it.
        if (m_window && m_window.data() != w) return;
        m_window = nullptr;
        m_loaded = false;
        m_shownSinceLoad = false;
        std::erase(loadedForms(), this);
        becomeInactive();
        endModalShows();
    });
    applyFrameFlags();
    setBackColor(m_backColor);
    setEnabled(m_enabled);
    setMousePointer(m_mousePointer);
    applyGeometry();
}

void Form::applyFrameFlags() {
    if (!m_window || embedded()) return;
    Qt::WindowFlags f = Qt::Window;
    if (m_borderStyle == 0) f |= Qt::FramelessWindowHint;
    if (m_borderStyle == 1 || m_borderStyle == 3 || m_borderStyle == 4) f |= Qt::MSWindowsFixedSizeDialogHint;
    if (m_borderStyle == 3 || m_borderStyle == 4) f |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    const bool shown = !m_window->isHidden();
    m_window->setWindowFlags(f);
    if (shown) m_window->show();
}

void Form::applyGeometry() {
    if (!m_window) return;
    const int side = frameSidePixels(), top = frameTopPixels();
    const int w = std::max(0, toPixelsX(m_width) - 2 * side);
    const int h = std::max(0, toPixelsY(m_height) - top - side);
    const QRect r(toPixelsX(m_left) + side, toPixelsY(m_top) + top, w, h);
    if (m_borderStyle == 2 || m_borderStyle == 5 || m_borderStyle == 0 || embedded()) {
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        m_window->setFixedSize(w, h);
    }
    m_window->setGeometry(r);
}

void Form::resizeHappened() {
    if (!m_loaded) return;
    ++m_resizes;
    guarded([this] { Form_Resize(); });
}

void Form::windowResized() {
    if (!m_window) return;
    const int side = frameSidePixels(), top = frameTopPixels();
    const QSize s = m_window->size();
    if (s.width() == std::max(0, toPixelsX(m_width) - 2 * side) &&
        s.height() == std::max(0, toPixelsY(m_height) - top - side))
        return;
    m_width = toTwipsX(s.width() + 2 * side);
    m_height = toTwipsY(s.height() + top + side);
    resizeHappened();
}

void Form::windowActivated() {
    QPointer<Form>& active = activeForm();
    if (active == this || !m_loaded) return;
    QPointer<Form> previous = active;
    active = this;
    if (previous) guarded([&] { previous->Form_Deactivate(); });
    guarded([this] { Form_Activate(); });
}

void Form::becomeInactive() {
    if (activeForm() == this) activeForm() = nullptr;
}

void Form::windowCloseRequested() {
    Unload();
}

void Form::endModalShows() {
    for (QEventLoop* l : m_loops)
        l->exit();
}

void Form::Load() {
    if (m_loaded || m_loading) return;
    m_loading = true;
    // The previous load's controls stay readable until now; they go with the
    // event loop, since a handler of theirs may still be running.
    for (QObject* o : m_generation) {
        if (auto* c = dynamic_cast<Control*>(o)) c->detach();
        o->setParent(nullptr);
        o->deleteLater();
    }
    m_generation.clear();
    m_controls.m_items.clear();
    m_tabOrder.clear();
    if (m_window) {
        QWidget* old = m_window;
        m_window = nullptr;
        old->hide();
        old->deleteLater();
    }
    try {
        createWindow();
        CreateControls();
    } catch (...) {
        m_loading = false;
        throw;
    }
    applyTabOrder();
    m_loaded = true;
    m_loading = false;
    loadedForms().push_back(this);
    guarded([this] { Form_Load(); });
}

bool Form::Unload() {
    if (!m_loaded || m_unloading) return true;
    m_unloading = true;
    std::int16_t cancel = 0;
    guarded([&] { Form_Unload(cancel); });
    m_unloading = false;
    if (cancel) return false;
    m_loaded = false;
    m_shownSinceLoad = false;
    std::erase(loadedForms(), this);
    if (m_window) m_window->hide();
    becomeInactive();
    endModalShows();
    return true;
}

bool Form::Visible() const {
    return m_loaded && m_window && !m_window->isHidden();
}

void Form::setVisible(bool v) {
    if (v)
        Show();
    else
        Hide();
}

void Form::Show(std::int16_t modal) {
    if (!m_loaded) Load();
    if (!m_loaded || !m_window) return;
    if (modal != vbModeless) {
        if (Visible()) rt::raise(rt::err::FormAlreadyShown);
        if (!embedded()) m_window->setWindowModality(Qt::ApplicationModal);
    }
    const bool first = !m_shownSinceLoad;
    const bool wasShown = !m_window->isHidden();
    if (first && !embedded() && (m_startUpPosition == 1 || m_startUpPosition == 2)) {
        m_left = std::max<Twips>(0, (Screen.Width() - m_width) / 2);
        m_top = std::max<Twips>(0, (Screen.Height() - m_height) / 2);
        applyGeometry();
    }
    m_shownSinceLoad = true;
    const int resizesBefore = m_resizes;
    if (m_windowState == 2)
        m_window->showMaximized();
    else if (m_windowState == 1)
        m_window->showMinimized();
    else
        m_window->show();
    if (!embedded()) {
        if (wasShown) m_window->raise(); // a window being shown comes up in front anyway
        m_window->activateWindow();
    }
    QPointer<Form> self(this);
    // A first show raises Resize once, whether or not the size changed on the way.
    if (first && m_resizes == resizesBefore) resizeHappened();
    if (self && !embedded()) windowActivated();
    if (!self || modal == vbModeless) return;

    // Modal: wait until the form is hidden or unloaded. A Hide or Unload ends
    // the loop once the handler that asked for it returns; if that handler
    // showed the form again, the wait goes on.
    QEventLoop loop;
    m_loops.push_back(&loop);
    while (self && m_loaded && Visible())
        loop.exec(QEventLoop::DialogExec);
    if (!self) return;
    std::erase(m_loops, &loop);
    if (m_window && m_window->isHidden()) m_window->setWindowModality(Qt::NonModal);
}

void Form::Hide() {
    if (!m_loaded) Load();
    if (m_window) m_window->hide();
    becomeInactive();
    endModalShows();
}

void Form::setCaption(const QString& v) {
    m_caption = v;
    if (m_window) m_window->setWindowTitle(v);
}

void Form::setEnabled(bool v) {
    m_enabled = v;
    if (m_window) m_window->setEnabled(v);
}

void Form::setLeft(Twips v) {
    Move(v);
}
void Form::setTop(Twips v) {
    Move(m_left, v);
}
void Form::setWidth(Twips v) {
    Move(m_left, m_top, v);
}
void Form::setHeight(Twips v) {
    Move(m_left, m_top, m_width, v);
}

void Form::Move(Twips left, std::optional<Twips> top, std::optional<Twips> width,
                std::optional<Twips> height) {
    if ((width && *width < 0) || (height && *height < 0)) rt::raise(rt::err::InvalidPropertyValue);
    const Twips oldW = ScaleWidth(), oldH = ScaleHeight();
    m_left = left;
    if (top) m_top = *top;
    if (width) m_width = *width;
    if (height) m_height = *height;
    applyGeometry();
    if (ScaleWidth() != oldW || ScaleHeight() != oldH) resizeHappened();
}

void Form::setBorderStyle(std::int16_t v) {
    if (v < 0 || v > 5) rt::raise(rt::err::InvalidPropertyValue);
    const Twips w = ScaleWidth(), h = ScaleHeight();
    m_borderStyle = v;
    applyFrameFlags();
    // The inner area keeps its size; the outer one follows the new frame.
    m_width = w + toTwipsX(2 * frameSidePixels());
    m_height = h + toTwipsY(frameTopPixels() + frameSidePixels());
    applyGeometry();
}

void Form::setWindowState(std::int16_t v) {
    if (v < 0 || v > 2) rt::raise(rt::err::InvalidPropertyValue);
    m_windowState = v;
    if (!Visible() || embedded()) return;
    if (v == 2)
        m_window->showMaximized();
    else if (v == 1)
        m_window->showMinimized();
    else
        m_window->showNormal();
}

void Form::setBackColor(OleColor c) {
    m_backColor = c;
    if (!m_window) return;
    QPalette pal = m_window->palette();
    pal.setColor(QPalette::Window, toQColor(c));
    m_window->setPalette(pal);
    m_window->setAutoFillBackground(true);
}

void Form::setMousePointer(std::int16_t p) {
    m_mousePointer = p;
    applyMousePointer(m_window, p);
}

HWND Form::hWnd() {
    if (!m_loaded) Load();
    return forms::hWnd(m_window);
}

Control* Form::ActiveControl() const {
    QWidget* f = QApplication::focusWidget();
    for (QWidget* w = f; w && w != m_window; w = w->parentWidget())
        for (Control* c : m_controls)
            if (c->widget() == w) return c;
    return nullptr;
}

void Form::Refresh() {
    if (m_window) m_window->repaint();
}

void Form::ZOrder(std::int16_t position) {
    if (!m_window) return;
    if (position == 0)
        m_window->raise();
    else
        m_window->lower();
}

void Form::SetFocus() {
    if (!Visible() || !m_enabled) rt::raise(rt::err::InvalidCall);
    m_window->activateWindow();
    m_window->setFocus(Qt::OtherFocusReason);
}

Control* Form::place(Control* c, const QString& name, Control* container, bool runtime, bool visible) {
    std::unique_ptr<Control> guard(c);
    if (!m_loaded && !m_loading) Load();
    if (name.isEmpty()) rt::raise(rt::err::InvalidCall);
    if (!c->array() && m_controls.find(name)) rt::raise(rt::err::InvalidCall);
    QWidget* parent = container ? container->containerWidget() : m_window.data();
    if (!parent) rt::raise(rt::err::InvalidCall);
    c->setParent(this);
    c->setObjectName(name);
    c->widget()->setObjectName(name);
    if (c->Index() >= 0) c->widget()->setProperty("Index", c->Index());
    c->widget()->setParent(parent);
    c->m_form = this;
    c->m_container = container;
    c->m_addedAtRunTime = runtime;
    m_controls.m_items.push_back(c);
    m_tabOrder.push_back(c);
    m_generation.push_back(c);
    c->applyGeometry();
    c->setVisible(visible);
    c->attached();
    if (!m_loading) applyTabOrder();
    return guard.release();
}

void Form::adoptArray(ControlArrayBase* a) {
    if (!m_loaded && !m_loading) Load();
    a->setParent(this);
    m_generation.push_back(a);
}

void Form::forget(Control* c) {
    eraseFrom(m_controls.m_items, c);
    eraseFrom(m_tabOrder, c);
    std::erase(m_generation, static_cast<QObject*>(c));
}

void Form::moveInTabOrder(Control* c, std::int16_t index) {
    eraseFrom(m_tabOrder, c);
    const auto at = std::min<std::size_t>(std::size_t(index), m_tabOrder.size());
    m_tabOrder.insert(m_tabOrder.begin() + std::ptrdiff_t(at), c);
    applyTabOrder();
}

void Form::applyTabOrder() {
    QWidget* previous = nullptr;
    for (Control* c : m_tabOrder) {
        QWidget* w = c->widget();
        if (!w || !c->TabStop() || !(w->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

std::vector<Form*> Forms() {
    return loadedForms();
}

Form* ActiveForm() {
    Form* f = activeForm();
    return f && f->Visible() ? f : nullptr;
}

int DoEvents() {
    QCoreApplication::processEvents();
    return int(loadedForms().size());
}

void registerDefaultReset(std::function<void()> reset) {
    defaultResets().push_back(std::move(reset));
}

void destroyDefaultInstances() {
    auto resets = std::move(defaultResets());
    defaultResets().clear();
    for (auto& r : resets)
        r();
}

} // namespace quva::forms
