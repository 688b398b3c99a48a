#include "form.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "accessibility.h"
#include "application.h"
#include "control_array.h"
#include "err.h"
#include "form_window.h"
#include "mdi_form.h"
#include "member_names.h"
#include "menu.h"
#include "picture_box.h"
#include "scripted_user.h"
#include "widget_hooks.h"

namespace forms {

namespace {
// The border and title bar around a form's client area, in pixels.
constexpr int kBorderX = 8;
constexpr int kBorderY = 8 + 26;
constexpr int kMenuBarHeight = 20;

// The client area draws in the form's font, built on the application's
// font rather than on what the client had before, so that a face named once
// and then cleared goes back to the desktop's face.
void ApplyFontToClient(const forms::Font& font, QWidget& client) {
    QFont f = QApplication::font(&client);
    font.ApplyTo(f);
    client.setFont(f);
}

// Brings a window to the front (the offscreen platform has no stacking).
void RaiseWindow(QWidget* w) {
    static const bool stacking = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                 QGuiApplication::platformName() != QLatin1String("minimal");
    if (stacking || !w->isWindow()) w->raise();
}
}  // namespace

Form::Form(std::string name) : font_(std::make_shared<forms::Font>()), name_(std::move(name)) {
    state_.caption = name_;
    font_->changed = [this] {
        if (client_) ApplyFontToClient(*font_, *client_);
    };
}

Form::~Form() {
    font_->changed = nullptr;
    if (loaded_) {
        Terminate();
        detail::FormUnloaded(this);
    }
}

void Form::Touch() const {
    if (!designing_ && !loaded_ && !loading_ && !unloading_) const_cast<Form*>(this)->LoadForm();
}

void Form::EnsureLoaded() { Touch(); }

QWidget* Form::ClientWidget() const { return client_; }

QWidget* Form::Window() const { return window_; }

void Form::EndDesign() {
    if (!designing_) return;
    design_ = state_;
    fontDesign_.CopyFrom(*font_);
    for (Control* c : controls_) c->SaveDesign();
    designing_ = false;  // only now: saving may read design values
}

// ---- geometry ----

namespace {
bool HasVisibleMenuBar(const ControlList& controls) {
    for (Control* c : controls) {
        auto* m = dynamic_cast<Menu*>(c);
        if (m && !m->Container() && m->RawVisible()) return true;
    }
    return false;
}
}  // namespace

// The border left and right of the client area.
static Twips ExtraX(std::int16_t borderStyle) {
    return borderStyle == 0 ? 0 : PixelsToTwips(kBorderX);
}

// The title bar, border and menu bar above and below the client area.
static Twips ExtraY(const ControlList& controls, std::int16_t borderStyle) {
    Twips extra = 0;
    if (borderStyle != 0) extra += PixelsToTwips(kBorderY);
    if (HasVisibleMenuBar(controls)) extra += PixelsToTwips(kMenuBarHeight);
    return extra;
}

Twips Form::Left() const {
    Touch();
    return state_.left;
}

void Form::Left(Twips v) {
    Move(v);
}

Twips Form::Top() const {
    Touch();
    return state_.top;
}

void Form::Top(Twips v) {
    Touch();
    Move(state_.left, v);
}

Twips Form::Width() const {
    Touch();
    return state_.clientWidth + ExtraX(state_.borderStyle);
}

void Form::Width(Twips v) {
    Touch();
    Move(state_.left, state_.top, v);
}

Twips Form::Height() const {
    Touch();
    return state_.clientHeight + ExtraY(controls_, state_.borderStyle);
}

void Form::Height(Twips v) {
    Touch();
    Move(state_.left, state_.top, kOmittedTwips, v);
}

void Form::Move(Twips left, Twips top, Twips width, Twips height) {
    Touch();
    if ((IsGivenTwips(width) && width < 0) || (IsGivenTwips(height) && height < 0)) vb::RaiseError(380);
    state_.left = left;
    if (IsGivenTwips(top)) state_.top = top;
    state_.positionSet = true;
    if (IsGivenTwips(width)) state_.clientWidth = std::max<Twips>(0, width - ExtraX(state_.borderStyle));
    if (IsGivenTwips(height)) state_.clientHeight = std::max<Twips>(0, height - ExtraY(controls_, state_.borderStyle));
    if (loaded_ && window_) {
        CallIntoQt([&] { PlaceWindow(); });
        FireResizeIfChanged();
    }
}

Twips Form::ScaleWidth() const {
    Touch();
    return state_.clientWidth;
}

Twips Form::ScaleHeight() const {
    Touch();
    return state_.clientHeight;
}

void Form::ClientSize(Twips width, Twips height) {
    Touch();
    if (width < 0 || height < 0) vb::RaiseError(380);
    state_.clientWidth = width;
    state_.clientHeight = height;
    if (loaded_ && window_) {
        CallIntoQt([&] { PlaceWindow(); });
        FireResizeIfChanged();
    }
}

void Form::PlaceWindow() {
    if (!window_ || !client_) return;
    auto* fw = static_cast<FormWindow*>(client_->parentWidget());
    const int cw = TwipsToPixels(state_.clientWidth);
    const int ch = TwipsToPixels(state_.clientHeight);
    placing_ = true;
    fw->SetClientSize(cw, ch);
    if (mdiParent_) {
        window_->resize(fw->width() + kBorderX, fw->height() + kBorderY - 8);
        if (state_.positionSet) window_->move(TwipsToPixels(state_.left), TwipsToPixels(state_.top));
    } else if (state_.positionSet) {
        window_->move(TwipsToPixels(state_.left), TwipsToPixels(state_.top));
    }
    placing_ = false;
}

void Form::PlaceAtFirstShow() {
    if (!window_ || mdiParent_) return;
    const QSize outer(window_->width() + kBorderX, window_->height() + kBorderY);
    QRect area;
    if (state_.startUpPosition == 2) {
        if (QScreen* s = QGuiApplication::primaryScreen()) area = s->availableGeometry();
    } else if (state_.startUpPosition == 1) {
        Form* owner = ActiveForm();
        if (owner && owner != this && owner->Window()) area = owner->Window()->window()->frameGeometry();
        if (area.isEmpty()) {
            if (QScreen* s = QGuiApplication::primaryScreen()) area = s->availableGeometry();
        }
    }
    if (area.isEmpty()) return;
    const QPoint at(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    placing_ = true;
    window_->move(std::max(area.x(), at.x()), std::max(area.y(), at.y()));
    placing_ = false;
    state_.left = PixelsToTwips(window_->x());
    state_.top = PixelsToTwips(window_->y());
}

void Form::FireResizeIfChanged() {
    if (!loaded_) return;
    const int w = TwipsToPixels(state_.clientWidth);
    const int h = TwipsToPixels(state_.clientHeight);
    if (w == lastResizeW_ && h == lastResizeH_) return;
    lastResizeW_ = w;
    lastResizeH_ = h;
    FireResize();
}

void Form::OnResized() {
    if (!loaded_ || loading_ || placing_ || !client_ || !window_ || !window_->isVisible()) return;
    const QSize s = client_->size();
    if (s.width() != TwipsToPixels(state_.clientWidth)) state_.clientWidth = PixelsToTwips(s.width());
    if (s.height() != TwipsToPixels(state_.clientHeight)) state_.clientHeight = PixelsToTwips(s.height());
    if (s.width() == lastResizeW_ && s.height() == lastResizeH_) return;
    lastResizeW_ = s.width();
    lastResizeH_ = s.height();
    RaiseEvent([this] { FireResize(); });
}

void Form::OnMoved() {
    if (!loaded_ || placing_ || !window_ || !window_->isVisible()) return;
    state_.left = PixelsToTwips(window_->x());
    state_.top = PixelsToTwips(window_->y());
}

// ---- simple members ----

std::string Form::Caption() const {
    Touch();
    return state_.caption;
}

void Form::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    if (window_) {
        window_->setWindowTitle(QString::fromStdString(caption));
        if (client_ && client_->parentWidget() != window_)
            client_->parentWidget()->setWindowTitle(QString::fromStdString(caption));
    }
}

bool Form::Visible() const {
    Touch();
    return state_.visible;
}

void Form::Visible(bool v) {
    if (v) {
        Show();
    } else {
        Hide();
    }
}

bool Form::Enabled() const {
    Touch();
    return state_.enabled;
}

void Form::Enabled(bool v) {
    Touch();
    state_.enabled = v;
    if (window_) window_->setEnabled(v);
}

bool Form::KeyPreview() const {
    Touch();
    return state_.keyPreview;
}

void Form::KeyPreview(bool v) {
    Touch();
    state_.keyPreview = v;
}

std::string Form::Tag() const {
    Touch();
    return state_.tag;
}

void Form::Tag(const std::string& v) {
    Touch();
    state_.tag = v;
}

std::int16_t Form::WindowState() const {
    Touch();
    if (window_ && window_->isVisible()) {
        if (window_->isMinimized()) return 1;
        if (window_->isMaximized()) return 2;
        return 0;
    }
    return state_.windowState;
}

void Form::WindowState(std::int16_t v) {
    Touch();
    if (v < 0 || v > 2) vb::RaiseError(380);
    state_.windowState = v;
    if (window_ && window_->isVisible()) ApplyWindowState();
}

void Form::ApplyWindowState() {
    if (!window_) return;
    CallIntoQt([&] {
        switch (state_.windowState) {
        case 1: window_->showMinimized(); break;
        case 2: window_->showMaximized(); break;
        default: window_->showNormal(); break;
        }
    });
}

std::int16_t Form::StartUpPosition() const {
    Touch();
    return state_.startUpPosition;
}

void Form::StartUpPosition(std::int16_t v) {
    Touch();
    if (v < 0 || v > 3) vb::RaiseError(380);
    state_.startUpPosition = v;
}

std::int16_t Form::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void Form::BorderStyle(std::int16_t v) {
    if (!designing_) vb::RaiseError(382);
    if (v < 0 || v > 5) vb::RaiseError(380);
    state_.borderStyle = v;
}

std::int16_t Form::MousePointer() const {
    Touch();
    return state_.mousePointer;
}

void Form::MousePointer(std::int16_t v) {
    Touch();
    state_.mousePointer = v;
    if (window_) {
        if (v == 11) {
            window_->setCursor(Qt::WaitCursor);
        } else {
            window_->unsetCursor();
        }
    }
}

forms::Font& Form::Font() {
    Touch();
    return *font_;
}

PictureRef Form::Icon() const {
    Touch();
    return state_.icon;
}

void Form::Icon(PictureRef picture) {
    Touch();
    state_.icon = std::move(picture);
    if (window_) window_->setWindowIcon(state_.icon ? QIcon(state_.icon->Pixmap()) : QIcon());
}

void Form::MDIChild(bool v) {
    if (!designing_) vb::RaiseError(382);
    mdiChild_ = v;
}

ControlList& Form::Controls() {
    Touch();
    return controls_;
}

Control* Form::ActiveControl() {
    Touch();
    QWidget* focus = window_ ? window_->window()->focusWidget() : nullptr;
    Control* c = focus ? Control::FromWidget(focus) : nullptr;
    return c && &c->Parent() == this ? c : nullptr;
}

win::HWND Form::hWnd() {
    Touch();
    return hwnd_;
}

// ---- load ----

void Form::ClientResized() {
    for (Control* c : controls_) {
        auto* p = dynamic_cast<PictureBox*>(c);
        if (p && p->Widget() && p->RawAlign() != 0) p->Replace();
    }
}

QWidget* Form::CreateWindow() {
    auto* fw = new FormWindow(this);
    client_ = fw->Client();
    fw->Client()->resized = [this] { ClientResized(); };
    if (mdiParent_) return mdiParent_->AdoptChild(*this, fw);
    return fw;
}

std::uint32_t Form::WindowStyle() const {
    if (mdiChild_) return win::WS_CHILD | win::WS_CAPTION | win::WS_THICKFRAME;
    std::uint32_t style = 0;
    if (state_.borderStyle != 0) style |= win::WS_CAPTION;
    if (state_.borderStyle == 2 || state_.borderStyle == 5) style |= win::WS_THICKFRAME;
    return style;
}

void Form::LoadForm() {
    if (loaded_ || loading_) return;
    if (detail::EndCalled()) throw EndRequest{};
    EndDesign();
    EnsureQtApplication();
    loading_ = true;
    try {
        if (mdiChild_) {
            MDIForm* parent = MDIForm::Instance();
            if (!parent) parent = dynamic_cast<MDIForm*>(detail::MakeMDIForm());
            if (!parent) vb::RaiseError(366);
            parent->LoadForm();
            if (!parent->IsLoaded()) vb::RaiseError(366);
            mdiParent_ = parent;
        }
        window_ = CreateWindow();
        const QString n = QString::fromStdString(name_);
        window_->setObjectName(n);
        window_->setAccessibleDescription(n);
        window_->setWindowTitle(QString::fromStdString(state_.caption));
        if (client_->parentWidget() != window_) client_->parentWidget()->setWindowTitle(window_->windowTitle());
        client_->setObjectName(n + QStringLiteral(".client"));
        detail::HookFormWidget(window_, this);
        detail::HookFormWidget(client_, this);
        if (client_->parentWidget() != window_) detail::HookFormWidget(client_->parentWidget(), this);
        detail::RefreshAccessible(client_->parentWidget());
        ApplyFontToClient(*font_, *client_);
        if (state_.icon) window_->setWindowIcon(QIcon(state_.icon->Pixmap()));
        window_->setEnabled(state_.enabled);
        const win::HWND parentHwnd = mdiParent_ ? mdiParent_->clientHwnd_ : 0;
        hwnd_ = win::CreateWindowHandle(window_, WindowClass(), WindowStyle(), parentHwnd);
        AfterWindowCreated();
        for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) {
            if (!dynamic_cast<Menu*>(c)) c->CreateNative();
        }
        BuildMenus();
        ApplyTabOrderNow();
        PlaceWindow();
        state_.visible = false;
    } catch (...) {
        DestroyWindows();
        loading_ = false;
        mdiParent_ = nullptr;
        throw;
    }
    loading_ = false;
    loaded_ = true;
    lastResizeW_ = lastResizeH_ = -1;
    detail::FormLoaded(this, std::static_pointer_cast<Form>(weak_from_this().lock()));
    FireLoad();
}

