#include "mdi_form.h"

#include <algorithm>

#include <QIcon>
#include <QMdiArea>
#include <QPixmap>
#include <QMdiSubWindow>

#include "application.h"
#include "err.h"
#include "form_window.h"
#include "member_names.h"
#include "picture_box.h"
#include "widget_hooks.h"

namespace forms {

namespace {
MDIForm* g_instance = nullptr;
}

MDIForm::MDIForm(std::string name) : Form(std::move(name)) {
    g_instance = this;
    state_.clientWidth = 9600;
    state_.clientHeight = 7200;
}

MDIForm::~MDIForm() {
    if (g_instance == this) g_instance = nullptr;
}

MDIForm* MDIForm::Instance() { return g_instance; }

QWidget* MDIForm::CreateWindow() {
    auto* fw = new FormWindow(this);
    client_ = fw->Client();
    area_ = new QMdiArea(client_);
    area_->setObjectName(QString::fromStdString(Name()) + QStringLiteral(".MDIClient"));
    area_->setAccessibleDescription(area_->objectName());
    QObject::connect(area_, &QMdiArea::subWindowActivated, area_, [](QMdiSubWindow* sub) {
        if (!sub) return;
        if (Form* f = detail::FormOfWidget(sub)) f->OnActivated();
    });
    fw->Client()->resized = [this] { ClientResized(); };
    return fw;
}

void MDIForm::AfterWindowCreated() {
    clientHwnd_ = win::CreateWindowHandle(area_, "MDIClient", win::WS_CHILD | win::WS_VISIBLE, hwnd_);
}

void MDIForm::BeforeWindowDestroyed() {
    area_ = nullptr;
    activeChild_ = nullptr;
    activation_.clear();
}

void MDIForm::ClientResized() {
    Form::ClientResized();
    LayoutClient();
}

void MDIForm::LayoutClient() {
    if (!area_ || !client_) return;
    int top = 0;
    int bottom = client_->height();
    for (Control* c : controls_) {
        auto* p = dynamic_cast<PictureBox*>(c);
        if (!p || !p->Widget() || !p->RawVisible()) continue;
        if (p->RawAlign() == 1) top = std::max(top, p->Widget()->geometry().bottom() + 1);
        if (p->RawAlign() == 2) bottom = std::min(bottom, p->Widget()->geometry().top());
    }
    area_->setGeometry(0, top, client_->width(), std::max(0, bottom - top));
}

QWidget* MDIForm::AdoptChild(Form& child, FormWindow* childWindow) {
    QMdiSubWindow* sub = area_->addSubWindow(new ChildFormScroller(childWindow));
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowTitle(QString::fromStdString(child.state_.caption));
    if (!child.state_.icon) {
        // No icon of its own: an empty one rather than the toolkit's logo.
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        sub->setWindowIcon(QIcon(blank));
    }
    sub->hide();
    return sub;
}

Form* MDIForm::ActiveForm() {
    Touch();
    if (activeChild_ && activeChild_->IsLoaded() && activeChild_->state_.visible) return activeChild_;
    return nullptr;
}

void MDIForm::ChildActivated(Form* child) {
    activeChild_ = child;
    activation_.erase(std::remove(activation_.begin(), activation_.end(), child), activation_.end());
    activation_.push_back(child);
}

void MDIForm::ChildHidden(Form* child) {
    if (activeChild_ != child) return;
    activeChild_ = nullptr;
    for (auto it = activation_.rbegin(); it != activation_.rend(); ++it) {
        Form* f = *it;
        if (f != child && f->IsLoaded() && f->state_.visible) {
            activeChild_ = f;
            if (area_) {
                if (auto* sub = qobject_cast<QMdiSubWindow*>(f->Window())) area_->setActiveSubWindow(sub);
            }
            break;
        }
    }
}

void MDIForm::ChildGone(Form* child) {
    ChildHidden(child);
    activation_.erase(std::remove(activation_.begin(), activation_.end(), child), activation_.end());
    if (activeChild_ == child) activeChild_ = nullptr;
}

std::vector<Form*> MDIForm::Children() const {
    std::vector<Form*> out;
    for (Form* f : Forms()) {
        if (f->MDIParent() == this) out.push_back(f);
    }
    return out;
}

void MDIForm::Arrange(std::int16_t arrangement) {
    Touch();
    if (arrangement < 0 || arrangement > 3) vb::RaiseError(5);
    if (!area_) return;
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isVisible() && !sub->isMinimized()) windows.push_back(sub);
    }
    if (windows.empty()) return;
    const int n = static_cast<int>(windows.size());
    const QRect r = area_->viewport()->rect();
    CallIntoQt([&] {
        switch (arrangement) {
        case vbCascade: area_->cascadeSubWindows(); break;
        case vbTileHorizontal:
            for (int i = 0; i < n; ++i) {
                const int y0 = r.height() * i / n, y1 = r.height() * (i + 1) / n;
                windows[static_cast<std::size_t>(i)]->setGeometry(0, y0, r.width(), y1 - y0);
            }
            break;
        case vbTileVertical:
            for (int i = 0; i < n; ++i) {
                const int x0 = r.width() * i / n, x1 = r.width() * (i + 1) / n;
                windows[static_cast<std::size_t>(i)]->setGeometry(x0, 0, x1 - x0, r.height());
            }
            break;
        default: break;
        }
    });
    for (QMdiSubWindow* sub : windows) {
        if (Form* f = detail::FormOfWidget(sub)) {
            f->state_.left = PixelsToTwips(sub->x());
            f->state_.top = PixelsToTwips(sub->y());
        }
    }
}

bool MDIForm::UnloadForm(std::int16_t unloadMode) {
    if (!loaded_) return true;
    if (unloading_ || loading_) return false;
    unloading_ = true;
    try {
        if (!QueryUnloadStep(unloadMode)) {
            unloading_ = false;
            return false;
        }
        // Runs one unload step of a child with the child marked as unloading.
        auto childStep = [](Form& child, auto step) {
            child.unloading_ = true;
            bool ok = false;
            try {
                ok = step(child);
            } catch (...) {
                child.unloading_ = false;
                throw;
            }
            child.unloading_ = false;
            return ok;
        };
        for (Form* child : Children()) {
            if (!child->IsLoaded() || child->unloading_) continue;
            if (!childStep(*child, [](Form& c) { return c.QueryUnloadStep(vbFormMDIForm); })) {
                unloading_ = false;
                return false;
            }
        }
        for (Form* child : Children()) {
            if (!child->IsLoaded() || child->unloading_) continue;
            if (!childStep(*child, [](Form& c) { return c.UnloadStep(); })) {
                unloading_ = false;
                return false;
            }
            child->Teardown();
        }
        if (!UnloadStep()) {
            unloading_ = false;
            return false;
        }
    } catch (...) {
        unloading_ = false;
        throw;
    }
    Teardown();
    return true;
}

void MDIForm::Terminate() {
    for (Form* child : Children()) child->Terminate();
    Form::Terminate();
}

vb::Variant MDIForm::GetMember(const std::string& name) {
    if (detail::Lower(name) == "activeform") {
        Form* f = ActiveForm();
        return f ? vb::Variant(f->Ref()) : vb::Variant(vb::ObjectRef{});
    }
    return Form::GetMember(name);
}

vb::Variant MDIForm::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if (detail::Lower(name) == "arrange") {
        Arrange(detail::Arg(args, 0).ToInteger());
        return {};
    }
    return Form::CallMember(name, args);
}

}  // namespace forms
