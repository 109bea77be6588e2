// zembro-tool options: the eleven values of an options file as the game reads them.
#include "store/options_file.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <iostream>

namespace zembro::tool {

int RunOptions(const Args& args) {
    if (args.size() != 1)
        return Fail("usage: zembro-tool options OPTFILE", EXIT_USAGE);
    OptionValues values;
    const Result<OptionsRead> read = ReadOptions(args[0], values);
    if (!read)
        return Fail(read.Reason());
    if (!read->stoppedBecause.empty())
        Fail(
            read->stoppedBecause); // as the game says it: the values shown are those read before it
    std::cout << "directory1 " << values.directory1 << '\n'
              << "directory2 " << values.directory2 << '\n'
              << "NumMaxPedine " << values.NumMaxPedine << '\n'
              << "controlledInsertion " << values.controlledInsertion << '\n'
              << "randomEmptyCells " << values.randomEmptyCells << '\n'
              << "reselectAfterMove " << values.reselectAfterMove << '\n'
              << "holdToDrag " << values.holdToDrag << '\n'
              << "twoColourPath " << values.twoColourPath << '\n'
              << "penalty " << values.penalty << '\n'
              << "fixedCells " << values.fixedCells << '\n'
              << "kindsUsed " << values.kindsUsed << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool
