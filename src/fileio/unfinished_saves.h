#pragma once

#include <QString>

// A save that is killed after its temporary file got a name and before that file replaced the
// old one leaves a complete file NAME.XXXXXX beside NAME. The writer marks its temporary file
// with an extended attribute naming the file it is for, so the next save of NAME removes such a
// file and never one of the user's (a "demo.pathset.backup" has the same shape of name).
namespace qarn {

// Marks the open temporary file `handle` as the unfinished save of `target`. Where the file
// system keeps no extended attributes nothing is marked, and nothing is ever removed.
void MarkUnfinishedSave(int handle, const QString& target);

// Removes the mark from `target` once the temporary file has become it.
void UnmarkSaved(const QString& target);

// Removes the marked files of killed saves of `target` from its folder; returns how many.
int RemoveUnfinishedSaves(const QString& target);

}  // namespace qarn
