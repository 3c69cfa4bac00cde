#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QImage>
#include <QLocale>
#include <QTest>
#include <QWidget>

#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"

namespace qarn {
namespace {

// Renders a small form with every kind of field into the build folder, for a person to look at:
// the file is edit_field_gallery.png beside the test program.
TEST(EditFieldGallery, WritesAPictureOfTheFourFieldKinds) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German));
  QWidget form;
  form.setWindowTitle(QStringLiteral("Edit fields"));
  auto* layout = new QFormLayout(&form);
  auto* rotation = new TIntegerEdit;
  auto* length = new TFloatEdit;
  auto* flags = new TCharEdit;
  auto* file = new TFloatEdit;
  rotation->SetValue(135);
  length->SetValue(1234.5L);
  flags->setText(QStringLiteral("0000A01F"));
  file->SetValue(0.00005L);
  file->SetLinkStyle(TValidEdit::lsEllipsis);
  layout->addRow(QStringLiteral("Rotation"), rotation);
  layout->addRow(QStringLiteral("Lenge"), length);
  layout->addRow(QStringLiteral("Flags"), flags);
  layout->addRow(QStringLiteral("Step"), file);
  form.resize(260, form.sizeHint().height());
  form.show();
  form.activateWindow();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  file->setFocus(Qt::OtherFocusReason);

  const QImage picture = form.grab().toImage();
  const QString path = QDir(QCoreApplication::applicationDirPath())
                           .filePath(QStringLiteral("edit_field_gallery.png"));
  ASSERT_TRUE(picture.save(path));
  QLocale::setDefault(saved);

  EXPECT_EQ(length->text(), QStringLiteral("1234,5"));
  EXPECT_EQ(file->text(), QStringLiteral("5E-5"));
  const QImage reloaded(path);
  ASSERT_EQ(reloaded.size(), picture.size());
  // The focused field's button sits at its right edge: its middle ellipsis square is black.
  const int d = file->ButtonWidth() / 2 - 1;
  const QPoint square = file->mapTo(&form, QPoint(file->width() - file->ButtonWidth() + d, d));
  EXPECT_LT(qGray(reloaded.pixel(square)), 64);
}

}  // namespace
}  // namespace qarn
