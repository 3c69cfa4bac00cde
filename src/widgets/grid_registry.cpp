#include "widgets/grid_registry.h"

#include <QSettings>

namespace qarn {

namespace {

QString GroupPath(const QString& keyPath) {
  QString path = keyPath;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return path;
}

}  // namespace

tGridRegistry::tGridRegistry() = default;

tGridRegistry::~tGridRegistry() {
  Close();
}

bool tGridRegistry::Open(const QString& keyPath, bool canCreate) {
  Close();
  const QString group = GroupPath(keyPath);
  if (group.isEmpty()) return false;
  settings_ = std::make_unique<QSettings>();
  settings_->beginGroup(group);
  if (canCreate || !settings_->childKeys().isEmpty() || !settings_->childGroups().isEmpty()) {
    return true;
  }
  settings_.reset();
  return false;
}

bool tGridRegistry::ReadBool(const QString& name, bool fallback) const {
  if (!settings_) return fallback;
  const QVariant value = settings_->value(name);
  bool isNumber = false;
  const qlonglong number = value.toLongLong(&isNumber);
  return isNumber ? number != 0 : fallback;
}

void tGridRegistry::WriteBool(const QString& name, bool value) {
  if (settings_ && settings_->isWritable()) settings_->setValue(name, value ? 1 : 0);
}

void tGridRegistry::Close() {
  if (!settings_) return;
  settings_->endGroup();
  settings_->sync();
  settings_.reset();
}

}  // namespace qarn
