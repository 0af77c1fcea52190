// The game's settings file, Dremwick/quilvaro.conf in the user's settings folder (UserConfigPath:
// ~/.config, or $XDG_CONFIG_HOME when that is an absolute path): lines of key=value under
// [General], as Qt's settings write them, so that a file kept by an earlier version reads the same.
//
// It gets the players file's care. Nothing at its place can stall the game: it is opened without
// waiting, only a regular file is read, never more than a small settings file holds, and no lock
// file is taken (each save writes one value, the last choice wins). A link is followed to the file
// it leads to and stays a link. A file that does not read as the game's settings (a players file, a
// text of another kind, a file far too large) is never replaced, wherever a link leads. Each save
// puts a whole new version in place in one step, keeping the file's mode; a file with other names
// (hard links) is written in place instead, so that they stay one file.
#pragma once

#include <QString>

namespace platform {

// Where the settings are kept; empty when there is no home folder.
QString SettingsFilePath();

// The value kept for `key`; empty when none is kept or the file cannot be read as the settings.
QString KeptSetting(const QString& key);

// Keeps `value` for `key`, the file's other lines as they were. When it cannot, the player is told
// once a session, in one message box, where and why, and false is returned.
bool KeepSetting(const QString& key, const QString& value);

}  // namespace platform
