#include "window/recovery_offer.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <memory>

#include "document/file_buffer.h"
#include "fileio/path_set_file.h"
#include "window/auto_recovery.h"
#include "window/disk_change_guard.h"
#include "window/form_dialogs.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

// In full: the notes are only a file in the user's folder, so the user sees which file a
// recovered document would be saved over.
QString DocumentName(const RecoveryCopy& copy) {
  return copy.documentPath.isEmpty() ? QStringLiteral("an unsaved document")
                                     : QDir::toNativeSeparators(copy.documentPath);
}

// The copy is read whole before anything else happens, so a damaged one never replaces the
// open document; the message says what is wrong and where the copy now is.
bool Readable(const RecoveryCopy& copy, RecoveryStore& store, FormDialogs& dialogs,
              TQarnForm& form) {
  try {
    auto scratch = std::make_unique<FileBuffer>();
    LoadPathSetFile(copy.copyPath, *scratch);
    return true;
  } catch (const std::exception& error) {
    const QString keptAt = store.SetAside(copy);
    const QString kept = keptAt.isEmpty()
                             ? QStringLiteral("It is removed: damaged copies are kept to 64 MiB.")
                             : QStringLiteral("It is kept as %1.").arg(keptAt);
    dialogs.ShowError(
        &form, QStringLiteral("The recovery copy of %1 from %2 cannot be read: %3\n%4")
                   .arg(DocumentName(copy), QLocale().toString(copy.written, QLocale::ShortFormat),
                        QString::fromUtf8(error.what()), kept));
    return false;
  }
}

// The copy left behind is thrown away only once this editor's own copy holds its changes.
bool Recover(const RecoveryCopy& copy, TQarnForm& form, AutoRecovery& recovery,
             FormDialogs& dialogs) {
  RecoveryStore& store = recovery.Store();
  if (!Readable(copy, store, dialogs, form)) return false;
  if (!form.OpenRecovered(copy.copyPath, copy.documentPath, copy.documentThen)) {
    store.Release(copy);
    return false;
  }
  recovery.WriteNow([&store, copy](bool written) {
    if (written) {
      store.Discard(copy);
    } else {
      store.Release(copy);
    }
  });
  return true;
}

// A file that cannot be read now counts as changed: the question then warns rather than not.
bool ChangedSince(const RecoveryCopy& copy) {
  try {
    return DiskChangeGuard::ChangedSince(copy.documentPath, copy.documentThen);
  } catch (const std::exception&) {
    return true;
  }
}

}  // namespace

void OfferRecovery(TQarnForm& form, AutoRecovery& recovery, FormDialogs& dialogs, bool ask) {
  RecoveryStore& store = recovery.Store();
  bool recovered = false;
  for (const RecoveryCopy& copy : store.ClaimLeftBehind()) {
    if (recovered) {
      store.Release(copy);
      continue;
    }
    const bool changed = !copy.documentPath.isEmpty() && ChangedSince(copy);
    const auto answer = ask ? dialogs.AskRecover(&form, DocumentName(copy), copy.written, changed)
                            : FormDialogs::RecoverAnswer::Recover;
    switch (answer) {
      case FormDialogs::RecoverAnswer::Recover:
        recovered = Recover(copy, form, recovery, dialogs);
        break;
      case FormDialogs::RecoverAnswer::Discard:
        store.Discard(copy);
        break;
      case FormDialogs::RecoverAnswer::Later:
        store.Release(copy);
        break;
    }
  }
}

}  // namespace qarn
