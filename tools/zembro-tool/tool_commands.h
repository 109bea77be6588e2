// The subcommands of zembro-tool. Each takes its own arguments (the subcommand's name
// excluded) and gives the process's exit code.
#pragma once

#include <string>
#include <vector>

namespace zembro::tool {

using Args = std::vector<std::string>;

int RunDeal(const Args& args);
int RunPlay(const Args& args);
int RunSolve(const Args& args);
int RunWindow(const Args& args);
int RunKeys(const Args& args);
int RunZones(const Args& args);
int RunTrace(const Args& args);
int RunPair(const Args& args);
int RunOptions(const Args& args);
int RunBmp(const Args& args);
int RunHit(const Args& args);
int RunCell(const Args& args);
int RunRender(const Args& args);
int RunScores(const Args& args);
int RunRank(const Args& args);
int RunInsert(const Args& args);

} // namespace zembro::tool
