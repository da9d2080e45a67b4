// A minimal OLE container for the WebBrowser control: just enough of
// IOleClientSite, IOleInPlaceSite and IOleInPlaceFrame for the control to
// activate in place inside the host window and navigate. No menus, tool
// space, accelerators or document host UI: the control's defaults serve.
#include "app/embedded_browser.h"

#include <exdisp.h>
#include <ole2.h>

#include "host/handles.h"
#include "host/wide.h"

namespace {

template <typename Interface>
struct ComTraits {
  using Value = Interface*;
  static Value Invalid() { return nullptr; }
  static void Close(Value p) { p->Release(); }
};
template <typename Interface>
using ComRef = UniqueHandle<ComTraits<Interface>>;

struct BstrTraits {
  using Value = BSTR;
  static Value Invalid() { return nullptr; }
  static void Close(Value s) { SysFreeString(s); }
};
using UniqueBstr = UniqueHandle<BstrTraits>;

}  // namespace

class EmbeddedBrowser::Site final : public IOleClientSite,
                                    public IOleInPlaceSite,
                                    public IOleInPlaceFrame {
 public:
  explicit Site(HWND host) : host_(host) {}

  // Creates the control, hands it this site and activates it in place over
  // the host's whole client area.
  bool Embed() {
    IOleObject* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object)))) {
      return false;
    }
    object_.reset(object);
    if (FAILED(object_.get()->SetClientSite(this))) return false;
    OleSetContainedObject(object_.get(), TRUE);
    RECT rect;
    GetClientRect(host_, &rect);
    if (FAILED(object_.get()->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, host_, &rect))) {
      return false;
    }
    IWebBrowser2* browser = nullptr;
    if (FAILED(
            object_.get()->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)))) {
      return false;
    }
    browser_.reset(browser);
    return true;
  }

  // Takes the control down in the order OLE expects, so that it lets go of
  // this site and its windows before the host window goes.
  void Detach() {
    browser_.reset();
    if (object_) {
      object_.get()->Close(OLECLOSE_NOSAVE);
      object_.get()->SetClientSite(nullptr);
      object_.reset();
    }
  }

  IWebBrowser2* browser() const { return browser_.get(); }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the site and the frame)
  STDMETHODIMP GetWindow(HWND* out) override {
    *out = host_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, RECT* pos,
                                RECT* clip, OLEINPLACEFRAMEINFO* info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(host_, pos);
    GetClientRect(host_, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(host_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tool space or keys.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~Site() = default;

  ULONG refs_ = 1;
  HWND host_;
  ComRef<IOleObject> object_;
  ComRef<IWebBrowser2> browser_;
};

std::unique_ptr<EmbeddedBrowser> EmbeddedBrowser::Create(HWND host) {
  std::unique_ptr<EmbeddedBrowser> browser(new EmbeddedBrowser(new Site(host)));
  if (!browser->site_->Embed()) return nullptr;
  return browser;
}

EmbeddedBrowser::~EmbeddedBrowser() {
  site_->Detach();
  site_->Release();
}

bool EmbeddedBrowser::SetOffline(bool offline) {
  return SUCCEEDED(site_->browser()->put_Offline(offline ? VARIANT_TRUE : VARIANT_FALSE));
}

bool EmbeddedBrowser::SetSilent(bool silent) {
  return SUCCEEDED(site_->browser()->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE));
}

bool EmbeddedBrowser::SetTextSize(int size) {
  VARIANT in;
  VariantInit(&in);
  in.vt = VT_I4;
  in.lVal = size;
  return SUCCEEDED(
      site_->browser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr));
}

bool EmbeddedBrowser::Navigate(const Text& address) {
  UniqueBstr url(SysAllocString(WideFromText(address).c_str()));
  if (!url) return false;
  VARIANT none;  // flags, target frame, post data, headers: all left out
  VariantInit(&none);
  return SUCCEEDED(site_->browser()->Navigate(url.get(), &none, &none, &none, &none));
}
