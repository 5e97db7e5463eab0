// user_dirs.h: the player's folders as xdg-user-dirs names them in user-dirs.dirs
// (XDG_PICTURES_DIR="$HOME/Pictures"), read from the file's text, no I/O.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Larger files are refused unread: xdg-user-dirs writes a dozen short lines.
constexpr size_t USER_DIRS_MAX_BYTES = 16384;

// The folder that the last line setting `name` (e.g. "XDG_PICTURES_DIR") gives, "$HOME"
// standing for home, without trailing slashes; empty when no line sets it, or when that
// line is not one a shell and xdg-user-dirs would both read as an absolute path:
// name="value" with nothing but blanks after, the value "/..." or "$HOME/...", a backslash
// only before $ ` " \, and no NUL, no other $ or `. Home must be absolute for "$HOME".
std::string userDirIn(const char* text, size_t size, std::string_view name, std::string_view home);
