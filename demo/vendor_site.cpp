#include "vendor_site.h"

namespace korvex::demo {
namespace {

std::string pageShell(const std::string& title, const std::string& body) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\n";
  page += "<title>" + title + " - Korvex</title>\n</head>\n<body>\n";
  page +=
      "<div id=\"menu\"><a href=\"/\">Главная</a> | "
      "<a href=\"/index.php?option=com_content&amp;view=article&amp;id=6&amp;Itemid=9\">"
      "Скачать</a></div>\n";
  page += body;
  page += "\n<div id=\"footer\">Korvex tennis statistics</div>\n</body>\n</html>\n";
  return page;
}

}  // namespace

std::string vendorHomePage() {
  return pageShell("Главная",
                   "<h1>Korvex</h1>\n"
                   "<p>Статистика теннисных матчей, прогнозы и радар биржи в одном окне.</p>\n"
                   "<p>Tennis statistics, forecasts and an exchange radar in one window.</p>");
}

std::string vendorDownloadPage() {
  return pageShell("Скачать",
                   "<h1><a name=\"Скачать\"></a>Скачать Korvex</h1>\n"
                   "<p>Текущая версия: 4.3. Download the current version, 4.3.</p>\n"
                   "<p>This demo site has no file to offer: the build you are running is the "
                   "current one.</p>");
}

}  // namespace korvex::demo
