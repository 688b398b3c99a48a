#include "font.h"

#include <QFont>

#include "err.h"
#include "member_names.h"

namespace forms {

Font::Font() : name_(kDefaultFontFace), size_(kDefaultFontSize) {}

void Font::notify() {
    if (changed) changed();
}

void Font::Name(const std::string& name) {
    name_ = name;
    notify();
}

void Font::Size(double points) {
    if (!(points > 0) || points > 2160) vb::RaiseError(380);
    size_ = points;
    notify();
}

void Font::Charset(std::int16_t charset) {
    charset_ = charset;
    notify();
}

void Font::Bold(bool b) {
    bold_ = b;
    notify();
}

void Font::Italic(bool b) {
    italic_ = b;
    notify();
}

void Font::Underline(bool b) {
    underline_ = b;
    notify();
}

void Font::Strikethrough(bool b) {
    strikethrough_ = b;
    notify();
}

vb::Variant Font::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "name") return vb::Variant(name_);
    if (n == "size") return vb::Variant(static_cast<double>(size_));
    if (n == "charset") return vb::Variant(charset_);
    if (n == "bold") return vb::Variant(bold_);
    if (n == "italic") return vb::Variant(italic_);
    if (n == "underline") return vb::Variant(underline_);
    if (n == "strikethrough") return vb::Variant(strikethrough_);
    if (n == "weight") return vb::Variant(static_cast<std::int16_t>(bold_ ? 700 : 400));
    return vb::Object::GetMember(name);
}

void Font::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "name") return Name(value.ToString());
    if (n == "size") return Size(value.ToDouble());
    if (n == "charset") return Charset(value.ToInteger());
    if (n == "bold") return Bold(value.ToBool());
    if (n == "italic") return Italic(value.ToBool());
    if (n == "underline") return Underline(value.ToBool());
    if (n == "strikethrough") return Strikethrough(value.ToBool());
    if (n == "weight") return Bold(value.ToInteger() >= 600);
    vb::Object::SetMember(name, value);
}

void Font::ApplyTo(QFont& f) const {
    // For the default face, and for an empty name, the face of `f` (the one
    // the owner inherits) is drawn. The face is set in every case, so that no
    // font Qt keeps for a kind of widget (item views, headers) takes its place.
    f.setFamily(!name_.empty() && name_ != kDefaultFontFace ? QString::fromStdString(name_) : f.family());
    f.setPointSizeF(size_);
    f.setBold(bold_);
    f.setItalic(italic_);
    f.setUnderline(underline_);
    f.setStrikeOut(strikethrough_);
}

void Font::CopyFrom(const Font& other) {
    name_ = other.name_;
    size_ = other.size_;
    charset_ = other.charset_;
    bold_ = other.bold_;
    italic_ = other.italic_;
    underline_ = other.underline_;
    strikethrough_ = other.strikethrough_;
}

}  // namespace forms
