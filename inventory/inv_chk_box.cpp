#include "inv_chk_box.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "text_functions.h"

namespace inventory {

namespace {

constexpr const char* kDefaultCaption = "CheckBox Label";
constexpr std::int16_t vbLeftButton = 1;

// A box of 14 by 14 pixels in 8-bit colour, ticked or empty; the ticked one
// is a pixel wider for the tick's end.
forms::PictureRef BoxPicture(bool ticked) {
    QImage image(ticked ? 15 : 14, 14, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setPen(QColor(128, 128, 128));
        p.drawRect(0, 0, 13, 13);
        if (ticked) {
            p.setPen(QPen(Qt::black, 2));
            p.drawPolyline(QPolygon({QPoint(3, 7), QPoint(6, 10), QPoint(12, 3)}));
        }
    }
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    return std::make_shared<forms::Picture>(QPixmap::fromImage(indexed), 1);
}

}  // namespace

InvChkBox::InvChkBox(forms::ControlParent parent, std::string name, forms::Twips left, forms::Twips top,
                     forms::Twips width, forms::Twips height)
    : UserControl(parent, std::move(name), left, top, width, height) {
    SetTypeName("InvChkBox");
    imgUncheck.Stretch(true);
    imgUncheck.Picture(BoxPicture(false));
    imgCheck.Stretch(true);
    imgCheck.Picture(BoxPicture(true));

    imgCheck.MouseDown = [this](std::int16_t b, std::int16_t s, float x, float y) { imgCheck_MouseDown(b, s, x, y); };
    imgCheck.Click = [this] { imgCheck_Click(); };
    imgUncheck.MouseDown = [this](std::int16_t b, std::int16_t s, float x, float y) {
        imgUncheck_MouseDown(b, s, x, y);
    };
    imgUncheck.Click = [this] { imgUncheck_Click(); };
    lblCheckBox.MouseDown = [this](std::int16_t b, std::int16_t s, float x, float y) {
        lblCheckBox_MouseDown(b, s, x, y);
    };
    lblCheckBox.Click = [this] { lblCheckBox_Click(); };
}

std::string InvChkBox::Caption() const { return lblCheckBox.Caption(); }

void InvChkBox::Caption(const std::string& New_Caption) {
    lblCheckBox.Caption(New_Caption);
    PropertyChanged("Caption");
}

std::int16_t InvChkBox::Value() const { return imgCheck.Visible() ? 1 : 0; }

void InvChkBox::Value(std::int16_t New_Value) {
    const std::int16_t old = Value();
    imgCheck.Visible(New_Value == 1);
    PropertyChanged("Value");
    if (Value() != old) forms::CheckedStateChanged(*this);
}

vb::Variant InvChkBox::GetMember(const std::string& name) {
    const std::string n = vb::LCase(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "value") return vb::Variant(Value());
    return UserControl::GetMember(name);
}

void InvChkBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = vb::LCase(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "value") return Value(value.ToInteger());
    UserControl::SetMember(name, value);
}

void InvChkBox::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    lblCheckBox.Caption(PropBag.ReadProperty("Caption", kDefaultCaption).ToString());
}

void InvChkBox::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    PropBag.WriteProperty("Caption", lblCheckBox.Caption(), kDefaultCaption);
}

void InvChkBox::Clicked() {
    if (lastButton_ == vbLeftButton) Value(imgCheck.Visible() ? 0 : 1);
    RaiseEvent(Click);
}

void InvChkBox::ClickAsUser() {
    lastButton_ = vbLeftButton;
    Clicked();
}

void InvChkBox::imgCheck_MouseDown(std::int16_t Button, std::int16_t, float, float) { lastButton_ = Button; }
void InvChkBox::imgCheck_Click() { Clicked(); }
void InvChkBox::imgUncheck_MouseDown(std::int16_t Button, std::int16_t, float, float) { lastButton_ = Button; }
void InvChkBox::imgUncheck_Click() { Clicked(); }
void InvChkBox::lblCheckBox_MouseDown(std::int16_t Button, std::int16_t, float, float) { lastButton_ = Button; }
void InvChkBox::lblCheckBox_Click() { Clicked(); }
void InvChkBox::UserControl_MouseDown(std::int16_t Button, std::int16_t, float, float) { lastButton_ = Button; }
void InvChkBox::UserControl_Click() { Clicked(); }

}  // namespace inventory