void Form::BuildMenus() {
    bool any = false;
    for (Control* c : controls_) {
        if (dynamic_cast<Menu*>(c)) any = true;
    }
    if (!any || !client_) return;
    auto* fw = static_cast<FormWindow*>(client_->parentWidget());
    menuBar_ = fw->MenuBar();
    for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) {
        if (auto* m = dynamic_cast<Menu*>(c)) m->CreateNative();
    }
    UpdateMenuBarVisibility();
}

void Form::UpdateMenuBarVisibility() {
    if (menuBar_) menuBar_->setVisible(HasVisibleMenuBar(controls_));
}

void Form::ApplyTabOrderNow() {
    std::vector<Control*> order;
    for (Control* c : controls_) {
        if (c->HasTabIndex() && c->CanFocus() && c->Widget()) order.push_back(c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->RawTabIndex() < b->RawTabIndex(); });
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (order[i - 1]->Widget()->window() == order[i]->Widget()->window())
            QWidget::setTabOrder(order[i - 1]->Widget(), order[i]->Widget());
    }
}

// ---- show and hide ----

void Form::Show(std::int16_t modal, Form* owner) {
    (void)owner;
    if (modal != vbModeless && modal != vbModal) vb::RaiseError(5);
    LoadForm();
    if (!loaded_) return;
    if (modal == vbModal && mdiChild_) vb::RaiseError(403);
    if (modal == vbModal && state_.visible) vb::RaiseError(400);
    if (mdiParent_ && !mdiParent_->state_.visible) mdiParent_->Show();
    if (!loaded_) return;
    if (modal == vbModal) window_->setWindowModality(Qt::ApplicationModal);
    const bool first = !shownOnce_;
    shownOnce_ = true;
    if (first) PlaceAtFirstShow();
    state_.visible = true;
    CallIntoQt([&] {
        if (state_.windowState != 0) {
            ApplyWindowState();
        } else {
            window_->show();
        }
        if (mdiParent_) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(window_)) {
                sub->widget()->show();
                mdiParent_->Area()->setActiveSubWindow(sub);
            }
        }
        RaiseWindow(window_);
        window_->activateWindow();
    });
    if (!loaded_) return;
    FireResizeIfChanged();
    if (!loaded_) return;
    if (mdiParent_) mdiParent_->ChildActivated(this);
    if (ActiveForm() != this) {
        detail::SetActiveForm(this);
        FireActivate();
    }
    if (modal != vbModal || !loaded_) return;
    ++modalDepth_;
    if (ScriptedUser* user = CurrentScriptedUser()) user->ModalShown(*this);
    detail::RunModalLoop([this] { return !loaded_ || !state_.visible; });
    --modalDepth_;
    if (window_) window_->setWindowModality(Qt::NonModal);
    if (detail::EndCalled()) throw EndRequest{};
}

