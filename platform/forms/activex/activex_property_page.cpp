#include "activex_property_page.h"

#include <QFont>
#include <QLabel>
#include <QWidget>

#include "window_table.h"

namespace com {

namespace {
// Dialog units of an 8-point font in pixels.
int UnitsAcross(int units) { return units * 6 / 4; }
int UnitsDown(int units) { return units * 13 / 8; }

HINSTANCE ResourceModuleOf(const PropertyPageInfo& info) {
    return info.resourceModule ? info.resourceModule() : nullptr;
}
}  // namespace

PropertyPageBase::PropertyPageBase(const PropertyPageInfo& info) : info_(info) {
    if (info_.locks) info_.locks->ObjectCreated();
}

PropertyPageBase::~PropertyPageBase() {
    delete page_;
    if (info_.locks) info_.locks->ObjectDestroyed();
}

HRESULT PropertyPageBase::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
        *out = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PropertyPageBase::AddRef() { return ++refs_; }

ULONG PropertyPageBase::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT PropertyPageBase::GetPageInfo(std::string* title, SIZE* size, std::string* docString) {
    const HINSTANCE module = ResourceModuleOf(info_);
    if (title) *title = LoadStringText(module, info_.titleString).value_or("");
    if (docString) *docString = LoadStringText(module, info_.docString).value_or("");
    if (size) {
        const auto dialog = LoadDialogTemplate(module, info_.dialogId);
        if (!dialog) return E_FAIL;
        *size = SIZE{UnitsAcross(dialog->cx), UnitsDown(dialog->cy)};
    }
    return S_OK;
}

HRESULT PropertyPageBase::Activate(HWND parent, const RECT* rect, BOOL) {
    QWidget* parentWidget = win::WidgetOf(parent);
    if (!parentWidget) return E_INVALIDARG;
    const auto dialog = LoadDialogTemplate(ResourceModuleOf(info_), info_.dialogId);
    if (!dialog) return E_FAIL;
    delete page_;
    page_ = new QWidget(parentWidget);
    if (dialog->style & DS_SETFONT) {
        QFont font(QString::fromStdString(dialog->fontName));
        font.setPointSize(dialog->pointSize);
        page_->setFont(font);
    }
    for (const DialogItem& item : dialog->items) {
        auto* label = new QLabel(QString::fromStdString(item.text), page_);
        label->setGeometry(UnitsAcross(item.x), UnitsDown(item.y), UnitsAcross(item.cx), UnitsDown(item.cy));
    }
    if (rect) {
        page_->setGeometry(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    } else {
        page_->resize(UnitsAcross(dialog->cx), UnitsDown(dialog->cy));
    }
    page_->show();
    return S_OK;
}

HRESULT PropertyPageBase::Deactivate() {
    delete page_;
    page_ = nullptr;
    return S_OK;
}

QWidget* PropertyPageBase::PageWidget() const { return page_; }

}  // namespace com
