#pragma once
// The Font object of a form or control: face name, size in points, character
// set and style. Changing a member changes the font of its owner at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "variant.h"

class QFont;

namespace forms {

// The face and size of a new Font, and of the application's own font.
inline constexpr const char* kDefaultFontFace = "MS Sans Serif";
inline constexpr double kDefaultFontSize = 8.25;

class Font : public vb::Object {
public:
    Font();
    std::string TypeName() const override { return "Font"; }

    std::string Name() const { return name_; }
    void Name(const std::string& name);
    double Size() const { return size_; }
    void Size(double points);  // error 380 when not positive
    std::int16_t Charset() const { return charset_; }
    void Charset(std::int16_t charset);
    bool Bold() const { return bold_; }
    void Bold(bool b);
    bool Italic() const { return italic_; }
    void Italic(bool b);
    bool Underline() const { return underline_; }
    void Underline(bool b);
    bool Strikethrough() const { return strikethrough_; }
    void Strikethrough(bool b);

    // Font.Name, .Size, .Charset, .Bold, .Italic, .Underline, .Strikethrough
    // by name; anything else raises 438.
    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    // Applies this font to `f`, which holds the font the owner inherits:
    // face, size and style, each set on `f` so that the widget draws exactly
    // this font. An empty name, or the default face, keeps the face of `f`
    // (the form's, which is the application's unless the form names
    // another). The character set has no Qt counterpart and is only kept.
    void ApplyTo(QFont& f) const;
    // Copies every member from `other` without notifying.
    void CopyFrom(const Font& other);
    // Called after each change; set by the owner of the font.
    std::function<void()> changed;

private:
    void notify();
    std::string name_;
    double size_;
    std::int16_t charset_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
};

using FontRef = std::shared_ptr<Font>;

}  // namespace forms
