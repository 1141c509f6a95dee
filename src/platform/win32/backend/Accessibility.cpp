#include "platform/win32/backend/Accessibility.h"

#include <oleacc.h>

#include <algorithm>
#include <type_traits>
#include <vector>

#include "platform/win32/Wide.h"

namespace win32 {
namespace {

// Defined here: MinGW's import libraries have been seen to lack it or to hold it wrongly.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// oleacc.dll is loaded only when a reader first asks, so that a start without one does not pay for it.
struct Oleacc {
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&::AccessibleObjectFromWindow) accessibleObjectFromWindow = nullptr;
    bool loaded() const {
        return lresultFromObject && createStdAccessibleObject && accessibleObjectFromWindow;
    }
};

const Oleacc& oleacc() {
    static const Oleacc functions = [] {
        Oleacc found;
        if (const HMODULE library = ::LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            const auto get = [&](auto& function, const char* name) {
                function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                    reinterpret_cast<void*>(::GetProcAddress(library, name)));
            };
            get(found.lresultFromObject, "LresultFromObject");
            get(found.createStdAccessibleObject, "CreateStdAccessibleObject");
            get(found.accessibleObjectFromWindow, "AccessibleObjectFromWindow");
        }
        return found;
    }();
    return functions;
}

BSTR bstr(const std::string& text) {
    const std::wstring wide = widen(text);
    return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

// A text answer: S_FALSE with no string when there is none.
HRESULT textAnswer(const std::string& text, BSTR* out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = bstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

void setChild(VARIANT* out, LONG child) {
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = child;
}

LONG roleOf(forms::AccessibleRole role) {
    switch (role) {
        case forms::AccessibleRole::ToolBar:
            return ROLE_SYSTEM_TOOLBAR;
        case forms::AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case forms::AccessibleRole::StaticText:
            return ROLE_SYSTEM_STATICTEXT;
    }
    return ROLE_SYSTEM_CLIENT;
}

// The parts of IUnknown and IDispatch every object here shares. Readers use IAccessible's own
// methods; nothing is offered through IDispatch's late binding.
template <class Derived>
class AccessibleBase : public IAccessible {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IDispatch) ||
            ::IsEqualIID(iid, kIidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0)
            delete static_cast<Derived*>(this);
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

  protected:
    AccessibleBase() = default;
    virtual ~AccessibleBase() = default;

  private:
    LONG refs_ = 1;
};

}  // namespace

