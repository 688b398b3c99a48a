#include "imagelist.h"

#include <algorithm>

#include <QPixmap>

#include "err.h"
#include "member_names.h"

namespace forms {

namespace {

[[noreturn]] void IndexOutOfBounds() { throw vb::VBError(35600, "Index out of bounds"); }
[[noreturn]] void ElementNotFound() { throw vb::VBError(35601, "Element not found"); }

bool IsIndex(const vb::Variant& v) { return v.IsNumericType(); }

}  // namespace

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
    if (index < 0 || index > Count() + 1) IndexOutOfBounds();
    if (!key.empty() && Find(vb::Variant(key))) throw vb::VBError(35602, "Key is not unique in collection");
    auto image = std::make_shared<ListImage>(key, std::move(picture));
    const std::size_t at = index == 0 ? items_.size() : static_cast<std::size_t>(index - 1);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), image);
    Renumber();
    owner_.Changed();
    return *image;
}

ListImage* ListImages::Find(const vb::Variant& indexOrKey) const {
    if (IsIndex(indexOrKey)) {
        const long i = indexOrKey.ToLong();
        if (i < 1 || i > Count()) return nullptr;
        return items_[static_cast<std::size_t>(i - 1)].get();
    }
    if (indexOrKey.IsEmpty() || indexOrKey.IsNull() || indexOrKey.IsObject()) return nullptr;
    const std::string key = indexOrKey.ToString();
    for (const auto& image : items_) {
        if (image->key_ == key) return image.get();
    }
    return nullptr;
}

ListImage& ListImages::Item(const vb::Variant& indexOrKey) const {
    if (ListImage* image = Find(indexOrKey)) return *image;
    if (IsIndex(indexOrKey)) IndexOutOfBounds();
    ElementNotFound();
}

void ListImages::Remove(const vb::Variant& indexOrKey) {
    ListImage& image = Item(indexOrKey);
    items_.erase(items_.begin() + (image.index_ - 1));
    Renumber();
    owner_.Changed();
}

void ListImages::Clear() {
    items_.clear();
    owner_.Changed();
}

void ListImages::Renumber() {
    for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i + 1);
}

vb::Variant ListImages::GetMember(const std::string& name) {
    if (detail::Lower(name) == "count") return vb::Variant(Count());
    return vb::Object::GetMember(name);
}

vb::Variant ListImages::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    const std::string n = detail::Lower(name);
    if (n == "item") return vb::Variant(Item(detail::Arg(args, 0)).shared_from_this());
    if (n == "add") {
        // Add([Index], [Key], Picture)
        const int index = args.size() > 0 && !args[0].IsEmpty() ? args[0].ToLong() : 0;
        const std::string key = args.size() > 1 && !args[1].IsEmpty() ? args[1].ToString() : std::string();
        PictureRef picture = args.size() > 2 ? PictureFromVariant(args[2]) : nullptr;
        return vb::Variant(Add(index, key, picture).shared_from_this());
    }
    if (n == "remove") {
        Remove(detail::Arg(args, 0));
        return {};
    }
    if (n == "clear") {
        Clear();
        return {};
    }
    if (n == "count" && args.empty()) return vb::Variant(Count());
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
    designImages_ = images_->items_;
    designWidth_ = imageWidth_;
    designHeight_ = imageHeight_;
}

void ImageList::RestoreDesign() {
    Control::RestoreDesign();
    images_->items_ = designImages_;
    images_->Renumber();
    imageWidth_ = designWidth_;
    imageHeight_ = designHeight_;
    Changed();
}

void ImageList::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const ImageList*>(&other)) {
        images_->items_ = o->images_->items_;
        images_->Renumber();
        imageWidth_ = o->imageWidth_;
        imageHeight_ = o->imageHeight_;
    }
}

}  // namespace forms
