#include "service/list_request.h"

namespace korvex {

std::string listAddress(std::string_view serviceBase, std::string_view login,
                        std::string_view password, std::string_view menu) {
  std::string address;
  address.reserve(serviceBase.size() + login.size() + password.size() + menu.size() + 40);
  address.append(serviceBase)
      .append("/login/kx.php?login=")
      .append(login)
      .append("&pass=")
      .append(password)
      .append("&menu=")
      .append(menu);
  return address;
}

std::string fetchListAnswer(HttpClient& client, std::string_view address) {
  std::string answer;
  try {
    Fetch(client, address, answer);
  } catch (...) {
    // A list that cannot be had is shown as an empty list; the user just sees no rows.
  }
  return answer;
}

}  // namespace korvex
