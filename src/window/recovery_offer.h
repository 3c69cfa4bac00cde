#pragma once

namespace qarn {

class AutoRecovery;
class FormDialogs;
class TQarnForm;

// At start: offers the copies left by editors that have ended, newest first, one by one, with
// Recover, Discard and Later. The first copy recovered becomes the form's document; copies after
// it are kept for the next start, as the window holds one document. A copy that cannot be read is
// reported and set aside. With `ask` false every copy is answered with Recover.
void OfferRecovery(TQarnForm& form, AutoRecovery& recovery, FormDialogs& dialogs, bool ask);

}  // namespace qarn
