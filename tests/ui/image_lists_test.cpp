#include "ui/platform/image_lists.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cstdlib>
#include <string>

#include "text/country_flags.h"

namespace korvex::ui {
namespace {

bool fullyTransparent(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) return false;
  return true;
}

// Drawing onto the premultiplied icon may round a half-transparent pixel by a step or two.
bool sameColour(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
         std::abs(a.blue() - b.blue()) <= 3 && std::abs(a.alpha() - b.alpha()) <= 3;
}

TEST(ImageListsTest, EveryIndexOfEveryListIsASixteenPixelPicture) {
  for (ImageList list : {ImageList::Flags, ImageList::Icons, ImageList::Gender}) {
    ASSERT_GT(imageListSize(list), 0);
    for (int i = 0; i < imageListSize(list); ++i)
      EXPECT_EQ(imageListPixmap(list, i).size(), QSize(16, 16)) << int(list) << "/" << i;
    EXPECT_TRUE(imageListPixmap(list, imageListSize(list)).isNull());
    EXPECT_TRUE(imageListPixmap(list, -1).isNull());
  }
  EXPECT_EQ(imageListSize(ImageList::Flags), 110);
  EXPECT_EQ(imageListSize(ImageList::Icons), 15);
  EXPECT_EQ(imageListSize(ImageList::Gender), 3);
}

TEST(ImageListsTest, FlagsComeFromTheEmbeddedPicturesCentredInTheIcon) {
  int embedded = 0;
  for (int index = 1; index < kFlagImageCount; ++index) {
    const QString iso = QString::fromStdString(std::string(flagIsoCode(index)));
    const QImage source(QStringLiteral(":/flags/%1.png").arg(iso));
    if (source.isNull()) continue;  // drawn instead; covered by the size check above
    ++embedded;
    const QImage icon = imageListPixmap(ImageList::Flags, index).toImage();
    const int top = (16 - source.height()) / 2;
    EXPECT_TRUE(sameColour(icon.pixelColor(8, top + source.height() / 2),
                           source.pixelColor(8, source.height() / 2)))
        << iso.toStdString();
    EXPECT_EQ(qAlpha(icon.pixel(8, 0)), 0) << "the band above a flag stays clear";
  }
  // The flag package is a build dependency: nearly every flag must be the real one.
  EXPECT_GT(embedded, 100);
}

TEST(ImageListsTest, BlankAndMarkIconsDiffer) {
  EXPECT_TRUE(
      fullyTransparent(imageListPixmap(ImageList::Icons, pictureIndex(Icon::Blank)).toImage()));
  // Every named icon is drawn: a name the painter forgets shows as a blank tab or cell.
  for (int index = pictureIndex(Icon::Blank) + 1; index < pictureIndex(Icon::Count); ++index)
    EXPECT_FALSE(fullyTransparent(imageListPixmap(ImageList::Icons, index).toImage())) << index;
  // The radar mark is a blue square: its corner is opaque blue.
  const QColor corner =
      imageListPixmap(ImageList::Icons, pictureIndex(Icon::RadarMark)).toImage().pixelColor(1, 1);
  EXPECT_GT(corner.blue(), corner.red());
  EXPECT_EQ(corner.alpha(), 255);
}

}  // namespace
}  // namespace korvex::ui
