#pragma once
// ImageList: a windowless store of pictures that trees (and other controls)
// draw their items with. Images are numbered from 1 and may carry a key.
//
//     forms::ImageList imglstTree{this, "imglstTree"};
//     imglstTree.ListImages().Add(1, "composer", forms::LoadPicture(path));
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QIcon>

#include "control.h"
#include "keyed_items.h"
#include "picture.h"

namespace forms {

class ImageList;

// One picture of an image list.
class ListImage : public vb::Object {
public:
    ListImage(std::string key, PictureRef picture) : key_(std::move(key)), picture_(std::move(picture)) {}
    std::string TypeName() const override { return "ListImage"; }
    int Index() const { return index_; }
    const std::string& Key() const { return key_; }
    PictureRef Picture() const { return picture_; }
    std::string Tag;

    vb::Variant GetMember(const std::string& name) override;  // Index, Key, Picture, Tag
    void SetMember(const std::string& name, const vb::Variant& value) override;  // Tag

private:
    friend class ListImages;
    template <class> friend class detail::KeyedItems;
    int index_ = 0;
    std::string key_;
    PictureRef picture_;
};

// The ListImages collection.
class ListImages : public vb::Object {
public:
    explicit ListImages(ImageList& owner) : owner_(owner) {}
    std::string TypeName() const override { return "ListImages"; }

    // Adds a picture at `index` (at the end when 0); error 35602 for a key
    // already used, 35600 for an index beyond the end, 35607 without a picture.
    ListImage& Add(int index, const std::string& key, PictureRef picture);
    ListImage& Add(PictureRef picture) { return Add(0, {}, std::move(picture)); }
    int Count() const { return items_.Count(); }
    // By 1-based index (error 35600 out of range) or key (error 35601 unknown).
    ListImage& Item(const vb::Variant& indexOrKey) const { return items_.Item(indexOrKey); }
    ListImage& operator()(const vb::Variant& indexOrKey) const { return Item(indexOrKey); }
    // Null when the index or key names no image.
    ListImage* Find(const vb::Variant& indexOrKey) const { return items_.Find(indexOrKey); }
    void Remove(const vb::Variant& indexOrKey);
    void Clear();

    vb::Variant GetMember(const std::string& name) override;  // Count
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

private:
    friend class ImageList;
    ImageList& owner_;
    detail::KeyedItems<ListImage> items_;
};

class ImageList : public Control {
public:
    ImageList(ControlParent parent, std::string name, Twips left = 0, Twips top = 0);
    ~ImageList() override;
    std::string TypeName() const override { return "ImageList"; }
    bool HasFont() const override { return false; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    forms::ListImages& ListImages() { return *images_; }
    // Size the pictures are drawn at, in pixels (16 x 16 unless set).
    int ImageWidth() const { return imageWidth_; }
    void ImageWidth(int pixels);
    int ImageHeight() const { return imageHeight_; }
    void ImageHeight(int pixels);

    // The icon of the image named by a 1-based index or a key; a null icon
    // when the value is empty or names no image.
    QIcon Icon(const vb::Variant& indexOrKey) const;
    // Controls that draw with the images hear when they change (to redraw)
    // and when the image list goes away.
    void AddListener(void* owner, std::function<void()> changed, std::function<void()> gone);
    void RemoveListener(void* owner);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }

private:
    friend class forms::ListImages;
    void Changed();
    std::shared_ptr<forms::ListImages> images_;
    std::vector<std::shared_ptr<ListImage>> designImages_;
    int imageWidth_ = 16, imageHeight_ = 16;
    int designWidth_ = 16, designHeight_ = 16;
    struct Listener {
        void* owner;
        std::function<void()> changed;
        std::function<void()> gone;
    };
    std::vector<Listener> listeners_;
};

}  // namespace forms
