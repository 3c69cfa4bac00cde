#include "window/recovery_offer.h"

#include <QFileInfo>
#include <QLocale>
#include <memory>

#include "document/file_buffer.h"
#include "fileio/path_set_file.h"
#include "window/auto_recovery.h"
#include "window/form_dialogs.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

QString DocumentName(const RecoveryCopy& copy) {
  return copy.documentPath.isEmpty() ? QStringLiteral("untitled")
                                     : QFileInfo(copy.documentPath).fileName();
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
    dialogs.ShowError(
        &form, QStringLiteral("The recovery copy of %1 from %2 cannot be read: %3\n"
                              "It is kept as %4.")
                   .arg(DocumentName(copy), QLocale().toString(copy.written, QLocale::ShortFormat),
                        QString::fromUtf8(error.what()), keptAt));
    return false;
  }
}

// The copy left behind is thrown away only once this editor's own copy holds its changes.
bool Recover(const RecoveryCopy& copy, TQarnForm& form, AutoRecovery& recovery,
             FormDialogs& dialogs) {
  RecoveryStore& store = recovery.Store();
  if (!Readable(copy, store, dialogs, form)) return false;
  if (!form.OpenRecovered(copy.copyPath, copy.documentPath)) {
    store.Release(copy);
    return false;
  }
  if (recovery.WriteNow()) {
    store.Discard(copy);
  } else {
    store.Release(copy);
  }
  return true;
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
    const auto answer = ask ? dialogs.AskRecover(&form, DocumentName(copy), copy.written)
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
