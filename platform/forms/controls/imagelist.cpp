#include "imagelist.h"

#include <algorithm>

#include <QPixmap>

#include "collection_members.h"
#include "err.h"
#include "member_names.h"

namespace forms {

// ---- ListImage ----

vb::Variant ListImage::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "index") return vb::Variant(index_);
    if (n == "key") return vb::Variant(key_);
    if (n == "picture") return vb::Variant(vb::ObjectRef(picture_));
    if (n == "tag") return vb::Variant(Tag);
    return vb::Object::GetMember(name);
}

void ListImage::SetMember(const std::string& name, const vb::Variant& value) {
    if (detail::Lower(name) == "tag") {
        Tag = value.ToString();
        return;
    }
    vb::Object::SetMember(name, value);
}

// ---- ListImages ----

ListImage& ListImages::Add(int index, const std::string& key, PictureRef picture) {
    if (!picture || picture->IsEmpty()) throw vb::VBError(35607, "Required argument is missing");
    items_.CheckNew(index, key);
    auto image = std::make_shared<ListImage>(key, std::move(picture));
    items_.Insert(index, image);
    owner_.Changed();
    return *image;
}

void ListImages::Remove(const vb::Variant& indexOrKey) {
    items_.Erase(Item(indexOrKey));
    owner_.Changed();
}

void ListImages::Clear() {
    items_.Clear();
    owner_.Changed();
}

vb::Variant ListImages::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant ListImages::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (auto result = detail::CallCollectionMember(*this, n, args)) return *result;
    if (n == "add") {
        // Add([Index], [Key], Picture)
        const int index = detail::OptionalLong(args, 0, 0);
        const std::string key = detail::OptionalString(args, 1);
        PictureRef picture = args.size() > 2 ? PictureFromVariant(args[2]) : nullptr;
        return detail::ObjectVariant(&Add(index, key, std::move(picture)));
    }
    return vb::Object::CallMember(name, args);
}

// ---- ImageList ----

ImageList::ImageList(ControlParent parent, std::string name, Twips left, Twips top)
    : Control(parent, std::move(name)), images_(std::make_shared<forms::ListImages>(*this)) {
    common_.left = left;
    common_.top = top;
    common_.width = 480;
    common_.height = 480;
    common_.visible = false;  // an image list is never seen at run time
}

void ImageList::ImageWidth(int pixels) {
    if (pixels <= 0) vb::RaiseError(380);
    imageWidth_ = pixels;
    Changed();
}

void ImageList::ImageHeight(int pixels) {
    if (pixels <= 0) vb::RaiseError(380);
    imageHeight_ = pixels;
    Changed();
}

QIcon ImageList::Icon(const vb::Variant& indexOrKey) const {
    ListImage* image = images_->Find(indexOrKey);
    if (!image) return {};
    return QIcon(image->Picture()->Pixmap().scaled(imageWidth_, imageHeight_, Qt::KeepAspectRatio,
                                                   Qt::SmoothTransformation));
}

ImageList::~ImageList() {
    auto listeners = std::move(listeners_);
    listeners_.clear();
    for (auto& l : listeners) {
        if (l.gone) l.gone();
    }
}

void ImageList::AddListener(void* owner, std::function<void()> changed, std::function<void()> gone) {
    RemoveListener(owner);
    listeners_.push_back(Listener{owner, std::move(changed), std::move(gone)});
}

void ImageList::RemoveListener(void* owner) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [owner](const Listener& l) { return l.owner == owner; }),
                     listeners_.end());
}

void ImageList::Changed() {
    auto listeners = listeners_;
    for (auto& l : listeners) {
        if (l.changed) l.changed();
    }
}

vb::Variant ImageList::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "listimages") return vb::Variant(vb::ObjectRef(images_));
    if (n == "imagewidth") return vb::Variant(ImageWidth());
    if (n == "imageheight") return vb::Variant(ImageHeight());
    return Control::GetMember(name);
}

void ImageList::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "imagewidth") return ImageWidth(value.ToLong());
    if (n == "imageheight") return ImageHeight(value.ToLong());
    Control::SetMember(name, value);
}

void ImageList::SaveDesign() {
    Control::SaveDesign();
    designImages_ = images_->items_.All();
    designWidth_ = imageWidth_;
    designHeight_ = imageHeight_;
}

void ImageList::RestoreDesign() {
    Control::RestoreDesign();
    images_->items_.Assign(designImages_);
    imageWidth_ = designWidth_;
    imageHeight_ = designHeight_;
    Changed();
}

void ImageList::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const ImageList*>(&other)) {
        images_->items_.Assign(o->images_->items_.All());
        imageWidth_ = o->imageWidth_;
        imageHeight_ = o->imageHeight_;
    }
}

}  // namespace forms