void Form::Hide() {
    Touch();
    if (!loaded_) return;
    state_.visible = false;
    CallIntoQt([&] { window_->hide(); });
    if (window_) window_->setWindowModality(Qt::NonModal);
    if (ActiveForm() == this) detail::SetActiveForm(nullptr);
    if (mdiParent_) mdiParent_->ChildHidden(this);
    detail::WakeModal();
}

void Form::Refresh() {
    Touch();
    if (!window_) return;
    detail::WaitUntilExposed(window_);
    if (window_) CallIntoQt([&] { window_->repaint(); });
}

void Form::SetFocus() {
    Touch();
    if (!state_.visible || !state_.enabled) vb::RaiseError(5);
    CallIntoQt([&] {
        RaiseWindow(window_);
        window_->activateWindow();
    });
}

void Form::ZOrder(int position) {
    Touch();
    if (!window_) return;
    if (position == 0) {
        RaiseWindow(window_);
    } else {
        window_->lower();
    }
}

Twips Form::TextWidth(const std::string& text) {
    Touch();
    QFont f = client_ ? client_->font() : QFont();
    font_->ApplyTo(f);
    const QFontMetrics fm(f);
    int widest = 0;
    for (const QString& line : QString::fromStdString(text).split(QStringLiteral("\r\n")))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return PixelsToTwips(widest);
}

