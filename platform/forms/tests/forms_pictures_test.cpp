// LoadPicture and the controls that show pictures.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "test_forms.h"

using formtest::ErrorOf;

namespace {

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        forms::EnsureQtApplication();
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        for (const char* fmt : {"bmp", "png", "jpg", "ico"}) {
            const QString path = dir.filePath(QStringLiteral("album.") + fmt);
            QImage toSave = img;
            if (QString(fmt) == "ico") toSave = img.scaled(32, 32);
            ASSERT_TRUE(toSave.save(path, fmt)) << fmt;
        }
        // Qt reads GIF files but does not write them: a 1 x 1 picture, byte by byte.
        static const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0, 0,
                                            0, 0, 0, '!', 0xf9, 4, 1, 0, 0, 0, 0, ',', 0, 0, 0, 0,
                                            1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
        QFile g(dir.filePath("album.gif"));
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write(reinterpret_cast<const char*>(gif), sizeof gif);
        g.close();
        QFile bad(dir.filePath("notes.jpg"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("this is no picture");
    }
    std::string Path(const char* name) { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(Pictures, LoadsEveryPictureFormat) {
    forms::PictureRef gif = forms::LoadPicture(Path("album.gif"));
    EXPECT_EQ(gif->Pixmap().width(), 1);
    for (const char* name : {"album.bmp", "album.png", "album.jpg"}) {
        forms::PictureRef p = forms::LoadPicture(Path(name));
        ASSERT_FALSE(p->IsEmpty()) << name;
        EXPECT_EQ(p->Pixmap().width(), 30) << name;
        EXPECT_EQ(p->Type(), 1);
        EXPECT_EQ(p->Width(), 794);  // 30 pixels in HIMETRIC
    }
    forms::PictureRef icon = forms::LoadPicture(Path("album.ico"));
    EXPECT_EQ(icon->Type(), 3);
    EXPECT_EQ(icon->Pixmap().width(), 32);
    EXPECT_TRUE(forms::LoadPicture("")->IsEmpty());
}

TEST_F(Pictures, MissingFilesAndNonPicturesRaiseTheirErrors) {
    EXPECT_EQ(ErrorOf([&] { forms::LoadPicture(Path("missing.jpg")); }), 53);
    EXPECT_EQ(ErrorOf([&] { forms::LoadPicture(Path("notes.jpg")); }), 481);
    EXPECT_EQ(ErrorOf([&] { forms::LoadPicture(dir.path().toStdString()); }), 53);
}

TEST_F(Pictures, BackslashPathsFindTheFile) {
    const std::string withBackslash = dir.path().toStdString() + "\\album.png";
    EXPECT_FALSE(forms::LoadPicture(withBackslash)->IsEmpty());
}

class frmAlbum : public forms::Form {
public:
    frmAlbum() : Form("frmAlbum") {}
    forms::Image pictAlbumImage{this, "pictAlbumImage", 120, 120, 2000, 2000};
    forms::Image imgStretched{this, "imgStretched", 2400, 120, 1500, 1500};
    forms::PictureBox picIcon{this, "picIcon", 120, 2400, 600, 600};
    forms::CommandButton cmdSuppliers{this, "cmdSuppliers", "", 120, 3200, 975, 855};
};

TEST_F(Pictures, ImagesTakeThePictureSizeUnlessStretched) {
    forms::testing::Driver driver;
    frmAlbum& f = forms::Default<frmAlbum>();
    f.imgStretched.Stretch(true);
    f.pictAlbumImage.Picture(forms::LoadPicture(Path("album.png")));
    f.imgStretched.Picture(forms::LoadPicture(Path("album.png")));
    EXPECT_EQ(f.pictAlbumImage.Width(), 450);
    EXPECT_EQ(f.pictAlbumImage.Height(), 300);
    EXPECT_EQ(f.imgStretched.Width(), 1500);
    f.picIcon.AutoSize(true);
    f.picIcon.Picture(forms::LoadPicture(Path("album.ico")));
    EXPECT_EQ(f.picIcon.Width(), forms::PixelsToTwips(32 + 4));
    f.picIcon.Print("Hello");
    EXPECT_GT(f.picIcon.CurrentY(), 0);
    f.picIcon.Cls();
    EXPECT_TRUE(f.picIcon.Printed().empty());
    f.cmdSuppliers.Picture(forms::LoadPicture(Path("album.bmp")));
    EXPECT_EQ(f.cmdSuppliers.Picture()->Pixmap().width(), 30);
    // A late-bound picture assignment.
    f.pictAlbumImage.SetMember("Picture", vb::Variant(vb::ObjectRef(forms::LoadPicture(Path("album.gif")))));
    EXPECT_FALSE(f.pictAlbumImage.Picture()->IsEmpty());
}

}  // namespace
