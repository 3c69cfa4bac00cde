#include "tool/merge_command.h"

#include <memory>

#include "document/file_buffer.h"
#include "fileio/path_set_file.h"
#include "tool/tool_files.h"

namespace qarn {

namespace {

int RunMerge(const CommandArgs& args, ToolOutput&) {
  auto buffer = std::make_unique<FileBuffer>();
  tHeader doc = LoadPathSetFile(args.positional.at(0), *buffer);
  MergePathSetFile(args.positional.at(1), *buffer, doc);
  SavePathSet(doc, args.positional.at(2));
  return kExitOk;
}

}  // namespace

SubCommand MergeCommand() {
  SubCommand command;
  command.name = QStringLiteral("merge");
  command.synopsis = QStringLiteral("merge A B OUT");
  command.summary = QStringLiteral("append B's objects to A's and save the result as OUT");
  command.description = QStringLiteral(
      "Loads the path set A, merges B into it as the editor's Merge does (B's objects\n"
      "follow A's; the leading word is B's, the last index the new object count - 1)\n"
      "and saves the result as OUT as the editor's Save does. OUT may be A or B. When\n"
      "either file is refused or the result does not fit, nothing is written.");
  command.minPositional = command.maxPositional = 3;
  command.run = RunMerge;
  return command;
}

}  // namespace qarn