Twips Form::TextHeight(const std::string& text) {
    Touch();
    QFont f = client_ ? client_->font() : QFont();
    font_->ApplyTo(f);
    const QFontMetrics fm(f);
    const auto lines = QString::fromStdString(text).split(QStringLiteral("\r\n")).size();
    return PixelsToTwips(fm.height() * static_cast<int>(std::max<qsizetype>(1, lines)));
}

void Form::PopupMenu(Menu& menu) {
    Touch();
    if (&menu.Parent() != this || !menu.Submenu()) vb::RaiseError(5);
    if (ScriptedUser* user = CurrentScriptedUser()) {
        user->PopupShown(menu);
        return;
    }
    QMenu* m = menu.Submenu();
    detail::RunNested([&] { m->exec(QCursor::pos()); });
}

// ---- unload ----

bool Form::QueryUnloadStep(std::int16_t mode) {
    std::int16_t cancel = 0;
    FireQueryUnload(cancel, mode);
    return cancel == 0;
}

bool Form::UnloadStep() {
    for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) c->FormUnloading();
    std::int16_t cancel = 0;
    FireUnload(cancel);
    return cancel == 0;
}

bool Form::UnloadForm(std::int16_t unloadMode) {
    if (!loaded_) return true;
    if (unloading_ || loading_) return false;
    unloading_ = true;
    try {
        if (!QueryUnloadStep(unloadMode) || !loaded_ || !UnloadStep()) {
            unloading_ = false;
            return !loaded_;
        }
    } catch (...) {
        unloading_ = false;
        throw;
    }
    Teardown();
    return true;
}

