#pragma once

#include <string>

namespace korvex::demo {

// The vendor's web site: its home page and the article page that holds the download.
std::string vendorHomePage();
std::string vendorDownloadPage();

}  // namespace korvex::demo
