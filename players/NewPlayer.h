// Adding a player to the players table and file.
#pragma once

#include <QString>

#include "platform/Types.h"

namespace qv {

// The record a new player takes: the first free one, or, when all 100 are in use, the one with
// the lowest result (the lowest record number among equal lowest results).
std::int16_t NewPlayerSlot();

// Why `name` cannot be taken, in words for the player: the players file holds names in
// Windows-1251, and a character it cannot hold would come back as "?" after the next start. Empty
// when the name can be taken.
QString NameRefusal(const QString& name);

// Reads the table afresh from the players file, makes `name` (exactly as typed) the current
// player with result 0, shows the current and the best player on the main window, puts the new
// player into its record and writes the whole table back. The file is read and written within
// this one call.
void AddNewPlayer(const QString& name);

}  // namespace qv
