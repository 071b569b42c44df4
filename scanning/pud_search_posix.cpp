// The map search on POSIX systems, where dotfiles are the hidden files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "pud_search.h"

bool ForEachPud(const char* folder, PudVisitor& visitor, bool) {
  DIR* directory = opendir(folder[0] == '\0' ? "." : folder);
  if (directory == nullptr) return false;
  while (const dirent* item = readdir(directory)) {
    PudEntry entry;
    if (!HasPudExtension(item->d_name) || !SetPudName(entry, item->d_name)) continue;
    struct stat status;
    if (fstatat(dirfd(directory), item->d_name, &status, 0) != 0) continue;
    if (S_ISDIR(status.st_mode))
      entry.attributes |= kAttributeDirectory;
    else if (!S_ISREG(status.st_mode))
      entry.attributes |= kAttributeSystem;
    if (entry.name[0] == '.') entry.attributes |= kAttributeHidden;
    if (!IsListedPud(entry.attributes)) continue;
    entry.size = static_cast<std::int32_t>(static_cast<std::uint32_t>(status.st_size));
    std::tm local{};
    localtime_r(&status.st_mtime, &local);
    entry.date = PackDosDate(local);
    entry.time = PackDosTime(local);
    visitor.Visit(entry);
  }
  closedir(directory);
  return true;
}
