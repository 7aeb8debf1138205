#ifndef TARN_CONSOLE_BASICCOMMANDS_H
#define TARN_CONSOLE_BASICCOMMANDS_H

namespace tarn {

// The namespace of the commands every script can use in the main console:
// quit, load, taskload, starttask, pausetask, resumetask, stoptask, runlater,
// and the help commands help, cmdlist, cvarlist and apropos.
constexpr const char* BASIC_NAMESPACE = "basic";

// Registers the basic commands in the command registry unless it has them.
void RegisterBasicCommands();

} // namespace tarn

#endif