// A form window that draws its own controls: the window is the object, its elements are simple
// children numbered 1, 2, ... in reading order. Every answer reads the form as it is now.
class FormAccessible : public AccessibleBase<FormAccessible> {
  public:
    FormAccessible(HWND window, AccessibleSource& source) : window_(window), source_(&source) {}
    void disconnect() { source_ = nullptr; }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        if (!source_)
            return CO_E_OBJNOTCONNECTED;
        return oleacc().accessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                                   reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count)
            return E_POINTER;
        const auto view = current();
        if (!view)
            return CO_E_OBJNOTCONNECTED;
        *count = static_cast<LONG>(view->elements.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        // The elements are simple: a reader asks this object about them by number.
        return find(child).status == Found::Element ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return answerText(
            child, name, [](const forms::AccessibleView& view) { return view.name; },
            [](const forms::AccessibleElement& e) { return e.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return answerText(
            child, value, [](const forms::AccessibleView&) { return std::string(); },
            [](const forms::AccessibleElement&) { return std::string(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return answerText(
            child, description, [](const forms::AccessibleView&) { return std::string(); },
            [](const forms::AccessibleElement& e) { return e.description; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return answerNumber(child, role, [](const Lookup& found) {
            return roleOf(found.element ? found.element->role : found.view->role);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return answerNumber(child, state, [this](const Lookup& found) {
            LONG bits = 0;
            if (!::IsWindowVisible(window_))
                bits |= STATE_SYSTEM_INVISIBLE;
            if (found.element && found.element->role == forms::AccessibleRole::StaticText)
                bits |= STATE_SYSTEM_READONLY;
            return bits;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return textAnswer({}, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        return textAnswer({}, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus)
            return E_POINTER;
        ::VariantInit(focus);
        if (!source_)
            return CO_E_OBJNOTCONNECTED;
        if (::GetFocus() != window_)
            return S_FALSE;
        setChild(focus, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection)
            return E_POINTER;
        ::VariantInit(selection);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return answerText(
            child, action, [](const forms::AccessibleView&) { return std::string(); },
            [](const forms::AccessibleElement& e) { return e.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        const Lookup found = find(child);
        if (found.status == Found::None)
            return found.error;
        RECT r{};
        if (found.element) {
            r = source_->screenRect(found.element->rect);
        } else {
            ::GetClientRect(window_, &r);
            ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end)
            return E_POINTER;
        ::VariantInit(end);
        const Lookup found = find(start);
        if (found.status == Found::None)
            return found.error;
        const LONG count = static_cast<LONG>(found.view->elements.size());
        LONG next = 0;
        if (!found.element) {
            // From the object itself: only into its children (its siblings are the system's windows).
            if (direction == NAVDIR_FIRSTCHILD)
                next = 1;
            else if (direction == NAVDIR_LASTCHILD)
                next = count;
            else if (direction != NAVDIR_NEXT && direction != NAVDIR_PREVIOUS && direction != NAVDIR_LEFT &&
                     direction != NAVDIR_RIGHT && direction != NAVDIR_UP && direction != NAVDIR_DOWN)
                return E_INVALIDARG;
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) {
            // The strip is read from left to right: the next element is also the one to the right.
            next = found.child + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) {
            next = found.child - 1;
        } else if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            return E_INVALIDARG;  // a simple element has no children
        }
        if (next < 1 || next > count)
            return S_FALSE;
        setChild(end, next);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (!hit)
            return E_POINTER;
        ::VariantInit(hit);
        const auto view = current();
        if (!view)
            return CO_E_OBJNOTCONNECTED;
        const POINT point{x, y};
        RECT client{};
        ::GetClientRect(window_, &client);
        ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!::PtInRect(&client, point))
            return S_FALSE;
        // The later elements lie above the earlier ones (the marks over the caption strip).
        for (std::size_t i = view->elements.size(); i-- > 0;) {
            const RECT r = source_->screenRect(view->elements[i].rect);
            if (::PtInRect(&r, point)) {
                setChild(hit, static_cast<LONG>(i + 1));
                return S_OK;
            }
        }
        setChild(hit, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const Lookup found = find(child);
        if (found.status == Found::None)
            return found.error;
        if (!found.element || found.element->defaultAction.empty())
            return DISP_E_MEMBERNOTFOUND;
        // The reader waits for this call to return: the action runs afterwards, from the message loop,
        // exactly as the click's handler runs.
        source_->requestAction(found.element->id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

  private:
    enum class Found { None, Self, Element };
    struct Lookup {
        Found status = Found::None;
        HRESULT error = E_INVALIDARG;
        std::optional<forms::AccessibleView> view;
        const forms::AccessibleElement* element = nullptr;  // into view
        LONG child = CHILDID_SELF;
    };

    std::optional<forms::AccessibleView> current() const {
        return source_ ? source_->accessibleView() : std::nullopt;
    }

    Lookup find(const VARIANT& child) const {
        Lookup found;
        found.view = current();
        if (!found.view) {
            found.error = CO_E_OBJNOTCONNECTED;
            return found;
        }
        if (child.vt != VT_I4)
            return found;
        const LONG id = child.lVal;
        found.child = id;
        if (id == CHILDID_SELF) {
            found.status = Found::Self;
        } else if (id >= 1 && id <= static_cast<LONG>(found.view->elements.size())) {
            found.status = Found::Element;
            found.element = &found.view->elements[static_cast<std::size_t>(id - 1)];
        }
        return found;
    }

    template <class OfView, class OfElement>
    HRESULT answerText(const VARIANT& child, BSTR* out, OfView ofView, OfElement ofElement) const {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        const Lookup found = find(child);
        if (found.status == Found::None)
            return found.error;
        return textAnswer(found.element ? ofElement(*found.element) : ofView(*found.view), out);
    }

    template <class Of>
    HRESULT answerNumber(const VARIANT& child, VARIANT* out, Of of) const {
        if (!out)
            return E_POINTER;
        ::VariantInit(out);
        const Lookup found = find(child);
        if (found.status == Found::None)
            return found.error;
        out->vt = VT_I4;
        out->lVal = of(found);
        return S_OK;
    }

    HWND window_;
    AccessibleSource* source_;
};

LRESULT AccessibleObject::answer(HWND window, AccessibleSource& source, WPARAM wParam) {
    if (!oleacc().loaded())
        return 0;
    if (!object_)
        object_ = new FormAccessible(window, source);
    return oleacc().lresultFromObject(kIidAccessible, wParam, object_);
}

void AccessibleObject::disconnect() {
    if (!object_)
        return;
    object_->disconnect();
    // Readers in other processes let go of their proxies; one in this process keeps a dead object.
    ::CoDisconnectObject(object_, 0);
    object_->Release();
    object_ = nullptr;
}

namespace {

// The system's object for a control, under the name the program gave it.
class NamedAccessible : public AccessibleBase<NamedAccessible> {
  public:
    NamedAccessible(IAccessible* system, std::string name) : system_(system), name_(std::move(name)) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF)
            return textAnswer(name_, name);
        return system_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return system_->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* c) override { return system_->get_accChildCount(c); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** p) override {
        return system_->get_accChild(v, p);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR* s) override {
        return system_->get_accValue(v, s);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR* s) override {
        return system_->get_accDescription(v, s);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT v, VARIANT* r) override {
        return system_->get_accRole(v, r);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* s) override {
        return system_->get_accState(v, s);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* s) override { return system_->get_accHelp(v, s); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT v, LONG* t) override {
        return system_->get_accHelpTopic(f, v, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* s) override {
        return system_->get_accKeyboardShortcut(v, s);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return system_->get_accFocus(v); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override { return system_->get_accSelection(v); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR* s) override {
        return system_->get_accDefaultAction(v, s);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT v) override { return system_->accSelect(f, v); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* l, LONG* t, LONG* w, LONG* h, VARIANT v) override {
        return system_->accLocation(l, t, w, h, v);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override {
        return system_->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* v) override {
        return system_->accHitTest(x, y, v);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override {
        return system_->accDoDefaultAction(v);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT v, BSTR s) override { return system_->put_accName(v, s); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT v, BSTR s) override { return system_->put_accValue(v, s); }

  private:
    friend class AccessibleBase<NamedAccessible>;
    ~NamedAccessible() override { system_->Release(); }
    IAccessible* system_;
    std::string name_;
};

}  // namespace

LRESULT answerWithName(HWND window, const std::string& name, WPARAM wParam) {
    IAccessible* system = nullptr;
    // The standard object is made directly, without asking the window again.
    if (!oleacc().loaded() ||
        FAILED(oleacc().createStdAccessibleObject(window, OBJID_CLIENT, kIidAccessible,
                                                  reinterpret_cast<void**>(&system))) ||
        !system)
        return 0;
    auto* named = new NamedAccessible(system, name);
    const LRESULT result =
        oleacc().lresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(named));
    named->Release();
    return result;
}

void announceChanges(HWND window, const forms::AccessibleView& before, const forms::AccessibleView& after) {
    const auto position = [](const std::vector<forms::AccessibleElement>& elements, int id) -> LONG {
        const auto found = std::find_if(elements.begin(), elements.end(),
                                        [&](const forms::AccessibleElement& e) { return e.id == id; });
        return found == elements.end() ? 0 : static_cast<LONG>(found - elements.begin()) + 1;
    };
    for (const forms::AccessibleElement& gone : before.elements)
        if (!position(after.elements, gone.id))
            ::NotifyWinEvent(EVENT_OBJECT_HIDE, window, OBJID_CLIENT, position(before.elements, gone.id));
    for (const forms::AccessibleElement& came : after.elements)
        if (!position(before.elements, came.id))
            ::NotifyWinEvent(EVENT_OBJECT_SHOW, window, OBJID_CLIENT, position(after.elements, came.id));
    for (int id : forms::renamedElements(before.elements, after.elements))
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, position(after.elements, id));
    if (before.name != after.name)
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace win32
