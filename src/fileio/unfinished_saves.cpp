#include "fileio/unfinished_saves.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace qarn {

#ifdef Q_OS_LINUX

namespace {

constexpr char kMark[] = "user.qarn.unfinished-save";

// The shape of QSaveFile's temporary names: the file's own name, a dot and six letters or digits.
bool HasTemporaryName(const QString& name, const QString& target) {
  if (name.size() != target.size() + 7 || !name.startsWith(target + '.')) return false;
  for (const QChar c : name.right(6)) {
    if (!(c.isDigit() || (c.isLetter() && c.unicode() < 128))) return false;
  }
  return true;
}

// Ours only when it is a plain file of this user that carries the mark naming `target`.
bool IsUnfinishedSaveOf(const QByteArray& candidate, const QString& target) {
  struct stat info {};
  if (::lstat(candidate.constData(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (info.st_uid != ::geteuid()) return false;
  const QByteArray expected = QFile::encodeName(target);
  QByteArray mark(expected.size() + 1, '\0');
  const ssize_t length = ::lgetxattr(candidate.constData(), kMark, mark.data(), mark.size());
  return length == expected.size() && mark.first(length) == expected;
}

}  // namespace

void MarkUnfinishedSave(int handle, const QString& target) {
  const QByteArray name = QFile::encodeName(QFileInfo(target).fileName());
  // A file system without user attributes cannot mark; its leftovers stay, as they always did.
  [[maybe_unused]] const int unmarked =
      ::fsetxattr(handle, kMark, name.constData(), name.size(), 0);
}

void UnmarkSaved(const QString& target) {
  ::removexattr(QFile::encodeName(target).constData(), kMark);
}

int RemoveUnfinishedSaves(const QString& target) {
  const QFileInfo info(target);
  const QString name = info.fileName();
  int removed = 0;
  // No name filter: it would compile a regular expression for one pass over the folder.
  for (QDirIterator it(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
       it.hasNext();) {
    const QString candidate = it.next();
    if (!HasTemporaryName(it.fileName(), name)) continue;
    const QByteArray encoded = QFile::encodeName(candidate);
    if (IsUnfinishedSaveOf(encoded, name) && ::unlink(encoded.constData()) == 0) ++removed;
  }
  return removed;
}

#else

void MarkUnfinishedSave(int, const QString&) {}
void UnmarkSaved(const QString&) {}
int RemoveUnfinishedSaves(const QString&) {
  return 0;
}

#endif

}  // namespace qarn
