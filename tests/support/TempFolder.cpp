#include "support/TempFolder.h"

#include <random>
#include <string>
#include <system_error>

namespace morvind::test {

TempFolder::TempFolder(std::string_view name) {
  std::random_device device;
  std::mt19937_64 random(device());
  std::error_code error;
  // A few tries in case a name is taken; create_directory reports whether
  // this call made the folder, so two runs never share one.
  for (int attempt = 0; attempt < 16; ++attempt) {
    path_ = std::filesystem::temp_directory_path(error) /
            ("morvind-" + std::string(name) + "-" + std::to_string(random() % 100000000));
    if (std::filesystem::create_directory(path_, error)) {
      created_ = true;
      return;
    }
  }
}

TempFolder::~TempFolder() {
  // Only a folder this object made is removed.
  if (!created_) return;
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace morvind::test
