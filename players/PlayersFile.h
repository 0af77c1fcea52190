// The players file QVPlayers.dat: up to 100 fixed 60-byte records, mirrored by the table Players.
//
// Every read and write holds the lock beside the file (PlayersFileLock.h), and every write puts a
// whole new version of the file in place in one step: a copy of the game killed at any moment,
// another copy saving at the same time or a full disk never leave half a save behind.
#pragma once

#include <QString>

namespace qv {

enum class LoadForm {
    StartUp,  // also chooses the current player
    Reload,   // before a new player is added: the table and the best player only
};

// Finds where the players file is kept. The file beside the program is the home of the results;
// when it cannot be kept there (a read-only folder, a read-only or unreadable file: the file must
// open for reading and writing, and its folder must take the new copy written at every save),
// the file in the user's data folder is used instead, seeded from the one beside the program when
// that one is readable. When neither can be opened, PlayersFilePath is left empty, the game runs
// with an empty table and says once that results will not be kept.
// An installed copy of the game (one run from the folder it was installed to, such as
// /usr/games) always keeps results in the user's data folder: a system folder is no place for
// them, whoever runs the game.
void ChoosePlayersFile();

// The folder an installed copy runs from; tests may set another.
QString InstalledProgramFolder();
void SetInstalledProgramFolder(const QString& folder);

// Reads the file into Players and finds the best (and, at start-up, the current) player.
void LoadPlayers(LoadForm form);

// Writes all 100 entries of Players as records 1 to 100; bytes past record 100 stay as they are.
// False, after telling the player why in one message box, when the table could not be stored; the
// file is then left as it was.
bool SavePlayers();

// The end of a game: reads record CurrentPlayer afresh into Players, stores CurrentResult in it
// when that beats the stored result, and then keeps CurrentResult in the table. Nothing is read or
// written when there is no current player. False, after telling the player why in one message
// box, when an improved result could not be stored; the file is then left as it was and the table
// keeps the result for the rest of the session.
bool StoreCurrentResult();

}  // namespace qv
