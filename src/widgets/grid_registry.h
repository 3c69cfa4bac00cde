#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace qarn {

// The user's saved settings under one key path, as the grid keeps its column visibility there.
// Failures never reach the caller: reading falls back to the given value, writing is skipped.
class tGridRegistry {
 public:
  tGridRegistry();
  ~tGridRegistry();

  // Opens the key (backslashes or slashes separate its parts); without canCreate, a key that
  // holds nothing counts as missing and the call returns false.
  bool Open(const QString& keyPath, bool canCreate);
  // The value as a number, non-zero meaning true; fallback when it is missing or no number.
  bool ReadBool(const QString& name, bool fallback) const;
  // Stores 1 or 0.
  void WriteBool(const QString& name, bool value);
  void Close();

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace qarn