void Form::Teardown() {
    if (ActiveForm() == this) detail::SetActiveForm(nullptr);
    DestroyWindows();
    loaded_ = false;
    unloading_ = false;
    RestoreDesign();
    MDIForm* parent = std::exchange(mdiParent_, nullptr);
    if (parent) parent->ChildGone(this);
    detail::FormUnloaded(this);  // the last use of this form here
}

void Form::Terminate() {
    if (!loaded_ && !window_) return;
    DestroyWindows();
    loaded_ = false;
    unloading_ = false;
    loading_ = false;
    RestoreDesign();
    mdiParent_ = nullptr;
}

void Form::RestoreDesign() {
    if (designing_) return;
    state_ = design_;
    font_->CopyFrom(fontDesign_);
    for (Control* c : controls_) c->RestoreDesign();
}

void Form::DestroyWindows() {
    for (ControlArrayBase* a : std::vector<ControlArrayBase*>(arrays_)) a->RemoveRuntimeElements();
    std::vector<Control*> all(controls_.begin(), controls_.end());
    for (auto it = all.rbegin(); it != all.rend(); ++it) (*it)->DestroyNative();
    menuBar_ = nullptr;
    BeforeWindowDestroyed();
    if (clientHwnd_) {
        win::DestroyWindow(clientHwnd_);
        clientHwnd_ = 0;
    }
    if (hwnd_) {
        win::DestroyWindow(hwnd_);
        hwnd_ = 0;
    }
    if (window_) {
        detail::UnhookWidget(window_);
        if (client_) {
            detail::UnhookWidget(client_);
            if (client_->parentWidget() != window_) detail::UnhookWidget(client_->parentWidget());
            // The window is deleted later; the form may be gone by then.
            if (auto* fw = dynamic_cast<FormWindow*>(client_->parentWidget())) fw->DetachFromForm();
        }
        window_->hide();
        if (mdiParent_) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(window_)) {
                if (mdiParent_->Area()) mdiParent_->Area()->removeSubWindow(sub);
            }
        }
        window_->deleteLater();
    }
    window_ = nullptr;
    client_ = nullptr;
    shownOnce_ = false;
    lastResizeW_ = lastResizeH_ = -1;
}

void Form::OnCloseRequested() {
    RaiseEvent([this] { UnloadForm(vbFormControlMenu); });
}

void Form::OnActivated() {
    if (!loaded_ || loading_ || !state_.visible) return;
    if (mdiParent_) mdiParent_->ChildActivated(this);
    if (ActiveForm() == this) return;
    detail::SetActiveForm(this);
    RaiseEvent([this] { FireActivate(); });
}

// ---- late binding ----

vb::ObjectRef Form::Ref() {
    std::shared_ptr<vb::Object> self = weak_from_this().lock();
    if (self) return self;
    return vb::ObjectRef(vb::ObjectRef{}, this);
}

vb::Variant Form::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "name") return vb::Variant(name_);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "left") return vb::Variant(Left());
    if (n == "top") return vb::Variant(Top());
    if (n == "width") return vb::Variant(Width());
    if (n == "height") return vb::Variant(Height());
    if (n == "scalewidth") return vb::Variant(ScaleWidth());
    if (n == "scaleheight") return vb::Variant(ScaleHeight());
    if (n == "visible") return vb::Variant(Visible());
    if (n == "enabled") return vb::Variant(Enabled());
    if (n == "keypreview") return vb::Variant(KeyPreview());
    if (n == "tag") return vb::Variant(Tag());
    if (n == "windowstate") return vb::Variant(WindowState());
    if (n == "mousepointer") return vb::Variant(MousePointer());
    if (n == "hwnd") return vb::Variant(static_cast<long long>(hWnd()));
    if (n == "font") {
        Touch();
        return vb::Variant(vb::ObjectRef(font_));
    }
    if (n == "controls") {
        Touch();
        return vb::Variant(vb::ObjectRef(Ref(), &controls_));
    }
    if (n == "activecontrol") {
        Control* c = ActiveControl();
        return c ? vb::Variant(c->Ref()) : vb::Variant(vb::ObjectRef{});
    }
    if (n == "mdichild") return vb::Variant(mdiChild_);
    if (Control* c = controls_.Find(name)) {
        Touch();
        return vb::Variant(c->Ref());
    }
    if (ControlArrayBase* a = FindArray(name)) {
        Touch();
        return vb::Variant(vb::ObjectRef(Ref(), a));
    }
    return vb::Object::GetMember(name);
}

void Form::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "left") return Left(static_cast<Twips>(value.ToDouble()));
    if (n == "top") return Top(static_cast<Twips>(value.ToDouble()));
    if (n == "width") return Width(static_cast<Twips>(value.ToDouble()));
    if (n == "height") return Height(static_cast<Twips>(value.ToDouble()));
    if (n == "visible") return Visible(value.ToBool());
    if (n == "enabled") return Enabled(value.ToBool());
    if (n == "keypreview") return KeyPreview(value.ToBool());
    if (n == "tag") return Tag(value.ToString());
    if (n == "windowstate") return WindowState(value.ToInteger());
    if (n == "mousepointer") return MousePointer(value.ToInteger());
    vb::Object::SetMember(name, value);
}

vb::Variant Form::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "show") {
        Show(args.empty() || args[0].IsEmpty() ? vbModeless : args[0].ToInteger());
        return {};
    }
    if (n == "hide") {
        Hide();
        return {};
    }
    if (n == "refresh") {
        Refresh();
        return {};
    }
    if (n == "setfocus") {
        SetFocus();
        return {};
    }
    if (n == "zorder") {
        ZOrder(args.empty() ? 0 : args[0].ToInteger());
        return {};
    }
    if (n == "textwidth") return vb::Variant(TextWidth(detail::Arg(args, 0).ToString()));
    if (n == "textheight") return vb::Variant(TextHeight(detail::Arg(args, 0).ToString()));
    if (n == "move") {
        detail::CallMove(*this, args);
        return {};
    }
    if (n == "popupmenu") {
        vb::ObjectRef o = detail::Arg(args, 0).ToObject();
        auto* m = dynamic_cast<Menu*>(o.get());
        if (!m) vb::RaiseError(13);
        PopupMenu(*m);
        return {};
    }
    if (!args.empty()) {
        if (ControlArrayBase* a = FindArray(name)) return vb::Variant(a->ItemControl(args[0].ToInteger()).Ref());
    }
    if (args.empty()) return GetMember(name);
    return vb::Object::CallMember(name, args);
}

// ---- statements ----

void Load(Form& form) { form.LoadForm(); }

void Unload(Form& form) { form.UnloadForm(vbFormCode); }

void Unload(Control& element) {
    if (!element.IsArrayElement()) vb::RaiseError(362);
    element.Array()->Unload(element.Index());
}

}  // namespace forms
