#ifndef TARN_IO_USERFOLDERS_H
#define TARN_IO_USERFOLDERS_H

#include <string>

namespace tarn {

// The user's folder for a program's settings: $XDG_CONFIG_HOME/program, or
// ~/.config/program when that variable is unset or not an absolute path;
// "" when neither it nor $HOME is known. Nothing is made on disk.
std::string UserConfigFolder( const std::string& program );

// The user's folder for what a program writes as it runs (logs, screenshots):
// $XDG_STATE_HOME/program, or ~/.local/state/program, likewise.
std::string UserStateFolder( const std::string& program );

} // namespace tarn

#endif
