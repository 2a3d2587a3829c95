#include "app/qt/AboutDialog.h"

#include <unistd.h>

namespace morvind {

std::string WorkingDirectoryText() {
  char buffer[300];
  if (getcwd(buffer, sizeof buffer) == nullptr) return std::string();
  return std::string(buffer);
}

}  // namespace morvind
