#pragma once
// Forms: load and unload with their events, modal and modeless show, twips
// geometry with inner (Scale*) and outer sizes, the Controls collection and
// default instances.
//
// A form is a subclass that builds its design-time controls in
// CreateControls() (run on every load, so a form loaded again starts from
// its design values) and overrides the Form_* events it handles. Controls of
// an unloaded form stay readable until the next load replaces them.
//
//   class frmExemplo : public Form {
//   public:
//       frmExemplo() : Form("frmExemplo") {}
//       Label* lblMensagem = nullptr;
//   protected:
//       void CreateControls() override {
//           setClientSize(5100, 1455);
//           lblMensagem = add<Label>("lblMensagem");
//           lblMensagem->Move(405, 555, 4290, 330);
//       }
//       void Form_Load() override { ... }
//   };

#include "forms/Control.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QEventLoop;

namespace quva::forms {

inline constexpr std::int16_t vbModeless = 0;
inline constexpr std::int16_t vbModal = 1;

// The Controls collection of a form, in creation order.
class ControlCollection {
public:
    std::int32_t Count() const { return std::int32_t(m_items.size()); }
    // By name (without letter case); a control array gives its lowest element.
    // Failure 9 when there is none.
    Control& Item(const QString& name) const;
    Control& Item(std::int32_t position) const; // 0-based
    Control* find(const QString& name, std::int16_t index = -1) const;
    // Controls.Add "VB.Shape", "lshpObj": a new control, hidden, inside the
    // container (the form when nullptr). Failure 429 for an unknown kind, 5
    // for a name already in use.
    Control& Add(const QString& progId, const QString& name, Control* container = nullptr);
    // Removes a control added with Add (failure 5 for a design-time one).
    void Remove(const QString& name);

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    friend class Form;
    explicit ControlCollection(Form* f) : m_form(f) {}
    Form* m_form;
    std::vector<Control*> m_items;
};

// Makes a control kind creatable by Controls.Add (letter case ignored). The
// intrinsic ones are "VB.Label", "VB.TextBox", "VB.CheckBox", "VB.OptionButton",
// "VB.CommandButton", "VB.PictureBox", "VB.Image" and "VB.Shape".
void registerControlClass(const QString& progId, std::function<Control*()> factory);

class Form : public QObject {
public:
    explicit Form(const QString& name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    QString Name() const { return objectName(); }
    // The form's window (nullptr before the first load).
    QWidget* window() const { return m_window; }
    bool isLoaded() const { return m_loaded; }

    // Loads the form (CreateControls, then Form_Load); nothing when loaded.
    void Load();
    // Raises Form_Unload; unless cancelled, hides the form and ends its modal
    // show. Returns false when Form_Unload cancelled.
    bool Unload();
    // Loads when needed. vbModal blocks in a nested event loop until the form
    // is hidden or unloaded (failure 400 when the form is already visible).
    void Show(std::int16_t modal = vbModeless);
    void Hide();
    bool Visible() const;
    void setVisible(bool v);
    // Whether a modal show of this form is running.
    bool isModal() const { return !m_loops.empty(); }

    QString Caption() const { return m_caption; }
    void setCaption(const QString& v);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v);

    // Outer geometry (frame and title bar included), in twips, read back as set.
    Twips Left() const { return m_left; }
    Twips Top() const { return m_top; }
    Twips Width() const { return m_width; }
    Twips Height() const { return m_height; }
    void setLeft(Twips v);
    void setTop(Twips v);
    void setWidth(Twips v);
    void setHeight(Twips v);
    void Move(Twips left, std::optional<Twips> top = {}, std::optional<Twips> width = {},
              std::optional<Twips> height = {});
    // Inner area, in twips (the scale of every form is twips from 0, 0).
    Twips ScaleLeft() const { return 0; }
    Twips ScaleTop() const { return 0; }
    Twips ScaleWidth() const;
    Twips ScaleHeight() const;
    // Sets the outer size from an inner one.
    void setClientSize(Twips scaleWidth, Twips scaleHeight);

