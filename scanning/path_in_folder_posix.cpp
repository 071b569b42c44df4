#include "path_in_folder.h"

// Names are bytes here, whatever their encoding.
std::string PathInFolder(const std::string& folder, const std::string& name, bool) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string NameInPath(const std::string& path) { return path.substr(path.rfind('/') + 1); }
