#include "image.h"

#include <QPainter>
#include <QWidget>

#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
class ImageWidget : public QWidget {
public:
    ImageWidget(Image* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const PictureRef& pic = owner_->RawPicture();
        if (pic && !pic->IsEmpty()) {
            if (owner_->RawStretch()) {
                p.drawPixmap(rect(), pic->Pixmap());
            } else {
                p.drawPixmap(0, 0, pic->Pixmap());
            }
        }
        if (owner_->RawBorderStyle() == 1) {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    Image* owner_;
};
}  // namespace

Image::Image(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
    mouseClicks_ = true;
}

PictureRef Image::Picture() const {
    Touch();
    return state_.picture;
}

void Image::FitToPicture() {
    if (state_.stretch || !state_.picture || state_.picture->IsEmpty()) return;
    common_.width = PixelsToTwips(state_.picture->Pixmap().width());
    common_.height = PixelsToTwips(state_.picture->Pixmap().height());
}

void Image::Picture(PictureRef picture) {
    Touch();
    state_.picture = std::move(picture);
    FitToPicture();
    if (widget_) {
        PlaceWidget();
        widget_->update();
    }
}

bool Image::Stretch() const {
    Touch();
    return state_.stretch;
}

void Image::Stretch(bool v) {
    Touch();
    state_.stretch = v;
    FitToPicture();
    if (widget_) {
        PlaceWidget();
        widget_->update();
    }
}

std::int16_t Image::BorderStyle() const {
    Touch();
    return state_.borderStyle;
}

void Image::BorderStyle(std::int16_t v) {
    Touch();
    if (v < 0 || v > 1) vb::RaiseError(380);
    state_.borderStyle = v;
    if (widget_) widget_->update();
}

vb::Variant Image::BoundValue() const { return vb::Variant(vb::ObjectRef(state_.picture)); }

void Image::ShowBoundValue(const vb::Variant& value) {
    if (value.IsObject()) Picture(PictureFromVariant(value));
    common_.dataChanged = false;
}

QWidget* Image::CreateWidget(QWidget* parent) { return new ImageWidget(this, parent); }

void Image::ApplyState() { widget_->update(); }

vb::Variant Image::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "picture") return vb::Variant(vb::ObjectRef(Picture()));
    if (n == "stretch") return vb::Variant(Stretch());
    if (n == "borderstyle") return vb::Variant(BorderStyle());
    return Control::GetMember(name);
}

void Image::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "picture") return Picture(PictureFromVariant(value));
    if (n == "stretch") return Stretch(value.ToBool());
    if (n == "borderstyle") return BorderStyle(value.ToInteger());
    Control::SetMember(name, value);
}

void Image::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void Image::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void Image::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Image*>(&other)) state_ = o->state_;
}

}  // namespace forms
