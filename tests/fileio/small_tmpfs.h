#pragma once

// A really full disk for the tests: a small tmpfs, mounted where the machine allows it.
#include <sys/mount.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qarn::test {

// A tmpfs of `kib` KiB on a fresh folder while the object lives, unmounted when it goes (also
// when a test fails; lazily, so an open file cannot keep it). Where mounting is not allowed (not
// root, a container without the right) Mounted() is false and Reason() says why.
class SmallTmpfs {
 public:
  explicit SmallTmpfs(int kib) {
    const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) == 0) {
      mounted_ = true;
    } else {
      reason_ = QStringLiteral(
                    "cannot mount a tmpfs here (%1); the test needs root and the "
                    "right to mount")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
  }
  ~SmallTmpfs() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool Mounted() const { return mounted_; }
  const QString& Reason() const { return reason_; }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // Takes all free space but `leave` bytes with a file named "filler". Some room left makes
  // the harder case: a write that partly fits.
  void Fill(qint64 leave = 0) const {
    QFile filler(Path(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(4096, '\0');
    while (filler.write(block) > 0) {
    }
    filler.resize(std::max<qint64>(0, filler.size() - leave));
  }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
  QString reason_;
};

}  // namespace qarn::test