    // 0 none, 1 fixed single, 2 sizable (default), 3 fixed dialog.
    std::int16_t BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(std::int16_t v);
    // 0 manual, 1 centre owner, 2 centre screen (default).
    std::int16_t StartUpPosition() const { return m_startUpPosition; }
    void setStartUpPosition(std::int16_t v) { m_startUpPosition = v; }
    // 0 normal, 1 minimised, 2 maximised.
    std::int16_t WindowState() const { return m_windowState; }
    void setWindowState(std::int16_t v);

    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    std::int16_t MousePointer() const { return m_mousePointer; }
    void setMousePointer(std::int16_t p);

    // Loads the form when needed.
    HWND hWnd();
    // Whether SetParent put the form's window inside another window.
    bool isEmbedded() const;
    ControlCollection& Controls() { return m_controls; }
    const ControlCollection& Controls() const { return m_controls; }
    Control* ActiveControl() const;
    void Refresh();
    void ZOrder(std::int16_t position = 0);
    void SetFocus();

    // Nominal frame of a top-level window of this border style, in pixels:
    // the outer size is the inner one plus these, on every platform, so that
    // layouts computed from the outer size come out the same everywhere.
    int frameSidePixels() const;
    int frameTopPixels() const;

    // Design-time control (visible) named name, inside container (the form when nullptr).
    template <class T> T* add(const QString& name, Control* container = nullptr) {
        return static_cast<T*>(place(new T(), name, container, false, true));
    }
    // A control array named name; elements are added with array->add(index).
    template <class T> ControlArray<T>* addArray(const QString& name) {
        auto* a = new ControlArray<T>(this, name);
        adoptArray(a);
        return a;
    }

protected:
    virtual void CreateControls() {}
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }

private:
    friend class Control;
    friend class ControlArrayBase;
    friend class ControlCollection;
    friend class FormWindow;

    Control* place(Control* c, const QString& name, Control* container, bool runtime, bool visible);
    void adoptArray(ControlArrayBase* a);
    void moveInTabOrder(Control* c, std::int16_t index);
    void applyTabOrder();
    void forget(Control* c);
    void createWindow();
    void applyGeometry();
    void applyFrameFlags();
    void resizeHappened();
    void windowResized();
    void windowActivated();
    void windowCloseRequested();
    void becomeInactive();
    void endModalShows();
    bool embedded() const;

    ControlCollection m_controls{this};
    std::vector<Control*> m_tabOrder;
    std::vector<QObject*> m_generation; // controls and arrays of the current load
    std::vector<QEventLoop*> m_loops;
    QPointer<QWidget> m_window;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_unloading = false;
    bool m_shownSinceLoad = false;
    bool m_enabled = true;
    int m_resizes = 0;
    QString m_caption;
    Twips m_left = 0, m_top = 0, m_width = 4800, m_height = 3600;
    std::int16_t m_borderStyle = 2;
    std::int16_t m_startUpPosition = 2;
    std::int16_t m_windowState = 0;
    OleColor m_backColor = vbButtonFace;
    std::int16_t m_mousePointer = vbDefault;
};

// Forms loaded now, in load order.
std::vector<Form*> Forms();
// The form that was activated last and is still shown, or nullptr.
Form* ActiveForm();
// Processes pending events once; returns the number of loaded forms.
int DoEvents();

// The default instance of a form class: created and loaded on first touch,
// loaded again (from its design values) on the touch after an Unload. The
// object itself lives on, as the classic default instances did, until reset.
template <class T> class DefaultInstance {
public:
    static T& get() {
        T*& p = slot();
        if (!p) {
            p = new T();
            registerDefaultReset([] { reset(); });
        }
        if (!p->isLoaded()) p->Load();
        return *p;
    }
    // Without loading.
    static T* peek() { return slot(); }
    // Unloads the instance when it is loaded (a touch would load it first).
    static bool Unload() { return slot() && slot()->isLoaded() ? slot()->Unload() : true; }
    // "Set frmX = Nothing": the next touch creates a new object.
    static void reset() {
        delete slot();
        slot() = nullptr;
    }

private:
    static T*& slot() {
        static T* p = nullptr;
        return p;
    }
};
void registerDefaultReset(std::function<void()> reset);
// Destroys every default instance (before the application object goes).
void destroyDefaultInstances();

} // namespace quva::forms
