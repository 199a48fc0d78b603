#pragma once

#include <string>

namespace korvex {

struct Addresses {
  std::string service;   // ServiceBase
  std::string exchange;  // ExchangeBase
  std::string vendor;    // VendorSiteBase

  // The compiled-in defaults, overridden by KORVEX_SERVICE_BASE, KORVEX_EXCHANGE_BASE
  // and KORVEX_VENDOR_SITE_BASE when those are set and not empty.
  static Addresses fromEnvironment();
};

}  // namespace korvex
