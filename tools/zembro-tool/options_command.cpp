// zembro-tool options: the eleven values of an options file as the game reads them.
#include "game/settings_schema.h"
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
    // As the game says it: the values shown are those read before it.
    if (!read->stoppedBecause.empty())
        Fail(read->stoppedBecause);
    for (const SettingField& field : SETTING_FIELDS)
        std::cout << field.name << ' ' << SettingText(field, values) << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool
