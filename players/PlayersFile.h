// The players file QVPlayers.dat: up to 100 fixed 60-byte records, mirrored by the table Players.
//
// Every read and write holds the lock beside the file (PlayersFileLock.h), and every write puts a
// whole new version of the file in place in one step: a copy of the game killed at any moment,
// another copy saving at the same time or a full disk never leave half a save behind.
#pragma once

#include <QString>

namespace qv {

enum class LoadMode {
    StartUp,  // also chooses the current player
    Reload,   // before a new player is added: the table and the best player only
};

// Finds where the players file is kept; only a regular file is ever taken, and a symbolic link
// is followed to the file it leads to. The file beside the program is the home of the results;
// the program's folder is found as the system names it, so a name that is no valid text or a path
// longer than the system opens in one piece still leads there, and nothing is ever kept outside
// it or the user's data folder.
// When it cannot be kept there (a read-only folder or file, or something other than a file in its
// place), the results move to a file of this program folder's own in the user's data folder,
// seeded from the one beside the program, and stay there on every later start; the player is told
// once, and PlayersFileNote() says it from then on. A file beside the program that cannot be read,
// or that is plainly not a players file, is left alone: the game then runs without storing and
// says so. When no file can be opened at all, PlayersFilePath is left empty, the game runs with an
// empty table and says once that results will not be kept. A file in the data folder that can be
// read but not written is read, and the game says once that results will not be kept, and why.
// An installed copy of the game (IsInstalledCopy) always keeps results in the user's data folder:
// a system folder or a bin folder is no place for them, whoever runs the game.
void ChoosePlayersFile();

// True for a copy run from the folder an install put it in, whatever the prefix: the install
// leaves the menu entry at the same place relative to the program.
bool IsInstalledCopy();

// Where results are kept and why, when a copy that is not installed cannot keep them beside
// itself; empty when they are beside the program or the copy is installed.
QString PlayersFileNote();

// Reads the file into Players and finds the best (and, at start-up, the current) player.
void LoadPlayers(LoadMode mode);

// Writes all 100 entries of Players as records 1 to 100; bytes past record 100 stay as they are.
// A file that is plainly not a players file is never replaced. One that was deleted or cut short
// since it was read is written again whole, and the player is told. False, after telling the player
// why in one message box, when the table could not be stored; the file is then left as it was.
bool SavePlayers();

// The end of a game: reads record CurrentPlayer afresh into Players, stores CurrentResult in it
// when that beats the stored result, and then keeps CurrentResult in the table. A record that
// another copy has given to another player meanwhile is left to that player, the table takes it
// as it is, and the player is told; a file deleted or cut short since it was read is written again
// whole from the table, with the result, and the player is told. Nothing is read or
// written when there is no current player. False, after telling the player why in one message
// box, when an improved result could not be stored; the file is then left as it was and the table
// keeps the result for the rest of the session.
bool StoreCurrentResult();

}  // namespace qv
