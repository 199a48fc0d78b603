#include "ui/platform/image_lists.h"

#include <QCoreApplication>
#include <QPointer>
#include <array>
#include <string>
#include <vector>

#include "text/country_flags.h"
#include "ui/platform/icon_painter.h"

namespace korvex::ui {

namespace {

// The flag package's pictures are compiled into the binary under this prefix.
QString embeddedFlagPath(const QString& isoCode) {
  return QStringLiteral(":/flags/%1.png").arg(isoCode.toLower());
}

QImage flagImage(int index) {
  if (index == 0) return drawTennisBall();
  const QString iso = QString::fromStdString(std::string(flagIsoCode(index)));
  if (iso.isEmpty()) return drawTennisBall();
  QImage flag(embeddedFlagPath(iso));
  if (flag.isNull()) flag = drawFallbackFlag(iso);
  return centredOnIcon(flag);
}

QImage genderImage(int index) {
  if (index == pictureIndex(Gender::Unknown)) return drawTennisBall();
  return drawFace(index == pictureIndex(Gender::Women));
}

QImage buildImage(ImageList list, int index) {
  switch (list) {
    case ImageList::Flags:
      return flagImage(index);
    case ImageList::Icons:
      return drawIcon(static_cast<Icon>(index));
    case ImageList::Gender:
      return genderImage(index);
    case ImageList::None:
      break;
  }
  return {};
}

// Pixmaps live as long as the application object: the cache is its child, so nothing
// graphical outlives the display connection.
class PixmapStore : public QObject {
 public:
  using QObject::QObject;
  std::array<std::vector<QPixmap>, 4> lists;
};

PixmapStore& pixmapStore() {
  static QPointer<PixmapStore> store;
  if (!store) store = new PixmapStore(QCoreApplication::instance());
  return *store;
}

}  // namespace

int imageListSize(ImageList list) {
  switch (list) {
    case ImageList::Flags:
      return kFlagImageCount;
    case ImageList::Icons:
      return pictureIndex(Icon::Count);
    case ImageList::Gender:
      return pictureIndex(Gender::Count);
    case ImageList::None:
      break;
  }
  return 0;
}

QPixmap imageListPixmap(ImageList list, int index) {
  if (index < 0 || index >= imageListSize(list)) return {};
  std::vector<QPixmap>& cached = pixmapStore().lists[static_cast<size_t>(list)];
  if (cached.empty()) {
    cached.reserve(static_cast<size_t>(imageListSize(list)));
    for (int i = 0; i < imageListSize(list); ++i)
      cached.push_back(QPixmap::fromImage(buildImage(list, i)));
  }
  return cached[static_cast<size_t>(index)];
}

QIcon imageListIcon(Icon icon) {
  return QIcon(imageListPixmap(ImageList::Icons, pictureIndex(icon)));
}

}  // namespace korvex::ui
