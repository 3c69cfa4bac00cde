#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// One QApplication for all window tests; the offscreen platform needs no display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  // The tests never touch the user's own settings (the recent files) or application data.
  QStandardPaths::setTestModeEnabled(true);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
